// TextPainter: draws a text widget's picture of its view's EditBuffer.
//
// It draws what the buffer computed and decides nothing: the buffer gives the
// visible physical lines, each row's bytes and each character's advance (TABs
// to their tab stops), the selection and the caret; each CP932 character is
// decoded here and drawn at the buffer's x, so the screen and the buffer's
// positions always agree. Glyphs of the display font go out as glyph runs, one
// per colour; characters the font lacks are drawn as text (the platform's
// fallback fonts); bytes that do not decode are drawn as small hex boxes.
//
// One picture, in this order: the background of the dirty part; the rows
// that cross it, clipped to the formatting rectangle, selected characters on
// the highlight (none while a cell block is fixed: the block shows the
// selection then); the overlay (gutter, ruler, marks, colours) given by the
// display code; the cell block inverted; last the caret.
//
// Text being composed is laid out in its row as if it were inserted where the
// selection starts (the selected bytes left out, the rest of the row moved
// right by its width, that row shifted left as the request asks), in the
// formats the input method gave; the caret is then the one inside it. The
// overlay of that row moves with the text it belongs to.
#pragma once

#include <functional>

#include "platform/Geometry.h"

#include "editor/qt/PivraTextWidget.h"

class EditBuffer;
class FontLayout;
class QPainter;

class TextPainter {
 public:
  // Both must outlive the painter, which is made for one paint event.
  TextPainter(const EditBuffer& buffer, const FontLayout& layout) : buffer_(buffer), layout_(layout) {}

  // The whole picture; `overlay` (none: nothing) is painted over the rows.
  void Paint(QPainter& painter, const PivraTextWidget::PaintRequest& request,
             const std::function<void(QPainter&)>& overlay = {}) const;

  // Makes `widget` paint its view's buffer in its current font with a
  // TextPainter, and `overlay` over the rows.
  static void Attach(PivraTextWidget& widget, std::function<void(QPainter&)> overlay = {});

 private:
  void PaintRows(QPainter& painter, const PivraTextWidget::PaintRequest& request) const;
  void PaintBlock(QPainter& painter, const QRect& block) const;
  void PaintOverlay(QPainter& painter, const PivraTextWidget::PaintRequest& request,
                    const std::function<void(QPainter&)>& overlay) const;
  void PaintComposition(QPainter& painter, const PivraTextWidget::PaintRequest& request, int left, int top) const;
  void PaintCaret(QPainter& painter, const PivraTextWidget::PaintRequest& request) const;
  QRect FormatRect(const QRect& viewport) const;
  Point PointOf(int pos) const;

  const EditBuffer& buffer_;
  const FontLayout& layout_;
};
