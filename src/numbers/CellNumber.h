// CellNumber: the value a cell's text stands for, as every table and
// calculation command reads it.
//
// A cell reads as the number it begins with: leading blanks (NumberChars.h),
// an optional sign, digits with an optional decimal point and an optional
// exponent; reading stops at the first other character, and a text that does
// not begin with a number reads 0. Thousands separators are not numbers
// ("1,5" reads 1). A value too large for a double reads as an infinity, one
// too small as 0. Plain decimals of up to 15 digits take a short exact path;
// every other text goes through the full conversion, which gives the same
// double.
#pragma once

#include <cstddef>
#include <string_view>

namespace numbers {

double CellNumber(std::string_view cellText);
// The same, and where the number read ends in the text (0 when the text does
// not begin with a number).
double CellNumber(std::string_view cellText, std::size_t& numberEnd);

}  // namespace numbers
