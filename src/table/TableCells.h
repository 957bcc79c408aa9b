// TableCells: the cell operations on the view that the table and calculation
// commands are built on: reading a block of cells, selecting a cell or moving
// the caret to it in the control, and deleting or inserting a cell in a text
// or in the control.
//
// Cells are found by the rules of CellText.h. Every function that edits a
// text given by reference (DeleteCell, InsertCellIntoText) moves the view's
// TableSelection start along with the edit, so a command can put the caret
// back where the user had it.
#pragma once

#include <string>
#include <string_view>

class EditorView;
class TextRewrite;

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

// Both insert `value` as a new cell so that it becomes column `col` of the row
// and the later cells move one column right. Column 0 inserts value + TAB at
// the row start; column c >= 1 inserts TAB + value at the c-th TAB (or at the
// row end when the row has exactly c - 1 TABs); a row that is too short is
// left as it is.
// Into `text`: the TableSelection start moves when the insertion is before it.
void InsertCellIntoText(EditorView& view, int col, int row, std::string_view value, std::string& text);
// Into the control's own text, typed there through the command's rewrite
// (TextRewrite::TypeAt).
void InsertCellIntoControl(TextRewrite& rewrite, int col, int row, std::string_view value);

// The message box for a missing or inverted block of cells.
void ShowSelectionError(EditorView& view);
