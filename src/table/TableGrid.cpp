#include "table/TableGrid.h"

#include <algorithm>
#include <array>

#include "text/Cp932.h"
#include "table/CellText.h"
#include "numbers/NumberReading.h"

TableGrid::TableGrid(std::string_view text, numbers::NumberReading reading) : text_(text), reading_(reading) {
  // TAB, CR and LF are never trail bytes, so one byte scan finds them all at
  // character boundaries.
  // Most bytes are none of the three: a table look-up passes over them with
  // one test each.
  static constexpr auto kSpecial = [] {
    std::array<bool, 256> special{};
    special['\t'] = special['\r'] = special['\n'] = true;
    return special;
  }();
  const int size = static_cast<int>(text.size());
  const std::size_t rowCount = static_cast<std::size_t>(cp932::Count(text, "\n")) + 1;
  rows_.reserve(rowCount);
  tabBegin_.reserve(rowCount + 1);
  // As many TABs as the text can hold: the scan never reallocates, and
  // capacity it does not fill is never touched, so it costs no memory.
  tabs_.reserve(text.size());
  int start = 0;
  int cellsEnd = -1;
  tabBegin_.push_back(0);
  const unsigned char* bytes = reinterpret_cast<const unsigned char*>(text.data());
  for (int p = 0; p < size; ++p) {
    while (p < size && !kSpecial[bytes[p]]) ++p;
    if (p == size) break;
    const char c = static_cast<char>(bytes[p]);
    if (c == '\t') {
      if (cellsEnd < 0) tabs_.push_back(p);
    } else if (c == '\r' || c == '\n') {
      if (cellsEnd < 0) cellsEnd = p;
      if (c == '\n') {
        rows_.push_back({start, cellsEnd, p + 1});
        tabBegin_.push_back(static_cast<int>(tabs_.size()));
        start = p + 1;
        cellsEnd = -1;
      }
    }
  }
  rows_.push_back({start, cellsEnd < 0 ? size : cellsEnd, size});
  tabBegin_.push_back(static_cast<int>(tabs_.size()));
  edited_.assign(rows_.size(), -1);
}

bool TableGrid::CleanBreak(int row) const {
  const Row& r = rows_[static_cast<std::size_t>(row)];
  for (int p = r.cellsEnd; p < r.end; ++p) {
    const char c = text_[static_cast<std::size_t>(p)];
    if (c != '\r' && c != '\n') return false;
  }
  return true;
}

const std::string& TableGrid::Materialize(int row) const {
  int& e = edited_[static_cast<std::size_t>(row)];
  if (e <= kPendingBase) {
    const Pending& p = pending_[static_cast<std::size_t>(kPendingBase - e)];
    const Row& r = rows_[static_cast<std::size_t>(row)];
    const std::string_view original =
        text_.substr(static_cast<std::size_t>(r.start), static_cast<std::size_t>(r.cellsEnd - r.start));
    std::string copy;
    copy.reserve(original.size() - p.removed + p.length);
    copy.append(original.substr(0, p.point)).append(PendingBytes(p)).append(original.substr(p.point + p.removed));
    copies_.push_back(std::move(copy));
    e = static_cast<int>(copies_.size()) - 1;
  }
  return copies_[static_cast<std::size_t>(e)];
}

std::size_t TableGrid::RowLength(int row) const {
  const int e = edited_[static_cast<std::size_t>(row)];
  if (e >= 0) return copies_[static_cast<std::size_t>(e)].size();
  const Row& r = rows_[static_cast<std::size_t>(row)];
  const std::size_t original = static_cast<std::size_t>(r.cellsEnd - r.start);
  if (e <= kPendingBase) {
    const Pending& p = pending_[static_cast<std::size_t>(kPendingBase - e)];
    return original - p.removed + p.length;
  }
  return original;
}

std::string_view TableGrid::RowCells(int row) const {
  if (!Exists(row)) return {};
  const int e = edited_[static_cast<std::size_t>(row)];
  if (e != -1) return Materialize(row);
  const Row& r = rows_[static_cast<std::size_t>(row)];
  return text_.substr(static_cast<std::size_t>(r.start), static_cast<std::size_t>(r.cellsEnd - r.start));
}

