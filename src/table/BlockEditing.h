// BlockEditing: the commands on the rectangular block of cells (CellRange):
// copy, cut, delete, paste, repeated paste and clear.
//
// Copies go to the view's TableClipboard: entry i is block row i, its cells
// joined by TAB, and the row and column counts describe the block. Every
// command that changes the text builds the new text in one pass over the rows
// (TableGrid.h) and writes it back as one undo step (editor/TextRewrite.h).
#pragma once

struct CellRange;
class EditorView;
class TableGrid;

namespace block_editing {

// Removes the block's cells, bottom row first and right to left in each row,
// so the cells right of the block move left.
void DeleteBlock(TableGrid& grid, const CellRange& block);

// cmd::CopyBlock: the block into the clipboard; the text does not change.
void BlockCopy(EditorView& view);
// cmd::CutBlock: block copy, then delete block.
void BlockCut(EditorView& view);
// cmd::DeleteBlock
void DeleteBlockCommand(EditorView& view);
// cmd::PasteBlock: the clipboard rows in front of the cells at the paste
// column of the caret, in consecutive rows from the caret's row; a selected
// block is deleted first.
void BlockPaste(EditorView& view);
// cmd::PasteBlockRepeated: the selected block is replaced by the clipboard
// block repeated down and across until it has the selected block's size.
void RepeatedPaste(EditorView& view);
// cmd::ClearBlock: every existing cell of the block becomes empty; columns stay in place.
void ClearBlock(EditorView& view);

}  // namespace block_editing
