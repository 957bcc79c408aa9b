#include "numbers/CellNumber.h"

#include <charconv>
#include <cmath>
#include <cstdint>

#include "numbers/NumberChars.h"

namespace numbers {

namespace {

// Plain decimal digits with at most one point and no exponent, at most 15
// digits: the digits as an integer below 10^15 and one division by an exact
// power of ten, both exact in a double, so the quotient is the correctly
// rounded value the full conversion gives, and `end` where the digits end.
// False for anything else.
bool PlainDecimal(std::string_view s, std::size_t p, double& value, std::size_t& end) {
  static constexpr double kPowers[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                       1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
  std::uint64_t mantissa = 0;
  int digits = 0;
  int fractionDigits = -1;  // -1: no point yet
  for (; p < s.size(); ++p) {
    const char c = s[p];
    if (IsDigit(c)) {
      if (++digits > 15) return false;
      mantissa = mantissa * 10 + static_cast<std::uint64_t>(c - '0');
      if (fractionDigits >= 0) ++fractionDigits;
    } else if (c == '.' && fractionDigits < 0) {
      fractionDigits = 0;
    } else {
      break;
    }
  }
  if (digits == 0 || (p < s.size() && (s[p] == 'e' || s[p] == 'E'))) return false;
  value = static_cast<double>(mantissa) / kPowers[fractionDigits < 0 ? 0 : fractionDigits];
  end = p;
  return true;
}

}  // namespace

double CellNumber(std::string_view s) {
  std::size_t end = 0;
  return CellNumber(s, end);
}

double CellNumber(std::string_view s, std::size_t& numberEnd) {
  numberEnd = 0;
  std::size_t p = 0;
  while (p < s.size() && IsBlank(s[p])) ++p;
  bool negative = false;
  if (p < s.size() && (s[p] == '+' || s[p] == '-')) negative = s[p++] == '-';
  if (double plain = 0.0; PlainDecimal(s, p, plain, numberEnd)) return negative ? -plain : plain;
  const std::size_t numberStart = p;
  // Decimal exponent of the first significant digit, kept to tell overflow
  // from underflow when the value does not fit a double.
  long long firstDigitExponent = 0;
  bool significant = false;
  std::size_t digits = 0;
  long long integerDigits = 0;
  for (; p < s.size() && IsDigit(s[p]); ++p, ++digits) {
    if (s[p] != '0') significant = true;
    if (significant) ++integerDigits;
  }
  if (significant) firstDigitExponent = integerDigits - 1;
  if (p < s.size() && s[p] == '.') {
    for (++p; p < s.size() && IsDigit(s[p]); ++p, ++digits) {
      if (significant) continue;
      --firstDigitExponent;
      if (s[p] != '0') significant = true;
    }
  }
  if (digits == 0) return 0.0;
  std::size_t end = p;
  numberEnd = p;
  long long exponent = 0;
  if (p < s.size() && (s[p] == 'e' || s[p] == 'E')) {
    std::size_t q = p + 1;
    bool expNegative = false;
    if (q < s.size() && (s[q] == '+' || s[q] == '-')) expNegative = s[q++] == '-';
    if (q < s.size() && IsDigit(s[q])) {
      for (; q < s.size() && IsDigit(s[q]); ++q)
        if (exponent < 1000000000) exponent = exponent * 10 + (s[q] - '0');
      if (expNegative) exponent = -exponent;
      end = q;
      numberEnd = q;
    }
  }
  double value = 0.0;
  const auto result = std::from_chars(s.data() + numberStart, s.data() + end, value, std::chars_format::general);
  if (result.ec == std::errc::result_out_of_range)
    value = significant && firstDigitExponent + exponent > 0 ? HUGE_VAL : 0.0;
  else if (result.ec != std::errc())
    value = 0.0;
  return negative ? -value : value;
}

}  // namespace numbers
