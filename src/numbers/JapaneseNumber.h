// JapaneseNumber: the value of a cell's text written as Japanese tables write
// numbers, read beside the plain rule of CellNumber.h.
//
// Like the plain rule it reads the longest number at the start of the text and
// ignores what follows ("12個" is 12, "1,980円(税込)" 1980); a text that does
// not begin with a number reads 0. It also understands:
//   - half- and full-width blanks before the number;
//   - full-width digits, point, signs and exponent letters (０-９ ． ＋ － ｅ Ｅ),
//     mixed with half-width ones;
//   - one leading sign: "-", "－", "▲" or "△" for minus, "+" or "＋";
//   - one currency sign "¥" (the byte 0x5C as a character of its own, never
//     as a trail byte), "￥" or "$", before or after the sign;
//   - thousands separators "," or "，" only between groups of exactly three
//     digits after a first group of one to three ("1,234,567.5"); any other
//     separator ends the number ("1,23" is 1, "12,5" is 12, "1234,567" 1234);
//   - the units 千 (10^3), 万 (10^4), 億 (10^8) and 兆 (10^12) after a number
//     without exponent, combined from large to small ("1億2345万6789",
//     "1.5万", "3万5千"); a unit that is not smaller than the one before ends
//     the number before the group it follows ("5万3億" is 50000).
// The value is CellNumber of the same number written plainly (half-width,
// without separators, units as the digits they stand for), so it is the
// double the plain rule gives for that text. Plain ASCII text without ",",
// "$" and "\" reads exactly as CellNumber reads it, on a short path.
#pragma once

#include <string_view>

namespace numbers {

double JapaneseNumber(std::string_view cellText);

// The same value found the long way for every text: the number written out
// plainly and read by CellNumber. JapaneseNumber takes short paths for plain
// ASCII numbers and for numbers of at most 15 digits a group; tests and the
// fuzz target hold them to this.
double JapaneseNumberByText(std::string_view cellText);

}  // namespace numbers