std::string TableGrid::Line(int row) const {
  if (!Exists(row)) return {};
  const Row& r = rows_[static_cast<std::size_t>(row)];
  std::string line(RowCells(row));
  line.append(text_.substr(static_cast<std::size_t>(r.cellsEnd), static_cast<std::size_t>(r.end - r.cellsEnd)));
  return line;
}

int TableGrid::TabCount(int row) const {
  if (!Exists(row)) return 0;
  const int e = edited_[static_cast<std::size_t>(row)];
  if (e <= kPendingBase) {
    const Pending& p = pending_[static_cast<std::size_t>(kPendingBase - e)];
    const std::string_view removed =
        text_.substr(static_cast<std::size_t>(rows_[static_cast<std::size_t>(row)].start) + p.point, p.removed);
    const int added = static_cast<int>(cp932::Count(PendingBytes(p), "\t"));
    return tabBegin_[static_cast<std::size_t>(row) + 1] - tabBegin_[static_cast<std::size_t>(row)] + added -
           static_cast<int>(cp932::Count(removed, "\t"));
  }
  if (e >= 0) return static_cast<int>(cp932::Count(RowCells(row), "\t"));
  return tabBegin_[static_cast<std::size_t>(row) + 1] - tabBegin_[static_cast<std::size_t>(row)];
}

std::string TableGrid::Cells(int row, int firstCol, int count) const {
  if (!Exists(row) || count < 1 || firstCol < 0) return {};
  if (const auto cells = CellsInText(row, firstCol, count)) return std::string(*cells);
  if (!CleanBreak(row)) {
    // A stray CR inside the line: the cells read on past it, without it.
    const Row& r = rows_[static_cast<std::size_t>(row)];
    std::string whole(RowCells(row));
    whole += cp932::RemoveAll(
        cp932::RemoveAll(text_.substr(static_cast<std::size_t>(r.cellsEnd), static_cast<std::size_t>(r.end - r.cellsEnd)), '\r'),
        '\n');
    return std::string(cells::Fields(whole, firstCol, count));
  }
  return std::string(cells::Fields(RowCells(row), firstCol, count));
}

std::optional<std::string_view> TableGrid::CellsInText(int row, int firstCol, int count) const {
  if (!Exists(row) || count < 1 || firstCol < 0 || edited_[static_cast<std::size_t>(row)] != -1 || !CleanBreak(row))
    return std::nullopt;
  // Original row: the TAB index gives both ends at once.
  const Row& r = rows_[static_cast<std::size_t>(row)];
  const int first = tabBegin_[static_cast<std::size_t>(row)];
  const int tabs = tabBegin_[static_cast<std::size_t>(row) + 1] - first;
  if (tabs == 0) return std::string_view();
  int start = r.start;
  if (firstCol > 0) {
    if (firstCol > tabs) return std::string_view();
    start = tabs_[static_cast<std::size_t>(first + firstCol - 1)] + 1;
  }
  const long long endTab = static_cast<long long>(firstCol) + count;  // 1-based TAB that ends the cells
  const int end = endTab <= tabs ? tabs_[static_cast<std::size_t>(first + endTab - 1)] : r.cellsEnd;
  return text_.substr(static_cast<std::size_t>(start), static_cast<std::size_t>(end - start));
}

double TableGrid::Number(int row, int col) const {
  if (const auto cell = CellsInText(row, col, 1)) return numbers::CellValue(*cell, reading_);
  return numbers::CellValue(Cells(row, col, 1), reading_);
}

