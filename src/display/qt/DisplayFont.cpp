#include "display/qt/DisplayFont.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QStringList>
#include <algorithm>
#include <cstdint>

#include "settings/SettingsKeys.h"
#include "settings/SettingsStore.h"

namespace display_font {

void RegisterSubstitutions() {
  const QStringList gothic = {QStringLiteral("IPAGothic"), QStringLiteral("Noto Sans Mono CJK JP"),
                              QStringLiteral("Noto Sans CJK JP"), QStringLiteral("TakaoGothic"),
                              QStringLiteral("VL Gothic")};
  const QStringList pgothic = {QStringLiteral("IPAPGothic"), QStringLiteral("Noto Sans CJK JP"),
                               QStringLiteral("TakaoPGothic"), QStringLiteral("VL PGothic")};
  const QStringList mincho = {QStringLiteral("IPAMincho"), QStringLiteral("Noto Serif CJK JP"),
                              QStringLiteral("TakaoMincho")};
  const QStringList pmincho = {QStringLiteral("IPAPMincho"), QStringLiteral("Noto Serif CJK JP"),
                               QStringLiteral("TakaoPMincho")};
  QFont::insertSubstitutions(QStringLiteral("ＭＳ ゴシック"), gothic);
  QFont::insertSubstitutions(QStringLiteral("MS Gothic"), gothic);
  QFont::insertSubstitutions(QStringLiteral("ＭＳ Ｐゴシック"), pgothic);
  QFont::insertSubstitutions(QStringLiteral("MS PGothic"), pgothic);
  QFont::insertSubstitutions(QStringLiteral("ＭＳ 明朝"), mincho);
  QFont::insertSubstitutions(QStringLiteral("ＭＳ Ｐ明朝"), pmincho);
}

QFont FromSettings(const SettingsStore& settings, const std::string& section) {
  FontDescription d;
  d.height = settings.GetInt(setting::FontHeight(section.c_str()));
  if (d.height == 0) return QFontDatabase::systemFont(QFontDatabase::GeneralFont);
  d.faceName = settings.GetString(setting::FontFaceName(section.c_str()));
  d.weight = settings.GetInt(setting::FontWeight(section.c_str()));
  d.italic = settings.GetInt(setting::FontItalic(section.c_str()));
  d.pitchAndFamily = settings.GetInt(setting::FontPitchAndFamily(section.c_str())) & 0xFF;
  return FromDescription(d);
}

QFont FromDescription(const FontDescription& d) {
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

}  // namespace display_font
