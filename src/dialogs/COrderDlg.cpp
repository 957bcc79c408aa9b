#include "dialogs/COrderDlg.h"

#include <algorithm>

#include "app/SettingsStore.h"
#include "dialogs/RowDialogFields.h"

void COrderDlg::Load(const SettingsStore& settings) { rank = settings.GetInt("Settings", "Order", 1); }

DialogData COrderDlg::Build() const {
  using K = DialogControl::Kind;
  DialogData d;
  d.templateId = kTemplateId;
  d.caption = "順位付け・番号列の挿入";
  d.controls.push_back(rowdialog::ColumnList(kColumnListId, "列の", column, kColumnCount));
  d.controls.push_back(rowdialog::RowField(kFromRowId, "行から", fromRow));
  d.controls.push_back(rowdialog::RowField(kToRowId, "行まで", toRow));
  DialogControl box = rowdialog::Control(kRankId, K::Check, "を大きい順に並べ替え、順位を挿入");
  box.value = rank ? 1 : 0;
  d.controls.push_back(box);
  d.controls.push_back(rowdialog::Control(-1, K::Label, "【チェック無しは並べ替えずに　 1, 2, 3, …の番号列を挿入】"));
  return d;
}

bool COrderDlg::Read(const DialogData& dialog) {
  int from = 0, to = 0;
  if (!rowdialog::ParseRow(dialog.Text(kFromRowId), from) || !rowdialog::ParseRow(dialog.Text(kToRowId), to))
    return false;
  column = std::clamp(dialog.Value(kColumnListId), 0, kColumnCount - 1);
  fromRow = from;
  toRow = to;
  rank = dialog.Value(kRankId) ? 1 : 0;
  return true;
}