double TableGrid::SumOfNumbers(int row, int firstCol, int lastCol) const {
  double sum = 0.0;
  // Cells past the row's last TAB are empty, except in a row with a stray CR
  // inside its line, whose cells read on past it, TABs after it too.
  const int last = Exists(row) && !CleanBreak(row) ? lastCol : std::min(lastCol, TabCount(row));
  if (!Exists(row) || firstCol < 0 || edited_[static_cast<std::size_t>(row)] != -1 || !CleanBreak(row)) {
    for (int c = std::max(firstCol, 0); c <= last; ++c) sum += Number(row, c);
    return sum;
  }
  // Original row: the cells lie between the TABs of the index.
  const Row& r = rows_[static_cast<std::size_t>(row)];
  const int first = tabBegin_[static_cast<std::size_t>(row)];
  const int tabs = tabBegin_[static_cast<std::size_t>(row) + 1] - first;
  if (tabs == 0 || firstCol > last) return sum;  // a row without a TAB has no cells
  int start = firstCol == 0 ? r.start : tabs_[static_cast<std::size_t>(first + firstCol - 1)] + 1;
  for (int c = firstCol; c <= last; ++c) {
    const int end = c < tabs ? tabs_[static_cast<std::size_t>(first + c)] : r.cellsEnd;
    sum += numbers::CellValue(text_.substr(static_cast<std::size_t>(start), static_cast<std::size_t>(end - start)),
                              reading_);
    start = end + 1;
  }
  return sum;
}

std::string& TableGrid::Editable(int row) {
  const int e = edited_[static_cast<std::size_t>(row)];
  if (e == -1) {
    copies_.emplace_back(RowCells(row));
    edited_[static_cast<std::size_t>(row)] = static_cast<int>(copies_.size()) - 1;
  } else if (e <= kPendingBase) {
    Materialize(row);
  }
  return copies_[static_cast<std::size_t>(edited_[static_cast<std::size_t>(row)])];
}

bool TableGrid::InsertPoint(int row, int col, std::size_t& point, bool& valueFirst) const {
  if (!Exists(row)) return false;
  if (edited_[static_cast<std::size_t>(row)] != -1 || col < 2) return cells::InsertPoint(RowCells(row), col, point, valueFirst);
  // Original row: after the (col - 1)-th TAB, before the TAB that follows
  // it or at the end of the cells.
  const Row& r = rows_[static_cast<std::size_t>(row)];
  const int first = tabBegin_[static_cast<std::size_t>(row)];
  const int tabs = tabBegin_[static_cast<std::size_t>(row) + 1] - first;
  if (col - 1 > tabs) return false;
  valueFirst = false;
  point = static_cast<std::size_t>((col <= tabs ? tabs_[static_cast<std::size_t>(first + col - 1)] : r.cellsEnd) - r.start);
  return true;
}

void TableGrid::AddPending(int row, std::size_t point, std::size_t removed, std::size_t inserted) {
  if (pending_.empty()) pending_.reserve(rows_.size());
  pending_.push_back({point, removed, pendingBytes_.size() - inserted, inserted});
  edited_[static_cast<std::size_t>(row)] = kPendingBase - (static_cast<int>(pending_.size()) - 1);
}

bool TableGrid::InsertCell(int col, int row, std::string_view value, std::size_t* pointOut) {
  if (!Exists(row)) return false;
  std::size_t point = 0;
  bool valueFirst = false;
  if (!InsertPoint(row, col, point, valueFirst)) return false;
  const std::size_t length = value.size() + 1;
  if (edited_[static_cast<std::size_t>(row)] == -1) {
    cells::AppendInsertText(pendingBytes_, value, valueFirst);
    AddPending(row, point, 0, length);
  } else {
    Editable(row).insert(point, cells::InsertText(value, valueFirst));
  }
  if (trackedInCells_ && trackedRow_ == row) cells::TrackInsert(trackedOffset_, point, length);
  if (pointOut) *pointOut = point;
  return true;
}

void TableGrid::Remove(int row, std::size_t start, std::size_t end) {
  if (edited_[static_cast<std::size_t>(row)] == -1)
    AddPending(row, start, end - start, 0);
  else
    Editable(row).erase(start, end - start);
  if (trackedInCells_ && trackedRow_ == row) cells::TrackRemove(trackedOffset_, start, end);
}

