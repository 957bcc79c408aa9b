// DisplayFont: the Qt font of a font profile in the settings store.
//
// The stored profile describes a Windows font ("ＭＳ ゴシック", height -16,
// weight 700). Here the Windows face names are mapped to installed Japanese
// faces, a negative height is the pixel height of the characters and a
// positive one the height of the whole cell, and weights keep their scale
// (400 normal, 700 bold).
#pragma once

#include <QFont>
#include <string>

#include "platform/FontDescription.h"

class SettingsStore;

namespace display_font {

// Registers the Japanese Windows face names as substitutes for installed faces.
// Run once after the application object exists.
void RegisterSubstitutions();

// The font of section `section` (setting::kScreenFontSection or
// setting::kPrintFontSection, see SettingsKeys.h); a stored height of 0
// means none is stored, and then the system's general font is used.
QFont FromSettings(const SettingsStore& settings, const std::string& section);

// The Qt font of a description whose height (not 0) is in the device's pixels;
// its pixel size is kept within 1..kMaxFontHeight (SettingsKeys.h).
QFont FromDescription(const FontDescription& description);

}  // namespace display_font
