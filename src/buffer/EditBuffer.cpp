#include "buffer/EditBuffer.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstring>

#include "text/Cp932.h"

namespace {

const FixedCellLayout& DefaultLayout() {
  static const FixedCellLayout layout;
  return layout;
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// Length of the line break that ends a logical line's bytes [begin, end):
// CR LF counts 2, a lone LF 1, none 0.
int BreakLength(const std::string& text, int begin, int end) {
  if (end > begin && text[end - 1] == '\n') {
    return (end - 1 > begin && text[end - 2] == '\r') ? 2 : 1;
  }
  return 0;
}

}  // namespace

EditBuffer::EditBuffer(const LineLayout* layout) : layout_(layout ? layout : &DefaultLayout()) {
  format_ = client_;
  MeasureSingleBytes();
}

void EditBuffer::MeasureSingleBytes() {
  for (int b = 0; b < 256; ++b) {
    const char c = static_cast<char>(b);
    singleWidth_[b] = c == '\t' ? 0 : layout_->CharWidth(std::string_view(&c, 1));
  }
}

// ---------------------------------------------------------------- text

void EditBuffer::SetText(std::string_view text) {
  text_.assign(text.data(), text.size());
  anchor_ = caret_ = 0;
  firstVisible_ = 0;
  hScroll_ = 0;
  desiredX_ = -1;
  RebuildIndex();
}

std::pair<int, int> EditBuffer::GetSel() const { return {std::min(anchor_, caret_), std::max(anchor_, caret_)}; }

void EditBuffer::SetSel(int start, int end) {
  const int len = GetTextLength();
  if (start == -1) {  // deselect, keeping the caret
    anchor_ = caret_;
    return;
  }
  if (start == 0 && end == -1) end = len;
  start = SnapToBoundary(std::clamp(start, 0, len));
  end = SnapToBoundary(std::clamp(end < 0 ? len : end, 0, len));
  anchor_ = start;
  caret_ = end;
  desiredX_ = -1;
}

void EditBuffer::ReplaceSel(std::string_view text) {
  auto [s, e] = GetSel();
  Replace(s, e, text);
  anchor_ = caret_ = s + static_cast<int>(text.size());
  desiredX_ = -1;
  if (onChange) onChange();
}

int EditBuffer::SnapToBoundary(int pos) const {
  if (pos <= 0 || pos >= GetTextLength()) return pos;
  const int line = LogicalLineFromChar(pos);
  return static_cast<int>(cp932::SnapBack(text_, static_cast<std::size_t>(pos),
                                          static_cast<std::size_t>(lineStart_[line])));
}

// ---------------------------------------------------------------- index

int EditBuffer::FormattingWidth() const { return std::max(1, GetRect().Width()); }

int EditBuffer::TabPixels() const {
  // Tab stops are given in dialog units; four of them are one average character.
  const long long pixels = static_cast<long long>(tabUnits_) * layout_->AverageCharWidth() / 4;
  return static_cast<int>(std::clamp<long long>(pixels, 1, kMaxRowPixels));
}

// Saturates at kMaxRowPixels: a row of a million wide tabs is still a row,
// drawn as far as any window can show, never an overflow.
int EditBuffer::Advance(int x, std::string_view ch) const {
  long long next = 0;
  if (ch.size() == 1 && ch[0] == '\t') {
    const int tab = TabPixels();
    next = (static_cast<long long>(x) / tab + 1) * tab;
  } else {
    next = static_cast<long long>(x) + layout_->CharWidth(ch);
  }
  return static_cast<int>(std::min<long long>(next, kMaxRowPixels));
}

// Breaks logical line `line` into physical lines. A row that would pass the
// formatting width ends after its last blank when it has one, else before the
// character that does not fit; a blank that does not fit hangs at the row's
// end. Every row holds at least one character.
void EditBuffer::WrapLogicalLine(int line, std::vector<int>& rowStarts) const {
  rowStarts.clear();
  if (!wordWrap_) return;
  const int begin = lineStart_[line];
  const int end = line + 1 < LogicalLineCount() ? lineStart_[line + 1] : GetTextLength();
  const int contentEnd = end - BreakLength(text_, begin, end);
  const std::string_view text(text_);
  const int width = FormattingWidth();

  int rowStart = begin;
  int lastBlankEnd = -1;
  int x = 0;
  int p = begin;
  while (p < contentEnd) {
    const int len = static_cast<int>(cp932::CharLen(text, static_cast<std::size_t>(p)));
    const std::string_view ch = text.substr(static_cast<std::size_t>(p), static_cast<std::size_t>(len));
    int next = Advance(x, ch);
    if (next > width && p > rowStart) {
      if (IsBlank(ch[0])) {
        rowStart = p + len;
        rowStarts.push_back(rowStart - begin);
        lastBlankEnd = -1;
        x = 0;
        p += len;
        continue;
      }
      rowStart = lastBlankEnd > rowStart ? lastBlankEnd : p;
      rowStarts.push_back(rowStart - begin);
      lastBlankEnd = -1;
      x = 0;
      for (int q = rowStart; q < p;) {  // re-measure what moved down
        const int l = static_cast<int>(cp932::CharLen(text, static_cast<std::size_t>(q)));
        x = Advance(x, text.substr(static_cast<std::size_t>(q), static_cast<std::size_t>(l)));
        if (IsBlank(text[static_cast<std::size_t>(q)])) lastBlankEnd = q + l;
        q += l;
      }
      next = Advance(x, ch);
    }
    x = next;
    p += len;
    if (IsBlank(ch[0])) lastBlankEnd = p;
  }
}

void EditBuffer::RebuildIndex() {
  lineStart_.assign(1, 0);
  const char* data = text_.data();
  const char* end = data + text_.size();
  for (const char* p = data; p < end;) {
    const void* lf = std::memchr(p, '\n', static_cast<std::size_t>(end - p));
    if (!lf) break;
    p = static_cast<const char*>(lf) + 1;
    lineStart_.push_back(static_cast<int>(p - data));
  }
  Relayout();
}

// Breaks every logical line into physical lines again; the logical line index
// stays as it is.
void EditBuffer::Relayout() {
  const int n = LogicalLineCount();
  rows_.assign(static_cast<std::size_t>(n), {});
  rowPrefix_.resize(static_cast<std::size_t>(n) + 1);
  rowPrefix_[0] = 0;
  for (int i = 0; i < n; ++i) {
    WrapLogicalLine(i, rows_[static_cast<std::size_t>(i)]);
    rowPrefix_[static_cast<std::size_t>(i) + 1] =
        rowPrefix_[static_cast<std::size_t>(i)] + 1 + static_cast<int>(rows_[static_cast<std::size_t>(i)].size());
  }
  ClampFirstVisible();
}

// Applies a change of geometry or tab stops and lays the text out again only
// when the wrapped rows can have changed: a 1 MB text is not re-wrapped for a
// margin that leaves the width as it was.
template <typename Change>
void EditBuffer::ChangeLayout(Change change) {
  const int width = FormattingWidth();
  const int tab = TabPixels();
  const bool wrap = wordWrap_;
  change();
  if (wrap != wordWrap_ || (wordWrap_ && (width != FormattingWidth() || tab != TabPixels()))) {
    Relayout();
  } else {
    ClampFirstVisible();
  }
}

// Replaces bytes [start, end) and brings the three index arrays up to date by
// re-scanning only the logical lines the edit touched.
void EditBuffer::Replace(int start, int end, std::string_view with) {
  const int oldLen = GetTextLength();
  const int l0 = LogicalLineFromChar(start);
  const int l1 = LogicalLineFromChar(end);
  const bool hasFollowing = l1 + 1 < LogicalLineCount();
  const int oldRegionEnd = hasFollowing ? lineStart_[static_cast<std::size_t>(l1) + 1] : oldLen;
  const int delta = static_cast<int>(with.size()) - (end - start);

  text_.replace(static_cast<std::size_t>(start), static_cast<std::size_t>(end - start), with);

  const int regionBegin = lineStart_[static_cast<std::size_t>(l0)];
  const int regionEnd = oldRegionEnd + delta;
  std::vector<int> newStarts{regionBegin};
  for (int p = regionBegin; p < regionEnd;) {
    const void* lf = std::memchr(text_.data() + p, '\n', static_cast<std::size_t>(regionEnd - p));
    if (!lf) break;
    p = static_cast<int>(static_cast<const char*>(lf) - text_.data()) + 1;
    if (p == regionEnd && hasFollowing) break;  // that line exists already
    newStarts.push_back(p);
  }

  // Lines l0..l1 become newStarts; the lines after them shift by delta.
  const auto first = lineStart_.begin() + l0;
  const int oldCount = l1 - l0 + 1;
  const int newCount = static_cast<int>(newStarts.size());
  for (auto it = lineStart_.begin() + l1 + 1; it != lineStart_.end(); ++it) *it += delta;
  if (newCount != oldCount) {
    if (newCount > oldCount) {
      lineStart_.insert(first + oldCount, static_cast<std::size_t>(newCount - oldCount), 0);
      rows_.insert(rows_.begin() + l0 + oldCount, static_cast<std::size_t>(newCount - oldCount), {});
    } else {
      lineStart_.erase(first + newCount, first + oldCount);
      rows_.erase(rows_.begin() + l0 + newCount, rows_.begin() + l0 + oldCount);
    }
  }
  std::copy(newStarts.begin(), newStarts.end(), lineStart_.begin() + l0);

  const int oldRows = rowPrefix_[static_cast<std::size_t>(l1) + 1] - rowPrefix_[static_cast<std::size_t>(l0)];
  int newRows = 0;
  for (int i = l0; i < l0 + newCount; ++i) {
    WrapLogicalLine(i, rows_[static_cast<std::size_t>(i)]);
    newRows += 1 + static_cast<int>(rows_[static_cast<std::size_t>(i)].size());
  }
  // rowPrefix_ has one entry per line plus one; entries after the region shift.
  std::vector<int> tail(rowPrefix_.begin() + l1 + 1, rowPrefix_.end());
  const int rowDelta = newRows - oldRows;
  rowPrefix_.resize(static_cast<std::size_t>(l0) + 1);
  int acc = rowPrefix_[static_cast<std::size_t>(l0)];
  for (int i = l0; i < l0 + newCount - 1; ++i) {
    acc += 1 + static_cast<int>(rows_[static_cast<std::size_t>(i)].size());
    rowPrefix_.push_back(acc);
  }
  for (int v : tail) rowPrefix_.push_back(v + rowDelta);
  ClampFirstVisible();
}

int EditBuffer::LogicalLineFromChar(int pos) const {
  auto it = std::upper_bound(lineStart_.begin(), lineStart_.end(), pos);
  return std::max(0, static_cast<int>(it - lineStart_.begin()) - 1);
}

int EditBuffer::LogicalOfRow(int row) const {
  auto it = std::upper_bound(rowPrefix_.begin(), rowPrefix_.end(), row);
  return std::clamp(static_cast<int>(it - rowPrefix_.begin()) - 1, 0, LogicalLineCount() - 1);
}

int EditBuffer::RowStartOfLogical(int line, int row) const {
  const int base = lineStart_[static_cast<std::size_t>(line)];
  return row == 0 ? base : base + rows_[static_cast<std::size_t>(line)][static_cast<std::size_t>(row) - 1];
}

// ---------------------------------------------------------------- physical lines

int EditBuffer::LineCount() const { return rowPrefix_.back(); }

int EditBuffer::LineFromChar(int pos) const {
  if (pos < 0) {
    auto [s, e] = GetSel();
    pos = s != e ? s : caret_;
  }
  pos = std::min(pos, GetTextLength());
  const int line = LogicalLineFromChar(pos);
  const auto& rs = rows_[static_cast<std::size_t>(line)];
  const int rel = pos - lineStart_[static_cast<std::size_t>(line)];
  const int within = static_cast<int>(std::upper_bound(rs.begin(), rs.end(), rel) - rs.begin());
  return rowPrefix_[static_cast<std::size_t>(line)] + within;
}

int EditBuffer::LineIndex(int line) const {
  if (line == -1) line = LineFromChar(caret_);  // the line that holds the caret
  if (line < 0 || line >= LineCount()) return -1;
  const int logical = LogicalOfRow(line);
  return RowStartOfLogical(logical, line - rowPrefix_[static_cast<std::size_t>(logical)]);
}

EditBuffer::RowSpan EditBuffer::RowRange(int row) const {
  if (row < 0 || row >= LineCount()) return {};
  const int logical = LogicalOfRow(row);
  const int within = row - rowPrefix_[static_cast<std::size_t>(logical)];
  const int begin = RowStartOfLogical(logical, within);
  if (within < static_cast<int>(rows_[static_cast<std::size_t>(logical)].size())) {
    return {begin, RowStartOfLogical(logical, within + 1), true};
  }
  const int lineStart = lineStart_[static_cast<std::size_t>(logical)];
  const int lineEnd =
      logical + 1 < LogicalLineCount() ? lineStart_[static_cast<std::size_t>(logical) + 1] : GetTextLength();
  return {begin, lineEnd - BreakLength(text_, lineStart, lineEnd), false};
}

int EditBuffer::LineLength(int pos) const {
  if (pos == -1) {
    auto [s, e] = GetSel();
    if (s == e) {
      const RowSpan r = RowRange(LineFromChar(caret_));
      return r.end - r.begin;
    }
    // The unselected characters of the lines the selection touches.
    const RowSpan first = RowRange(LineFromChar(s));
    const RowSpan last = RowRange(LineFromChar(e));
    return (s - first.begin) + std::max(0, last.end - e);
  }
  if (pos > GetTextLength()) return 0;
  const RowSpan r = RowRange(LineFromChar(pos));
  return r.end - r.begin;
}

int EditBuffer::VisibleLineCount() const {
  return std::max(1, GetRect().Height() / std::max(1, layout_->LineHeight()));
}

void EditBuffer::ClampFirstVisible() {
  const int maxFirst = std::max(0, LineCount() - VisibleLineCount());
  firstVisible_ = std::clamp(firstVisible_, 0, maxFirst);
}

// Wide sums: a remembered first line read from the settings may be any int.
void EditBuffer::LineScroll(int columns, int lines) {
  firstVisible_ = static_cast<int>(std::clamp<long long>(static_cast<long long>(firstVisible_) + lines, INT_MIN, INT_MAX));
  ClampFirstVisible();
  if (columns != 0 && !wordWrap_) {
    const long long x = hScroll_ + static_cast<long long>(columns) * layout_->AverageCharWidth();
    SetHorizontalScroll(static_cast<int>(std::clamp<long long>(x, INT_MIN, INT_MAX)));
  }
}

int EditBuffer::MaxHorizontalScroll(int widestRowPixels) const {
  if (wordWrap_) return 0;
  return std::max(0, widestRowPixels + kCaretWidth - FormattingWidth());
}

void EditBuffer::SetHorizontalScroll(int pixels) {
  // 0 needs no measuring: the range always starts there.
  hScroll_ = wordWrap_ || pixels <= 0 ? 0 : std::clamp(pixels, 0, MaxHorizontalScroll());
}

void EditBuffer::ScrollCaret() {
  const int row = LineFromChar(caret_);
  const int visible = VisibleLineCount();
  if (row < firstVisible_) firstVisible_ = row;
  if (row >= firstVisible_ + visible) firstVisible_ = row - visible + 1;
  ClampFirstVisible();
  if (!wordWrap_) {
    const int x = XInRow(caret_);
    const int width = FormattingWidth();
    if (x < hScroll_) hScroll_ = std::max(0, x - width / 4);
    // Past the right edge the text moves a quarter of the width further than
    // the caret needs, but no further than the end of the caret's row: the
    // scroll stays inside its range without measuring every row at each key.
    if (x + kCaretWidth > hScroll_ + width) {
      const int rowEnd = XInRow(RowRange(LineFromChar(caret_)).end);
      hScroll_ = std::clamp(x + std::max(kCaretWidth, width / 4) - width, 0, MaxHorizontalScroll(rowEnd));
    }
  }
}

void EditBuffer::ScrollCaretThrough(const std::vector<int>& positions) {
  if (positions.empty()) return;
  const int length = GetTextLength();
  const int visible = VisibleLineCount();
  const int width = FormattingWidth();
  int line = 0;
  for (int pos : positions) {
    pos = std::clamp(pos, 0, length);
    anchor_ = caret_ = pos;
    // The logical line, stepping on from the last one.
    if (pos < lineStart_[static_cast<std::size_t>(line)]) line = LogicalLineFromChar(pos);
    while (line + 1 < LogicalLineCount() && lineStart_[static_cast<std::size_t>(line) + 1] <= pos) ++line;
    const auto& rs = rows_[static_cast<std::size_t>(line)];
    const int lineStart = lineStart_[static_cast<std::size_t>(line)];
    const int within = static_cast<int>(std::upper_bound(rs.begin(), rs.end(), pos - lineStart) - rs.begin());
    const int row = rowPrefix_[static_cast<std::size_t>(line)] + within;

    // What ScrollCaret does, with the row found above.
    if (row < firstVisible_) firstVisible_ = row;
    if (row >= firstVisible_ + visible) firstVisible_ = row - visible + 1;
    ClampFirstVisible();
    if (wordWrap_) continue;
    const int x = WalkX(RowStartOfLogical(line, within), pos);
    if (x < hScroll_) hScroll_ = std::max(0, x - width / 4);
    if (x + kCaretWidth > hScroll_ + width) {
      const int rowEnd = XInRow(RowRange(row).end);
      hScroll_ = std::clamp(x + std::max(kCaretWidth, width / 4) - width, 0, MaxHorizontalScroll(rowEnd));
    }
  }
  desiredX_ = -1;
}

// ---------------------------------------------------------------- points

int EditBuffer::XInRow(int pos) const { return WalkX(LineIndex(LineFromChar(pos)), pos); }

// Advance over each character, with the single-byte widths from the table;
// saturates at kMaxRowPixels as Advance does. The next tab stop is carried
// along rather than divided out at each TAB (x only grows, so the stop only
// moves right).
int EditBuffer::WalkX(int begin, int end) const {
  const std::string_view text(text_);
  const long long tab = TabPixels();
  long long x = 0;
  long long stop = tab;  // the first tab stop right of x
  for (int p = begin; p < end && x < kMaxRowPixels;) {
    const unsigned char b = static_cast<unsigned char>(text[static_cast<std::size_t>(p)]);
    if (b == '\t') {
      x = stop;
      stop += tab;
      ++p;
      continue;
    }
    const int len = b < 0x80 ? 1 : static_cast<int>(cp932::CharLen(text, static_cast<std::size_t>(p)));
    x += len == 1 ? singleWidth_[b] : layout_->CharWidth(text.substr(static_cast<std::size_t>(p), 2));
    if (x >= stop) stop = (x / tab + 1) * tab;
    p += len;
  }
  return static_cast<int>(std::min<long long>(x, kMaxRowPixels));
}

Point EditBuffer::CaretPoint() const {
  const Rect r = GetRect();
  return {r.left + XInRow(caret_) - hScroll_, r.top + (LineFromChar(caret_) - firstVisible_) * layout_->LineHeight()};
}

Point EditBuffer::PosFromChar(int pos) const {
  if (pos < 0 || pos > GetTextLength()) return {-1, -1};
  const Rect r = GetRect();
  const int x = r.left + XInRow(pos) - hScroll_;
  const int y = r.top + (LineFromChar(pos) - firstVisible_) * layout_->LineHeight();
  // The control answers in two signed 16-bit halves.
  return {static_cast<std::int16_t>(x), static_cast<std::int16_t>(y)};
}

int EditBuffer::PosInRowFromX(int row, int x) const {
  const RowSpan span = RowRange(row);
  const std::string_view text(text_);
  int cx = 0;
  int p = span.begin;
  while (p < span.end) {
    const int len = static_cast<int>(cp932::CharLen(text, static_cast<std::size_t>(p)));
    const int nx = Advance(cx, text.substr(static_cast<std::size_t>(p), static_cast<std::size_t>(len)));
    if (x < (cx + nx) / 2) return p;
    cx = nx;
    p += len;
  }
  // A wrapped row's end is the next row's start; stay on this row's last character.
  if (span.wraps && p > span.begin) {
    return static_cast<int>(cp932::Prev(text, static_cast<std::size_t>(p), static_cast<std::size_t>(span.begin)));
  }
  return p;
}

std::pair<int, int> EditBuffer::CharFromPos(int x, int y) const {
  const Rect r = GetRect();
  const int lh = std::max(1, layout_->LineHeight());
  const int dy = y - r.top;
  int row = firstVisible_ + (dy >= 0 ? dy / lh : -((-dy + lh - 1) / lh));
  row = std::clamp(row, 0, LineCount() - 1);
  return {PosInRowFromX(row, x - r.left + hScroll_), row};
}

int EditBuffer::WidestRowPixels() const {
  // Wrapped rows are never wider than the rectangle, so only the last row of
  // each logical line is measured, up to its line break.
  int widest = 0;
  for (int line = 0; line < LogicalLineCount(); ++line) {
    const int begin = lineStart_[static_cast<std::size_t>(line)];
    const int end = line + 1 < LogicalLineCount() ? lineStart_[static_cast<std::size_t>(line) + 1] : GetTextLength();
    const auto& rs = rows_[static_cast<std::size_t>(line)];
    const int lastRow = rs.empty() ? begin : begin + rs.back();
    widest = std::max(widest, WalkX(lastRow, end - BreakLength(text_, begin, end)));
  }
  return widest;
}

// ---------------------------------------------------------------- logical lines

std::pair<std::string, int> EditBuffer::GetLogicalLine(int n) {
  if (n >= 0) {
    if (n >= LogicalLineCount()) return {std::string(), 0};
    const int begin = lineStart_[static_cast<std::size_t>(n)];
    const int end = n + 1 < LogicalLineCount() ? lineStart_[static_cast<std::size_t>(n) + 1] : GetTextLength();
    return {text_.substr(static_cast<std::size_t>(begin), static_cast<std::size_t>(end - begin)), end - begin};
  }
  const int pos = CaretPosition().second;
  const std::string_view text(text_);
  int end = GetTextLength();
  if (pos >= 0 && pos < GetTextLength()) {
    const std::size_t cr = cp932::Find(text, '\r', static_cast<std::size_t>(SnapToBoundary(pos)));
    if (cr != cp932::npos) end = static_cast<int>(cr);
  }
  const int begin = lineStart_[static_cast<std::size_t>(LogicalLineFromChar(end))];
  const int start = std::min(begin, end);
  return {text_.substr(static_cast<std::size_t>(start), static_cast<std::size_t>(end - start)), end - start};
}

std::pair<int, int> EditBuffer::CaretPosition() {
  const int pos = GetSel().first;
  const int lineStart = LineIndex(-1);
  Point caret = CaretPoint();
  caret.y += 2;
  // A caret at the very left of the text (x == 0 with no margin) is still in view.
  if (caret.x >= 0 && caret.x < client_.right && caret.y > 0 && caret.y < client_.bottom) {
    lastVisibleCaret_ = {pos - lineStart, pos};
  }
  return lastVisibleCaret_;
}

// ---------------------------------------------------------------- settings

void EditBuffer::SetTabStops(int dialogUnits) {
  ChangeLayout([&] { tabUnits_ = dialogUnits > 0 ? std::min(dialogUnits, kMaxTabUnits) : 32; });
}

void EditBuffer::SetMargins(int left, int right) {
  ChangeLayout([&] {
    leftMargin_ = left;
    rightMargin_ = right;
  });
}

Rect EditBuffer::GetRect() const {
  if (formatSetExplicitly_) return format_;
  return {client_.left + leftMargin_, client_.top, client_.right - rightMargin_, client_.bottom};
}

void EditBuffer::SetRect(const Rect& rect) {
  ChangeLayout([&] {
    format_ = rect;
    formatSetExplicitly_ = true;
  });
}

void EditBuffer::SetClientRect(const Rect& client) {
  ChangeLayout([&] {
    client_ = client;
    if (!formatSetExplicitly_) format_ = client_;
  });
}

void EditBuffer::SetWordWrap(bool wrap) {
  ChangeLayout([&] {
    wordWrap_ = wrap;
    if (wrap) hScroll_ = 0;
  });
}

void EditBuffer::SetLayout(const LineLayout* layout) {
  layout_ = layout ? layout : &DefaultLayout();
  MeasureSingleBytes();
  Relayout();  // the same layout object may measure differently now (a new font)
}

// ---------------------------------------------------------------- typing and clipboard

bool EditBuffer::TypeText(std::string_view cp932Text) {
  if (readOnly_) return false;
  auto [s, e] = GetSel();
  if (GetTextLength() - (e - s) + static_cast<long long>(cp932Text.size()) > kTextLimit) return false;
  ReplaceSel(cp932Text);
  return true;
}

bool EditBuffer::Backspace() {
  if (readOnly_) return false;
  auto [s, e] = GetSel();
  if (s == e) {
    if (s == 0) return false;
    if (s >= 2 && text_[static_cast<std::size_t>(s) - 1] == '\n' && text_[static_cast<std::size_t>(s) - 2] == '\r') {
      s -= 2;
    } else {
      const int line = LogicalLineFromChar(s - 1);
      s = static_cast<int>(cp932::Prev(text_, static_cast<std::size_t>(s), static_cast<std::size_t>(lineStart_[static_cast<std::size_t>(line)])));
    }
  }
  anchor_ = s;
  caret_ = e;
  ReplaceSel({});
  return true;
}

bool EditBuffer::DeleteChar() {
  if (readOnly_) return false;
  auto [s, e] = GetSel();
  if (s == e) {
    if (s >= GetTextLength()) return false;
    if (text_[static_cast<std::size_t>(s)] == '\r' && s + 1 < GetTextLength() && text_[static_cast<std::size_t>(s) + 1] == '\n') {
      e = s + 2;
    } else {
      e = static_cast<int>(cp932::Next(text_, static_cast<std::size_t>(s)));
    }
  }
  anchor_ = s;
  caret_ = e;
  ReplaceSel({});
  return true;
}

bool EditBuffer::Cut(ClipboardPort& clip) {
  if (readOnly_) return false;
  auto [s, e] = GetSel();
  if (s == e) return false;
  clip.SetText(text_.substr(static_cast<std::size_t>(s), static_cast<std::size_t>(e - s)));
  ReplaceSel({});
  return true;
}

void EditBuffer::Copy(ClipboardPort& clip) const {
  auto [s, e] = GetSel();
  if (s == e) return;
  clip.SetText(text_.substr(static_cast<std::size_t>(s), static_cast<std::size_t>(e - s)));
}

bool EditBuffer::Paste(const ClipboardPort& clip) {
  const std::string text = clip.GetText();
  if (text.empty()) return false;
  return TypeText(text);
}

// ---------------------------------------------------------------- caret movement

void EditBuffer::MoveCaret(Move move, bool extend) {
  auto [s, e] = GetSel();
  const int len = GetTextLength();
  const std::string_view text(text_);
  int pos = caret_;
  bool vertical = false;
  switch (move) {
    case Move::Left:
      if (s != e && !extend) {
        pos = s;
      } else if (pos >= 2 && text[static_cast<std::size_t>(pos) - 1] == '\n' && text[static_cast<std::size_t>(pos) - 2] == '\r') {
        pos -= 2;
      } else if (pos > 0) {
        pos = static_cast<int>(cp932::Prev(text, static_cast<std::size_t>(pos),
                                           static_cast<std::size_t>(lineStart_[static_cast<std::size_t>(LogicalLineFromChar(pos - 1))])));
      }
      break;
    case Move::Right:
      if (s != e && !extend) {
        pos = e;
      } else if (pos < len && text[static_cast<std::size_t>(pos)] == '\r' && pos + 1 < len && text[static_cast<std::size_t>(pos) + 1] == '\n') {
        pos += 2;
      } else if (pos < len) {
        pos = static_cast<int>(cp932::Next(text, static_cast<std::size_t>(pos)));
      }
      break;
    case Move::Up:
    case Move::Down:
    case Move::PageUp:
    case Move::PageDown: {
      vertical = true;
      if (desiredX_ < 0) desiredX_ = XInRow(pos);
      const int page = std::max(1, VisibleLineCount() - 1);
      int step = move == Move::Up ? -1 : move == Move::Down ? 1 : move == Move::PageUp ? -page : page;
      const int row = std::clamp(LineFromChar(pos) + step, 0, LineCount() - 1);
      if (move == Move::PageUp || move == Move::PageDown) LineScroll(0, step);
      pos = PosInRowFromX(row, desiredX_);
      break;
    }
    case Move::Home:
      pos = LineIndex(LineFromChar(pos));
      break;
    case Move::End:
      pos = PosInRowFromX(LineFromChar(pos), 1 << 30);
      break;
    case Move::TextStart:
      pos = 0;
      break;
    case Move::TextEnd:
      pos = len;
      break;
  }
  caret_ = pos;
  if (!extend) anchor_ = pos;
  if (!vertical) desiredX_ = -1;
  ScrollCaret();
}

void EditBuffer::MoveCaretToPoint(int x, int y, bool extend) {
  caret_ = CharFromPos(x, y).first;
  if (!extend) anchor_ = caret_;
  desiredX_ = -1;
  ScrollCaret();
}
