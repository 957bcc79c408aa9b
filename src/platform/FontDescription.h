// FontDescription: a font as the settings store describes it (the fields of
// a Windows logical font that the program keeps).
//
// height: negative, the character height in pixels; positive, the cell
// height; 0, no font. weight: 100 to 900 (400 normal, 700 bold). The face
// name is UTF-8 and names the font as it was chosen; the window maps Windows
// Japanese names to installed faces.
#pragma once

#include <string>

struct FontDescription {
  int height = -16;
  int weight = 700;
  int italic = 0;
  int pitchAndFamily = 49;  // fixed pitch, "modern" family
  int charSet = 128;        // Shift-JIS
  std::string faceName = "ＭＳ ゴシック";
  bool operator==(const FontDescription&) const = default;
};
