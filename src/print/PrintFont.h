// PrintFont: the font a printout is set in, as the settings store keeps it.
//
// A font is described as the display font is (FontDescription). The print
// font's height is in printer pixels (negative: the characters' height; positive: the cell's);
// 0 means there is no print font, and then the display font is used with its
// height scaled from screen to printer pixels. Converting between the two
// units multiplies first and divides with rounding, so a round trip keeps the
// value whenever the resolutions allow it.
//
// Every height this module gives lies within -kMaxFontHeight..kMaxFontHeight
// (SettingsKeys.h), whatever it was given, so the layout and the Qt font
// never compute with a height no printer could use.
#pragma once

#include <string>

#include "platform/FontDescription.h"

class SettingsStore;

namespace print_font {

// a * b / c rounded half away from zero; 0 when c is 0 (the platform's MulDiv).
// Computed in 64 bits; a result beyond the int range is clamped to it.
int MulDiv(int a, int b, int c);

// `height` with its magnitude cut to kMaxFontHeight; the sign and 0 stay.
int BoundedHeight(int height);

// The profile stored under `section` ("Font" or "PrintFont").
FontDescription Load(const SettingsStore& settings, const char* section);
// Writes the print font under "PrintFont", only the values that changed.
void SavePrintFont(SettingsStore& settings, const FontDescription& font);

// The height shown in the font chooser for a printer height, and back;
// both bounded.
FontDescription ToScreenUnits(FontDescription font, int screenDpiY, int printerDpiY);
FontDescription ToPrinterUnits(FontDescription font, int screenDpiY, int printerDpiY);

// The font a printout uses: the print font with the view's height, or, when
// that height is 0, the display font scaled to the printer.
FontDescription ForPrinting(const SettingsStore& settings, int printFontHeight, int screenDpiY, int printerDpiY);

}  // namespace print_font
