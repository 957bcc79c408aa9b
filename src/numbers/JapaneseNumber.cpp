#include "numbers/JapaneseNumber.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "numbers/CellNumber.h"
#include "numbers/NumberChars.h"
#include "numbers/WideNumberChars.h"

namespace numbers {

namespace {

// The code of the character at p, or 0 (which no rule takes) at the end.
unsigned CodeAt(std::string_view s, std::size_t p, std::size_t& length) {
  if (p >= s.size()) {
    length = 0;
    return 0;
  }
  return CharCode(s, p, length);
}

// Appends the digits of the run of half- and full-width digits at p, as ASCII,
// and moves p past them; the number of digits.
std::size_t ReadDigits(std::string_view s, std::size_t& p, std::string& plain) {
  std::size_t count = 0;
  std::size_t length = 0;
  for (int d; (d = DigitOf(CodeAt(s, p, length))) >= 0; p += length, ++count) plain += static_cast<char>('0' + d);
  return count;
}

// Whether the character at p is a thousands separator followed by exactly
// three digits and no fourth; its length in `length`.
bool SeparatorGroupAt(std::string_view s, std::size_t p, std::size_t& length) {
  const unsigned c = CodeAt(s, p, length);
  if (c != ',' && c != wide::kComma) return false;
  std::size_t q = p + length;
  std::size_t l = 0;
  for (int i = 0; i < 3; ++i, q += l)
    if (DigitOf(CodeAt(s, q, l)) < 0) return false;
  return DigitOf(CodeAt(s, q, l)) < 0;
}

struct NumberRead {
  bool found = false;
  bool exponent = false;
  int fractionDigits = 0;
};

// One number at p (digits with separators, a point and a fraction, with
// `allowExponent` an exponent) written plainly onto `plain`: ASCII digits, ".",
// "e" and the exponent's sign and digits. p moves past it; nothing moves and
// nothing is written when no digit stands there.
NumberRead ReadNumber(std::string_view s, std::size_t& p, std::string& plain, bool allowExponent) {
  const std::size_t start = p;
  const std::size_t plainStart = plain.size();
  NumberRead read;
  std::size_t integerDigits = ReadDigits(s, p, plain);
  std::size_t length = 0;
  if (integerDigits >= 1 && integerDigits <= 3) {
    while (SeparatorGroupAt(s, p, length)) {
      p += length;
      integerDigits += ReadDigits(s, p, plain);
    }
  }
  std::size_t fractionDigits = 0;
  const unsigned point = CodeAt(s, p, length);
  if (point == '.' || point == wide::kPoint) {
    plain += '.';
    p += length;
    fractionDigits = ReadDigits(s, p, plain);
  }
  if (integerDigits + fractionDigits == 0) {
    p = start;
    plain.resize(plainStart);
    return read;
  }
  read.found = true;
  read.fractionDigits = static_cast<int>(fractionDigits);
  if (!allowExponent) return read;
  const unsigned e = CodeAt(s, p, length);
  if (e != 'e' && e != 'E' && e != wide::kSmallE && e != wide::kCapitalE) return read;
  std::size_t q = p + length;
  std::size_t l = 0;
  const unsigned sign = CodeAt(s, q, l);
  const char signChar = sign == '+' || sign == wide::kPlus ? '+' : sign == '-' || sign == wide::kMinus ? '-' : 0;
  if (signChar) q += l;
  if (DigitOf(CodeAt(s, q, l)) < 0) return read;  // "1e" and "1e+" read 1, as the plain rule has it
  plain += 'e';
  if (signChar) plain += signChar;
  ReadDigits(s, q, plain);
  p = q;
  read.exponent = true;
  return read;
}

// A number before a unit, or the last one after the units: plain[begin, end)
// holds its digits (and its point), which stand for digits x 10^scale.
struct UnitGroup {
  std::size_t begin = 0;
  std::size_t end = 0;
  int scale = 0;
};

constexpr std::uint64_t kExactLimit = 1000000000000000;  // 10^15
constexpr double kPowers[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                              1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

// The digit of a half- or full-width digit at p (a boundary), or -1: 0x82
// is a lead byte and 0x4F-0x58 are trail bytes, so the pair is one character.
int DigitAt(std::string_view s, std::size_t p, std::size_t& length) {
  if (p >= s.size()) return -1;
  const unsigned char c = static_cast<unsigned char>(s[p]);
  if (static_cast<unsigned>(c - '0') < 10u) {
    length = 1;
    return c - '0';
  }
  if (c == 0x82 && p + 1 < s.size()) {
    const unsigned char t = static_cast<unsigned char>(s[p + 1]);
    if (static_cast<unsigned>(t - 0x4F) < 10u) {
      length = 2;
      return t - 0x4F;
    }
  }
  return -1;
}

// A number of the quick path: at most 15 digits as an integer, standing for
// mantissa x 10^scale.
struct QuickGroup {
  std::uint64_t mantissa = 0;
  int scale = 0;
};

// The common forms without any text: numbers of at most 15 digits in each
// group and no exponent. The sum is an integer below 10^15 times a power of
// ten of at most 22 either way; both are exact doubles, and one
// multiplication or division rounds once, correctly, as the full conversion
// does, so the value is the full reader's. False, with nothing decided, for
// anything else.
bool QuickJapanese(std::string_view s, double& value) {
  const std::size_t n = s.size();
  auto byte = [&](std::size_t i) { return i < n ? static_cast<unsigned char>(s[i]) : 0u; };
  std::size_t p = 0;
  for (;;) {
    if (p < n && IsBlank(s[p]))
      ++p;
    else if (byte(p) == 0x81 && byte(p + 1) == 0x40)
      p += 2;
    else
      break;
  }
  bool negative = false;
  bool signSeen = false;
  auto takeSign = [&] {
    const unsigned c = byte(p);
    if (c == '+' || c == '-') {
      negative = c == '-';
      ++p;
    } else if (c == 0x81 && (byte(p + 1) == 0x7B || byte(p + 1) == 0x7C || byte(p + 1) == 0xA2 || byte(p + 1) == 0xA3)) {
      negative = byte(p + 1) != 0x7B;  // ＋, or － △ ▲
      p += 2;
    } else {
      return;
    }
    signSeen = true;
  };
  takeSign();
  if (byte(p) == '\\' || byte(p) == '$') {
    ++p;
    if (!signSeen) takeSign();
  } else if (byte(p) == 0x81 && byte(p + 1) == 0x8F) {  // ￥
    p += 2;
    if (!signSeen) takeSign();
  }

  std::array<QuickGroup, 5> groups;
  std::size_t count = 0;
  int unit = 99;
  for (;;) {
    std::size_t q = p;
    std::size_t length = 0;
    std::uint64_t mantissa = 0;
    int digits = 0;
    int integerDigits = 0;
    for (int d; (d = DigitAt(s, q, length)) >= 0; q += length, ++integerDigits) {
      if (++digits > 15) return false;
      mantissa = mantissa * 10 + static_cast<std::uint64_t>(d);
    }
    if (integerDigits >= 1 && integerDigits <= 3) {
      for (;;) {
        const std::size_t separator = byte(q) == ',' ? 1 : byte(q) == 0x81 && byte(q + 1) == 0x43 ? 2 : 0;
        if (separator == 0) break;
        std::size_t r = q + separator;
        std::uint64_t group = 0;
        int taken = 0;
        for (int d; taken < 3 && (d = DigitAt(s, r, length)) >= 0; r += length, ++taken)
          group = group * 10 + static_cast<std::uint64_t>(d);
        if (taken < 3 || DigitAt(s, r, length) >= 0) break;
        if ((digits += 3) > 15) return false;
        mantissa = mantissa * 1000 + group;
        q = r;
      }
    }
    int fractionDigits = 0;
    if (byte(q) == '.' || (byte(q) == 0x81 && byte(q + 1) == 0x44)) {
      q += byte(q) == '.' ? 1 : 2;
      for (int d; (d = DigitAt(s, q, length)) >= 0; q += length, ++fractionDigits) {
        if (++digits > 15) return false;
        mantissa = mantissa * 10 + static_cast<std::uint64_t>(d);
      }
    }
    if (digits == 0) break;  // no number here: the one before, if any, ended the number
    if (count == 0) {
      const unsigned e = byte(q);
      const bool letter = e == 'e' || e == 'E' || (e == 0x82 && (byte(q + 1) == 0x85 || byte(q + 1) == 0x64));
      if (letter) return false;  // perhaps an exponent: the full reader decides
    }
    const unsigned lead = byte(q);
    const unsigned trail = byte(q + 1);
    const int nextUnit = lead == 0x90 && trail == 0xE7   ? 3
                         : lead == 0x96 && trail == 0x9C ? 4
                         : lead == 0x89 && trail == 0xAD ? 8
                         : lead == 0x92 && trail == 0x9B ? 12
                                                         : 0;
    if (count > 0 && nextUnit >= unit) break;  // out of order: the number ended with the unit before
    groups[count++] = {mantissa, nextUnit - fractionDigits};
    if (nextUnit == 0) break;
    unit = nextUnit;
    p = q + 2;
  }
  if (count == 0) {
    value = 0.0;
    return true;
  }

  int lowest = groups[0].scale;
  for (std::size_t i = 1; i < count; ++i) lowest = std::min(lowest, groups[i].scale);
  if (lowest > 22 || lowest < -22) return false;
  std::uint64_t total = 0;
  for (std::size_t i = 0; i < count; ++i) {
    const int shift = groups[i].scale - lowest;
    if (groups[i].mantissa == 0) continue;
    if (shift > 15) return false;
    const std::uint64_t power = static_cast<std::uint64_t>(kPowers[shift]);
    if (groups[i].mantissa > (kExactLimit - 1 - total) / power) return false;
    total += groups[i].mantissa * power;
  }
  const double t = static_cast<double>(total);
  value = lowest >= 0 ? t * kPowers[lowest] : t / kPowers[-lowest];
  if (negative) value = -value;
  return true;
}

// The plain text of the sum of the groups, added exactly as decimals: the
// digits of the sum, then the power of ten they are scaled by, as an exponent.
std::string PlainSum(std::string_view plain, bool negative, const UnitGroup* groups, std::size_t count) {
  int lowest = groups[0].scale;
  for (std::size_t i = 1; i < count; ++i) lowest = std::min(lowest, groups[i].scale);
  std::vector<std::string> digits(count);
  std::size_t width = 0;
  for (std::size_t i = 0; i < count; ++i) {
    for (std::size_t k = groups[i].begin; k < groups[i].end; ++k)
      if (plain[k] != '.') digits[i] += plain[k];
    width = std::max(width, digits[i].size() + static_cast<std::size_t>(groups[i].scale - lowest));
  }
  ++width;  // room for a carry
  std::vector<int> column(width, 0);  // column[k]: the digit sum at 10^(lowest + k)
  for (std::size_t i = 0; i < count; ++i) {
    const std::string& d = digits[i];
    const std::size_t shift = static_cast<std::size_t>(groups[i].scale - lowest);
    for (std::size_t j = 0; j < d.size(); ++j) column[shift + j] += d[d.size() - 1 - j] - '0';
  }
  for (std::size_t k = 0; k + 1 < width; ++k) {
    column[k + 1] += column[k] / 10;
    column[k] %= 10;
  }
  std::size_t top = width;
  while (top > 1 && column[top - 1] == 0) --top;
  std::string sum = negative ? "-" : "";
  for (std::size_t k = top; k-- > 0;) sum += static_cast<char>('0' + column[k]);
  if (lowest != 0) {
    sum += 'e';
    sum += std::to_string(lowest);
  }
  return sum;
}

}  // namespace

// Blanks, signs and currency signs of both widths, then the number and its
// units, written plainly and read by the plain rule.
double JapaneseNumberByText(std::string_view s) {
  std::size_t p = 0;
  std::size_t length = 0;
  for (unsigned c = CodeAt(s, p, length); length != 0; c = CodeAt(s, p, length)) {
    if (!(length == 1 && IsBlank(static_cast<char>(c))) && c != wide::kBlank) break;
    p += length;
  }
  bool negative = false;
  bool signSeen = false;
  auto takeSign = [&] {
    const unsigned c = CodeAt(s, p, length);
    if (c == '+' || c == wide::kPlus) {
      signSeen = true;
    } else if (c == '-' || c == wide::kMinus || c == wide::kBlackTriangle || c == wide::kWhiteTriangle) {
      signSeen = negative = true;
    } else {
      return;
    }
    p += length;
  };
  takeSign();
  const unsigned currency = CodeAt(s, p, length);
  if (currency == '\\' || currency == '$' || currency == wide::kYen) {
    p += length;
    if (!signSeen) takeSign();
  }

  // The groups' plain texts one after the other; the first has the sign.
  std::string plain = negative ? "-" : "";
  const std::size_t numberStart = plain.size();
  const NumberRead first = ReadNumber(s, p, plain, true);
  if (!first.found) return 0.0;
  // At most one group for each of the four units, and the digits after the last.
  std::array<UnitGroup, 5> groups;
  std::size_t count = 0;
  if (first.exponent) return CellNumber(plain);
  int unit = UnitExponent(CodeAt(s, p, length));
  groups[count++] = {numberStart, plain.size(), unit - first.fractionDigits};
  const bool withUnits = unit != 0;
  if (withUnits) {
    p += length;
    for (;;) {
      const std::size_t begin = plain.size();
      std::size_t q = p;
      const NumberRead g = ReadNumber(s, q, plain, false);
      if (!g.found) break;
      const int nextUnit = UnitExponent(CodeAt(s, q, length));
      if (nextUnit >= unit) {  // out of order: the number ended with the unit before
        plain.resize(begin);
        break;
      }
      groups[count++] = {begin, plain.size(), nextUnit - g.fractionDigits};
      if (nextUnit == 0) break;
      unit = nextUnit;
      p = q + length;
    }
  }
  if (!withUnits) return CellNumber(plain);
  return CellNumber(PlainSum(plain, negative, groups.data(), count));
}

double JapaneseNumber(std::string_view s) {
  // A plain ASCII number reads as the plain rule reads it: what follows it
  // decides whether anything else can be meant (a separator, a full-width
  // digit, an exponent with full-width digits, a unit).
  std::size_t end = 0;
  const double plain = CellNumber(s, end);
  if (end > 0) {
    const char next = end < s.size() ? s[end] : ' ';
    if (next != ',' && next != 'e' && next != 'E' && static_cast<unsigned char>(next) < 0x80) return plain;
  } else {
    std::size_t p = 0;
    while (p < s.size() && IsBlank(s[p])) ++p;
    if (p < s.size() && (s[p] == '+' || s[p] == '-')) ++p;
    if (p == s.size()) return plain;
    const char c = s[p];
    if (!IsDigit(c) && static_cast<unsigned char>(c) < 0x80 && c != '.' && c != '$' && c != '\\') return plain;
  }
  if (double value = 0.0; QuickJapanese(s, value)) return value;
  return JapaneseNumberByText(s);
}

}  // namespace numbers
