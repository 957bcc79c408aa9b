// Navigation: the caret moves of the "移動・分割" menu, the jump to a line,
// the "//" comment commands and the double-click word selection.
//
// All of them act on the view's text control through the EditBuffer contract;
// the comment commands change the text by ReplaceSel, so the change
// notification records their undo step.
#pragma once

class CPivraView;

namespace navigation {

void TextStart(CPivraView& view);   // 32800
void TextEnd(CPivraView& view);     // 32801
void LineStart(CPivraView& view);   // 32802
void LineEnd(CPivraView& view);     // 32803
void ScreenUp(CPivraView& view);    // 32804
void ScreenDown(CPivraView& view);  // 32805
void JumpToLine(CPivraView& view);  // 32815, dialog "指定行ジャンプ"
void AddComment(CPivraView& view);     // 32826
void RemoveComment(CPivraView& view);  // 32827

// Selects the word around the caret the first click placed. In C/C++ and TeX
// sources more characters end a word, and a TeX command keeps its backslash.
void SelectWord(CPivraView& view);

}  // namespace navigation
