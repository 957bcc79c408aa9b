#include "dialogs/RowDialogFields.h"

#include <algorithm>
#include <charconv>

namespace rowdialog {

DialogControl Control(int id, DialogControl::Kind kind, const char* label) {
  DialogControl c;
  c.id = id;
  c.kind = kind;
  c.label = label;
  return c;
}

DialogControl ColumnList(int id, const char* label, int column, int count) {
  DialogControl list = Control(id, DialogControl::Kind::Combo, label);
  for (int i = 1; i <= count; ++i) list.items.push_back(std::to_string(i));
  list.value = std::clamp(column, 0, count - 1);
  return list;
}

DialogControl RowField(int id, const char* label, int row) {
  DialogControl edit = Control(id, DialogControl::Kind::Edit, label);
  edit.text = std::to_string(row);
  edit.integerOnly = true;
  return edit;
}

bool ParseRow(const std::string& text, int& value) {
  const char* first = text.data();
  const char* last = text.data() + text.size();
  while (first < last && *first == ' ') ++first;
  while (last > first && last[-1] == ' ') --last;
  if (first < last && *first == '+') ++first;
  const auto [end, ec] = std::from_chars(first, last, value);
  return ec == std::errc() && end == last && first < last;
}

}  // namespace rowdialog
