#include "buffer/EditBuffer.h"

#include <algorithm>
#include <cstdint>

#include "text/Cp932.h"

EditBuffer::EditBuffer(const LineLayout* layout) : rows_(layout) {}

// ---------------------------------------------------------------- text

void EditBuffer::SetText(std::string_view text) {
  text_.Assign(text);
  ResetToText();
}

void EditBuffer::SetText(std::string&& text) {
  text_.Adopt(std::move(text));
  ResetToText();
}

void EditBuffer::RewriteRange(int start, int end, std::string_view with) {
  const int length = GetTextLength();
  end = std::clamp(end, 0, length);
  start = std::clamp(start, 0, end);
  Replace(start, end, with);
  anchor_ = caret_ = 0;
  desiredX_ = -1;
  rows_.ScrollHome();
}

void EditBuffer::ResetToText() {
  ++textRevision_;
  unchanged_ = {};
  anchor_ = caret_ = 0;
  desiredX_ = -1;
  lines_.Assign(text_.Contiguous());  // the gap is at the end already
  rows_.Reset(RowSource());
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
  const int lineStart = lines_.Start(LogicalLineFromChar(pos));
  return lineStart + static_cast<int>(cp932::SnapBack(ReadThrough(lineStart, pos), static_cast<std::size_t>(pos - lineStart)));
}

std::string_view EditBuffer::ReadThrough(int from, int pos) const {
  return text_.View(from, std::min(pos + 1, GetTextLength()));
}

// Replaces bytes [start, end); the line starts and the rows re-scan only the
// logical lines the edit touched.
void EditBuffer::Replace(int start, int end, std::string_view with) {
  unchanged_.prefix = std::min(unchanged_.prefix, start);
  unchanged_.suffix = std::min(unchanged_.suffix, GetTextLength() - end);
  text_.Replace(start, end, with);
  ++textRevision_;
  const LineStarts::Change change = lines_.Replace(text_, start, end, static_cast<int>(with.size()));
  rows_.Splice(RowSource(), change);
}

int EditBuffer::LogicalLineFromChar(int pos) const { return lines_.LineOf(pos); }

bool EditBuffer::ContainsCrLf() const {
  // An LF ends its line, and the line's own bytes hold the CR before it (the
  // line before ends in an LF).
  for (int line = 0; line < lines_.Count(); ++line) {
    const int end = lines_.End(line);
    if (end >= 2 && text_.At(end - 1) == '\n' && text_.At(end - 2) == '\r') return true;
  }
  return false;
}

int EditBuffer::Advance(int x, std::string_view ch) const { return rows_.Advance(x, ch); }

// ---------------------------------------------------------------- physical lines

int EditBuffer::LineCount() const { return rows_.RowCount(); }

int EditBuffer::LineFromChar(int pos) const {
  if (pos < 0) {
    auto [s, e] = GetSel();
    pos = s != e ? s : caret_;
  }
  return rows_.RowOf(RowSource(), pos);
}

int EditBuffer::LineIndex(int line) const {
  if (line == -1) line = LineFromChar(caret_);  // the line that holds the caret
  return rows_.RowStart(RowSource(), line);
}

EditBuffer::RowSpan EditBuffer::RowRange(int row) const { return rows_.RowRange(RowSource(), row); }

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

int EditBuffer::VisibleLineCount() const { return rows_.VisibleRowCount(); }

void EditBuffer::LineScroll(int columns, int lines) { rows_.Scroll(RowSource(), columns, lines); }

void EditBuffer::SetHorizontalScroll(int pixels) { rows_.SetHorizontalScroll(RowSource(), pixels); }

void EditBuffer::ScrollCaret() { rows_.ScrollTo(RowSource(), caret_); }

void EditBuffer::ScrollCaretThrough(const std::vector<int>& positions) {
  if (positions.empty()) return;
  rows_.ScrollThrough(RowSource(), positions);
  anchor_ = caret_ = std::clamp(positions.back(), 0, GetTextLength());
  desiredX_ = -1;
}

// ---------------------------------------------------------------- points

int EditBuffer::XInRow(int pos) const { return rows_.XInRow(RowSource(), pos); }

int EditBuffer::WidestRowPixels() const { return rows_.WidestRowPixels(RowSource()); }

Point EditBuffer::CaretPoint() const { return rows_.PointOf(RowSource(), caret_); }

Point EditBuffer::PosFromChar(int pos) const {
  if (pos < 0 || pos > GetTextLength()) return {-1, -1};
  const Point p = rows_.PointOf(RowSource(), pos);
  // The control answers in two signed 16-bit halves.
  return {static_cast<std::int16_t>(p.x), static_cast<std::int16_t>(p.y)};
}

std::pair<int, int> EditBuffer::CharFromPos(int x, int y) const { return rows_.CharFromPoint(RowSource(), x, y); }

// ---------------------------------------------------------------- logical lines

