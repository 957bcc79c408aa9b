#include "buffer/RowLayout.h"

#include <algorithm>
#include <utility>
#include <climits>

#include "text/Cp932.h"

namespace {

const FixedCellLayout& DefaultLayout() {
  static const FixedCellLayout layout;
  return layout;
}

// A row may break after a blank or a TAB (the word-wrap break points).
bool IsWrapBlank(char c) { return c == ' ' || c == '\t'; }

// Length of the line break that ends a logical line's bytes [begin, end):
// CR LF counts 2, a lone LF 1, none 0.
int BreakLength(std::string_view text, int begin, int end) {
  if (end > begin && text[static_cast<std::size_t>(end) - 1] == '\n') {
    return (end - 1 > begin && text[static_cast<std::size_t>(end) - 2] == '\r') ? 2 : 1;
  }
  return 0;
}

// The same, reading only the last two bytes of the line from the text.
int BreakLength(const GapText& text, int begin, int end) {
  if (end > begin && text.At(end - 1) == '\n') return (end - 1 > begin && text.At(end - 2) == '\r') ? 2 : 1;
  return 0;
}

}  // namespace

RowLayout::RowLayout(const LineLayout* layout) : layout_(layout ? layout : &DefaultLayout()) {
  format_ = client_;
  MeasureSingleBytes();
}

void RowLayout::MeasureSingleBytes() {
  for (int b = 0; b < 256; ++b) {
    const char c = static_cast<char>(b);
    singleWidth_[b] = c == '\t' ? 0 : layout_->CharWidth(std::string_view(&c, 1));
  }
}

// ---------------------------------------------------------------- wrapping

int RowLayout::FormattingWidth() const { return std::max(1, FormatRect().Width()); }

int RowLayout::TabPixels() const {
  // Tab stops are given in dialog units; four of them are one average character.
  const long long pixels = static_cast<long long>(tabUnits_) * layout_->AverageCharWidth() / 4;
  return static_cast<int>(std::clamp<long long>(pixels, 1, kMaxRowPixels));
}

// Saturates at kMaxRowPixels: a row of a million wide tabs is still a row,
// drawn as far as any window can show, never an overflow.
int RowLayout::Advance(int x, std::string_view ch) const {
  long long next = 0;
  if (ch.size() == 1 && ch[0] == '\t') {
    const int tab = TabPixels();
    next = (static_cast<long long>(x) / tab + 1) * tab;
  } else {
    next = static_cast<long long>(x) + layout_->CharWidth(ch);
  }
  return static_cast<int>(std::min<long long>(next, kMaxRowPixels));
}

// Breaks logical line `line` into rows. A row that would pass the formatting
// width ends after its last blank when it has one, else before the character
// that does not fit; a blank that does not fit hangs at the row's end. Every
// row holds at least one character.
void RowLayout::WrapLogicalLine(const Source& source, int line, std::vector<int>& rowStarts) const {
  rowStarts.clear();
  if (!wordWrap_) return;
  // Offsets below are relative to the line's start.
  const std::string_view text = source.bytes.View(source.lines.Start(line), source.lines.End(line));
  const int end = static_cast<int>(text.size());
  const int contentEnd = end - BreakLength(text, 0, end);
  const int width = FormattingWidth();

  int rowStart = 0;
  int lastBlankEnd = -1;
  int x = 0;
  int p = 0;
  while (p < contentEnd) {
    const int len = static_cast<int>(cp932::CharLen(text, static_cast<std::size_t>(p)));
    const std::string_view ch = text.substr(static_cast<std::size_t>(p), static_cast<std::size_t>(len));
    int next = Advance(x, ch);
    if (next > width && p > rowStart) {
      if (IsWrapBlank(ch[0])) {
        rowStart = p + len;
        rowStarts.push_back(rowStart);
        lastBlankEnd = -1;
        x = 0;
        p += len;
        continue;
      }
      rowStart = lastBlankEnd > rowStart ? lastBlankEnd : p;
      rowStarts.push_back(rowStart);
      lastBlankEnd = -1;
      x = 0;
      for (int q = rowStart; q < p;) {  // re-measure what moved down
        const int l = static_cast<int>(cp932::CharLen(text, static_cast<std::size_t>(q)));
        x = Advance(x, text.substr(static_cast<std::size_t>(q), static_cast<std::size_t>(l)));
        if (IsWrapBlank(text[static_cast<std::size_t>(q)])) lastBlankEnd = q + l;
        q += l;
      }
      next = Advance(x, ch);
    }
    x = next;
    p += len;
    if (IsWrapBlank(ch[0])) lastBlankEnd = p;
  }
}