bool TableGrid::DeleteCell(int col, int row) {
  if (!Exists(row)) return false;
  std::size_t start = 0, end = 0;
  if (!cells::CellSpan(RowCells(row), col, start, end)) return false;
  Remove(row, start, end);
  return true;
}

bool TableGrid::DeleteCells(int col, int row, int count) {
  if (!Exists(row)) return false;
  std::size_t start = 0, end = 0;
  if (!cells::CellRunSpan(RowCells(row), col, count, start, end)) return false;
  Remove(row, start, end);
  return true;
}

bool TableGrid::DeleteBlockCells(int row, int firstCol, int lastCol) {
  if (!Exists(row)) return false;
  std::size_t start = 0, end = 0;
  if (!cells::BlockSpan(RowCells(row), firstCol, lastCol, start, end)) return false;
  Remove(row, start, end);
  return true;
}

void TableGrid::SetRowCells(int row, std::string cellsText) {
  if (!Exists(row)) return;
  Editable(row) = std::move(cellsText);
  if (trackedInCells_ && trackedRow_ == row) {
    // The whole cells were replaced: a position inside them goes to their start.
    trackedOffset_ = 0;
  }
}

void TableGrid::Track(int pos) {
  tracked_ = pos;
  trackedRow_ = -1;
  trackedInCells_ = false;
  if (pos < 0) return;
  // The last row that starts at or before pos.
  int lo = 0, hi = RowCount() - 1;
  while (lo < hi) {
    const int mid = (lo + hi + 1) / 2;
    if (rows_[static_cast<std::size_t>(mid)].start <= pos)
      lo = mid;
    else
      hi = mid - 1;
  }
  trackedRow_ = lo;
  const Row& r = rows_[static_cast<std::size_t>(lo)];
  trackedInCells_ = pos <= r.cellsEnd;
  trackedOffset_ = pos - r.start;
}

int TableGrid::Tracked() const {
  if (trackedRow_ < 0) return tracked_;
  long long pos = tracked_;
  auto growth = [&](int row) {
    const Row& r = rows_[static_cast<std::size_t>(row)];
    return static_cast<long long>(RowLength(row)) - (r.cellsEnd - r.start);
  };
  for (int row = 0; row < trackedRow_; ++row)
    if (edited_[static_cast<std::size_t>(row)] != -1) pos += growth(row);
  if (trackedInCells_)
    pos += trackedOffset_ - (tracked_ - rows_[static_cast<std::size_t>(trackedRow_)].start);
  else
    pos += growth(trackedRow_);
  return static_cast<int>(pos);
}

std::string TableGrid::Text() const {
  if (!Changed()) return std::string(text_);
  std::size_t size = text_.size();
  for (int row = 0; row < RowCount(); ++row) {
    if (edited_[static_cast<std::size_t>(row)] == -1) continue;
    const Row& r = rows_[static_cast<std::size_t>(row)];
    size = size + RowLength(row) - static_cast<std::size_t>(r.cellsEnd - r.start);
  }
  std::string out;
  out.reserve(size);
  std::size_t copiedUpTo = 0;  // original bytes before this offset are already out
  for (int row = 0; row < RowCount(); ++row) {
    const int e = edited_[static_cast<std::size_t>(row)];
    if (e == -1) continue;
    const Row& r = rows_[static_cast<std::size_t>(row)];
    if (e <= kPendingBase) {
      // The original row around its one insertion or removal.
      const Pending& p = pending_[static_cast<std::size_t>(kPendingBase - e)];
      const std::size_t point = static_cast<std::size_t>(r.start) + p.point;
      out.append(text_.substr(copiedUpTo, point - copiedUpTo));
      out.append(PendingBytes(p));
      copiedUpTo = point + p.removed;
      continue;
    }
    out.append(text_.substr(copiedUpTo, static_cast<std::size_t>(r.start) - copiedUpTo));
    out.append(copies_[static_cast<std::size_t>(e)]);
    copiedUpTo = static_cast<std::size_t>(r.cellsEnd);
  }
  out.append(text_.substr(static_cast<std::size_t>(copiedUpTo)));
  return out;
}
