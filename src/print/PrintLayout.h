// PrintLayout: where the text goes on a printed page.
//
// Every unit here is a printer pixel. A page's drawing area is the printable
// rectangle [0, 0, right, bottom]; the top and left margins are 100 pixels per
// margin step, and the text flows through 1 to 4 columns from left to right,
// 100 pixels apart, all running from the top margin to the bottom edge.
// Column k of n (1-based), with L the left margin, R the right edge and
// w = R - L, spans
//   left:  L for k = 1, else (k - 1) * w / n + L + 50
//   right: R for k = n, else k * w / n + L - 50
// with every quotient truncated toward zero, so the same text always gives the
// same columns on the same page size.
//
// Inside a column the text is laid out row by row: a row ends at CR LF (or a
// lone CR or LF), or before the first character that would pass the column's
// right edge; TABs go on to the next multiple of the tab width; a double-byte
// character is never split. Every byte of the text lands in exactly one row
// or is a line break between rows. LayoutInRect returns the index of the
// first byte not laid out, where the next column or page starts.
#pragma once

#include <string_view>
#include <vector>

#include "platform/Geometry.h"
#include "platform/LineLayout.h"

namespace print_layout {

inline constexpr int kMarginUnit = 100;  // printer pixels per margin step
inline constexpr int kColumnGap = 100;   // printer pixels between two columns

// The rectangles of the columns of every page, left to right. `area` is the
// drawing rectangle (its left and top are ignored: the margins replace them).
std::vector<Rect> ColumnRects(const Rect& area, int marginStep, int columns);

// A run of characters drawn at (x, y), its top-left corner: the bytes
// [begin, end) of the text, never holding TAB, CR or LF.
struct PrintedRun {
  int x = 0;
  int y = 0;
  int begin = 0;
  int end = 0;
  bool operator==(const PrintedRun&) const = default;
};

// Lays out text[from, stop) in `rect` with the character widths and line
// height of `font`, TAB stops every `tabPixels` from the rectangle's left
// edge. Appends the runs to `runs` when it is given. Returns the index of the
// first byte that did not fit (stop when everything did). A row always takes
// at least one character, so a character wider than the column still goes
// forward; a rectangle lower than one line takes nothing.
int LayoutInRect(std::string_view text, int from, int stop, const Rect& rect, const LineLayout& font, int tabPixels,
                 std::vector<PrintedRun>* runs = nullptr);

}  // namespace print_layout
