#include "platform/qt/FontChooser.h"

#include <QFontDatabase>
#include <QFontDialog>
#include <QFontInfo>
#include <QFontMetrics>
#include <algorithm>
#include <cmath>
#include <cstdint>

#include "settings/SettingsKeys.h"

namespace font_chooser {

QFont FontOf(const FontDescription& d) {
  QFont font(QString::fromStdString(d.faceName));
  font.setWeight(static_cast<QFont::Weight>(std::clamp(d.weight == 0 ? 400 : d.weight, 100, 900)));
  font.setItalic(d.italic != 0);
  if ((d.pitchAndFamily & 0xF0) == 0x30) font.setStyleHint(QFont::TypeWriter);  // the "modern" family
  font.setKerning(false);  // characters stand where the buffer measured them

  // The pixel size, at least 1 and at most kMaxFontHeight whatever the
  // description holds (a damaged file may hold any int); squared in 64 bits.
  const std::int64_t height = d.height;
  const std::int64_t wanted = std::clamp<std::int64_t>(height < 0 ? -height : height, 1, kMaxFontHeight);
  font.setPixelSize(static_cast<int>(wanted));
  if (height > 0) {
    // A positive height is the cell (ascent + descent); find the character size that gives it.
    const std::int64_t cell = QFontMetrics(font).height();
    if (cell > 0 && cell != wanted)
      font.setPixelSize(static_cast<int>(std::clamp<std::int64_t>(wanted * wanted / cell, 1, kMaxFontHeight)));
  }
  return font;
}

QFont ShownFont(const QFont& used, int screenDpiY) {
  const QFontInfo resolved(used);
  QFont shown(resolved.family());
  shown.setWeight(static_cast<QFont::Weight>(resolved.weight()));
  shown.setItalic(resolved.italic());
  const int pixels = used.pixelSize() > 0 ? used.pixelSize() : resolved.pixelSize();
  shown.setPointSizeF(std::max(1, pixels) * 72.0 / std::max(1, screenDpiY));
  return shown;
}

int PixelHeightOf(double points, int screenDpiY) {
  // Cut before rounding: a size typed into the dialog may be any number.
  const double pixels = std::isfinite(points) ? points * std::max(1, screenDpiY) / 72.0 : 1.0;
  return -static_cast<int>(std::lround(std::clamp(pixels, 1.0, static_cast<double>(kMaxFontHeight))));
}

bool Choose(FontDescription& description, int screenDpiY, QWidget* parent, const QString& title) {
  const QFont used =
      description.height == 0 ? QFontDatabase::systemFont(QFontDatabase::GeneralFont) : FontOf(description);
  // The dialog shows the font as its lists can: what it shows on opening is
  // what OK without a change gives back.
  QFontDialog dialog(ShownFont(used, screenDpiY), parent);
  dialog.setWindowTitle(title);
  const QFont shown = dialog.currentFont();
  if (dialog.exec() != QDialog::Accepted) return false;
  const QFont chosen = dialog.selectedFont();
  const bool unchanged = chosen.family() == shown.family() && chosen.weight() == shown.weight() &&
                         chosen.italic() == shown.italic() &&
                         PixelHeightOf(chosen.pointSizeF(), screenDpiY) == PixelHeightOf(shown.pointSizeF(), screenDpiY);
  if (unchanged) return true;
  description.faceName = chosen.family().toStdString();
  description.height = chosen.pixelSize() > 0 ? -std::clamp(chosen.pixelSize(), 1, kMaxFontHeight)
                                              : PixelHeightOf(chosen.pointSizeF(), screenDpiY);
  description.weight = chosen.weight();
  description.italic = chosen.italic() ? 1 : 0;
  return true;
}

}  // namespace font_chooser
