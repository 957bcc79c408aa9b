#include "app/qt/AppIcon.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>

void PaintAppIcon(QPainter& p, qreal s) {
  p.setRenderHint(QPainter::Antialiasing);
  const QRectF sheet(s * 0.08, s * 0.04, s * 0.84, s * 0.92);
  p.setPen(QPen(QColor(40, 70, 120), s / 32.0));
  p.setBrush(Qt::white);
  p.drawRoundedRect(sheet, s * 0.06, s * 0.06);
  // The table's grid: three columns, five rows.
  p.setPen(QPen(QColor(120, 160, 210), s / 48.0));
  for (int i = 1; i < 3; ++i) {
    const qreal x = sheet.left() + sheet.width() * i / 3;
    p.drawLine(QPointF(x, sheet.top() + s * 0.05), QPointF(x, sheet.bottom() - s * 0.05));
  }
  for (int i = 1; i < 5; ++i) {
    const qreal y = sheet.top() + sheet.height() * i / 5;
    p.drawLine(QPointF(sheet.left() + s * 0.05, y), QPointF(sheet.right() - s * 0.05, y));
  }
  // The letter as an outline, centred as text aligned to the centre is, so
  // that a vector copy of the drawing keeps its shape without the font.
  QFont font;
  font.setBold(true);
  font.setPixelSize(qRound(s * 0.62));
  const QFontMetricsF metrics(font);
  const QString letter = QStringLiteral("P");
  const QPointF baseline(sheet.center().x() - metrics.horizontalAdvance(letter) / 2,
                         sheet.center().y() + (metrics.ascent() - metrics.descent()) / 2);
  QPainterPath outline;
  outline.addText(baseline, font, letter);
  p.fillPath(outline, QColor(200, 60, 40));
}

QPixmap AppIconPixmap(int size) {
  QPixmap pixmap(size, size);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  PaintAppIcon(p, size);
  return pixmap;
}

QIcon AppIcon() {
  QIcon icon;
  for (int size : {16, 32, 48, 64, 128}) icon.addPixmap(AppIconPixmap(size));
  return icon;
}
