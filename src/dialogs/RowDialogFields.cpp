#include "dialogs/RowDialogFields.h"

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

namespace rowdialog {

DialogControl ColumnList(int id, const char* label, int column, int count) {
  std::vector<std::string> items;
  for (int i = 1; i <= count; ++i) items.push_back(std::to_string(i));
  return MakeCombo(id, label, std::move(items), std::clamp(column, 0, count - 1));
}

bool ReadColumnAndRows(const DialogData& dialog, int listId, int fromId, int toId, int count, int& column,
                       int& fromRow, int& toRow) {
  int from = 0, to = 0;
  if (!ParseDialogInteger(dialog.Text(fromId), from) || !ParseDialogInteger(dialog.Text(toId), to)) return false;
  column = std::clamp(dialog.Value(listId), 0, count - 1);
  // No text has more rows than kRowLimit, so cutting the fields to it
  // changes no result, and the row arithmetic after it cannot overflow.
  fromRow = std::clamp(from, -kRowLimit, kRowLimit);
  toRow = std::clamp(to, -kRowLimit, kRowLimit);
  return true;
}

}  // namespace rowdialog
