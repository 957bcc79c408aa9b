// NumberReading: which rule reads a cell's value, and the one switch every
// table and calculation command reads values through.
//
// Plain is the cell rule of CellNumber.h and the default; Japanese is
// JapaneseNumber.h, chosen by the user ("Settings"/"JapaneseNumbers"). With
// Plain every value is CellNumber's, bit for bit.
#pragma once

#include <string_view>

#include "numbers/CellNumber.h"
#include "numbers/JapaneseNumber.h"

namespace numbers {

enum class NumberReading { Plain, Japanese };

inline double CellValue(std::string_view cellText, NumberReading reading) {
  return reading == NumberReading::Japanese ? JapaneseNumber(cellText) : CellNumber(cellText);
}

}  // namespace numbers
