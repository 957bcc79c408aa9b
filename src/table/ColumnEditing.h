// ColumnEditing: the commands that insert, delete, copy and cut whole columns
// of the table at the caret (or of the selected block), and insert the copied
// column again.
//
// Each reads the text once into a TableGrid, applies the cell operations row by
// row and writes the result back as one undo step (editor/TextRewrite.h). Copied
// cells go to the view's TableClipboard, one entry per text row.
#pragma once

class EditorView;

namespace column_editing {

// cmd::InsertBlankColumn and cmd::InsertBlankCells: a blank cell in front of
// the cell at the insertion column of the caret, in the rows of a multi-row
// block or else in every row, as many columns as the block is wide.
void InsertBlankColumn(EditorView& view);
// cmd::DeleteColumn: the caret's column, or the block's columns when there is
// a selection.
void DeleteColumn(EditorView& view);
// cmd::CopyColumn: the same columns into clipboard entry r for every text row r.
void CopyColumn(EditorView& view);
// cmd::CutColumn
void CutColumn(EditorView& view);
// cmd::InsertCopiedColumn: clipboard entry r in front of the cell at the
// insertion column of the caret, for every text row r.
void InsertCopiedColumn(EditorView& view);

}  // namespace column_editing
