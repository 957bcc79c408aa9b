#include "table/RowSort.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "settings/SettingsStore.h"
#include "dialogs/RankDialog.h"
#include "dialogs/RowSortDialog.h"
#include "editor/EditorView.h"
#include "editor/TextRewrite.h"
#include "text/Cp932.h"
#include "table/TableGrid.h"
#include "table/CellText.h"
#include "table/TableCells.h"
#include "numbers/NumberReading.h"
#include "table/NumberReadingMode.h"

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

// The order of the block's rows, for either kind of key: a stable sort by
// descending key keeps equal keys in their order; the ascending order is that
// order reversed.
//
// Texts are sorted as views with their row beside them, in one contiguous array.
std::vector<int> SortedOrder(const std::vector<std::string_view>& keys, bool descending) {
  struct Keyed {
    std::string_view key;
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

// Numbers are sorted by their bits: a double maps to an unsigned integer in
// the same order (0 and -0 alike), and a least-significant-digit radix sort,
// stable by its nature, orders the rows by it in eight passes of a byte, a
// pass skipped when every key has the same byte there. (Keys are never NaN: a
// cell reads as a number or 0.)
std::vector<int> SortedOrder(const std::vector<double>& keys, bool descending) {
  const std::size_t n = keys.size();
  std::vector<std::uint64_t> key(n), keyBuffer(n);
  std::vector<int> order(n), orderBuffer(n);
  std::array<std::array<std::size_t, 256>, 8> counts{};
  for (std::size_t i = 0; i < n; ++i) {
    const double v = keys[i] == 0.0 ? 0.0 : keys[i];
    std::uint64_t bits = std::bit_cast<std::uint64_t>(v);
    bits = (bits >> 63) ? ~bits : bits | (std::uint64_t{1} << 63);  // ascending as the doubles
    key[i] = ~bits;                                                   // descending
    order[i] = static_cast<int>(i);
    for (int d = 0; d < 8; ++d) ++counts[static_cast<std::size_t>(d)][(key[i] >> (8 * d)) & 0xFF];
  }
  for (int d = 0; d < 8; ++d) {
    std::array<std::size_t, 256>& count = counts[static_cast<std::size_t>(d)];
    if (std::find(count.begin(), count.end(), n) != count.end()) continue;  // one digit: nothing moves
    std::size_t at = 0;
    for (std::size_t& c : count) at += std::exchange(c, at);
    for (std::size_t i = 0; i < n; ++i) {
      const std::size_t slot = count[(key[i] >> (8 * d)) & 0xFF]++;
      keyBuffer[slot] = key[i];
      orderBuffer[slot] = order[i];
    }
    key.swap(keyBuffer);
    order.swap(orderBuffer);
  }
  if (!descending) std::reverse(order.begin(), order.end());
  return order;
}

// The block's rows in their sorted order (indices from firstRow), and by
// value also their keys (by index, not by order) in `numbers`.
std::vector<int> SortedBlock(const TableGrid& grid, int column, int firstRow, int lastRow, bool descending,
                             bool byValue, std::vector<double>* numbers = nullptr) {
  const int n = lastRow - firstRow + 1;
  if (byValue) {
    std::vector<double> keys(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) keys[static_cast<std::size_t>(i)] = grid.Number(firstRow + i, column);
    std::vector<int> order = SortedOrder(keys, descending);
    if (numbers) *numbers = std::move(keys);
    return order;
  }
  // Byte strings compare as unsigned bytes (char_traits<char> compares as
  // unsigned char). A key is a view into the text, or into a copy when the
  // cell reads on past a stray CR.
  std::vector<std::string_view> keys(static_cast<std::size_t>(n));
  std::deque<std::string> copies;
  for (int i = 0; i < n; ++i) {
    const auto inText = grid.CellsInText(firstRow + i, column, 1);
    keys[static_cast<std::size_t>(i)] =
        inText ? *inText : std::string_view(copies.emplace_back(grid.Cells(firstRow + i, column, 1)));
  }
  return SortedOrder(keys, descending);
}

// The text with the block's rows in `order`.
std::string Reordered(std::string_view text, const TableGrid& grid, int firstRow, int lastRow, const std::vector<int>& order) {
  const int n = lastRow - firstRow + 1;
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

// The rank column written straight from the original rows in their sorted
// order, when every block row ends in a plain line break (so no row's cells
// read on into the bytes after a stray CR, and sorting adds no line break):
// what the sorted text and the passes of RankRows give, without building the
// sorted text and its grid. The number compared with the row above is the
// one after the rank cell: the key, except in a row without a TAB ranked at
// column 0, where the whole row becomes that cell; a row too short for the
// rank cell has neither that cell nor the one after it (both read 0).
std::string RankSortedBlock(std::string_view text, const TableGrid& grid, int column, int firstRow, int lastRow,
                            const std::vector<int>& order, const std::vector<double>& keys, int& tracked) {
  const std::size_t blockStart = static_cast<std::size_t>(grid.RowStart(firstRow));
  const std::size_t blockEnd = static_cast<std::size_t>(grid.RowEnd(lastRow));
  std::string out;
  out.reserve(text.size() + order.size() * 8);
  out.append(text.substr(0, blockStart));

  // The tracked position lies before the block (nothing moves it), after it
  // (every insertion moves it) or in one of the sorted rows (the insertions
  // before it, and its own row's when it lies past the insertion point).
  const auto trackedAt = static_cast<std::size_t>(std::max(tracked, 0));
  const bool trackInBlock = tracked >= 0 && trackedAt >= blockStart && trackedAt < blockEnd;
  long long growth = 0;  // bytes inserted so far
  long long trackedShift = 0;

  double aboveValue = 0.0;
  std::string aboveCell;
  std::string rank;
  for (std::size_t i = 0; i < order.size(); ++i) {
    const int row = firstRow + order[i];
    const std::size_t rowStart = static_cast<std::size_t>(grid.RowStart(row));
    const std::size_t rowLength = static_cast<std::size_t>(grid.RowEnd(row)) - rowStart;
    const std::size_t sortedStart = out.size() - static_cast<std::size_t>(growth);
    const bool tracksHere = trackInBlock && trackedAt >= sortedStart && trackedAt < sortedStart + rowLength;
    std::size_t point = 0;
    bool valueFirst = false;
    const bool fits = grid.InsertPoint(row, column, point, valueFirst);
    const double value = column == 0 && grid.TabCount(row) == 0 ? numbers::CellValue(grid.RowCells(row), grid.Reading())
                                                                 : keys[static_cast<std::size_t>(order[i])];
    const bool tie = i > 0 && value == aboveValue;
    if (tie)
      rank = aboveCell;
    else
      rank = std::to_string(i + 1);
    aboveValue = value;
    if (!fits) {
      aboveCell.clear();
      out.append(text.substr(rowStart, rowLength));
      if (tracksHere) trackedShift = growth;
      continue;
    }
    // A tie's cell that ends its row keeps a TAB after it (the rank cell
    // replaced is deleted without the TAB before it).
    const bool endsRow = !valueFirst && tie && point == grid.RowCells(row).size();
    out.append(text.substr(rowStart, point));
    cells::AppendInsertText(out, rank, valueFirst);
    if (endsRow) out += '\t';
    out.append(text.substr(rowStart + point, rowLength - point));
    const long long inserted = static_cast<long long>(rank.size()) + (endsRow ? 2 : 1);
    if (tracksHere) trackedShift = growth + (trackedAt - sortedStart > point ? inserted : 0);
    growth += inserted;
    aboveCell = std::move(rank);
  }
  out.append(text.substr(blockEnd));
  if (tracked >= 0 && trackedAt >= blockEnd) trackedShift = growth;
  tracked = static_cast<int>(tracked + trackedShift);
  return out;
}

}  // namespace

std::string SortRows(std::string_view text, int column, int firstRow, int lastRow, bool descending, bool byValue,
                     numbers::NumberReading reading) {
  const TableGrid grid(text, reading);
  if (!ExistingRows(grid, firstRow, lastRow)) return std::string(text);
  return Reordered(text, grid, firstRow, lastRow, SortedBlock(grid, column, firstRow, lastRow, descending, byValue));
}

std::string RankRows(std::string_view text, int column, int firstRow, int lastRow, int& tracked,
                     numbers::NumberReading reading) {
  std::string sorted;
  {
    const TableGrid original(text, reading);
    int first = firstRow, last = lastRow;
    if (!ExistingRows(original, first, last)) return std::string(text);
    std::vector<double> keys;
    const std::vector<int> order = SortedBlock(original, column, first, last, true, true, &keys);
    bool plainBreaks = column >= 0;
    for (int row = first; plainBreaks && row <= last; ++row)
      plainBreaks = original.CleanBreak(row) && original.RowEnd(row) > original.RowStart(row) &&
                    text[static_cast<std::size_t>(original.RowEnd(row)) - 1] == '\n';
    if (plainBreaks) return RankSortedBlock(text, original, column, first, last, order, keys, tracked);
    sorted = Reordered(text, original, first, last, order);
  }
  TableGrid grid(sorted, reading);
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
  const std::string_view text = edit.Text();
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
    // Rows at the end that do not have the column (fewer TABs than its
    // index) are left out; the caret's own row has it.
    const TableGrid grid(text);
    for (int row = std::min(range.toRow, grid.RowCount()) - 1; row >= 0; --row) {
      if (grid.TabCount(row) >= range.column) {
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
  const EditBuffer& edit = view.Edit();
  const RowRange proposed = ProposedSortRange(edit);
  RowSortDialog dlg;
  dlg.Load(view.Settings());
  dlg.column = proposed.column;
  dlg.fromRow = proposed.fromRow;
  dlg.toRow = proposed.toRow;
  DialogData data = dlg.Build();
  if (!view.Host().RunDialog(data) || !dlg.Read(data)) return;

  {
    TextRewrite rewrite(view);
    rewrite.ReplaceText(SortRows(edit.Text(), dlg.column, dlg.fromRow - 1, dlg.toRow - 1, dlg.descending != 0,
                                 dlg.byValue != 0, NumberReadingOf(view)),
                        {.keepScroll = true});
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
    const std::string numbered = dlg.rank ? RankRows(edit.Text(), dlg.column, dlg.fromRow - 1, dlg.toRow - 1, tracked,
                                                     NumberReadingOf(view))
                                          : NumberRows(edit.Text(), dlg.column, dlg.fromRow - 1, dlg.toRow - 1, tracked);
    // The step closes here: the caret is put back after the snapshot.
    TextRewrite rewrite(view);
    if (rewrite.ReplaceText(numbered)) view.tableSelection.first = tracked;
  }
  edit.SetSel(caret, caret);
  edit.ScrollCaret();
}
