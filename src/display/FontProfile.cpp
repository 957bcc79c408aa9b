#include "display/FontProfile.h"

#include "settings/SettingsKeys.h"
#include "settings/SettingsStore.h"
#include "text/Cp932.h"

namespace font_profile {

namespace {

constexpr std::size_t kFaceBytes = 31;

// The face as the store may hold it: at most 31 bytes of CP932, never half a character.
std::string LimitFace(const std::string& utf8) {
  const std::string bytes = cp932::FromUtf8(utf8);
  if (bytes.size() <= kFaceBytes) return utf8;
  return cp932::ToUtf8(std::string_view(bytes).substr(0, cp932::SnapBack(bytes, kFaceBytes)));
}

}  // namespace

void Load(const SettingsStore& settings, const std::string& section, FontDescription& d) {
  const char* s = section.c_str();
  d.height = settings.GetInt(setting::FontHeight(s));
  if (d.height == 0) return;
  d.weight = settings.GetInt(setting::FontWeight(s));
  d.italic = settings.GetInt(setting::FontItalic(s)) & 0xFF;
  d.pitchAndFamily = settings.GetInt(setting::FontPitchAndFamily(s)) & 0xFF;
  d.charSet = settings.GetInt(setting::FontCharSet(s)) & 0xFF;
  d.faceName = LimitFace(settings.GetString(setting::FontFaceName(s)));
}

void Save(SettingsStore& settings, const std::string& section, const FontDescription& current, FontDescription& saved) {
  const char* s = section.c_str();
  if (current.height != saved.height) settings.WriteInt(setting::FontHeight(s), current.height);
  if (current.height != 0) {
    if (current.weight != saved.weight) settings.WriteInt(setting::FontWeight(s), current.weight);
    if (current.italic != saved.italic) settings.WriteInt(setting::FontItalic(s), current.italic);
    if (current.pitchAndFamily != saved.pitchAndFamily)
      settings.WriteInt(setting::FontPitchAndFamily(s), current.pitchAndFamily);
    if (current.charSet != saved.charSet) settings.WriteInt(setting::FontCharSet(s), current.charSet);
    if (LimitFace(current.faceName) != saved.faceName)
      settings.WriteString(setting::FontFaceName(s), LimitFace(current.faceName));
  }
  saved = current;
  saved.faceName = LimitFace(current.faceName);
}

}  // namespace font_profile
