// ColumnInsertion: the two ways the transform and two-column commands write
// their results.
//
// A new column: one cell per row, each inserted where InsertCellIntoControl
// would put it and typed into the control row after row in the original.
// Re-reading the whole text before each row would make a long table
// quadratic, so here the text is read once into a TableGrid, every cell
// inserted there, the new text written back once, and the scroll position
// carried through the insertion points in turn as each typed insertion would
// have scrolled; the caret ends after the last cell inserted, where the last
// typed one leaves it. A new row: one line built first and typed into the control at once
// (TextRewrite::TypeAt).
//
// Both write through the command's TextRewrite, its one undo step.
#pragma once

#include <functional>
#include <string>
#include <string_view>

class TableGrid;
class TextRewrite;

// Inserts, for each row from firstRow on (rowCount rows, those past the end
// of the text skipped), the text value(grid, row) as a new cell at column
// `target`. `value` reads the grid as it stands before that row's
// insertion; the grid reads numbers as the user chose (NumberReadingOf).
// Returns false, touching nothing, when no row took a cell.
bool InsertColumnAsTyped(TextRewrite& rewrite, int firstRow, long long rowCount, int target,
                         const std::function<std::string(const TableGrid&, int)>& value);

// End of the cells of the logical line that starts at lineStart: before its
// CR LF (or a lone LF), or at the end of the text.
int LineContentEnd(std::string_view text, int lineStart);
