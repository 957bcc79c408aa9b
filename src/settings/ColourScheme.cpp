#include "settings/ColourScheme.h"

#include <string>

#include "settings/SettingsStore.h"

namespace {

constexpr const char* kTextSection = ColourScheme::kTextSection;
constexpr const char* kTokenSection = ColourScheme::kTokenSection;
constexpr const char* kCustomSection = ColourScheme::kCustomSection;

std::string UserStringKey(int slot) { return "Str" + std::to_string(slot + 1); }
std::string CustomColourKey(int index) { return "CstClr" + std::to_string(index); }

Colour ReadColour(const SettingsStore& s, const std::string& section, const std::string& key, Colour def) {
  return static_cast<Colour>(s.GetInt(section, key, static_cast<std::int32_t>(def)));
}

void WriteColour(SettingsStore& s, const std::string& section, const std::string& key, Colour c) {
  s.WriteInt(section, key, static_cast<std::int32_t>(c));
}

}  // namespace

ColourScheme ColourScheme::Load(const SettingsStore& settings) {
  ColourScheme c;
  c.text = ReadColour(settings, kTextSection, "TextColor", kDefaultText);
  c.background = ReadColour(settings, kTextSection, "BackColor", kDefaultBackground);
  for (int k = 0; k < kTokenCount; ++k)
    c.tokens[k] = ReadColour(settings, kTokenSection, kTokens[k], kDefaultTokenColours[k]);
  for (int i = 0; i < kUserStringCount; ++i) {
    c.userStrings[i] = settings.GetString(kTokenSection, UserStringKey(i), "");
    c.userColours[i] = ReadColour(settings, kTokenSection, c.userStrings[i], kDefaultUserColour);
  }
  return c;
}

void ColourScheme::Store(SettingsStore& settings) const {
  WriteColour(settings, kTextSection, "TextColor", text);
  WriteColour(settings, kTextSection, "BackColor", background);
  for (int k = 0; k < kTokenCount; ++k) WriteColour(settings, kTokenSection, kTokens[k], tokens[k]);
  for (int i = 0; i < kUserStringCount; ++i) {
    settings.WriteString(kTokenSection, UserStringKey(i), userStrings[i]);
    WriteColour(settings, kTokenSection, userStrings[i], userColours[i]);
  }
}

ColourScheme::CustomColours ColourScheme::LoadCustomColours(const SettingsStore& settings) {
  CustomColours colours;
  for (int j = 0; j < kCustomColourCount; ++j)
    colours[j] = ReadColour(settings, kCustomSection, CustomColourKey(j), kDefaultCustomColour);
  return colours;
}

void ColourScheme::StoreCustomColours(SettingsStore& settings, const CustomColours& colours) {
  for (int j = 0; j < kCustomColourCount; ++j) WriteColour(settings, kCustomSection, CustomColourKey(j), colours[j]);
}