void RowLayout::Reset(const Source& text) {
  firstVisible_ = 0;
  hScroll_ = 0;
  Relayout(text);
}

// Breaks every logical line into rows again.
void RowLayout::Relayout(const Source& text) {
  const int n = text.lines.Count();
  rows_.assign(static_cast<std::size_t>(n), {});
  std::vector<int> prefix(static_cast<std::size_t>(n) + 1);
  prefix[0] = 0;
  for (int i = 0; i < n; ++i) {
    WrapLogicalLine(text, i, rows_[static_cast<std::size_t>(i)]);
    prefix[static_cast<std::size_t>(i) + 1] =
        prefix[static_cast<std::size_t>(i)] + 1 + static_cast<int>(rows_[static_cast<std::size_t>(i)].size());
  }
  rowPrefix_.Assign(std::move(prefix));
  ClampFirstVisible();
}

// Applies a change of geometry or tab stops and lays the text out again only
// when the wrapped rows can have changed: a 1 MB text is not re-wrapped for a
// margin that leaves the width as it was.
template <typename Change>
void RowLayout::ChangeLayout(const Source& text, Change change) {
  const int width = FormattingWidth();
  const int tab = TabPixels();
  const bool wrap = wordWrap_;
  change();
  if (wrap != wordWrap_ || (wordWrap_ && (width != FormattingWidth() || tab != TabPixels()))) {
    Relayout(text);
  } else {
    ClampFirstVisible();
  }
}

void RowLayout::Splice(const Source& text, LineStarts::Change change) {
  const int l0 = change.first;
  const int l1 = change.first + change.removed - 1;
  const int oldCount = change.removed;
  const int newCount = change.inserted;
  if (newCount > oldCount) {
    rows_.insert(rows_.begin() + l0 + oldCount, static_cast<std::size_t>(newCount - oldCount), {});
  } else if (newCount < oldCount) {
    rows_.erase(rows_.begin() + l0 + newCount, rows_.begin() + l0 + oldCount);
  }

  const int oldRows = rowPrefix_.Value(l1 + 1) - rowPrefix_.Value(l0);
  int newRows = 0;
  for (int i = l0; i < l0 + newCount; ++i) {
    WrapLogicalLine(text, i, rows_[static_cast<std::size_t>(i)]);
    newRows += 1 + static_cast<int>(rows_[static_cast<std::size_t>(i)].size());
  }
  // rowPrefix_ has one entry per line plus one. Entry l0 stays; the entries
  // inside the region (l0 + 1 .. l1) become the new lines'; the entries after
  // it shift by the change in rows, lazily.
  rowPrefix_.Shift(l1 + 1, newRows - oldRows);
  if (newCount > oldCount) {
    rowPrefix_.Insert(l0 + 1, newCount - oldCount, 0);
  } else if (newCount < oldCount) {
    rowPrefix_.Erase(l0 + 1, oldCount - newCount);
  }
  int acc = rowPrefix_.Value(l0);
  for (int i = l0; i < l0 + newCount - 1; ++i) {
    acc += 1 + static_cast<int>(rows_[static_cast<std::size_t>(i)].size());
    rowPrefix_.SetValue(i + 1, acc);
  }
  ClampFirstVisible();
}

int RowLayout::LogicalOfRow(int row) const {
  return std::clamp(rowPrefix_.UpperBound(row) - 1, 0, static_cast<int>(rows_.size()) - 1);
}

int RowLayout::RowStartOfLogical(const Source& text, int line, int row) const {
  const int base = text.lines.Start(line);
  return row == 0 ? base : base + rows_[static_cast<std::size_t>(line)][static_cast<std::size_t>(row) - 1];
}

// ---------------------------------------------------------------- rows

int RowLayout::RowOf(const Source& text, int pos) const {
  pos = std::min(pos, text.lines.TextLength());
  const int line = text.lines.LineOf(pos);
  const auto& rs = rows_[static_cast<std::size_t>(line)];
  const int rel = pos - text.lines.Start(line);
  const int within = static_cast<int>(std::upper_bound(rs.begin(), rs.end(), rel) - rs.begin());
  return rowPrefix_.Value(line) + within;
}

int RowLayout::RowStart(const Source& text, int row) const {
  if (row < 0 || row >= RowCount()) return -1;
  const int logical = LogicalOfRow(row);
  return RowStartOfLogical(text, logical, row - rowPrefix_.Value(logical));
}

