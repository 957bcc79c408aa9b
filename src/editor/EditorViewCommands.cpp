// The editor core's entries of the command table: undo and redo, the
// clipboard, the mode toggles and the line-number switches.
#include "editor/EditorViewCommands.h"

#include "editor/CommandIds.h"
#include "editor/EditorView.h"
#include "editor/CommandTable.h"
#include "editor/Navigation.h"

void RegisterEditorCommands(CommandTable& t) {
  auto notReadOnly = [](EditorView& v) { return !v.Edit().IsReadOnly(); };

  t.Add({cmd::Undo, "元に戻す (&Z)", "元に戻す (&Z)", "", [](EditorView& v) { v.Undo(); },
         [=](EditorView& v) { return v.History().CanUndo() && notReadOnly(v); }, {}});
  t.Add({cmd::Redo, "先へ戻す (&Y)", "先へ戻す (&Y)", "", [](EditorView& v) { v.Redo(); },
         [=](EditorView& v) { return v.History().CanRedo() && notReadOnly(v); }, {}});
  t.Add({cmd::Cut, "切り取り(&T)", "切り取り (&X)", "切り取り (&X)", [](EditorView& v) { v.CutCommand(); }, {}, {}});
  t.Add({cmd::Copy, "コピー(&C)", "ｺﾋﾟｰ (&C)", "ｺﾋﾟｰ (&C)", [](EditorView& v) { v.CopyCommand(); }, {}, {}});
  t.Add({cmd::Paste, "貼り付け(&P)", "貼り付け (&V)", "貼り付け (&V)", [](EditorView& v) { v.PasteCommand(); }, {}, {}});
  t.Add({cmd::SelectAll, "すべて選択(&L)", "全てを選択 (&A)", "全てを選択 (&A)", [](EditorView& v) { v.SelectAllCommand(); },
         {}, {}});

  t.Add({cmd::TogglePhysicalLineNumbers, "物理行番号表示 (&P)", "", "", [](EditorView& v) { v.TogglePhysicalLineNumbers(); },
         {}, [](EditorView& v) { return v.modes.lineNumbers == LineNumberMode::Physical; }});
  t.Add({cmd::ToggleLogicalLineNumbers, "論理行番号表示 (&L)", "", "", [](EditorView& v) { v.ToggleLogicalLineNumbers(); },
         {}, [](EditorView& v) { return v.modes.lineNumbers == LineNumberMode::Logical; }});
  t.Add({cmd::ToggleReadOnly, "読取専用設定・解除", "", "", [](EditorView& v) { v.ToggleReadOnly(); }, {}, {}});
  t.Add({cmd::ToggleTableMode, "表計算モードの設定/解除", "表計算モードの設定/解除", "表計算モードの解除",
         [](EditorView& v) { v.ToggleTableMode(); }, {}, [](EditorView& v) { return v.modes.table; }});
  t.Add({cmd::ToggleEditorMode, "エディタ・モード", "", "", [](EditorView& v) { v.ToggleEditorMode(); }, {},
         [](EditorView& v) { return v.modes.editor; }});

  t.Add({cmd::MoveToTextStart, "文頭へ移動 ( &U )", "文頭へ移動 (&U)", "", navigation::TextStart, {}, {}});
  t.Add({cmd::MoveToTextEnd, "文末へ移動 ( &D )", "文末へ移動 (&D)", "", navigation::TextEnd, {}, {}});
  t.Add({cmd::MoveToLineStart, "行頭移動 ( &L )", "", "", navigation::LineStart, {}, {}});
  t.Add({cmd::MoveToLineEnd, "行末移動 ( &R )", "", "", navigation::LineEnd, {}, {}});
  t.Add({cmd::MoveScreenUp, "１画面上へ移動 ( &B )", "", "", navigation::ScreenUp, {}, {}});
  t.Add({cmd::MoveScreenDown, "１画面下へ移動 ( &N )", "", "", navigation::ScreenDown, {}, {}});
  t.Add({cmd::JumpToLine, "指定行ジャンプ ( &J )", "指定行ジャンプ (&J)", "", navigation::JumpToLine, {}, {}});
  t.Add({cmd::AddCommentSlashes, "", "// 付加", "", navigation::AddComment, {}, {}});
  t.Add({cmd::RemoveCommentSlashes, "", "// 削除", "", navigation::RemoveComment,
         [](EditorView& v) { return v.Edit().GetSel().first < v.Edit().GetSel().second; }, {}});
}
