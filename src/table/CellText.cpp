#include "table/CellText.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "text/Cp932.h"

namespace cells {

std::size_t RowStart(std::string_view text, int n) {
  if (n < 0) return npos;
  std::size_t pos = 0;
  for (int i = 0; i < n; ++i) {
    const std::size_t lf = cp932::Find(text, '\n', pos);
    if (lf == cp932::npos) return npos;
    pos = lf + 1;
  }
  return pos;
}

std::size_t RowCellsEnd(std::string_view text, std::size_t rowStart) {
  // CR and LF are never trail bytes: the first of either byte ends the cells.
  const std::size_t end = text.find_first_of("\r\n", rowStart);
  return end == std::string_view::npos ? text.size() : end;
}

namespace {

// The next TAB at or after pos, or npos. TAB is never a trail byte, so a byte
// search finds it at a character boundary. Cells are mostly short: the first
// bytes are looked at one by one before a memchr takes over.
std::size_t FindTab(std::string_view row, std::size_t pos) {
  const std::size_t size = row.size();
  for (const std::size_t quick = std::min(size, pos + 16); pos < quick; ++pos)
    if (row[pos] == '\t') return pos;
  if (pos >= size) return npos;
  const void* hit = std::memchr(row.data() + pos, '\t', size - pos);
  return hit ? static_cast<std::size_t>(static_cast<const char*>(hit) - row.data()) : npos;
}

// Position after the k-th TAB of the row (k >= 1), or npos when it has fewer.
std::size_t AfterTab(std::string_view row, int k) {
  std::size_t pos = 0;
  for (int i = 0; i < k; ++i) {
    const std::size_t tab = FindTab(row, pos);
    if (tab == npos) return npos;
    pos = tab + 1;
  }
  return pos;
}

// The next TAB at or after pos, or the end of the row.
std::size_t TabOrEnd(std::string_view row, std::size_t pos) {
  const std::size_t tab = FindTab(row, pos);
  return tab == npos ? row.size() : tab;
}

}  // namespace

bool CellSpan(std::string_view row, int col, std::size_t& start, std::size_t& end) {
  if (col < 0) return false;
  if (col == 0) {
    const std::size_t tab = FindTab(row, 0);
    if (tab == npos) return false;
    start = 0;
    end = tab + 1;
    return true;
  }
  start = AfterTab(row, col);
  if (start == npos) return false;
  end = TabOrEnd(row, start);
  if (end < row.size()) ++end;  // the TAB goes with its cell
  return true;
}

namespace {

// After the `count`-th TAB from `from`, or the row end when there are fewer.
std::size_t AfterTabsOrEnd(std::string_view row, std::size_t from, long long count) {
  for (long long i = 0; i < count; ++i) {
    const std::size_t tab = FindTab(row, from);
    if (tab == npos) return row.size();
    from = tab + 1;
  }
  return from;
}

}  // namespace

bool CellRunSpan(std::string_view row, int col, int count, std::size_t& start, std::size_t& end) {
  if (col < 0 || count < 1) return false;
  if (col == 0) {
    // Each call needs a TAB after the first cell, so the run stops before the last cell.
    if (FindTab(row, 0) == npos) return false;
    start = 0;
    end = 0;
    for (int i = 0; i < count; ++i) {
      const std::size_t tab = FindTab(row, end);
      if (tab == npos) break;
      end = tab + 1;
    }
    return true;
  }
  start = AfterTab(row, col);
  if (start == npos) return false;
  end = AfterTabsOrEnd(row, start, count);
  return true;
}

bool BlockSpan(std::string_view row, int firstCol, int lastCol, std::size_t& start, std::size_t& end) {
  firstCol = firstCol < 0 ? 0 : firstCol;
  if (lastCol < firstCol) return false;
  if (firstCol == 0) {
    if (FindTab(row, 0) == npos) return false;  // no cell 0 to delete
    start = 0;
  } else {
    start = AfterTab(row, firstCol);
    if (start == npos) return false;
  }
  end = AfterTabsOrEnd(row, start, static_cast<long long>(lastCol) - firstCol + 1);
  return true;
}

bool InsertPoint(std::string_view row, int col, std::size_t& point, bool& valueFirst) {
  if (col < 0) return false;
  valueFirst = col == 0;
  if (col == 0) {
    point = 0;
    return true;
  }
  const std::size_t from = col == 1 ? 0 : AfterTab(row, col - 1);
  if (from == npos) return false;
  point = TabOrEnd(row, from);
  return true;
}

void AppendInsertText(std::string& out, std::string_view value, bool valueFirst) {
  if (valueFirst) {
    out.append(value);
    out += '\t';
  } else {
    out += '\t';
    out.append(value);
  }
}

std::string InsertText(std::string_view value, bool valueFirst) {
  std::string s;
  s.reserve(value.size() + 1);
  AppendInsertText(s, value, valueFirst);
  return s;
}

std::string_view Fields(std::string_view row, int firstCol, int count) {
  if (count < 1 || firstCol < 0) return {};
  std::size_t start = 0;
  if (firstCol == 0) {
    if (FindTab(row, 0) == npos) return {};
  } else {
    start = AfterTab(row, firstCol);
    if (start == npos) return {};
  }
  std::size_t end = start;
  for (int i = 0; i < count; ++i) {
    const std::size_t tab = FindTab(row, end);
    if (tab == npos) {
      end = row.size();
      break;
    }
    end = i + 1 < count ? tab + 1 : tab;
  }
  return row.substr(start, end - start);
}

RowScan ScanRow(std::string_view text, std::size_t start, std::size_t maxTabs, std::vector<std::size_t>& tabs) {
  // Most bytes are none of TAB, CR and LF: a table look-up passes over them
  // with one test each.
  static constexpr auto kSpecial = [] {
    std::array<bool, 256> special{};
    special['\t'] = special['\r'] = special['\n'] = true;
    return special;
  }();
  const char* const bytes = text.data();
  const std::size_t size = text.size();
  tabs.clear();
  std::size_t p = start;
  while (p < size && tabs.size() < maxTabs) {
    const unsigned char c = static_cast<unsigned char>(bytes[p]);
    if (!kSpecial[c]) {
      ++p;
      continue;
    }
    if (c != '\t') break;
    tabs.push_back(p++);
  }
  // No CR or LF stands before p: the rest is found by memchr.
  const auto find = [bytes](std::size_t from, char c, std::size_t to) {
    return from < to ? static_cast<const char*>(std::memchr(bytes + from, c, to - from)) : nullptr;
  };
  RowScan row;
  row.start = start;
  const char* const lfAt = find(p, '\n', size);
  row.hasLf = lfAt != nullptr;
  row.end = lfAt ? static_cast<std::size_t>(lfAt - bytes) + 1 : size;
  const std::size_t breakFrom = lfAt ? row.end - 1 : size;  // the LF, or the end of the text
  const char* const crAt = find(p, '\r', breakFrom);
  row.cellsEnd = crAt ? static_cast<std::size_t>(crAt - bytes) : breakFrom;
  for (std::size_t q = row.cellsEnd; q < breakFrom && row.cleanBreak; ++q) row.cleanBreak = bytes[q] == '\r';
  return row;
}

}  // namespace cells
