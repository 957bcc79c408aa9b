#include "dialogs/CSortDlg.h"

#include <algorithm>

#include "app/SettingsStore.h"
#include "dialogs/RowDialogFields.h"

void CSortDlg::Load(const SettingsStore& settings) {
  descending = settings.GetInt("Settings", "Down", 1);
  byValue = settings.GetInt("Settings", "Value", 1);
}

void CSortDlg::Save(SettingsStore& settings) const {
  settings.WriteInt("Settings", "Down", descending);
  settings.WriteInt("Settings", "Value", byValue);
}

DialogData CSortDlg::Build() const {
  using K = DialogControl::Kind;
  DialogData d;
  d.templateId = kTemplateId;
  d.caption = "行データの並び替え";
  d.controls.push_back(rowdialog::ColumnList(kColumnListId, "列について", column, kColumnCount));
  d.controls.push_back(rowdialog::RowField(kFromRowId, "行から", fromRow));
  d.controls.push_back(rowdialog::RowField(kToRowId, "行までを", toRow));
  DialogControl down = rowdialog::Control(kDescendingId, K::Check, "降順で （チェック無は昇順）");
  down.value = descending ? 1 : 0;
  d.controls.push_back(down);
  DialogControl value = rowdialog::Control(kByValueId, K::Check, "値として（チェック無は文字列として） ");
  value.value = byValue ? 1 : 0;
  d.controls.push_back(value);
  return d;
}

bool CSortDlg::Read(const DialogData& dialog) {
  int from = 0, to = 0;
  if (!rowdialog::ParseRow(dialog.Text(kFromRowId), from) || !rowdialog::ParseRow(dialog.Text(kToRowId), to))
    return false;
  column = std::clamp(dialog.Value(kColumnListId), 0, kColumnCount - 1);
  fromRow = from;
  toRow = to;
  descending = dialog.Value(kDescendingId) ? 1 : 0;
  byValue = dialog.Value(kByValueId) ? 1 : 0;
  return true;
}