RowLayout::RowSpan RowLayout::RowRange(const Source& text, int row) const {
  if (row < 0 || row >= RowCount()) return {};
  const int logical = LogicalOfRow(row);
  const int within = row - rowPrefix_.Value(logical);
  const int begin = RowStartOfLogical(text, logical, within);
  if (within < static_cast<int>(rows_[static_cast<std::size_t>(logical)].size())) {
    return {begin, RowStartOfLogical(text, logical, within + 1), true};
  }
  const int lineStart = text.lines.Start(logical);
  const int lineEnd = text.lines.End(logical);
  return {begin, lineEnd - BreakLength(text.bytes, lineStart, lineEnd), false};
}

int RowLayout::PosInRowFromX(const Source& source, int row, int x) const {
  const RowSpan span = RowRange(source, row);
  if (span.begin < 0) return span.begin;
  // The row and the byte after it (a character's second byte may stand
  // there), with offsets relative to the row's start.
  const std::string_view text =
      source.bytes.View(span.begin, std::min(span.end + 1, source.lines.TextLength()));
  const int end = span.end - span.begin;
  int cx = 0;
  int p = 0;
  while (p < end) {
    const int len = static_cast<int>(cp932::CharLen(text, static_cast<std::size_t>(p)));
    const int nx = Advance(cx, text.substr(static_cast<std::size_t>(p), static_cast<std::size_t>(len)));
    if (x < (cx + nx) / 2) return span.begin + p;
    cx = nx;
    p += len;
  }
  // A wrapped row's end is the next row's start; stay on this row's last character.
  if (span.wraps && p > 0) return span.begin + static_cast<int>(cp932::Prev(text, static_cast<std::size_t>(p)));
  return span.begin + p;
}

// ---------------------------------------------------------------- pixels

int RowLayout::XInRow(const Source& text, int pos) const {
  return WalkX(text, RowStart(text, RowOf(text, pos)), pos);
}

int RowLayout::WalkX(const Source& text, int begin, int end) const {
  // The byte after `end` is read too: a character's second byte may stand there.
  const std::string_view bytes = text.bytes.View(begin, std::min(end + 1, text.lines.TextLength()));
  return WalkX(bytes, 0, end - begin);
}

