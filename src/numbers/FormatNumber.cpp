#include "numbers/FormatNumber.h"

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace numbers {

// FormatNumber without text conversion for the usual values, from 1e-8 up to
// 1e15: the 15 significant digits are the integer m nearest to |value| x 10^k
// for the k that puts m in [10^14, 10^15). The product is rounded, but fma
// gives its exact error, so the side of the half-way point the exact product
// lies on is known; a value on the half-way point itself or on a power of ten
// goes the general way. False when the value is not such a value.
namespace {

bool QuickFormat(double value, int decimals, std::string& out) {
  static constexpr double kPow10[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                      1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
  static constexpr auto kPow10Int = [] {
    std::array<std::uint64_t, 16> powers{};
    powers[0] = 1;
    for (std::size_t i = 1; i < powers.size(); ++i) powers[i] = powers[i - 1] * 10;
    return powers;
  }();
  const double magnitude = std::fabs(value);
  if (!(magnitude >= 1e-8 && magnitude < 1e15)) return false;
  // Integer digits n (10^(n-1) <= |value| < 10^n, -7 <= n <= 15), k = 15 - n.
  // The binary exponent e gives floor(log10 |value|) as floor(e log10 2) or
  // one more (78913 / 2^18 is log10 2 to six digits, exact enough for these e).
  const int binaryExponent = static_cast<int>((std::bit_cast<std::uint64_t>(magnitude) >> 52) & 0x7FF) - 1023;
  const int decimalExponent = (binaryExponent * 78913) >> 18;  // floor, also for negative e
  int k = std::min(14 - decimalExponent, 22);
  if (k > 0 && magnitude * kPow10[static_cast<std::size_t>(k)] >= 1e15) --k;
  const double product = magnitude * kPow10[static_cast<std::size_t>(k)];
  const double error = std::fma(magnitude, kPow10[static_cast<std::size_t>(k)], -product);  // exact: product + error = |value| x 10^k
  if (!(product > 1e14 && product < 1e15)) return false;
  const double whole = std::floor(product);
  const double above = (product - whole - 0.5) + error;  // sign of (exact - whole - 1/2)
  if (above == 0.0) return false;
  const std::uint64_t m = static_cast<std::uint64_t>(whole) + (above > 0.0 ? 1 : 0);
  if (m >= kPow10Int[15]) return false;

  // Half away from zero at `decimals` on those digits.
  std::uint64_t kept = m;
  int fraction = k;  // fraction digits in `kept`
  if (decimals < k) {
    const int dropped = k - decimals;
    if (dropped > 15) {
      kept = 0;
    } else {
      const std::uint64_t unit = kPow10Int[static_cast<std::size_t>(dropped)];
      kept = m / unit + (m % unit * 2 >= unit ? 1 : 0);
    }
    fraction = decimals;
  }
  char digits[40];
  const int length = static_cast<int>(std::to_chars(digits, digits + sizeof digits, kept).ptr - digits);
  // At least one integer digit.
  const int integerDigits = std::max(length - fraction, 1);
  out.reserve(static_cast<std::size_t>(integerDigits + decimals + 2));
  if (value < 0) out += '-';
  if (length <= fraction) {
    out += '0';
  } else {
    out.append(digits, static_cast<std::size_t>(length - fraction));
  }
  if (decimals > 0) {
    out += '.';
    if (length < fraction) out.append(static_cast<std::size_t>(fraction - length), '0');
    out.append(digits + std::max(length - fraction, 0), static_cast<std::size_t>(std::min(length, fraction)));
    out.append(static_cast<std::size_t>(decimals - fraction), '0');
  }
  return true;
}

}  // namespace

std::string FormatNumber(double value, int decimals) {
  if (!std::isfinite(value)) return std::string(kErrorText);
  if (decimals < 0) decimals = 0;
  if (decimals > kMaxDecimals) decimals = kMaxDecimals;

  if (std::string quick; QuickFormat(value, decimals, quick)) return quick;

  // The 15 significant digits d.dddddddddddddd and the exponent of the first.
  char sci[32];
  const auto [sciEnd, sciEc] =
      std::to_chars(sci, sci + sizeof sci, std::fabs(value), std::chars_format::scientific, 14);
  if (sciEc != std::errc()) return std::string(kErrorText);
  constexpr int kSignificant = 15;
  char significant[kSignificant];
  significant[0] = sci[0];
  std::memcpy(significant + 1, sci + 2, kSignificant - 1);  // past the point
  const char* e = sci + 2 + (kSignificant - 1);              // at the 'e'
  const bool negativeExponent = e[1] == '-';
  int exponent = 0;
  for (const char* p = e + 2; p < sciEnd; ++p) exponent = exponent * 10 + (*p - '0');
  if (negativeExponent) exponent = -exponent;

  // Digit k of that decimal number, counted from the first integer digit
  // of `integerDigits` (k may lie before the significant digits or after
  // them, where the digits are 0).
  const int integerDigits = exponent + 1;
  const int shownInteger = std::max(integerDigits, 1);
  auto digitAt = [&](int k) {  // k: 0 = first shown integer digit
    const int i = k - (shownInteger - integerDigits);  // index into `significant`
    return i >= 0 && i < kSignificant ? significant[i] : '0';
  };

  // Sign, integer digits, point, `decimals` fraction digits: one buffer.
  const bool negative = value < 0;
  std::string out;
  out.reserve(static_cast<std::size_t>(shownInteger + decimals + 3));
  if (negative) out += '-';
  const std::size_t firstDigit = out.size();
  for (int k = 0; k < shownInteger; ++k) out += digitAt(k);
  if (decimals > 0) out += '.';
  for (int k = 0; k < decimals; ++k) out += digitAt(shownInteger + k);

  // Half away from zero: the first dropped digit decides, as the number is
  // now its decimal digits.
  if (digitAt(shownInteger + decimals) >= '5') {
    std::size_t i = out.size();
    while (i > firstDigit) {
      char& d = out[--i];
      if (d == '.') continue;
      if (d != '9') {
        ++d;
        return out;
      }
      d = '0';
    }
    out.insert(out.begin() + static_cast<std::ptrdiff_t>(firstDigit), '1');
  }
  return out;
}

std::string GroupedDigits(long long value) {
  const bool negative = value < 0;
  // Counted as unsigned, so the most negative value has its digits too.
  unsigned long long magnitude = negative ? 0ull - static_cast<unsigned long long>(value) : static_cast<unsigned long long>(value);
  std::string reversed;
  for (int digits = 0; digits == 0 || magnitude != 0; ++digits) {
    if (digits > 0 && digits % 3 == 0) reversed += ',';
    reversed += static_cast<char>('0' + magnitude % 10);
    magnitude /= 10;
  }
  if (negative) reversed += '-';
  return {reversed.rbegin(), reversed.rend()};
}

}  // namespace numbers
