// TableCells: the text as a grid of cells, and the cell operations every table
// and calculation command is built on.
//
// A row is a logical line: row n starts after the n-th LF of the text. The
// cells of a row end at its first CR (or at its LF, or at the end of the
// text); everything from there to the next row is the row's line break.
// Field k of a row is the text after its k-th TAB (k = 0: from the row start)
// up to the next TAB or the end of the row's cells. A row with k TABs has
// k + 1 fields; "a\tb\t" has three, the last one empty. A row without any
// TAB has no addressable cells: reading gives "", and selecting, moving to or
// deleting a cell of it does nothing (inserting into column 0 or 1 still works).
//
// TAB, CR and LF never occur as trail bytes of a double-byte character, so the
// byte positions found for them are always character boundaries.
//
// Every function that edits a text given by reference (DeleteCell, InsertCell
// with toControl false) moves the view's TableSelection start along with the
// edit, so a command can put the caret back where the user had it.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

class EditorView;

// ---- the operations on the view

// `count` consecutive fields of the row from `firstCol`, joined by their TABs,
// without a trailing TAB; "" when the row or the column does not exist. The
// row is read with every CR and LF removed.
std::string GetCells(EditorView& view, int row, int firstCol, int count);

// Selects the cell with its following TAB in the control, scrolls it into
// view and returns the selected text; "" (and nothing selected) when the cell
// does not exist.
std::string SelectCell(EditorView& view, int col, int row);

// Places the caret at the start of the cell and scrolls it into view; a cell
// that does not exist leaves the caret where it is.
void MoveCaretToCell(EditorView& view, int col, int row);

// Removes the cell and its following TAB from `text` (the last cell of a row
// keeps the TAB before it). Adjusts the TableSelection start.
void DeleteCell(EditorView& view, int col, int row, std::string& text);

// Inserts `value` as a new cell so that it becomes column `col` of the row and
// the later cells move one column right. Column 0 inserts value + TAB at the
// row start; column c >= 1 inserts TAB + value at the c-th TAB (or at the row
// end when the row has exactly c - 1 TABs); a row that is too short is left
// as it is. With toControl false the edit goes into `text` and the
// TableSelection start moves when the insertion is before it; with toControl
// true `text` must be the control's text (it is not read: the control's own
// text is) and the insertion is typed into the control (SetSel, ScrollCaret,
// ReplaceSel).
void InsertCell(EditorView& view, int col, int row, std::string_view value, std::string& text, bool toControl);

// The value of a cell: leading white space, an optional sign, digits with an
// optional decimal point and an optional exponent; reading stops at the first
// other character and a text that does not begin with a number reads 0.
// Thousands separators are not numbers ("1,5" reads 1). A value too large for
// a double reads as an infinity, one too small as 0.
double CellNumber(std::string_view cellText);

// Fixed-point text of `value` with exactly `decimals` digits after the point
// (none, and no point, when decimals <= 0), no exponent, no separators.
// The value is first taken as the decimal number of its 15 significant
// digits, as spreadsheets do, so binary noise of the arithmetic never decides
// a rounding (0.1 + 0.2 is 0.3, 2.675 is 2.675); that decimal is then rounded
// half away from zero (0.125 gives 0.13, 2.675 gives 2.68). A negative value keeps
// its "-" even when it rounds to zero (-0.01 with 1 decimal is -0.0).
// Infinities and NaN, which no finite text can show, are written "Error".
// More than kMaxDecimals decimals are written as kMaxDecimals.
std::string FormatNumber(double value, int decimals);
inline constexpr int kMaxDecimals = 340;

// The message box for a missing or inverted block of cells.
void ShowSelectionError(EditorView& view);

// ---- the same rules on plain text, for the grid and for commands that work
// on a row they already hold. `row` is the row's cells only (no line break).
namespace cells {

inline constexpr std::size_t npos = std::string_view::npos;

// Offset where row n starts (after the n-th LF), or npos when the text has
// fewer than n LFs (or n < 0).
std::size_t RowStart(std::string_view text, int n);

// End of the cells of the row that starts at rowStart: its first CR or LF, or
// the end of the text.
std::size_t RowCellsEnd(std::string_view text, std::size_t rowStart);

// The cell `col` with its following TAB, as SelectCell and DeleteCell find it:
// [start, end) within `row`. False when the cell does not exist.
bool CellSpan(std::string_view row, int col, std::size_t& start, std::size_t& end);

// What `count` DeleteCell calls on column `col` remove, one after another
// (each stops the run when it finds no cell): cells col.. with their
// following TABs, a last cell without the TAB before it; from column 0 the
// last cell stays when the run reaches it. One contiguous [start, end) within
// `row`, found in one pass. False when the first call finds no cell.
bool CellRunSpan(std::string_view row, int col, int count, std::size_t& start, std::size_t& end);

// What DeleteCell removes for each column from lastCol down to firstCol
// (negative columns skipped): one contiguous [start, end) within `row`, found
// in one pass; a block that reaches the last cell takes the row to its end.
// False when no column of the block exists in the row.
bool BlockSpan(std::string_view row, int firstCol, int lastCol, std::size_t& start, std::size_t& end);

// Where InsertCell puts a new cell `col` into `row`, and whether the value
// goes before its TAB (column 0) or after it. False when the row is too short.
bool InsertPoint(std::string_view row, int col, std::size_t& point, bool& valueFirst);

// The text InsertCell inserts for `value`, returned or added to `out`.
std::string InsertText(std::string_view value, bool valueFirst);
void AppendInsertText(std::string& out, std::string_view value, bool valueFirst);

// GetCells on a row that holds no CR or LF.
std::string_view Fields(std::string_view row, int firstCol, int count);

// Moves a tracked position over an insertion of `length` bytes at `point`
// (it moves when the insertion is strictly before it) and over a removal of
// [start, end) (a position inside the removed text goes to its start).
inline void TrackInsert(int& pos, std::size_t point, std::size_t length) {
  if (static_cast<std::size_t>(pos) > point) pos += static_cast<int>(length);
}
inline void TrackRemove(int& pos, std::size_t start, std::size_t end) {
  if (static_cast<std::size_t>(pos) >= end)
    pos -= static_cast<int>(end - start);
  else if (static_cast<std::size_t>(pos) >= start)
    pos = static_cast<int>(start);
}

}  // namespace cells
