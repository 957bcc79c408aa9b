// CaretColumns: the column a column or block command takes from a text
// position (the TableSelection start), and the row that holds it.
//
// All three rules count the TABs between the start of the position's row and
// the position (tabs):
//   - cell column: tabs, the cell that holds the position;
//   - insertion column: tabs, or tabs + 1 when the position is inside a cell
//     (the byte before it, within its row, is there and is not a TAB), so a new
//     column goes after the cell that holds the caret and before the cell at
//     whose start the caret stands;
//   - paste column: tabs, or tabs + 1 unless the byte before the position is a
//     TAB (so the very start of a row also gives tabs + 1).
#pragma once

#include <string_view>

namespace caret_column {

// Row of pos: the number of LFs before it.
int RowOf(std::string_view text, int pos);
int Cell(std::string_view text, int pos);
int Insertion(std::string_view text, int pos);
int Paste(std::string_view text, int pos);

}  // namespace caret_column
