// The editor core's entries of the command table: undo and redo, the
// clipboard, the mode toggles and the line-number switches.
#include "editor/CPivraView.h"
#include "editor/CommandTable.h"
#include "editor/Navigation.h"

void RegisterEditorCommands(CommandTable& t) {
  auto notReadOnly = [](CPivraView& v) { return !v.Edit().IsReadOnly(); };

  t.Add({32789, "元に戻す (&Z)", "元に戻す (&Z)", "", [](CPivraView& v) { v.Undo(); },
         [=](CPivraView& v) { return v.History().CanUndo() && notReadOnly(v); }, {}});
  t.Add({32788, "先へ戻す (&Y)", "先へ戻す (&Y)", "", [](CPivraView& v) { v.Redo(); },
         [=](CPivraView& v) { return v.History().CanRedo() && notReadOnly(v); }, {}});
  t.Add({57635, "切り取り(&T)", "切り取り (&X)", "切り取り (&X)", [](CPivraView& v) { v.CutCommand(); }, {}, {}});
  t.Add({57634, "コピー(&C)", "ｺﾋﾟｰ (&C)", "ｺﾋﾟｰ (&C)", [](CPivraView& v) { v.CopyCommand(); }, {}, {}});
  t.Add({57637, "貼り付け(&P)", "貼り付け (&V)", "貼り付け (&V)", [](CPivraView& v) { v.PasteCommand(); }, {}, {}});
  t.Add({57642, "すべて選択(&L)", "全てを選択 (&A)", "全てを選択 (&A)", [](CPivraView& v) { v.SelectAllCommand(); },
         {}, {}});

  t.Add({32794, "物理行番号表示 (&P)", "", "", [](CPivraView& v) { v.TogglePhysicalLineNumbers(); }, {},
         [](CPivraView& v) { return v.lineNumberMode == 1; }});
  t.Add({32795, "論理行番号表示 (&L)", "", "", [](CPivraView& v) { v.ToggleLogicalLineNumbers(); }, {},
         [](CPivraView& v) { return v.lineNumberMode == 2; }});
  t.Add({32797, "読取専用設定・解除", "", "", [](CPivraView& v) { v.ToggleReadOnly(); }, {}, {}});
  t.Add({32809, "表計算モードの設定/解除", "表計算モードの設定/解除", "表計算モードの解除",
         [](CPivraView& v) { v.ToggleTableMode(); }, {}, [](CPivraView& v) { return v.tableMode != 0; }});
  t.Add({32868, "エディタ・モード", "", "", [](CPivraView& v) { v.ToggleEditorMode(); }, {},
         [](CPivraView& v) { return v.editorMode == 1; }});

  t.Add({32800, "文頭へ移動 ( &U )", "文頭へ移動 (&U)", "", navigation::TextStart, {}, {}});
  t.Add({32801, "文末へ移動 ( &D )", "文末へ移動 (&D)", "", navigation::TextEnd, {}, {}});
  t.Add({32802, "行頭移動 ( &L )", "", "", navigation::LineStart, {}, {}});
  t.Add({32803, "行末移動 ( &R )", "", "", navigation::LineEnd, {}, {}});
  t.Add({32804, "１画面上へ移動 ( &B )", "", "", navigation::ScreenUp, {}, {}});
  t.Add({32805, "１画面下へ移動 ( &N )", "", "", navigation::ScreenDown, {}, {}});
  t.Add({32815, "指定行ジャンプ ( &J )", "指定行ジャンプ (&J)", "", navigation::JumpToLine, {}, {}});
  t.Add({32826, "", "// 付加", "", navigation::AddComment, {}, {}});
  t.Add({32827, "", "// 削除", "", navigation::RemoveComment,
         [](CPivraView& v) { return v.Edit().GetSel().first < v.Edit().GetSel().second; }, {}});
}
