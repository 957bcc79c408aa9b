#include "dialogs/TableCreationDialog.h"

#include "settings/SettingsStore.h"

void TableCreationDialog::Load(const SettingsStore& settings) {
  headerRow = settings.GetInt(setting::NewTableHeaderRow);
  rows = settings.GetInt(setting::NewTableRows);
  columns = settings.GetInt(setting::NewTableColumns);
  numbering = settings.GetInt(setting::NewTableNumbering);
}

void TableCreationDialog::Save(SettingsStore& settings) const {
  settings.WriteInt(setting::NewTableHeaderRow, headerRow);
  settings.WriteInt(setting::NewTableRows, rows);
  settings.WriteInt(setting::NewTableColumns, columns);
  settings.WriteInt(setting::NewTableNumbering, numbering);
}

DialogData TableCreationDialog::Build() const {
  DialogData d;
  d.templateId = kTemplateId;
  d.caption = "表の作成";
  d.controls.push_back(MakeCheck(kHeaderRowId, "第一行に 列1, 列2, 列3, ･･･を挿入", headerRow).Named("header-row"));
  // "[5] 行 × [5] 列　（縦×横）　の表を作ります。"
  d.controls.push_back(MakeIntegerEdit(kRowsId, "行 ×", rows).Named("rows").LabelAfter());
  d.controls.push_back(MakeIntegerEdit(kColumnsId, "列　（縦×横）　の表を作ります。", columns).Named("columns").LabelAfter().SameLine());
  // The group box title.
  d.controls.push_back(MakeLabel("第一列への番号の挿入"));
  const struct {
    int id;
    const char* name;
    const char* label;
  } radios[] = {{kNoNumberId, "no-numbers", "第一列には何もしない"},
                {kNumberFromOneId, "numbers-from-one", "第一列に 1 からの番号を挿入"},
                {kLineNumberId, "line-numbers", "第一列に行番号を挿入"}};
  for (int i = 0; i < 3; ++i)
    d.controls.push_back(MakeRadio(radios[i].id, radios[i].label, kNumberingGroup, numbering == i).Named(radios[i].name));
  return d;
}

bool TableCreationDialog::Read(const DialogData& dialog) {
  int newRows = 0;
  int newColumns = 0;
  if (!ParseDialogInteger(dialog.Text(kRowsId), newRows) || !ParseDialogInteger(dialog.Text(kColumnsId), newColumns))
    return false;
  headerRow = dialog.Value(kHeaderRowId) ? 1 : 0;
  rows = newRows;
  columns = newColumns;
  if (dialog.Value(kNumberFromOneId)) {
    numbering = 1;
  } else if (dialog.Value(kLineNumberId)) {
    numbering = 2;
  } else {
    numbering = 0;
  }
  return true;
}
