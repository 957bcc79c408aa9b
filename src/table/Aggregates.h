// Aggregates: sums and averages of the rows or the columns of the cell block
// (CellRange), written into the text as new cells beside the block or as a new
// row above or below it, marked by the label "合計" or "平均".
//
// Row results become a new cell of each block row, at column last + 1 (right)
// or at column first (left, the block moves one column right); the label goes
// into the row above the block, in the result column, unless the block starts
// in row 0. Column results become one new row, below the line that holds the
// selection end or above the line that holds the selection start; its label,
// when the block does not start in column 0, stands in column 0 and the
// results line up under the block's columns; the row ends with a TAB.
//
// A cell reads as its value by the user's NumberReadingOf (empty or non-numeric cells count 0,
// missing cells are skipped); an average divides by the block's width or
// height, empty cells included. Results are written with FormatNumber and the
// view's DecimalPlaces.
//
// Each command is one undo step: the text is read once, rebuilt once, and the
// caret goes to the first result (or to the block's first cell).
#pragma once

class EditorView;

enum class Aggregate { Sum, Average };

// Commands cmd::RowSumRight, cmd::RowSumLeft, cmd::RowAverageRight and
// cmd::RowAverageLeft.
void RowAggregate(EditorView& view, Aggregate kind, bool left);

// Commands cmd::ColumnSumBelow, cmd::ColumnSumAbove, cmd::ColumnAverageBelow and
// cmd::ColumnAverageAbove.
void ColumnAggregate(EditorView& view, Aggregate kind, bool up);
