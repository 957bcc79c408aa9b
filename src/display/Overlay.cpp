#include "display/Overlay.h"

#include <algorithm>
#include <cstdio>

#include "editor/EditorView.h"
#include "text/Cp932.h"

namespace overlay {

namespace {

// Where things stand on screen for one computation.
struct Frame {
  const EditorView& view;
  const EditBuffer& edit;
  // A copy of the bytes the visible rows hold, with the byte before them and
  // the one after (a character's second byte): read as one range, so drawing
  // never makes the whole text one run. Indexed by text position through
  // At and Bytes.
  std::string window;
  int windowBegin;
  int lineHeight;
  int clientWidth;
  int clientHeight;
  int rows;  // whole rows of the client area
  int first;
  int leftMargin;
  bool ruler;  // table mode with physical numbers: the top row is the ruler
  int RowTop(int k) const { return edit.ClientRect().top + k * lineHeight; }
  char At(int pos) const { return window[static_cast<std::size_t>(pos - windowBegin)]; }
  // Bytes [begin, end) of the text, inside the window.
  std::string_view Bytes(int begin, int end) const {
    return std::string_view(window).substr(static_cast<std::size_t>(begin - windowBegin),
                                           static_cast<std::size_t>(end - begin));
  }
};

Frame MakeFrame(const EditorView& view) {
  const EditBuffer& e = view.Edit();
  const int h = view.LineHeight() > 0 ? view.LineHeight() : 18;
  const Rect client = e.ClientRect();
  const int rows = view.LineHeight() > 0 ? client.Height() / h : 36;
  const int first = e.FirstVisibleLine();
  const int length = e.GetTextLength();
  const int windowBegin = std::max(0, e.LineIndex(first) - 1);
  const int cut = first + rows < e.LineCount() ? e.LineIndex(first + rows) : length;
  const int windowEnd = std::clamp(cut + 1, windowBegin, length);
  return Frame{view,           e,           e.Copy(windowBegin, windowEnd),
               windowBegin,    h,           client.Width(),
               client.Height(), rows,       first,
               view.leftMargin, view.modes.table && view.modes.lineNumbers == LineNumberMode::Physical};
}

OverlayItem Item(OverlayItem::Kind kind, int x, int y, Colour colour, std::string text = {}) {
  OverlayItem item;
  item.kind = kind;
  item.x = x;
  item.y = y;
  item.colour = colour;
  item.text = std::move(text);
  return item;
}

void AddFill(std::vector<OverlayItem>& items, int x, int y, int w, int h, Colour colour) {
  if (w <= 0 || h <= 0) return;
  OverlayItem item = Item(OverlayItem::Kind::Fill, x, y, colour);
  item.width = w;
  item.height = h;
  items.push_back(std::move(item));
}

// ---------------------------------------------------------------- gutter and ruler

void AddNumber(std::vector<OverlayItem>& items, const Frame& f, int row, int number) {
  const std::string label = std::to_string(number) + ":";
  const int right = f.leftMargin - 10;
  items.push_back(Item(OverlayItem::Kind::Number, right - TextWidth(f.view, label), f.RowTop(row), kNumberColour, label));
}

void AddGutter(std::vector<OverlayItem>& items, const Frame& f) {
  const EditorView& v = f.view;
  if (v.modes.lineNumbers == LineNumberMode::Off || f.edit.IsReadOnly()) return;
  const int gutterRight = f.leftMargin - 10;
  AddFill(items, 0, f.RowTop(0), gutterRight, f.clientHeight, kGutterBackground);

  if (v.modes.lineNumbers == LineNumberMode::Logical && f.edit.IsWordWrap()) {
    // A logical line is numbered on its first row; the rows it wraps onto stay empty.
    for (int k = 0; k < f.rows && f.first + k < f.edit.LineCount(); ++k) {
      const int start = f.edit.LineIndex(f.first + k);
      if (start == 0 || f.At(start - 1) == '\n')
        AddNumber(items, f, k, f.edit.LogicalLineFromChar(start) + 1);
    }
  } else {
    // Every row is numbered, also those below the end of the text.
    for (int k = f.ruler ? 1 : 0; k < f.rows; ++k) AddNumber(items, f, k, f.ruler ? f.first + k : f.first + k + 1);
  }

  if (!f.ruler) return;
  // The ruler follows the text sideways; the gutter's part of its row is left alone.
  // x of the text's first character, whole (not packed into 16 bits).
  const int textLeft = f.edit.GetRect().left - f.edit.HorizontalScroll();
  const int rulerLeft = f.edit.GetTextLength() == 0 ? gutterRight : gutterRight + textLeft - 60;
  const int rulerRight = std::min(gutterRight + f.clientWidth - 40, f.clientWidth);
  const int clipLeft = std::max(rulerLeft, gutterRight);
  AddFill(items, clipLeft, f.RowTop(0), rulerRight - clipLeft, f.lineHeight, kGutterBackground);
  OverlayItem ruler = Item(OverlayItem::Kind::Ruler, rulerLeft, f.RowTop(0), kNumberColour, RulerText(v.modes.tabWidth));
  ruler.tabOrigin = rulerLeft;
  ruler.tabStop = f.edit.TabPixels();
  ruler.clipLeft = clipLeft;
  ruler.clipRight = rulerRight;
  items.push_back(std::move(ruler));
}

void AddUnderline(std::vector<OverlayItem>& items, const Frame& f, bool hasFocus) {
  const auto [s, e] = f.edit.GetSel();
  if (!hasFocus || s != e) return;
  const int y = f.edit.CaretPoint().y + f.lineHeight;
  if (y < f.RowTop(0) || y >= f.RowTop(0) + f.clientHeight) return;
  OverlayItem line = Item(OverlayItem::Kind::Underline, f.leftMargin, y, kUnderlineColour);
  line.width = f.clientWidth - 10 - f.leftMargin;
  if (line.width > 0) items.push_back(std::move(line));
}

// ---------------------------------------------------------------- colouring

// The visible rows' characters with their places, in text order: the text
// from the start of the first visible row to the start of the row after the
// last one colouring covers ("the cut text"). A row's characters past the
// window's right edge are left out (they cannot be seen), so a very long
// line costs no more than the window is wide.
struct VisibleText {
  int start = 0;
  int cut = 0;
  std::vector<int> chars;         // offsets of the characters
  std::vector<int> x;             // per character: its x
  std::vector<int> row;           // per character: its row, counted from the first visible one
  std::vector<char> slashBefore;  // per character: a "/" stands before it on its logical line
  std::vector<int> rowEnd;        // per row: where its bytes end, line break excluded
  std::vector<int> rowNext;       // per row: where the next row starts
  std::vector<int> rowShownEnd;   // per row: where its listed characters end (the right edge or rowEnd)
  int x0 = 0;                     // x where every row starts
  // The index of the character at pos (pos starts a listed character).
  std::size_t IndexOf(int pos) const {
    return static_cast<std::size_t>(std::lower_bound(chars.begin(), chars.end(), pos) - chars.begin());
  }
};

VisibleText CollectVisible(const Frame& f, int rows) {
  VisibleText vt;
  const EditBuffer& e = f.edit;
  const int last = std::min(f.first + rows, e.LineCount());
  vt.start = e.LineIndex(f.first);
  vt.cut = f.first + rows < e.LineCount() ? e.LineIndex(f.first + rows) : e.GetTextLength();
  vt.x0 = e.GetRect().left - e.HorizontalScroll();
  bool slash = false;
  for (int r = f.first; r < last; ++r) {
    const EditBuffer::RowSpan span = e.RowRange(r);
    const int next = r + 1 < e.LineCount() ? e.LineIndex(r + 1) : e.GetTextLength();
    vt.rowEnd.push_back(span.end);
    vt.rowNext.push_back(next);
    vt.rowShownEnd.push_back(span.end);
    if (span.begin == 0 || f.At(span.begin - 1) == '\n') slash = false;
    int x = 0;
    for (int p = span.begin; p < next && p < vt.cut;) {
      if (vt.x0 + x > f.clientWidth && p < span.end) {
        vt.rowShownEnd.back() = p;
        p = span.end;  // the rest of the row is out of sight; its line break still counts
        continue;
      }
      const int len = std::max<int>(
          1, static_cast<int>(cp932::CharLen(f.window, static_cast<std::size_t>(p - f.windowBegin))));
      const std::string_view ch = f.Bytes(p, p + len);
      vt.chars.push_back(p);
      vt.x.push_back(vt.x0 + x);
      vt.row.push_back(r - f.first);
      vt.slashBefore.push_back(slash);
      if (ch == "/") slash = true;
      if (p < span.end) x = e.Advance(x, ch);
      p += len;
    }
  }
  return vt;
}

// A span of the text in one colour, one item per row it covers.
void AddSpan(std::vector<OverlayItem>& items, const Frame& f, const VisibleText& vt, int begin, int end, Colour colour) {
  while (begin < end && begin < vt.cut) {
    const std::size_t index = vt.IndexOf(begin);
    if (index >= vt.chars.size() || vt.chars[index] != begin) return;  // out of sight
    const auto r = static_cast<std::size_t>(vt.row[index]);
    const int pieceEnd = std::min({end, vt.rowNext[r], vt.cut});
    // The line break is never drawn, nor what lies past the right edge.
    const int textEnd = std::min(pieceEnd, std::max(begin, vt.rowShownEnd[r]));
    if (textEnd > begin) {
      OverlayItem item = Item(OverlayItem::Kind::Token, vt.x[index],
                              f.edit.GetRect().top + static_cast<int>(r) * f.lineHeight, colour,
                              std::string(f.Bytes(begin, textEnd)));
      item.tabOrigin = vt.x0;
      item.tabStop = f.edit.TabPixels();
      items.push_back(std::move(item));
    }
    begin = pieceEnd;
  }
}

bool MatchesAt(const Frame& f, int pos, int cut, std::string_view token) {
  const int end = pos + static_cast<int>(token.size());
  return end <= cut && f.Bytes(pos, end) == token;
}

void AddMarks(std::vector<OverlayItem>& items, const Frame& f, const VisibleText& vt) {
  const int hWidth = f.edit.Layout().CharWidth("h");
  const int rowTop = f.edit.GetRect().top;
  auto yOf = [&](std::size_t i) { return rowTop + vt.row[i] * f.lineHeight; };
  auto mark = [&](int x, int y, const char* utf8, Colour colour, int tenths) {
    OverlayItem item = Item(OverlayItem::Kind::Mark, x, y, colour, cp932::FromUtf8(utf8));
    item.fontTenths = tenths;
    items.push_back(std::move(item));
  };
  for (std::size_t i = 0; i < vt.chars.size(); ++i) {
    const int x = vt.x[i];
    if (f.At(vt.chars[i]) == '\r' && f.leftMargin <= x && x < f.clientWidth - hWidth)
      mark(x, yOf(i) + 3, "↓", kMarkColour, f.lineHeight * 5);
  }
  const bool table = f.view.modes.table;
  for (std::size_t i = 0; i < vt.chars.size(); ++i) {
    const int x = vt.x[i];
    if (f.At(vt.chars[i]) != '\t' || x + 1 < f.leftMargin ||
        x + 1 >= f.clientWidth - 2 * hWidth + 2)
      continue;
    if (table) {
      const int after = vt.x0 + f.edit.Advance(x - vt.x0, "\t");
      mark(after - 12, yOf(i) + 1, "|", kMarkColour, f.lineHeight * 7);
    } else {
      mark(x + 2, yOf(i) + 2, "→", kMarkColour, f.lineHeight * 7);
    }
  }
  for (std::size_t i = 0; i < vt.chars.size(); ++i) {
    const int x = vt.x[i];
    if (!MatchesAt(f, vt.chars[i], vt.cut, "\x81\x40") || x + 1 < f.leftMargin ||
        x + 1 >= f.clientWidth - 2 * hWidth + 2)
      continue;
    mark(x + 2, yOf(i) + 2, "■", kFullWidthSpaceColour, f.lineHeight * 7);
  }
}

void AddTokens(std::vector<OverlayItem>& items, const Frame& f, const VisibleText& vt) {
  const ColourScheme& c = f.view.colours;
  // The window up to the cut; positions in it are text positions less f.windowBegin.
  const std::string_view cutText = f.Bytes(f.windowBegin, vt.cut);
  // Every occurrence of `token` that no "/" precedes on its logical line.
  auto pass = [&](std::string_view token, const auto& draw) {
    for (std::size_t i = 0; i < vt.chars.size(); ++i) {
      const int p = vt.chars[i];
      if (f.At(p) != token[0] || !MatchesAt(f, p, vt.cut, token) || vt.slashBefore[i]) continue;
      draw(p);
    }
  };
  auto plain = [&](std::string_view token, Colour colour) {
    pass(token, [&](int p) { AddSpan(items, f, vt, p, p + static_cast<int>(token.size()), colour); });
  };
  using T = ColourScheme::Token;
  plain("$", c.tokens[T::Dollar]);
  plain("{", c.tokens[T::OpenBrace]);
  plain("}", c.tokens[T::CloseBrace]);
  // A backslash word runs to the first character of this set; "\[" and its
  // kin belong to their own passes.
  static const std::string kWordEnd = "&%_{[()]}^ \\,.\r=$+-/";
  pass("\\", [&](int p) {
    const std::size_t next = static_cast<std::size_t>(p - f.windowBegin) + 1;
    if (next < cutText.size() && std::string_view("[]()").find(cutText[next]) != std::string_view::npos) return;
    const std::size_t end = cp932::FindFirstOf(cutText, kWordEnd, next);
    AddSpan(items, f, vt, p, end == cp932::npos ? vt.cut : f.windowBegin + static_cast<int>(end), c.tokens[T::Backslash]);
  });
  plain("[", c.tokens[T::OpenBracket]);
  plain("]", c.tokens[T::CloseBracket]);
  plain("(", c.tokens[T::OpenParen]);
  plain(")", c.tokens[T::CloseParen]);
  plain("\\[", c.tokens[T::DisplayMathOpen]);
  plain("\\]", c.tokens[T::DisplayMathClose]);
  for (int i = 0; i < ColourScheme::kUserStringCount; ++i) {
    const std::string s = cp932::FromUtf8(c.userStrings[static_cast<std::size_t>(i)]);
    if (s.empty() || c.userColours[static_cast<std::size_t>(i)] == c.text) continue;
    plain(s, c.userColours[static_cast<std::size_t>(i)]);
  }
  plain("%", c.tokens[T::Percent]);
  // A "//" comment runs to the line end, across the rows it wraps onto.
  int commentEnd = -1;
  for (const int p : vt.chars) {
    if (p < commentEnd || !MatchesAt(f, p, vt.cut, "//")) continue;
    const std::size_t crlf = cp932::Find(cutText, "\r\n", static_cast<std::size_t>(p - f.windowBegin));
    commentEnd = crlf == cp932::npos ? vt.cut : f.windowBegin + static_cast<int>(crlf);
    AddSpan(items, f, vt, p, commentEnd, c.tokens[T::Percent]);
  }
}

// ---------------------------------------------------------------- [EOF]

void AddEof(std::vector<OverlayItem>& items, const Frame& f) {
  const EditBuffer& e = f.edit;
  const int n = e.GetTextLength();
  const int endRow = e.LineFromChar(n) - f.first;
  if (endRow < 0 || endRow > f.rows - 1) return;
  const int lm = f.leftMargin;
  const int right = f.clientWidth;
  const int h = f.lineHeight;
  const int eofWidth = TextWidth(f.view, "[EOF]");
  // Points are taken whole, not packed into 16 bits as the control answers
  // them: the end of a row wider than 32,767 pixels, or a text scrolled that
  // far sideways, still lands where the text shows it. A point may lie left
  // of the window when the text is scrolled sideways.
  const int rowsLeft = e.GetRect().left - e.HorizontalScroll();
  auto xOf = [&](int pos) { return rowsLeft + e.XInRow(pos); };
  int endX = xOf(n);
  const int y = std::max(0, e.GetRect().top + endRow * f.lineHeight);
  const int prevX = n > 0 ? xOf(n - 1) : lm;
  const int charW = std::max(1, e.Layout().AverageCharWidth());
  const int tabW = std::max(1, f.view.modes.tabWidth * charW);
  const int x0 = rowsLeft;
  const int nextTab = x0 + tabW * ((endX - x0) / tabW + 1);
  if (endX - prevX > charW && endX - prevX == 2 * charW - 1) endX -= charW - 1;
  const char last = n > 0 ? e.At(n - 1) : '\0';
  const int lastW = n == 0 ? 0 : (last == '\t' || last == '\n') ? charW : e.Layout().CharWidth(std::string_view(&last, 1));
  const bool notLastRow = endRow < f.rows - 1;

  auto eof = [&](int x, int atY) { items.push_back(Item(OverlayItem::Kind::Eof, x, atY, kMarkColour, "[EOF]")); };
  if (e.IsWordWrap()) {
    if (last == '\n') {
      eof(lm + 2, y + h);
    } else if (last == '\t') {
      if (nextTab + eofWidth <= right) eof(nextTab + 2, y);
      else if (notLastRow) eof(lm + 2, y + h);
    } else if (endX + lastW + eofWidth > right && notLastRow) {
      eof(lm + 2, y + h);
    } else if (endX + lastW + eofWidth <= right) {
      eof(endX + lastW + 2, y);
    }
  } else {
    if (last == '\n') {
      if (notLastRow && x0 == lm && lm + eofWidth <= right) eof(x0 + 2, y + h);
    } else if (last == '\t') {
      if (nextTab + eofWidth <= right && nextTab > lm) eof(nextTab + 2, y);
    } else if (endX + lastW > lm && endX + lastW + eofWidth <= right) {
      eof(endX + lastW + 2, y);
    }
  }
}

std::string Escaped(std::string_view cp932Text) {
  std::string out;
  for (const char c : cp932::ToUtf8(cp932Text)) {
    switch (c) {
      case '\t': out += "\\t"; break;
      case '\\': out += "\\\\"; break;
      case '\r': out += "\\r"; break;
      case '\n': out += "\\n"; break;
      default: out += c;
    }
  }
  return out;
}

std::string Hex(Colour c) {
  char buf[8];
  std::snprintf(buf, sizeof buf, "#%02X%02X%02X", RedOf(c), GreenOf(c), BlueOf(c));
  return buf;
}

}  // namespace

std::string ImeMark(bool open) { return open ? cp932::FromUtf8("「あ」") : std::string("[A]"); }

std::string RulerText(int tabWidth) {
  std::string s;
  for (int i = 1; i <= 40; ++i) {
    if (tabWidth != 4 || i < 10) s += ' ';
    s += 'R' + std::to_string(i) + '\t';
  }
  return s;
}

int TextWidth(const EditorView& view, std::string_view text) {
  const LineLayout& layout = view.Edit().Layout();
  int width = 0;
  for (std::size_t p = 0; p < text.size();) {
    const std::size_t len = std::max<std::size_t>(1, cp932::CharLen(text, p));
    width += layout.CharWidth(text.substr(p, len));
    p += len;
  }
  return width;
}

std::vector<OverlayItem> Compute(const EditorView& view, bool hasFocus) {
  std::vector<OverlayItem> items;
  const Frame f = MakeFrame(view);
  AddGutter(items, f);
  AddUnderline(items, f, hasFocus);
  const bool readOnly = f.edit.IsReadOnly();
  if (view.modes.returnMarks && !readOnly) {
    const int rows = f.rows - (f.ruler ? 1 : 0);
    if (f.first <= f.edit.LineCount() - 1 && rows > 0) {
      const VisibleText vt = CollectVisible(f, rows);
      AddMarks(items, f, vt);
      AddTokens(items, f, vt);
    }
    AddEof(items, f);
  }
  if (!readOnly) items.push_back(Item(OverlayItem::Kind::Ime, 0, 0, 0, ImeMark(view.ime.open)));
  return items;
}

std::string Listing(const EditorView& view, const std::vector<OverlayItem>& items) {
  std::string out = "margin " + std::to_string(view.leftMargin) + "\n";
  auto xy = [](const OverlayItem& i) { return std::to_string(i.x) + " " + std::to_string(i.y); };
  for (const OverlayItem& i : items) {
    switch (i.kind) {
      case OverlayItem::Kind::Fill:
        out += "fill " + xy(i) + " " + std::to_string(i.width) + " " + std::to_string(i.height) + " " + Hex(i.colour);
        break;
      case OverlayItem::Kind::Number: out += "number " + xy(i) + " " + Escaped(i.text); break;
      case OverlayItem::Kind::Ruler: out += "ruler " + xy(i) + " " + Escaped(i.text); break;
      case OverlayItem::Kind::Underline:
        out += "underline " + std::to_string(i.x) + " " + std::to_string(i.y) + " " + std::to_string(i.x + i.width);
        break;
      case OverlayItem::Kind::Mark: out += "mark " + xy(i) + " " + Escaped(i.text) + " " + Hex(i.colour); break;
      case OverlayItem::Kind::Token: out += "token " + xy(i) + " " + Hex(i.colour) + " " + Escaped(i.text); break;
      case OverlayItem::Kind::Eof: out += "eof " + xy(i); break;
      case OverlayItem::Kind::Ime: out += "ime " + Escaped(i.text); break;
    }
    out += "\n";
  }
  return out;
}

}  // namespace overlay