// Advance over each character, with the single-byte widths from the table;
// saturates at kMaxRowPixels as Advance does. The next tab stop is carried
// along rather than divided out at each TAB (x only grows, so the stop only
// moves right).
int RowLayout::WalkX(std::string_view text, int begin, int end) const {
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

int RowLayout::WidestRowPixels(const Source& text) const {
  // Wrapped rows are never wider than the rectangle, so only the last row of
  // each logical line is measured, up to its line break.
  int widest = 0;
  for (int line = 0; line < text.lines.Count(); ++line) {
    const int begin = text.lines.Start(line);
    const int end = text.lines.End(line);
    const auto& rs = rows_[static_cast<std::size_t>(line)];
    const int lastRow = rs.empty() ? begin : begin + rs.back();
    widest = std::max(widest, WalkX(text, lastRow, end - BreakLength(text.bytes, begin, end)));
  }
  return widest;
}

Point RowLayout::PointOf(const Source& text, int pos) const {
  const Rect r = FormatRect();
  return {r.left + XInRow(text, pos) - hScroll_, r.top + (RowOf(text, pos) - firstVisible_) * layout_->LineHeight()};
}

std::pair<int, int> RowLayout::CharFromPoint(const Source& text, int x, int y) const {
  const Rect r = FormatRect();
  const int lh = std::max(1, layout_->LineHeight());
  const int dy = y - r.top;
  int row = firstVisible_ + (dy >= 0 ? dy / lh : -((-dy + lh - 1) / lh));
  row = std::clamp(row, 0, RowCount() - 1);
  return {PosInRowFromX(text, row, x - r.left + hScroll_), row};
}

// ---------------------------------------------------------------- scrolling

int RowLayout::VisibleRowCount() const {
  return std::max(1, FormatRect().Height() / std::max(1, layout_->LineHeight()));
}

void RowLayout::ClampFirstVisible() {
  const int maxFirst = std::max(0, RowCount() - VisibleRowCount());
  firstVisible_ = std::clamp(firstVisible_, 0, maxFirst);
}

// Wide sums: a remembered first line read from the settings may be any int.
void RowLayout::Scroll(const Source& text, int columns, int rows) {
  firstVisible_ = static_cast<int>(std::clamp<long long>(static_cast<long long>(firstVisible_) + rows, INT_MIN, INT_MAX));
  ClampFirstVisible();
  if (columns != 0 && !wordWrap_) {
    const long long x = hScroll_ + static_cast<long long>(columns) * layout_->AverageCharWidth();
    SetHorizontalScroll(text, static_cast<int>(std::clamp<long long>(x, INT_MIN, INT_MAX)));
  }
}

int RowLayout::MaxHorizontalScroll(int widestRowPixels) const {
  if (wordWrap_) return 0;
  return std::max(0, widestRowPixels + kCaretWidth - FormattingWidth());
}

void RowLayout::SetHorizontalScroll(const Source& text, int pixels) {
  // 0 needs no measuring: the range always starts there.
  SetHorizontalScroll(pixels, wordWrap_ || pixels <= 0 ? 0 : WidestRowPixels(text));
}

void RowLayout::SetHorizontalScroll(int pixels, int widestRowPixels) {
  hScroll_ = wordWrap_ || pixels <= 0 ? 0 : std::clamp(pixels, 0, MaxHorizontalScroll(widestRowPixels));
}

void RowLayout::ScrollTo(const Source& text, int pos) {
  const int row = RowOf(text, pos);
  const int visible = VisibleRowCount();
  if (row < firstVisible_) firstVisible_ = row;
  if (row >= firstVisible_ + visible) firstVisible_ = row - visible + 1;
  ClampFirstVisible();
  if (!wordWrap_) {
    const int x = XInRow(text, pos);
    const int width = FormattingWidth();
    if (x < hScroll_) hScroll_ = std::max(0, x - width / 4);
    // Past the right edge the text moves a quarter of the width further than
    // the caret needs, but no further than the end of the caret's row: the
    // scroll stays inside its range without measuring every row at each key.
    if (x + kCaretWidth > hScroll_ + width) {
      const int rowEnd = XInRow(text, RowRange(text, RowOf(text, pos)).end);
      hScroll_ = std::clamp(x + std::max(kCaretWidth, width / 4) - width, 0, MaxHorizontalScroll(rowEnd));
    }
  }
}

void RowLayout::ScrollThrough(const Source& text, const std::vector<int>& positions) {
  const int length = text.lines.TextLength();
  const int visible = VisibleRowCount();
  const int width = FormattingWidth();
  int line = 0;
  for (int pos : positions) {
    pos = std::clamp(pos, 0, length);
    // The logical line, stepping on from the last one.
    if (pos < text.lines.Start(line)) line = text.lines.LineOf(pos);
    while (line + 1 < text.lines.Count() && text.lines.Start(line + 1) <= pos) ++line;
    const auto& rs = rows_[static_cast<std::size_t>(line)];
    const int lineStart = text.lines.Start(line);
    const int within = static_cast<int>(std::upper_bound(rs.begin(), rs.end(), pos - lineStart) - rs.begin());
    const int row = rowPrefix_.Value(line) + within;

    // What ScrollTo does, with the row found above.
    if (row < firstVisible_) firstVisible_ = row;
    if (row >= firstVisible_ + visible) firstVisible_ = row - visible + 1;
    ClampFirstVisible();
    if (wordWrap_) continue;
    const int x = WalkX(text, RowStartOfLogical(text, line, within), pos);
    if (x < hScroll_) hScroll_ = std::max(0, x - width / 4);
    if (x + kCaretWidth > hScroll_ + width) {
      const int rowEnd = XInRow(text, RowRange(text, row).end);
      hScroll_ = std::clamp(x + std::max(kCaretWidth, width / 4) - width, 0, MaxHorizontalScroll(rowEnd));
    }
  }
}

// ---------------------------------------------------------------- settings

void RowLayout::SetTabStops(const Source& text, int dialogUnits) {
  ChangeLayout(text, [&] { tabUnits_ = dialogUnits > 0 ? std::min(dialogUnits, kMaxTabUnits) : 32; });
}

void RowLayout::SetMargins(const Source& text, int left, int right) {
  ChangeLayout(text, [&] {
    leftMargin_ = left;
    rightMargin_ = right;
  });
}

Rect RowLayout::FormatRect() const {
  if (formatSetExplicitly_) return format_;
  return {client_.left + leftMargin_, client_.top, client_.right - rightMargin_, client_.bottom};
}

void RowLayout::SetFormatRect(const Source& text, const Rect& rect) {
  ChangeLayout(text, [&] {
    format_ = rect;
    formatSetExplicitly_ = true;
  });
}

void RowLayout::SetClientRect(const Source& text, const Rect& client) {
  ChangeLayout(text, [&] {
    client_ = client;
    if (!formatSetExplicitly_) format_ = client_;
  });
}

void RowLayout::SetWordWrap(const Source& text, bool wrap) {
  ChangeLayout(text, [&] {
    wordWrap_ = wrap;
    if (wrap) hScroll_ = 0;
  });
}

void RowLayout::SetLayout(const Source& text, const LineLayout* layout) {
  layout_ = layout ? layout : &DefaultLayout();
  MeasureSingleBytes();
  Relayout(text);  // the same layout object may measure differently now (a new font)
}
