#include "display/qt/TextPainter.h"

#include <QFontMetrics>
#include <QGlyphRun>
#include <QPainter>
#include <QTextCharFormat>
#include <algorithm>
#include <cstdint>
#include <limits>
#include <vector>
#include <string_view>
#include <utility>

#include "buffer/EditBuffer.h"
#include "editor/EditorView.h"
#include "platform/qt/FontLayout.h"
#include "text/Cp932.h"

namespace {

// Glyphs of one colour, positioned by the buffer's layout, drawn as one run.
struct GlyphBatch {
  QList<quint32> glyphs;
  QList<QPointF> positions;
  void Add(quint32 glyph, qreal x, qreal y) {
    glyphs.append(glyph);
    positions.append(QPointF(x, y));
  }
  void Draw(QPainter& p, const QRawFont& font, const QColor& colour) const {
    if (glyphs.isEmpty()) return;
    QGlyphRun run;
    run.setRawFont(font);
    run.setGlyphIndexes(glyphs);
    run.setPositions(positions);
    p.setPen(colour);
    p.drawGlyphRun(QPointF(0, 0), run);
  }
};

QString HexOf(std::string_view bytes) {
  QString s;
  for (const char c : bytes) s += QStringLiteral("%1").arg(static_cast<unsigned char>(c), 2, 16, QLatin1Char('0')).toUpper();
  return s;
}

}  // namespace

void TextPainter::Attach(PivraTextWidget& widget, std::function<void(QPainter&)> overlay) {
  // The widget's font is read at each paint: a new display font replaces it.
  widget.SetPainter([&widget, overlay = std::move(overlay)](QPainter& p, const PivraTextWidget::PaintRequest& request) {
    TextPainter(widget.View().Edit(), widget.Layout()).Paint(p, request, overlay);
  });
}

// Whole coordinates, where PosFromChar would pack them into 16 bits; a row
// so far from the first visible one that its y passes an int (a billion rows
// away) stays at the int's end.
Point TextPainter::PointOf(int pos) const {
  const Rect r = buffer_.GetRect();
  const std::int64_t y = r.top + std::int64_t{buffer_.LineFromChar(pos) - buffer_.FirstVisibleLine()} *
                                     buffer_.Layout().LineHeight();
  return {r.left - buffer_.HorizontalScroll() + buffer_.XInRow(pos),
          static_cast<int>(std::clamp<std::int64_t>(y, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()))};
}

QRect TextPainter::FormatRect(const QRect& viewport) const {
  const Rect r = buffer_.GetRect();
  return QRect(r.left, r.top, r.Width(), r.Height()) & viewport;
}

void TextPainter::Paint(QPainter& p, const PivraTextWidget::PaintRequest& request,
                        const std::function<void(QPainter&)>& overlay) const {
  p.fillRect(request.dirty, request.background);
  PaintRows(p, request);
  if (overlay) PaintOverlay(p, request, overlay);
  PaintBlock(p, request.block);
  PaintCaret(p, request);
}

// The overlay's marks and colours of the composing row follow its text: the
// part before the composed text moves with the row's shift, the part after
// the selection it replaces goes where that text now stands; the composed
// text itself carries none.
void TextPainter::PaintOverlay(QPainter& p, const PivraTextWidget::PaintRequest& request,
                               const std::function<void(QPainter&)>& overlay) const {
  const PivraTextWidget::PaintRequest::Composition& composition = request.composition;
  if (composition.text.isEmpty()) {
    overlay(p);
    return;
  }
  const QRect format = FormatRect(request.viewport);
  const auto [selStart, selEnd] = buffer_.GetSel();
  const Point start = PointOf(selStart);
  const Point end = PointOf(selEnd);
  const QRect row(format.left(), start.y, format.width(), layout_.LineHeight());
  const int width = QFontMetrics(layout_.Font()).horizontalAdvance(composition.text);
  const int split = start.x - composition.rowShift;
  // What follows the selection in this row stands after the composed text.
  const int followingShift = end.y == start.y ? split + width - end.x : 0;
  auto paintShifted = [&](const QRegion& clip, int dx) {
    p.save();
    p.setClipRegion(clip);
    p.translate(dx, 0);
    overlay(p);
    p.restore();
  };
  paintShifted(QRegion(request.viewport).subtracted(row), 0);
  paintShifted(QRegion(QRect(QPoint(row.left(), row.top()), QPoint(split - 1, row.bottom()))), -composition.rowShift);
  if (end.y == start.y)
    paintShifted(QRegion(QRect(QPoint(split + width, row.top()), row.bottomRight())), followingShift);
}

