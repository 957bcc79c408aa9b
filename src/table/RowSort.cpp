#include "table/RowSort.h"

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cstdint>
#include <cstring>
#include <deque>
#include <optional>
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

// The block's rows in their sorted order (indices from firstRow).
std::vector<int> SortedBlock(const TableGrid& grid, int column, int firstRow, int lastRow, bool descending,
                             bool byValue) {
  const int n = lastRow - firstRow + 1;
  if (byValue) {
    std::vector<double> keys(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) keys[static_cast<std::size_t>(i)] = grid.Number(firstRow + i, column);
    return SortedOrder(keys, descending);
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

// One block row as the sort and the rank column need it once the rows are
// sorted: where its bytes lie in the text, where the rank cell goes, and the
// number its rank is compared by. Read in one pass in the rows' own order, so
// the pass in sorted order reads one record per row and the row's bytes.
struct BlockRow {
  double value;         // compared with the row above for a tie
  int start;            // the row's first byte in the text
  int length;           // the row's bytes with its line break
  int point;            // offset of the rank cell in the row; -1 when too short
  bool valueFirst;      // the rank cell goes in front of a TAB (column 0)
  bool pointEndsCells;  // the rank cell goes after the row's last cell
  bool addsLineBreak;   // the text's last row, which the sort ends with CR LF
};

// The existing rows of firstRow..lastRow as BlockRow, with their keys by
// value (by index), read straight from the text by the rules of CellText.h,
// when every row's line break holds nothing but CR and LF bytes (so no row's
// cells read on into the bytes after a stray CR); false otherwise, and when
// no row exists. The key is the value of cell `column`; the number compared with the
// row above is the one after the rank cell: the key, except in a row without
// a TAB ranked at column 0, where the whole row becomes that cell.
bool ReadBlockRows(std::string_view text, int column, int firstRow, int lastRow, numbers::NumberReading reading,
                   std::vector<BlockRow>& rows, std::vector<double>& keys) {
  const int first = std::max(firstRow, 0);
  if (column < 0 || lastRow < first) return false;
  std::size_t start = cells::RowStart(text, first);
  if (start == cells::npos) return false;
  const std::size_t size = text.size();
  const char* const bytes = text.data();
  // Room for the rows asked for, as far as rows of a table's usual length
  // fit in the rest of the text; more rows grow the arrays.
  const std::size_t asked = static_cast<std::size_t>(lastRow - first) + 1;
  rows.reserve(std::min(asked, (size - start) / 16 + 1));
  keys.reserve(rows.capacity());
  const std::size_t keyTab = static_cast<std::size_t>(column);  // the TAB in front of the key (none for column 0)
  std::vector<std::size_t> tabAt;  // TABs up to the one after the key; the rest of the cells is not read
  tabAt.reserve(std::min<std::size_t>(keyTab + 1, 256));
  for (int row = first; row <= lastRow; ++row) {
    const cells::RowScan scan = cells::ScanRow(text, start, keyTab + 1, tabAt);
    // Only CRs may stand between the first CR and the LF.
    if (!scan.cleanBreak) return false;
    const std::size_t tabs = tabAt.size();
    const std::size_t keyTabAt = keyTab > 0 && tabs >= keyTab ? tabAt[keyTab - 1] : start;
    const std::size_t afterKeyTabAt = tabs == keyTab + 1 ? tabAt[keyTab] : cells::npos;
    const std::size_t cellsEnd = scan.cellsEnd, end = scan.end;
    const bool allTabsCounted = afterKeyTabAt != cells::npos;  // at least keyTab + 1 TABs
    const std::string_view cellsOfRow(bytes + start, cellsEnd - start);
    // Cell `column` as CellText.h reads it: "" in a row without TAB or
    // without that many TABs.
    std::string_view key;
    if (tabs > 0 && tabs >= keyTab) {
      const std::size_t keyStart = column == 0 ? start : keyTabAt + 1;
      key = std::string_view(bytes + keyStart, (allTabsCounted ? afterKeyTabAt : cellsEnd) - keyStart);
    }
    const double value = numbers::CellValue(key, reading);
    // The rank cell: in front of the row at column 0, else at the TAB in
    // front of the key or the end of the cells; too short a row has none.
    int point = -1;
    if (column == 0)
      point = 0;
    else if (tabs + 1 >= keyTab)
      point = static_cast<int>((tabs >= keyTab ? keyTabAt : cellsEnd) - start);
    keys.push_back(value);
    rows.push_back({.value = column == 0 && tabs == 0 ? numbers::CellValue(cellsOfRow, reading) : value,
                    .start = static_cast<int>(start),
                    .length = static_cast<int>(end - start),
                    .point = point,
                    .valueFirst = column == 0,
                    .pointEndsCells = point >= 0 && static_cast<std::size_t>(point) == cellsOfRow.size(),
                    .addsLineBreak = !scan.hasLf});
    if (!scan.hasLf) break;
    start = end;
  }
  return true;
}

// Before row i of `order` is written: the rows come in an order unrelated to
// where they lie, so nearly every record and row is a cache miss. The record
// some rows ahead and the bytes of a nearer one are asked for early, so the
// misses overlap. A prefetch has no effect the compiler sees, so a call it
// did not inline would be dropped as doing nothing: it is always inlined.
[[gnu::always_inline]] inline void PrefetchAhead(std::string_view text, const std::vector<BlockRow>& rows,
                                                const std::vector<int>& order, std::size_t i) {
  constexpr std::size_t kRecordsAhead = 16;
  constexpr std::size_t kBytesAhead = 8;
  if (i + kRecordsAhead < order.size()) __builtin_prefetch(&rows[static_cast<std::size_t>(order[i + kRecordsAhead])]);
  if (i + kBytesAhead < order.size()) {
    const BlockRow& ahead = rows[static_cast<std::size_t>(order[i + kBytesAhead])];
    __builtin_prefetch(text.data() + ahead.start);
    __builtin_prefetch(text.data() + ahead.start + ahead.length);
  }
}

// Bytes written through a pointer into room made in advance; the string
// that holds the room is cut to size at the end.
struct ByteWriter {
  char* at;
  void Put(const char* bytes, std::size_t count) {
    std::memcpy(at, bytes, count);
    at += count;
  }
};

// The text with the block's rows in `order`, as Reordered writes it.
std::string ReorderedRows(std::string_view text, const std::vector<BlockRow>& rows, const std::vector<int>& order) {
  const std::size_t blockStart = static_cast<std::size_t>(rows.front().start);
  const std::size_t blockEnd = static_cast<std::size_t>(rows.back().start + rows.back().length);
  const int lastIndex = static_cast<int>(rows.size()) - 1;
  std::string out(text.size() + 2, '\0');
  char* const outBegin = out.data();
  ByteWriter w{outBegin};
  w.Put(text.data(), blockStart);
  for (std::size_t i = 0; i < order.size(); ++i) {
    PrefetchAhead(text, rows, order, i);
    const BlockRow& row = rows[static_cast<std::size_t>(order[i])];
    w.Put(text.data() + row.start, static_cast<std::size_t>(row.length));
    // The text's last row gets a line break unless, being empty, it follows one.
    if (order[i] == lastIndex && row.addsLineBreak && (w.at == outBegin || w.at[-1] != '\n')) w.Put("\r\n", 2);
  }
  w.Put(text.data() + blockEnd, text.size() - blockEnd);
  out.resize(static_cast<std::size_t>(w.at - outBegin));
  return out;
}

// The sort's effect on the text's last row, when the block holds it (a row
// without a line break), and the row at the end of the sorted text that this
// makes, which is ranked too when the rows (up to lastRow) reach it. A row
// with bytes gets CR LF, which starts one more, empty row. An empty row gains
// nothing and so ends up as that empty row at the end itself, out of the
// sorted order; only when it is sorted first at the start of the text does it
// become the CR LF.
std::optional<BlockRow> PlaceTextsLastRow(std::vector<BlockRow>& rows, std::vector<int>& order, int firstRow,
                                          int lastRow, int column, numbers::NumberReading reading) {
  BlockRow& last = rows.back();
  if (!last.addsLineBreak) return std::nullopt;
  const int lastIndex = static_cast<int>(rows.size()) - 1;
  if (last.length == 0 && !(rows.front().start == 0 && order.front() == lastIndex)) {
    last.addsLineBreak = false;
    order.erase(std::find(order.begin(), order.end(), lastIndex));
    return last;
  }
  if (std::max(firstRow, 0) + lastIndex + 1 > lastRow) return std::nullopt;
  // An empty row has no TAB: the rank cell fits at column 0 or 1 only.
  const bool fits = column <= 1;
  return BlockRow{.value = numbers::CellValue(std::string_view(), reading),
                  .start = last.start + last.length,
                  .length = 0,
                  .point = fits ? 0 : -1,
                  .valueFirst = column == 0,
                  .pointEndsCells = fits,
                  .addsLineBreak = false};
}

// The rank column written straight from the original rows in their sorted
// order: what the sorted text and the passes of RankRows give, without
// building the sorted text and its grid. A row too short for the rank cell
// has neither that cell nor the one after it (both read 0).
std::string RankSortedBlock(std::string_view text, const std::vector<BlockRow>& rows, const std::vector<int>& order,
                            const std::optional<BlockRow>& rowAfterSort, int& tracked) {
  const std::size_t blockStart = static_cast<std::size_t>(rows.front().start);
  const std::size_t blockEnd = static_cast<std::size_t>(rows.back().start + rows.back().length);
  // The sorted text: the block's rows reordered, the text's last row ended
  // with CR LF (and the empty row after that). The tracked position is one in
  // it.
  const std::size_t sortedBlockEnd = blockEnd + (rows.back().addsLineBreak ? 2 : 0);
  // Every row gains at most its rank's digits and two bytes, so the result is
  // written through a pointer into room made once and cut to size at the end.
  const std::size_t rankedRows = order.size() + (rowAfterSort ? 1 : 0);
  const std::size_t rankDigits = std::to_string(rankedRows).size();
  std::string out(text.size() + 2 + rankedRows * (rankDigits + 2), '\0');
  char* const outBegin = out.data();
  ByteWriter w{outBegin};
  w.Put(text.data(), blockStart);

  // The tracked position lies before the block (nothing moves it), after it
  // (every insertion moves it) or in one of the sorted rows (the insertions
  // before it, and its own row's when it lies past the insertion point).
  const auto trackedAt = static_cast<std::size_t>(std::max(tracked, 0));
  const bool trackInBlock = tracked >= 0 && trackedAt >= blockStart && (trackedAt < sortedBlockEnd || rowAfterSort);
  long long growth = 0;  // bytes inserted so far
  long long trackedShift = 0;

  double aboveValue = 0.0;
  std::array<char, 24> aboveCell{};  // the rank cell of the row above
  std::size_t aboveLength = 0;
  std::array<char, 24> rank{};
  // Row i of the sorted block; the last row of the sorted text also holds
  // every position past its end.
  const auto rankRow = [&](std::size_t i, const BlockRow& row, bool endsSortedText) {
    const char* rowBytes = text.data() + row.start;
    const std::size_t rowLength = static_cast<std::size_t>(row.length);
    const std::size_t sortedLength = rowLength + (row.addsLineBreak ? 2 : 0);
    const std::size_t sortedStart = static_cast<std::size_t>(w.at - outBegin) - static_cast<std::size_t>(growth);
    const bool tracksHere = trackInBlock && trackedAt >= sortedStart &&
                            (endsSortedText || trackedAt < sortedStart + sortedLength);
    const bool tie = i > 0 && row.value == aboveValue;
    std::size_t rankLength = aboveLength;
    if (tie)
      rank = aboveCell;
    else
      rankLength = static_cast<std::size_t>(std::to_chars(rank.data(), rank.data() + rank.size(), i + 1).ptr - rank.data());
    aboveValue = row.value;
    if (row.point < 0) {
      aboveLength = 0;
      w.Put(rowBytes, rowLength);
      if (row.addsLineBreak) w.Put("\r\n", 2);
      if (tracksHere) trackedShift = growth;
      return;
    }
    // A tie's cell that ends its row keeps a TAB after it (the rank cell
    // replaced is deleted without the TAB before it).
    const std::size_t point = static_cast<std::size_t>(row.point);
    const bool endsRow = !row.valueFirst && tie && row.pointEndsCells;
    w.Put(rowBytes, point);
    if (row.valueFirst) {
      w.Put(rank.data(), rankLength);
      *w.at++ = '\t';
    } else {
      *w.at++ = '\t';
      w.Put(rank.data(), rankLength);
    }
    if (endsRow) *w.at++ = '\t';
    w.Put(rowBytes + point, rowLength - point);
    if (row.addsLineBreak) w.Put("\r\n", 2);
    const long long inserted = static_cast<long long>(rankLength) + (endsRow ? 2 : 1);
    if (tracksHere) trackedShift = growth + (trackedAt - sortedStart > point ? inserted : 0);
    growth += inserted;
    aboveCell = rank;
    aboveLength = rankLength;
  };
  for (std::size_t i = 0; i < order.size(); ++i) {
    PrefetchAhead(text, rows, order, i);
    rankRow(i, rows[static_cast<std::size_t>(order[i])], false);
  }
  if (rowAfterSort) rankRow(order.size(), *rowAfterSort, true);
  w.Put(text.data() + blockEnd, text.size() - blockEnd);
  out.resize(static_cast<std::size_t>(w.at - outBegin));
  if (tracked >= 0 && trackedAt >= sortedBlockEnd && !rowAfterSort) trackedShift = growth;
  tracked = static_cast<int>(tracked + trackedShift);
  return out;
}

}  // namespace

std::string SortRows(std::string_view text, int column, int firstRow, int lastRow, bool descending, bool byValue,
                     numbers::NumberReading reading) {
  if (byValue) {
    std::vector<BlockRow> rows;
    std::vector<double> keys;
    if (ReadBlockRows(text, column, firstRow, lastRow, reading, rows, keys))
      return ReorderedRows(text, rows, SortedOrder(keys, descending));
  }
  const TableGrid grid(text, reading);
  if (!ExistingRows(grid, firstRow, lastRow)) return std::string(text);
  return Reordered(text, grid, firstRow, lastRow, SortedBlock(grid, column, firstRow, lastRow, descending, byValue));
}

std::string RankRows(std::string_view text, int column, int firstRow, int lastRow, int& tracked,
                     numbers::NumberReading reading) {
  {
    std::vector<BlockRow> rows;
    std::vector<double> keys;
    if (ReadBlockRows(text, column, firstRow, lastRow, reading, rows, keys)) {
      std::vector<int> order = SortedOrder(keys, true);
      const std::optional<BlockRow> rowAfterSort = PlaceTextsLastRow(rows, order, firstRow, lastRow, column, reading);
      return RankSortedBlock(text, rows, order, rowAfterSort, tracked);
    }
  }
  std::string sorted;
  {
    const TableGrid original(text, reading);
    int first = firstRow, last = lastRow;
    if (!ExistingRows(original, first, last)) return std::string(text);
    const std::vector<int> order = SortedBlock(original, column, first, last, true, true);
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
    std::string numbered = dlg.rank ? RankRows(edit.Text(), dlg.column, dlg.fromRow - 1, dlg.toRow - 1, tracked,
                                                     NumberReadingOf(view))
                                          : NumberRows(edit.Text(), dlg.column, dlg.fromRow - 1, dlg.toRow - 1, tracked);
    // The step closes here: the caret is put back after the snapshot.
    TextRewrite rewrite(view);
    if (rewrite.ReplaceText(std::move(numbered))) view.tableSelection.first = tracked;
  }
  edit.SetSel(caret, caret);
  edit.ScrollCaret();
}
