#include "display/qt/TextPainter.h"

#include <QFontMetrics>
#include <QGlyphRun>
#include <QPainter>
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

QRect TextPainter::FormatRect(const QRect& viewport) const {
  const Rect r = buffer_.GetRect();
  return QRect(r.left, r.top, r.Width(), r.Height()) & viewport;
}

void TextPainter::Paint(QPainter& p, const PivraTextWidget::PaintRequest& request,
                        const std::function<void(QPainter&)>& overlay) const {
  p.fillRect(request.dirty, request.background);
  PaintRows(p, request);
  if (overlay) overlay(p);
  PaintBlock(p, request.block);
  PaintCaret(p, request);
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
  const std::string_view text = e.Text();

  p.save();
  p.setClipRect(format & dirty);
  p.setFont(lay.Font());
  GlyphBatch normal, selected;
  for (int row = first; row < lines && row < first + rows; ++row) {
    const int y = format.top() + (row - first) * lh;
    if (y >= dirty.bottom() + 1 || y + lh <= dirty.top()) continue;
    const EditBuffer::RowSpan span = e.RowRange(row);  // the row's bytes, without its line break
    const qreal baseline = y + lay.Ascent();
    int x = 0;  // from the start of the row, as the buffer measures it
    for (int pos = span.begin; pos < span.end;) {
      const int len = static_cast<int>(cp932::CharLen(text, static_cast<std::size_t>(pos)));
      const std::string_view ch = text.substr(static_cast<std::size_t>(pos), static_cast<std::size_t>(len));
      const int next = e.Advance(x, ch);  // a TAB reaches the buffer's next tab stop
      const int left = x0 + x;
      if (left > format.right()) break;
      if (x0 + next >= format.left()) {
        const bool inSelection = !request.blockFixed && pos >= selStart && pos < selEnd;
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
  }
  normal.Draw(p, lay.RawFont(), request.text);
  selected.Draw(p, lay.RawFont(), request.selectedText);
  p.restore();
}

void TextPainter::PaintBlock(QPainter& p, const QRect& block) const {
  if (block.isEmpty()) return;
  p.save();
  p.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
  p.fillRect(block, Qt::white);
  p.restore();
}

void TextPainter::PaintCaret(QPainter& p, const PivraTextWidget::PaintRequest& request) const {
  const QRect& caret = request.caret;
  const int lh = layout_.LineHeight();
  if (!request.preedit.isEmpty()) {
    // The text being composed stands at the caret, underlined, until it is committed.
    const QFontMetrics fm(layout_.Font());
    const QRect area(caret.left(), caret.top(), fm.horizontalAdvance(request.preedit) + 2, lh);
    p.fillRect(area, request.background);
    p.setPen(request.text);
    p.setFont(layout_.Font());
    p.drawText(QPointF(area.left(), caret.top() + layout_.Ascent()), request.preedit);
    p.drawLine(area.left(), area.bottom(), area.right(), area.bottom());
  } else if (request.focused &&
             FormatRect(request.viewport).adjusted(-EditBuffer::kCaretWidth, 0, EditBuffer::kCaretWidth, 0).intersects(caret)) {
    p.fillRect(caret, request.text);
  }
}