void TextPainter::PaintRows(QPainter& p, const PivraTextWidget::PaintRequest& request) const {
  const EditBuffer& e = buffer_;
  const FontLayout& lay = layout_;
  const QRect& dirty = request.dirty;
  const QRect format = FormatRect(request.viewport);
  const int lh = lay.LineHeight();
  const int first = e.FirstVisibleLine();
  const int lines = e.LineCount();
  const int rows = (format.height() + lh - 1) / lh;
  const int x0 = format.left() - e.HorizontalScroll();
  const auto [selStart, selEnd] = e.GetSel();
  // While composing, the composed text takes the place of the selection in
  // the row where the selection starts: the selected bytes are left out and
  // what follows moves right by the composed text's width.
  const PivraTextWidget::PaintRequest::Composition& composition = request.composition;
  const bool composing = !composition.text.isEmpty();
  const int compositionRow = composing ? e.LineFromChar(selStart) : -1;
  const int compositionWidth = composing ? QFontMetrics(lay.Font()).horizontalAdvance(composition.text) : 0;

  p.save();
  p.setClipRect(format & dirty);
  p.setFont(lay.Font());
  GlyphBatch normal, selected;
  for (int row = first; row < lines && row < first + rows; ++row) {
    const int y = format.top() + (row - first) * lh;
    if (y >= dirty.bottom() + 1 || y + lh <= dirty.top()) continue;
    const EditBuffer::RowSpan span = e.RowRange(row);  // the row's bytes, without its line break
    // Read a row at a time (with the byte after it, where a character's
    // second byte may stand), never the whole text as one run.
    const std::string_view rowBytes = e.Slice(span.begin, std::min(span.end + 1, e.GetTextLength()));
    const qreal baseline = y + lay.Ascent();
    const int rowLeft = row == compositionRow ? x0 - composition.rowShift : x0;
    bool compositionPending = row == compositionRow;
    int x = 0;  // from the start of the row, as the buffer measures it
    for (int pos = span.begin; pos < span.end;) {
      const int len = static_cast<int>(cp932::CharLen(rowBytes, static_cast<std::size_t>(pos - span.begin)));
      if (compositionPending && pos >= selStart) {
        PaintComposition(p, request, rowLeft + x, y);
        x += compositionWidth;
        compositionPending = false;
      }
      if (composing && pos >= selStart && pos < selEnd) {
        pos += len;
        continue;
      }
      const std::string_view ch = rowBytes.substr(static_cast<std::size_t>(pos - span.begin), static_cast<std::size_t>(len));
      const int next = e.Advance(x, ch);  // a TAB reaches the buffer's next tab stop
      const int left = rowLeft + x;
      if (left > format.right()) break;
      if (rowLeft + next >= format.left()) {
        const bool inSelection = !request.blockFixed && !composing && pos >= selStart && pos < selEnd;
        if (inSelection) p.fillRect(QRect(left, y, next - x, lh), request.selectedBackground);
        const QColor& colour = inSelection ? request.selectedText : request.text;
        const bool isTab = len == 1 && ch[0] == '\t';
        if (!isTab) {
          const FontLayout::CharInfo& info = lay.Info(ch);
          switch (info.kind) {
            case FontLayout::Kind::Glyph:
              (inSelection ? selected : normal).Add(info.glyph, left, baseline);
              break;
            case FontLayout::Kind::Fallback: {
              p.setPen(colour);
              const char32_t cp[1] = {info.codePoint};
              p.drawText(QPointF(left, baseline), QString::fromUcs4(cp, 1));
              break;
            }
            case FontLayout::Kind::HexBox:
            case FontLayout::Kind::Unknown: {
              const QRect box(left + 1, y + 2, next - x - 3, lh - 5);
              p.setPen(colour);
              p.drawRect(box);
              p.setFont(lay.HexFont());
              p.drawText(box, Qt::AlignCenter, HexOf(ch));
              p.setFont(lay.Font());
              break;
            }
          }
        }
      }
      x = next;
      pos += len;
    }
    if (compositionPending) PaintComposition(p, request, rowLeft + x, y);
  }
  normal.Draw(p, lay.RawFont(), request.text);
  selected.Draw(p, lay.RawFont(), request.selectedText);
  p.restore();
}

