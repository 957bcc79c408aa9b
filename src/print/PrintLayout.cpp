#include "print/PrintLayout.h"

#include <algorithm>

#include "text/Cp932.h"

namespace print_layout {

std::vector<Rect> ColumnRects(const Rect& area, int marginStep, int columns) {
  const int margin = kMarginUnit * marginStep;
  const int left = margin;
  const int right = area.right;
  const int width = right - left;
  const int half = kColumnGap / 2;
  std::vector<Rect> rects;
  for (int k = 1; k <= columns; ++k) {
    Rect r;
    r.left = k == 1 ? left : (k - 1) * width / columns + left + half;
    r.right = k == columns ? right : k * width / columns + left - half;
    r.top = margin;
    r.bottom = area.bottom;
    rects.push_back(r);
  }
  return rects;
}

namespace {

// Steps over one line break (CR LF, or a lone CR or LF) at pos, if any.
int SkipLineBreak(std::string_view text, int pos, int stop) {
  if (pos >= stop) return pos;
  if (text[pos] == '\r') {
    ++pos;
    if (pos < stop && text[pos] == '\n') ++pos;
  } else if (text[pos] == '\n') {
    ++pos;
  }
  return pos;
}

}  // namespace

int LayoutInRect(std::string_view text, int from, int stop, const Rect& rect, const LineLayout& font, int tabPixels,
                 std::vector<PrintedRun>* runs) {
  stop = std::min(stop, static_cast<int>(text.size()));
  const int lineHeight = std::max(1, font.LineHeight());
  const int width = rect.Width();
  int pos = from;
  for (int y = rect.top; pos < stop && y + lineHeight <= rect.bottom; y += lineHeight) {
    int x = 0;
    int runStart = pos;
    int runX = 0;
    bool placed = false;  // the row holds a character already
    auto flush = [&] {
      if (runs && pos > runStart) runs->push_back({rect.left + runX, y, runStart, pos});
    };
    while (pos < stop) {
      const char c = text[pos];
      if (c == '\r' || c == '\n') break;
      if (c == '\t') {
        const int next = tabPixels > 0 ? (x / tabPixels + 1) * tabPixels : x;
        if (placed && next > width) break;
        flush();
        x = next;
        ++pos;
        runStart = pos;
        runX = x;
        placed = true;
        continue;
      }
      const int len = std::min(static_cast<int>(cp932::CharLen(text, pos)), stop - pos);
      const int w = font.CharWidth(text.substr(pos, len));
      if (placed && x + w > width) break;
      x += w;
      pos += len;
      placed = true;
    }
    flush();
    // A row that ends where its line ends takes the line break with it, so a
    // line that exactly fills the column leaves no empty row behind.
    pos = SkipLineBreak(text, pos, stop);
  }
  return pos;
}

}  // namespace print_layout