std::pair<std::string, int> EditBuffer::GetLogicalLine(int n) {
  if (n >= 0) {
    if (n >= LogicalLineCount()) return {std::string(), 0};
    const int begin = lines_.Start(n);
    const int end = lines_.End(n);
    return {text_.Copy(begin, end), end - begin};
  }
  const int pos = CaretPosition().second;
  int end = GetTextLength();
  if (pos >= 0 && pos < GetTextLength()) {
    // The first CR from pos on (never the second byte of a character), read
    // a logical line at a time.
    const int from = SnapToBoundary(pos);
    for (int line = LogicalLineFromChar(from); line < LogicalLineCount(); ++line) {
      const int begin = std::max(from, lines_.Start(line));
      const std::string_view bytes = text_.View(begin, lines_.End(line));
      const std::size_t cr = bytes.find('\r');
      if (cr != std::string_view::npos) {
        end = begin + static_cast<int>(cr);
        break;
      }
    }
  }
  const int begin = lines_.Start(LogicalLineFromChar(end));
  const int start = std::min(begin, end);
  return {text_.Copy(start, end), end - start};
}

std::pair<int, int> EditBuffer::CaretPosition() {
  const int pos = GetSel().first;
  const int lineStart = LineIndex(-1);
  Point caret = CaretPoint();
  caret.y += 2;
  // A caret at the very left of the text (x == 0 with no margin) is still in view.
  const Rect client = rows_.ClientRect();
  if (caret.x >= 0 && caret.x < client.right && caret.y > 0 && caret.y < client.bottom) {
    lastVisibleCaret_ = {pos - lineStart, pos};
  }
  return lastVisibleCaret_;
}

// ---------------------------------------------------------------- settings

void EditBuffer::SetTabStops(int dialogUnits) { rows_.SetTabStops(RowSource(), dialogUnits); }

void EditBuffer::SetMargins(int left, int right) { rows_.SetMargins(RowSource(), left, right); }

void EditBuffer::SetRect(const Rect& rect) { rows_.SetFormatRect(RowSource(), rect); }

void EditBuffer::SetClientRect(const Rect& client) { rows_.SetClientRect(RowSource(), client); }

void EditBuffer::SetWordWrap(bool wrap) { rows_.SetWordWrap(RowSource(), wrap); }

void EditBuffer::SetLayout(const LineLayout* layout) { rows_.SetLayout(RowSource(), layout); }

void EditBuffer::SetLimitText(int bytes) { textLimit_ = std::clamp(bytes, kDefaultTextLimit, kMaxTextLimit); }

// ---------------------------------------------------------------- typing and clipboard

bool EditBuffer::TypeText(std::string_view cp932Text) {
  if (readOnly_) return false;
  auto [s, e] = GetSel();
  if (GetTextLength() - (e - s) + static_cast<long long>(cp932Text.size()) > textLimit_) return false;
  ReplaceSel(cp932Text);
  return true;
}

bool EditBuffer::Backspace() {
  if (readOnly_) return false;
  auto [s, e] = GetSel();
  if (s == e) {
    if (s == 0) return false;
    if (s >= 2 && text_.At(s - 1) == '\n' && text_.At(s - 2) == '\r') {
      s -= 2;
    } else {
      const int lineStart = lines_.Start(LogicalLineFromChar(s - 1));
      s = lineStart + static_cast<int>(cp932::Prev(ReadThrough(lineStart, s), static_cast<std::size_t>(s - lineStart)));
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
    if (text_.At(s) == '\r' && s + 1 < GetTextLength() && text_.At(s + 1) == '\n') {
      e = s + 2;
    } else {
      e = s + static_cast<int>(cp932::Next(ReadThrough(s, s + 1), 0));
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
  clip.SetText(text_.Copy(s, e));
  ReplaceSel({});
  return true;
}

void EditBuffer::Copy(ClipboardPort& clip) const {
  auto [s, e] = GetSel();
  if (s == e) return;
  clip.SetText(text_.Copy(s, e));
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
  int pos = caret_;
  bool vertical = false;
  switch (move) {
    case Move::Left:
      if (s != e && !extend) {
        pos = s;
      } else if (pos >= 2 && text_.At(pos - 1) == '\n' && text_.At(pos - 2) == '\r') {
        pos -= 2;
      } else if (pos > 0) {
        const int lineStart = lines_.Start(LogicalLineFromChar(pos - 1));
        pos = lineStart + static_cast<int>(cp932::Prev(ReadThrough(lineStart, pos), static_cast<std::size_t>(pos - lineStart)));
      }
      break;
    case Move::Right:
      if (s != e && !extend) {
        pos = e;
      } else if (pos < len && text_.At(pos) == '\r' && pos + 1 < len && text_.At(pos + 1) == '\n') {
        pos += 2;
      } else if (pos < len) {
        pos += static_cast<int>(cp932::Next(ReadThrough(pos, pos + 1), 0));
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
      pos = rows_.PosInRowFromX(RowSource(), row, desiredX_);
      break;
    }
    case Move::Home:
      pos = LineIndex(LineFromChar(pos));
      break;
    case Move::End:
      pos = rows_.PosInRowFromX(RowSource(), LineFromChar(pos), 1 << 30);
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
