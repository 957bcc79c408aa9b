#include "display/qt/OverlayPainter.h"

#include <QColor>
#include <QFont>
#include <QFontMetrics>
#include <QGlyphRun>
#include <QPainter>

#include "platform/qt/FontLayout.h"
#include "text/Cp932.h"

namespace overlay_painter {

namespace {

QColor ToQColor(Colour c) { return QColor(RedOf(c), GreenOf(c), BlueOf(c)); }

// A CP932 text from x, its baseline at `baseline`: glyphs of the display
// font as one run, characters it lacks as plain text.
void DrawText(QPainter& p, const FontLayout& layout, const OverlayItem& item, qreal baseline) {
  QList<quint32> glyphs;
  QList<QPointF> positions;
  const std::string_view text = item.text;
  int x = item.x;
  for (std::size_t pos = 0; pos < text.size();) {
    const std::size_t len = std::max<std::size_t>(1, cp932::CharLen(text, pos));
    const std::string_view ch = text.substr(pos, len);
    pos += len;
    if (ch == "\t") {
      const int stop = std::max(1, item.tabStop);
      x = item.tabOrigin + ((x - item.tabOrigin) / stop + 1) * stop;
      continue;
    }
    const FontLayout::CharInfo& info = layout.Info(ch);
    if (info.kind == FontLayout::Kind::Glyph) {
      glyphs.append(info.glyph);
      positions.append(QPointF(x, baseline));
    } else if (info.kind == FontLayout::Kind::Fallback) {
      const char32_t cp[1] = {info.codePoint};
      p.setFont(layout.Font());
      p.drawText(QPointF(x, baseline), QString::fromUcs4(cp, 1));
    }
    x += info.width;
  }
  if (glyphs.isEmpty()) return;
  QGlyphRun run;
  run.setRawFont(layout.RawFont());
  run.setGlyphIndexes(glyphs);
  run.setPositions(positions);
  p.drawGlyphRun(QPointF(0, 0), run);
}

QString Utf(const std::string& cp932Text) { return QString::fromStdString(cp932::ToUtf8(cp932Text)); }

}  // namespace

void Paint(QPainter& p, const std::vector<OverlayItem>& items, const FontLayout& layout) {
  p.save();
  QFont markFont(QString::fromUtf8(overlay::kMarkFace));
  int markTenths = 0;
  int markAscent = 0;
  for (const OverlayItem& item : items) {
    const QColor colour = ToQColor(item.colour);
    switch (item.kind) {
      case OverlayItem::Kind::Fill: p.fillRect(item.x, item.y, item.width, item.height, colour); break;
      case OverlayItem::Kind::Number:
      case OverlayItem::Kind::Token:
      case OverlayItem::Kind::Eof:
        p.setPen(colour);
        DrawText(p, layout, item, item.y + layout.Ascent());
        break;
      case OverlayItem::Kind::Ruler:
        p.save();
        p.setClipRect(item.clipLeft, item.y, item.clipRight - item.clipLeft, layout.LineHeight(), Qt::IntersectClip);
        p.setPen(colour);
        DrawText(p, layout, item, item.y + layout.Ascent());
        p.restore();
        break;
      case OverlayItem::Kind::Underline:
        p.setPen(QPen(colour, 1));
        p.drawLine(item.x, item.y, item.x + item.width, item.y);
        break;
      case OverlayItem::Kind::Mark: {
        // The marks come in runs of one size: the font changes only between runs.
        if (item.fontTenths != markTenths) {
          markTenths = item.fontTenths;
          markFont.setPointSizeF(std::max(1, markTenths) / 10.0);
          markAscent = QFontMetrics(markFont).ascent();
        }
        if (p.font() != markFont) p.setFont(markFont);
        p.setPen(colour);
        p.drawText(QPointF(item.x, item.y + markAscent), Utf(item.text));
        break;
      }
      case OverlayItem::Kind::Ime: break;  // shown in the menu bar
    }
  }
  p.restore();
}

}  // namespace overlay_painter
