// FormatNumber: the text every table and calculation command writes for a
// value, and kErrorText, the text written where no number can stand.
//
// The text is fixed point with exactly `decimals` digits after the point
// (none, and no point, when decimals <= 0), no exponent, no separators. The
// value is first taken as the decimal number of its 15 significant digits, as
// spreadsheets do, so binary noise of the arithmetic never decides a rounding
// (0.1 + 0.2 is 0.3, 2.675 is 2.675); that decimal is then rounded half away
// from zero (0.125 gives 0.13, 2.675 gives 2.68). A negative value keeps its
// "-" even when it rounds to zero (-0.01 with 1 decimal is -0.0).
// Infinities and NaN, which no finite text can show, are written kErrorText,
// as is a division by zero of the two-column arithmetic; the calculator reads
// kErrorText back as NaN. More than kMaxDecimals decimals are written as
// kMaxDecimals.
#pragma once

#include <string>
#include <string_view>

namespace numbers {

inline constexpr std::string_view kErrorText = "Error";
inline constexpr int kMaxDecimals = 340;

std::string FormatNumber(double value, int decimals);

// A whole number with a comma before every group of three digits, as the
// messages give sizes in bytes: 1048575 is "1,048,575".
std::string GroupedDigits(long long value);

}  // namespace numbers