// The composed text in runs of one format each: a run the input method
// formats gets its colours and its underline (none when it asks for none);
// a run it leaves unformatted is underlined in the text colour.
void TextPainter::PaintComposition(QPainter& p, const PivraTextWidget::PaintRequest& request, int left,
                                   int top) const {
  const PivraTextWidget::PaintRequest::Composition& composition = request.composition;
  const QString& text = composition.text;
  const int length = static_cast<int>(text.size());
  std::vector<const QTextCharFormat*> formatOf(static_cast<std::size_t>(length), nullptr);
  for (const auto& f : composition.formats)
    for (int i = std::max(0, f.start); i < std::min(length, f.start + f.length); ++i)
      formatOf[static_cast<std::size_t>(i)] = &f.format;
  const QFontMetrics metrics(layout_.Font());
  const int lh = layout_.LineHeight();
  p.save();
  p.setFont(layout_.Font());
  for (int from = 0; from < length;) {
    const QTextCharFormat* format = formatOf[static_cast<std::size_t>(from)];
    int to = from + 1;
    while (to < length && formatOf[static_cast<std::size_t>(to)] == format) ++to;
    const int x1 = left + metrics.horizontalAdvance(text.left(from));
    const int x2 = left + metrics.horizontalAdvance(text.left(to));
    QColor colour = request.text;
    QTextCharFormat::UnderlineStyle underline = QTextCharFormat::SingleUnderline;
    if (format) {
      if (format->background().style() != Qt::NoBrush) p.fillRect(QRect(x1, top, x2 - x1, lh), format->background());
      if (format->foreground().style() != Qt::NoBrush) colour = format->foreground().color();
      underline = format->underlineStyle();
    }
    p.setPen(colour);
    p.drawText(QPointF(x1, top + layout_.Ascent()), text.mid(from, to - from));
    if (underline != QTextCharFormat::NoUnderline) {
      QPen pen(format && format->underlineColor().isValid() ? format->underlineColor() : colour);
      pen.setStyle(underline == QTextCharFormat::DashUnderline  ? Qt::DashLine
                   : underline == QTextCharFormat::DotLine      ? Qt::DotLine
                   : underline == QTextCharFormat::DashDotLine  ? Qt::DashDotLine
                                                                : Qt::SolidLine);
      p.setPen(pen);
      p.drawLine(x1, top + lh - 1, x2 - 1, top + lh - 1);
    }
    from = to;
  }
  p.restore();
}

void TextPainter::PaintBlock(QPainter& p, const QRect& block) const {
  if (block.isEmpty()) return;
  p.save();
  p.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
  p.fillRect(block, Qt::white);
  p.restore();
}

// The caret; while composing, the caret inside the composed text, unless the
// input method hides it.
void TextPainter::PaintCaret(QPainter& p, const PivraTextWidget::PaintRequest& request) const {
  const QRect& caret = request.caret;
  const bool composing = !request.composition.text.isEmpty();
  if (composing && !request.composition.cursorVisible) return;
  if (request.focused &&
      FormatRect(request.viewport).adjusted(-EditBuffer::kCaretWidth, 0, EditBuffer::kCaretWidth, 0).intersects(caret)) {
    p.fillRect(caret, request.text);
  }
}
