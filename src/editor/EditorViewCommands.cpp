// The editor core's entries of the command table: undo and redo, the
// clipboard, the mode toggles and the line-number switches.
#include "editor/EditorViewCommands.h"

#include "editor/CommandIds.h"
#include "editor/EditorView.h"
#include "editor/CommandTable.h"
#include "editor/Navigation.h"

void RegisterEditorCommands(CommandTable& t) {
  auto notReadOnly = [](EditorView& v) { return !v.Edit().IsReadOnly(); };

  t.Add({.id = cmd::Undo, .name = "undo", .mainCaption = "元に戻す (&Z)", .editCaption = "元に戻す (&Z)",
         .run = [](EditorView& v) { v.Undo(); },
         .enabled = [=](EditorView& v) { return v.History().CanUndo() && notReadOnly(v); }});
  t.Add({.id = cmd::Redo, .name = "redo", .mainCaption = "先へ戻す (&Y)", .editCaption = "先へ戻す (&Y)",
         .run = [](EditorView& v) { v.Redo(); },
         .enabled = [=](EditorView& v) { return v.History().CanRedo() && notReadOnly(v); }});
  t.Add({.id = cmd::Cut, .name = "cut", .mainCaption = "切り取り(&T)", .editCaption = "切り取り (&X)",
         .tableCaption = "切り取り (&X)", .run = [](EditorView& v) { v.CutCommand(); }});
  t.Add({.id = cmd::Copy, .name = "copy", .mainCaption = "コピー(&C)", .editCaption = "ｺﾋﾟｰ (&C)",
         .tableCaption = "ｺﾋﾟｰ (&C)", .run = [](EditorView& v) { v.CopyCommand(); }});
  t.Add({.id = cmd::Paste, .name = "paste", .mainCaption = "貼り付け(&P)", .editCaption = "貼り付け (&V)",
         .tableCaption = "貼り付け (&V)", .run = [](EditorView& v) { v.PasteCommand(); }});
  t.Add({.id = cmd::SelectAll, .name = "select-all", .mainCaption = "すべて選択(&L)", .editCaption = "全てを選択 (&A)",
         .tableCaption = "全てを選択 (&A)", .run = [](EditorView& v) { v.SelectAllCommand(); }});

  t.Add({.id = cmd::TogglePhysicalLineNumbers, .name = "toggle-physical-line-numbers",
         .mainCaption = "物理行番号表示 (&P)", .run = [](EditorView& v) { v.TogglePhysicalLineNumbers(); },
         .checked = [](EditorView& v) { return v.modes.lineNumbers == LineNumberMode::Physical; }});
  t.Add({.id = cmd::ToggleLogicalLineNumbers, .name = "toggle-logical-line-numbers",
         .mainCaption = "論理行番号表示 (&L)", .run = [](EditorView& v) { v.ToggleLogicalLineNumbers(); },
         .checked = [](EditorView& v) { return v.modes.lineNumbers == LineNumberMode::Logical; }});
  t.Add({.id = cmd::ToggleReadOnly, .name = "toggle-read-only", .mainCaption = "読取専用設定・解除",
         .run = [](EditorView& v) { v.ToggleReadOnly(); }});
  t.Add({.id = cmd::ToggleTableMode, .name = "toggle-table-mode", .mainCaption = "表計算モードの設定/解除",
         .editCaption = "表計算モードの設定/解除", .tableCaption = "表計算モードの解除",
         .run = [](EditorView& v) { v.ToggleTableMode(); },
         .checked = [](EditorView& v) { return v.modes.table; }});
  t.Add({.id = cmd::ToggleEditorMode, .name = "toggle-editor-mode", .mainCaption = "エディタ・モード",
         .run = [](EditorView& v) { v.ToggleEditorMode(); },
         .checked = [](EditorView& v) { return v.modes.editor; }});

  t.Add({.id = cmd::MoveToTextStart, .name = "move-to-text-start", .mainCaption = "文頭へ移動 ( &U )",
         .editCaption = "文頭へ移動 (&U)", .run = navigation::TextStart});
  t.Add({.id = cmd::MoveToTextEnd, .name = "move-to-text-end", .mainCaption = "文末へ移動 ( &D )",
         .editCaption = "文末へ移動 (&D)", .run = navigation::TextEnd});
  t.Add({.id = cmd::MoveToLineStart, .name = "move-to-line-start", .mainCaption = "行頭移動 ( &L )",
         .run = navigation::LineStart});
  t.Add({.id = cmd::MoveToLineEnd, .name = "move-to-line-end", .mainCaption = "行末移動 ( &R )",
         .run = navigation::LineEnd});
  t.Add({.id = cmd::MoveScreenUp, .name = "move-screen-up", .mainCaption = "１画面上へ移動 ( &B )",
         .run = navigation::ScreenUp});
  t.Add({.id = cmd::MoveScreenDown, .name = "move-screen-down", .mainCaption = "１画面下へ移動 ( &N )",
         .run = navigation::ScreenDown});
  t.Add({.id = cmd::JumpToLine, .name = "jump-to-line", .mainCaption = "指定行ジャンプ ( &J )",
         .editCaption = "指定行ジャンプ (&J)", .run = navigation::JumpToLine});
  t.Add({.id = cmd::AddCommentSlashes, .name = "add-comment-slashes", .editCaption = "// 付加",
         .run = navigation::AddComment});
  t.Add({.id = cmd::RemoveCommentSlashes, .name = "remove-comment-slashes", .editCaption = "// 削除",
         .run = navigation::RemoveComment,
         .enabled = [](EditorView& v) { return v.Edit().GetSel().first < v.Edit().GetSel().second; }});
}
