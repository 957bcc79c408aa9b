// FontProfile: a font description kept in one section of the settings store
// ("Font" for the display font, "PrintFont" for the print font).
//
// Keys: "Height", "Weight", "Italic", "PitchAndFamily", "CharSet" (integers)
// and "FaceName" (text, at most 31 bytes of CP932). A stored height of 0
// means no font is stored: nothing else is read. Saving writes only the
// fields that differ from the description last read or written, so choosing
// the same font again writes nothing.
#pragma once

#include <string>

#include "platform/FontDescription.h"

class SettingsStore;

namespace font_profile {

// Fills `description` from the store; with a stored height of 0 only the
// height changes.
void Load(const SettingsStore& settings, const std::string& section, FontDescription& description);

// Writes the fields of `current` that differ from `saved`, then saved = current.
void Save(SettingsStore& settings, const std::string& section, const FontDescription& current, FontDescription& saved);

}  // namespace font_profile
