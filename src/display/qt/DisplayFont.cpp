#include "display/qt/DisplayFont.h"

#include <QFontDatabase>
#include <QStringList>

#include "platform/qt/FontChooser.h"
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

QFont FromDescription(const FontDescription& d) { return font_chooser::FontOf(d); }

}  // namespace display_font
