#include "print/PrintFont.h"

#include <algorithm>
#include <cstdint>
#include <limits>

#include "settings/SettingsKeys.h"
#include "settings/SettingsStore.h"

namespace print_font {

int MulDiv(int a, int b, int c) {
  if (c == 0) return 0;
  const std::int64_t product = static_cast<std::int64_t>(a) * b;
  std::int64_t q = product / c;
  const std::int64_t r = product % c;
  // Round half away from zero.
  if (2 * (r < 0 ? -r : r) >= (c < 0 ? -static_cast<std::int64_t>(c) : c)) q += (product < 0) != (c < 0) ? -1 : 1;
  return static_cast<int>(std::clamp<std::int64_t>(q, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

int BoundedHeight(int height) { return std::clamp(height, -kMaxFontHeight, kMaxFontHeight); }

FontDescription Load(const SettingsStore& settings, const char* section) {
  FontDescription f;
  f.height = settings.GetInt(setting::FontHeight(section));
  f.faceName = settings.GetString(setting::FontFaceName(section));
  f.weight = settings.GetInt(setting::FontWeight(section));
  f.italic = settings.GetInt(setting::FontItalic(section)) != 0;
  f.pitchAndFamily = settings.GetInt(setting::FontPitchAndFamily(section));
  return f;
}

void SavePrintFont(SettingsStore& settings, const FontDescription& font) {
  const char* s = setting::kPrintFontSection;
  const FontDescription old = Load(settings, s);
  if (old.height != font.height) settings.WriteInt(setting::FontHeight(s), font.height);
  if (old.faceName != font.faceName) settings.WriteString(setting::FontFaceName(s), font.faceName);
  if (old.weight != font.weight) settings.WriteInt(setting::FontWeight(s), font.weight);
  if (old.italic != font.italic) settings.WriteInt(setting::FontItalic(s), font.italic ? 1 : 0);
  if (old.pitchAndFamily != font.pitchAndFamily) settings.WriteInt(setting::FontPitchAndFamily(s), font.pitchAndFamily);
}

FontDescription ToScreenUnits(FontDescription font, int screenDpiY, int printerDpiY) {
  font.height = BoundedHeight(MulDiv(font.height, screenDpiY, printerDpiY));
  return font;
}

FontDescription ToPrinterUnits(FontDescription font, int screenDpiY, int printerDpiY) {
  font.height = BoundedHeight(MulDiv(font.height, printerDpiY, screenDpiY));
  return font;
}

FontDescription ForPrinting(const SettingsStore& settings, int printFontHeight, int screenDpiY, int printerDpiY) {
  if (printFontHeight != 0) {
    FontDescription f = Load(settings, setting::kPrintFontSection);
    f.height = BoundedHeight(printFontHeight);
    return f;
  }
  FontDescription f = Load(settings, setting::kScreenFontSection);
  if (f.height == 0) f.height = setting::FontHeight(setting::kScreenFontSection).defaultValue;
  return ToPrinterUnits(f, screenDpiY, printerDpiY);
}

}  // namespace print_font
