#include "calc/ColumnInsertion.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "editor/EditorView.h"
#include "editor/TextRewrite.h"
#include "table/NumberReadingMode.h"
#include "table/TableGrid.h"
#include "text/Cp932.h"

bool InsertColumnAsTyped(TextRewrite& rewrite, int firstRow, long long rowCount, int target,
                         const std::function<std::string(const TableGrid&, int)>& value) {
  EditBuffer& edit = rewrite.View().Edit();
  // The control's text stays as it is until the new text is written back.
  TableGrid grid(edit.Text(), NumberReadingOf(rewrite.View()));
  const long long last = std::min<long long>(static_cast<long long>(firstRow) + rowCount - 1, grid.RowCount() - 1);

  std::vector<std::pair<int, int>> typed;  // (position in the new text, length)
  int growth = 0;
  for (long long r = std::max(firstRow, 0); r <= last; ++r) {
    const int row = static_cast<int>(r);
    const std::string cell = value(grid, row);
    std::size_t point = 0;
    if (!grid.InsertCell(target, row, cell, &point)) continue;
    const int length = static_cast<int>(cell.size()) + 1;
    typed.emplace_back(grid.RowStart(row) + growth + static_cast<int>(point), length);
    growth += length;
  }
  if (typed.empty()) return false;

  rewrite.ReplaceTextAsTyped(grid.Text(), typed);
  edit.ScrollCaret();
  return true;
}

int LineContentEnd(std::string_view text, int lineStart) {
  const std::size_t lf = cp932::Find(text, '\n', static_cast<std::size_t>(lineStart));
  if (lf == cp932::npos) return static_cast<int>(text.size());
  const bool crlf = lf > static_cast<std::size_t>(lineStart) && text[lf - 1] == '\r';
  return static_cast<int>(crlf ? lf - 1 : lf);
}
