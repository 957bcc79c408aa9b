#include "dialogs/RowSortDialog.h"

#include "settings/SettingsStore.h"
#include "dialogs/RowDialogFields.h"

void RowSortDialog::Load(const SettingsStore& settings) {
  descending = settings.GetInt(setting::SortDescending);
  byValue = settings.GetInt(setting::SortByValue);
}

void RowSortDialog::Save(SettingsStore& settings) const {
  settings.WriteInt(setting::SortDescending, descending);
  settings.WriteInt(setting::SortByValue, byValue);
}

DialogData RowSortDialog::Build() const {
  DialogData d;
  d.templateId = kTemplateId;
  d.caption = "行データの並び替え";
  // "[2] 列について [5] 行から [8] 行までを", then how to sort, a line each.
  d.controls.push_back(rowdialog::ColumnList(kColumnListId, "列について", column, kColumnCount).Named("column").LabelAfter());
  d.controls.push_back(MakeIntegerEdit(kFromRowId, "行から", fromRow).Named("from-row").LabelAfter().SameLine());
  d.controls.push_back(MakeIntegerEdit(kToRowId, "行までを", toRow).Named("to-row").LabelAfter().SameLine());
  d.controls.push_back(MakeCheck(kDescendingId, "降順で （チェック無は昇順）", descending).Named("descending"));
  d.controls.push_back(MakeCheck(kByValueId, "値として（チェック無は文字列として） ", byValue).Named("by-value"));
  return d;
}

bool RowSortDialog::Read(const DialogData& dialog) {
  if (!rowdialog::ReadColumnAndRows(dialog, kColumnListId, kFromRowId, kToRowId, kColumnCount, column, fromRow, toRow))
    return false;
  descending = dialog.Value(kDescendingId) ? 1 : 0;
  byValue = dialog.Value(kByValueId) ? 1 : 0;
  return true;
}
