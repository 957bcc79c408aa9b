// Navigation: the caret moves of the "移動・分割" menu, the jump to a line,
// the "//" comment commands and the double-click word selection.
//
// All of them act on the view's text control through the EditBuffer contract;
// the comment commands change the text by ReplaceSel, so the change
// notification records their undo step.
#pragma once

#include "platform/DialogData.h"

class EditorView;
class SettingsStore;

namespace navigation {

void TextStart(EditorView& view);   // cmd::MoveToTextStart
void TextEnd(EditorView& view);     // cmd::MoveToTextEnd
void LineStart(EditorView& view);   // cmd::MoveToLineStart
void LineEnd(EditorView& view);     // cmd::MoveToLineEnd
void ScreenUp(EditorView& view);    // cmd::MoveScreenUp
void ScreenDown(EditorView& view);  // cmd::MoveScreenDown
void JumpToLine(EditorView& view);  // cmd::JumpToLine, dialog "指定行ジャンプ"
void AddComment(EditorView& view);     // cmd::AddCommentSlashes
void RemoveComment(EditorView& view);  // cmd::RemoveCommentSlashes

// The jump dialog, opened on the line number and the logical-line choice of
// the last jump.
inline constexpr int kJumpLineNumberId = 1000;
inline constexpr int kJumpLogicalLinesId = 1027;
DialogData JumpToLineDialog(const SettingsStore& settings);

// Selects the word around the caret the first click placed. In C/C++ and TeX
// sources more characters end a word, and a TeX command keeps its backslash.
void SelectWord(EditorView& view);

}  // namespace navigation
