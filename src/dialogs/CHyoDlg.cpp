#include "dialogs/CHyoDlg.h"

#include <charconv>
#include <string>

#include "app/SettingsStore.h"

namespace {

DialogControl MakeControl(int id, DialogControl::Kind kind, const char* label) {
  DialogControl c;
  c.id = id;
  c.kind = kind;
  c.label = label;
  return c;
}

bool ParseInteger(const std::string& text, int& value) {
  const char* first = text.data();
  const char* last = text.data() + text.size();
  while (first < last && *first == ' ') ++first;
  while (last > first && last[-1] == ' ') --last;
  if (first < last && *first == '+') ++first;
  const auto [end, ec] = std::from_chars(first, last, value);
  return ec == std::errc() && end == last && first < last;
}

}  // namespace

void CHyoDlg::Load(const SettingsStore& settings) {
  headerRow = settings.GetInt("Settings", "ABC", 0);
  rows = settings.GetInt("Settings", "Gyo", 5);
  columns = settings.GetInt("Settings", "Retu", 5);
  numbering = settings.GetInt("Settings", "No", 0);
}

void CHyoDlg::Save(SettingsStore& settings) const {
  settings.WriteInt("Settings", "ABC", headerRow);
  settings.WriteInt("Settings", "Gyo", rows);
  settings.WriteInt("Settings", "Retu", columns);
  settings.WriteInt("Settings", "No", numbering);
}

DialogData CHyoDlg::Build() const {
  using K = DialogControl::Kind;
  DialogData d;
  d.templateId = kTemplateId;
  d.caption = "表の作成";

  DialogControl header = MakeControl(kHeaderRowId, K::Check, "第一行に 列1, 列2, 列3, ･･･を挿入");
  header.value = headerRow ? 1 : 0;
  d.controls.push_back(header);

  DialogControl rowsEdit = MakeControl(kRowsId, K::Edit, "行 ×");
  rowsEdit.text = std::to_string(rows);
  rowsEdit.integerOnly = true;
  d.controls.push_back(rowsEdit);

  DialogControl columnsEdit = MakeControl(kColumnsId, K::Edit, "列　（縦×横）　の表を作ります。");
  columnsEdit.text = std::to_string(columns);
  columnsEdit.integerOnly = true;
  d.controls.push_back(columnsEdit);

  // The group box title; a static text has no id of its own.
  d.controls.push_back(MakeControl(-1, K::Label, "第一列への番号の挿入"));
  const struct {
    int id;
    const char* label;
  } radios[] = {{kNoNumberId, "第一列には何もしない"},
                {kNumberFromOneId, "第一列に 1 からの番号を挿入"},
                {kLineNumberId, "第一列に行番号を挿入"}};
  for (int i = 0; i < 3; ++i) {
    DialogControl r = MakeControl(radios[i].id, K::Radio, radios[i].label);
    r.value = numbering == i ? 1 : 0;
    r.group = kNumberingGroup;
    d.controls.push_back(r);
  }
  return d;
}

bool CHyoDlg::Read(const DialogData& dialog) {
  int newRows = 0;
  int newColumns = 0;
  if (!ParseInteger(dialog.Text(kRowsId), newRows) || !ParseInteger(dialog.Text(kColumnsId), newColumns))
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
