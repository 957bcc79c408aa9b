#include "table/RowSort.h"

#include <algorithm>
#include <numeric>
#include <string>
#include <vector>

#include "settings/SettingsStore.h"
#include "dialogs/RankDialog.h"
#include "dialogs/RowSortDialog.h"
#include "editor/EditorView.h"
#include "editor/UndoStep.h"
#include "text/Cp932.h"
#include "table/TableCells.h"
#include "table/TableGrid.h"

int RowStart(int n, std::string_view text) {
  const std::size_t start = cells::RowStart(text, n);
  return static_cast<int>(start == cells::npos ? text.size() : start);
}

namespace {

// The rows of the block that exist in the grid; false when none does.
bool ExistingRows(const TableGrid& grid, int& firstRow, int& lastRow) {
  firstRow = std::max(firstRow, 0);
  lastRow = std::min(lastRow, grid.RowCount() - 1);
  return firstRow <= lastRow;
}

// The order of the block's rows: a stable sort by descending key keeps equal
// keys in their order; the ascending order is that order reversed.
std::vector<int> SortedOrder(const std::vector<std::string>& keys, bool descending) {
  std::vector<int> order(keys.size());
  std::iota(order.begin(), order.end(), 0);
  std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
    return keys[static_cast<std::size_t>(b)] < keys[static_cast<std::size_t>(a)];
  });
  if (!descending) std::reverse(order.begin(), order.end());
  return order;
}

// Numbers are sorted with their row beside them, which keeps the sort in one
// contiguous array.
std::vector<int> SortedOrder(const std::vector<double>& keys, bool descending) {
  struct Keyed {
    double key;
    int index;
  };
  std::vector<Keyed> keyed(keys.size());
  for (std::size_t i = 0; i < keys.size(); ++i) keyed[i] = {keys[i], static_cast<int>(i)};
  std::stable_sort(keyed.begin(), keyed.end(), [](const Keyed& a, const Keyed& b) { return b.key < a.key; });
  std::vector<int> order(keys.size());
  if (descending)
    std::transform(keyed.begin(), keyed.end(), order.begin(), [](const Keyed& k) { return k.index; });
  else
    std::transform(keyed.rbegin(), keyed.rend(), order.begin(), [](const Keyed& k) { return k.index; });
  return order;
}

}  // namespace

std::string SortRows(std::string_view text, int column, int firstRow, int lastRow, bool descending, bool byValue) {
  const TableGrid grid(text);
  if (!ExistingRows(grid, firstRow, lastRow)) return std::string(text);
  const int n = lastRow - firstRow + 1;

  std::vector<int> order;
  if (byValue) {
    std::vector<double> keys(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) keys[static_cast<std::size_t>(i)] = grid.Number(firstRow + i, column);
    order = SortedOrder(keys, descending);
  } else {
    // Byte strings compare as unsigned bytes (char_traits<char> compares as unsigned char).
    std::vector<std::string> keys(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) keys[static_cast<std::size_t>(i)] = grid.Cells(firstRow + i, column, 1);
    order = SortedOrder(keys, descending);
  }

  const std::size_t blockStart = static_cast<std::size_t>(grid.RowStart(firstRow));
  const std::size_t blockEnd = static_cast<std::size_t>(grid.RowEnd(lastRow));
  std::string out;
  out.reserve(text.size() + 2);
  out.append(text.substr(0, blockStart));
  for (const int i : order) {
    const int row = firstRow + i;
    out.append(text.substr(static_cast<std::size_t>(grid.RowStart(row)),
                           static_cast<std::size_t>(grid.RowEnd(row) - grid.RowStart(row))));
    // The block's last line, when it ends the text without a line break, gets one.
    if (i == n - 1 && (out.empty() || out.back() != '\n')) out += "\r\n";
  }
  out.append(text.substr(blockEnd));
  return out;
}

std::string RankRows(std::string_view text, int column, int firstRow, int lastRow, int& tracked) {
  const std::string sorted = SortRows(text, column, firstRow, lastRow, true, true);
  TableGrid grid(sorted);
  if (!ExistingRows(grid, firstRow, lastRow)) return sorted;
  grid.Track(tracked);
  if (column >= 1) {
    // One pass with one insertion per row, giving what the two passes below
    // give: with a rank cell inserted at `column` the row's value moves to
    // column + 1 (a row too short for the insertion keeps its cells), and a
    // tie takes the text of the cell above. A rank cell that ends its row
    // leaves a TAB after it when it is replaced (the cell is deleted without
    // the TAB before it, and the copy inserted in front of that TAB).
    double aboveValue = 0.0;
    std::string aboveCell;
    for (int row = firstRow; row <= lastRow; ++row) {
      std::size_t point = 0;
      bool valueFirst = false;
      const std::string_view cellsOfRow = grid.RowCells(row);
      const bool fits = cells::InsertPoint(cellsOfRow, column, point, valueFirst);
      const double value = grid.Number(row, fits ? column : column + 1);
      const bool tie = row > firstRow && value == aboveValue;
      std::string rank = tie ? aboveCell : std::to_string(row - firstRow + 1);
      aboveValue = value;
      if (!fits) {
        aboveCell = grid.Cells(row, column, 1);
        continue;
      }
      const bool endsRow = tie && point == cellsOfRow.size();
      grid.InsertCell(column, row, endsRow ? rank + '\t' : rank);
      // Past a stray CR a row's cells read on into the bytes after it, so such
      // a row's cell and value are read again as the next row will see them.
      if (grid.CleanBreak(row)) {
        aboveCell = std::move(rank);
      } else {
        aboveCell = grid.Cells(row, column, 1);
        aboveValue = grid.Number(row, column + 1);
      }
    }
    tracked = grid.Tracked();
    return grid.Text();
  }
  for (int row = firstRow; row <= lastRow; ++row) grid.InsertCell(column, row, std::to_string(row - firstRow + 1));
  // Equal values share the rank of the first of them; the next value keeps its
  // position as its rank (1, 2, 2, 4).
  for (int row = firstRow + 1; row <= lastRow; ++row) {
    if (grid.Number(row, column + 1) != grid.Number(row - 1, column + 1)) continue;
    const std::string above = grid.Cells(row - 1, column, 1);
    grid.DeleteCell(column, row);
    grid.InsertCell(column, row, above);
  }
  tracked = grid.Tracked();
  return grid.Text();
}

