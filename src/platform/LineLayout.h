// LineLayout: how wide each character of a line is, which the EditBuffer uses
// to break logical lines into physical lines and to map positions to points.
//
// The buffer owns the wrapping rule; a layout only measures. The fixed-cell
// layout (one cell for a single-byte character, two for a double-byte one)
// serves tests and the batch runner; the window plugs in a layout that asks the
// real font. A TAB advances to the next multiple of the tab interval in pixels.
#pragma once

#include <string_view>

class LineLayout {
 public:
  virtual ~LineLayout() = default;

  // Pixel width of the character `ch` (one or two CP932 bytes, never TAB, CR
  // or LF) when drawn.
  virtual int CharWidth(std::string_view ch) const = 0;

  // Height of one physical line in pixels.
  virtual int LineHeight() const = 0;

  // Average character width in pixels: four dialog units.
  virtual int AverageCharWidth() const = 0;
};

// A single-byte character is one cell, a double-byte character two.
class FixedCellLayout final : public LineLayout {
 public:
  explicit FixedCellLayout(int cellWidth = 8, int lineHeight = 16)
      : cellWidth_(cellWidth), lineHeight_(lineHeight) {}
  int CharWidth(std::string_view ch) const override { return ch.size() >= 2 ? 2 * cellWidth_ : cellWidth_; }
  int LineHeight() const override { return lineHeight_; }
  int AverageCharWidth() const override { return cellWidth_; }

 private:
  int cellWidth_;
  int lineHeight_;
};
