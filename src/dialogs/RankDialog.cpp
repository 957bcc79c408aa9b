#include "dialogs/RankDialog.h"

#include "settings/SettingsStore.h"
#include "dialogs/RowDialogFields.h"

void RankDialog::Load(const SettingsStore& settings) { rank = settings.GetInt(setting::RankRows); }

DialogData RankDialog::Build() const {
  DialogData d;
  d.templateId = kTemplateId;
  d.caption = "順位付け・番号列の挿入";
  // "[2] 列の [5] 行から [8] 行まで [x]を大きい順に並べ替え、順位を挿入"
  d.controls.push_back(rowdialog::ColumnList(kColumnListId, "列の", column, kColumnCount).Named("column").LabelAfter());
  d.controls.push_back(MakeIntegerEdit(kFromRowId, "行から", fromRow).Named("from-row").LabelAfter().SameLine());
  d.controls.push_back(MakeIntegerEdit(kToRowId, "行まで", toRow).Named("to-row").LabelAfter().SameLine());
  d.controls.push_back(MakeCheck(kRankId, "を大きい順に並べ替え、順位を挿入", rank).Named("rank").SameLine());
  d.controls.push_back(MakeLabel("【チェック無しは並べ替えずに　 1, 2, 3, …の番号列を挿入】"));
  return d;
}

bool RankDialog::Read(const DialogData& dialog) {
  if (!rowdialog::ReadColumnAndRows(dialog, kColumnListId, kFromRowId, kToRowId, kColumnCount, column, fromRow, toRow))
    return false;
  rank = dialog.Value(kRankId) ? 1 : 0;
  return true;
}