std::string NumberRows(std::string_view text, int column, int fromRow, int toRow, int& tracked) {
  TableGrid grid(text);
  int first = fromRow, last = toRow;
  if (!ExistingRows(grid, first, last)) return std::string(text);
  grid.Track(tracked);
  for (int row = first; row <= last; ++row) grid.InsertCell(column, row, std::to_string(row - fromRow + 1));
  tracked = grid.Tracked();
  return grid.Text();
}

namespace {

// Column and rows from the selection; `sort` chooses the sort's rules for the
// last row, otherwise the rank dialog's.
RowRange ProposedRange(const EditBuffer& edit, bool sort) {
  const std::string& text = edit.Text();
  auto [s, e] = edit.GetSel();
  const int length = edit.GetTextLength();
  if (s == e) e = length;
  RowRange range;
  const int startRow = edit.LogicalLineFromChar(s);
  range.column = cp932::TabsBeforeInLine(text, static_cast<std::size_t>(s));
  range.fromRow = startRow + 1;
  // The rows before e, counting the row e stands in unless e is right after
  // its LF (for the rank dialog only when e is inside the text).
  const bool afterLf = e > 0 && text[static_cast<std::size_t>(e) - 1] == '\n';
  range.toRow = edit.LogicalLineFromChar(e) + ((afterLf && (sort || e < length)) ? 0 : 1);
  if (sort && e == length && range.column >= 1) {
    // Rows at the end that do not reach the column are left out.
    const TableGrid grid(text);
    for (int row = std::min(range.toRow, grid.RowCount()) - 1; row >= 0; --row) {
      if (grid.TabCount(row) > range.column) {
        range.toRow = row + 1;
        break;
      }
    }
  }
  return range;
}

}  // namespace

RowRange ProposedSortRange(const EditBuffer& edit) { return ProposedRange(edit, true); }
RowRange ProposedRankRange(const EditBuffer& edit) { return ProposedRange(edit, false); }

void SortRowsCommand(EditorView& view) {
  EditBuffer& edit = view.Edit();
  const int firstVisible = edit.FirstVisibleLine();
  const RowRange proposed = ProposedSortRange(edit);
  RowSortDialog dlg;
  dlg.Load(view.Settings());
  dlg.column = proposed.column;
  dlg.fromRow = proposed.fromRow;
  dlg.toRow = proposed.toRow;
  DialogData data = dlg.Build();
  if (!view.Host().RunDialog(data) || !dlg.Read(data)) return;

  view.workText = SortRows(edit.Text(), dlg.column, dlg.fromRow - 1, dlg.toRow - 1, dlg.descending != 0,
                           dlg.byValue != 0);
  if (view.workText != edit.Text()) {
    UndoStep step(view);
    edit.SetText(view.workText);
    edit.LineScroll(0, firstVisible);
    MoveCaretToCell(view, dlg.column, dlg.fromRow - 1);
  } else {
    MoveCaretToCell(view, dlg.column, dlg.fromRow - 1);
  }
  dlg.Save(view.Settings());
}

void RankRowsCommand(EditorView& view) {
  EditBuffer& edit = view.Edit();
  const int caret = edit.GetSel().first;
  const RowRange proposed = ProposedRankRange(edit);
  RankDialog dlg;
  dlg.Load(view.Settings());
  dlg.column = proposed.column;
  dlg.fromRow = proposed.fromRow;
  dlg.toRow = proposed.toRow;
  DialogData data = dlg.Build();
  if (view.Host().RunDialog(data) && dlg.Read(data)) {
    int tracked = view.tableSelection.first;
    view.workText = dlg.rank ? RankRows(edit.Text(), dlg.column, dlg.fromRow - 1, dlg.toRow - 1, tracked)
                             : NumberRows(edit.Text(), dlg.column, dlg.fromRow - 1, dlg.toRow - 1, tracked);
    if (view.workText != edit.Text()) {
      UndoStep step(view);
      view.tableSelection.first = tracked;
      edit.SetText(view.workText);
    }
  }
  edit.SetSel(caret, caret);
  edit.ScrollCaret();
}
