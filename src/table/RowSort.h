// RowSort: reordering whole rows of the table by one column, and the rank or
// running-number column.
//
// A sort takes the rows firstRow..lastRow (0-based, inclusive) as whole
// logical lines with their line breaks, and a key from one column of each:
// the cell's value (numbers::CellValue by the reading given) or its bytes compared as unsigned values. A
// descending sort keeps rows with equal keys in their order; an ascending sort
// is the descending order reversed, so equal keys come out in reverse of their
// order. When the block's last line has no line break (the end of the text),
// it gets a CR LF, so every sorted line ends with one.
//
// The rank column is competition ranking of a descending sort by value: 1, 2,
// 2, 4 for 90, 80, 80, 70, inserted in front of the key column.
//
// All functions work on a text held in memory in one pass over it; the rows
// named may lie partly outside the text, in which case only the rows that
// exist take part.
#pragma once

#include <string>
#include <string_view>

#include "numbers/NumberReading.h"

class EditorView;
class EditBuffer;

// Start offset of row n (after the n-th LF); the end of the text when the text
// has fewer rows.
int RowStart(int n, std::string_view text);

// The text with rows firstRow..lastRow sorted by column `column`.
std::string SortRows(std::string_view text, int column, int firstRow, int lastRow, bool descending, bool byValue,
                     numbers::NumberReading reading = numbers::NumberReading::Plain);

// SortRows descending by value, then the rank column in front of the key
// column. `tracked` (a position in the text) moves with the inserted cells as
// the TableSelection start does.
std::string RankRows(std::string_view text, int column, int firstRow, int lastRow, int& tracked,
                     numbers::NumberReading reading = numbers::NumberReading::Plain);

// A new column `column` holding 1, 2, 3, ... for the rows fromRow..toRow
// (0-based; the number of row r is r - fromRow + 1), without sorting.
std::string NumberRows(std::string_view text, int column, int fromRow, int toRow, int& tracked);

// The column and rows the two dialogs propose, from the control's selection:
// the start's column and row, and rows down to the selection end (or the end
// of the text when nothing is selected). Rows are counted from 1.
struct RowRange {
  int column = 0;
  int fromRow = 1;
  int toRow = 1;
};
RowRange ProposedSortRange(const EditBuffer& edit);
RowRange ProposedRankRange(const EditBuffer& edit);

// Command cmd::SortRows: the sort dialog, then the sort, one undo step.
void SortRowsCommand(EditorView& view);
// Command cmd::InsertRankColumn: the rank dialog, then the rank or number
// column, one undo step.
void RankRowsCommand(EditorView& view);
