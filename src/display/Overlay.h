// Overlay: everything drawn over and around the text besides the text
// itself, computed as a list of drawing items.
//
// The list is in drawing order, later items covering earlier ones:
//   the gutter fill and its line numbers (physical rows, or logical lines
//   with word wrap), the column ruler "R1".."R40" of table mode, the grey
//   underline of the caret's row, the line-end, TAB and full-width-space
//   marks, the coloured tokens (TeX and program punctuation, backslash words,
//   "//" comments, the user strings), "[EOF]" after the last character, and
//   the input-method mark for the menu bar's corner.
// Positions are pixels of the text widget's client area, whose left edge is
// the gutter's (x = 0); an item's (x, y) is its top-left corner. Texts are
// CP932. The window paints the list in every paint event, so what it shows
// is always complete and current; nothing here knows how it is painted.
#pragma once

#include <string>
#include <vector>

#include "settings/ColourScheme.h"

class EditorView;

struct OverlayItem {
  enum class Kind { Fill, Number, Ruler, Underline, Mark, Token, Eof, Ime };
  Kind kind = Kind::Fill;
  int x = 0;
  int y = 0;
  int width = 0;   // Fill: width; Underline: length (it runs from x to x + width)
  int height = 0;  // Fill
  Colour colour = 0;
  std::string text;  // CP932: the label, ruler, mark, token, "[EOF]" or input-method mark
  // Ruler and tokens: a TAB in the text advances to the next multiple of
  // tabStop pixels counted from tabOrigin.
  int tabOrigin = 0;
  int tabStop = 0;
  // Ruler: drawn only between these x (the gutter's part of the row is left alone).
  int clipLeft = 0;
  int clipRight = 0;
  // Marks: their own small font, in tenths of a point; 0 elsewhere (the display font).
  int fontTenths = 0;
};

namespace overlay {

// Fixed colours of the overlay.
inline constexpr Colour kGutterBackground = MakeColour(240, 240, 255);
inline constexpr Colour kNumberColour = MakeColour(100, 100, 255);
inline constexpr Colour kUnderlineColour = MakeColour(128, 128, 128);
inline constexpr Colour kMarkColour = MakeColour(180, 180, 255);
inline constexpr Colour kFullWidthSpaceColour = MakeColour(220, 220, 255);
// The font of the marks (mapped to an installed face by the window).
inline constexpr char kMarkFace[] = "ＭＳ Ｐゴシック";

// The input-method marks (CP932): open, closed.
std::string ImeMark(bool open);

// The ruler string: " R1\t R2\t ... R40\t" (191 bytes); with a tab width of
// 4 the labels from R10 on go without their space (160 bytes).
std::string RulerText(int tabWidth);

// Pixel width of a CP932 single-line text without TABs in the view's layout.
int TextWidth(const EditorView& view, std::string_view text);

// The whole overlay of the view as it stands. `hasFocus` tells whether the
// view's pane has the keyboard focus (the caret underline shows only then).
std::vector<OverlayItem> Compute(const EditorView& view, bool hasFocus = true);

// The batch runner's listing: "margin N", then one line per item (see README).
std::string Listing(const EditorView& view, const std::vector<OverlayItem>& items);

}  // namespace overlay
