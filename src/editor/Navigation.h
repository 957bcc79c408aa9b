// Navigation: the caret moves of the "移動・分割" menu, the jump to a line,
// the "//" comment commands and the double-click word selection.
//
// All of them act on the view's text control through the EditBuffer contract;
// the comment commands change the text by ReplaceSel, so the change
// notification records their undo step.
#pragma once

class EditorView;

namespace navigation {

void TextStart(EditorView& view);   // 32800
void TextEnd(EditorView& view);     // 32801
void LineStart(EditorView& view);   // 32802
void LineEnd(EditorView& view);     // 32803
void ScreenUp(EditorView& view);    // 32804
void ScreenDown(EditorView& view);  // 32805
void JumpToLine(EditorView& view);  // 32815, dialog "指定行ジャンプ"
void AddComment(EditorView& view);     // 32826
void RemoveComment(EditorView& view);  // 32827

// Selects the word around the caret the first click placed. In C/C++ and TeX
// sources more characters end a word, and a TeX command keeps its backslash.
void SelectWord(EditorView& view);

}  // namespace navigation
