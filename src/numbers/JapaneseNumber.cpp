#include "numbers/JapaneseNumber.h"

#include <algorithm>
#include <array>
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

// A number before a unit, or the last one after the units: its digits (the
// fraction's too, without the point) stand for digits x 10^scale.
struct UnitGroup {
  std::string digits;
  int scale = 0;
};

UnitGroup MakeGroup(std::string_view plainNumber, int unitExponent, int fractionDigits) {
  UnitGroup g;
  g.digits.reserve(plainNumber.size());
  for (const char c : plainNumber)
    if (c != '.') g.digits += c;
  g.scale = unitExponent - fractionDigits;
  return g;
}

// The plain text of the sum of the groups, added exactly as decimals: the
// digits of the sum, then the power of ten they are scaled by, as zeros, a
// point or an exponent.
std::string PlainSum(bool negative, const UnitGroup* groups, std::size_t count) {
  int lowest = groups[0].scale;
  for (std::size_t i = 1; i < count; ++i) lowest = std::min(lowest, groups[i].scale);
  std::size_t width = 0;
  for (std::size_t i = 0; i < count; ++i)
    width = std::max(width, groups[i].digits.size() + static_cast<std::size_t>(groups[i].scale - lowest));
  ++width;  // room for a carry
  std::vector<int> column(width, 0);  // column[k]: the digit sum at 10^(lowest + k)
  for (std::size_t i = 0; i < count; ++i) {
    const std::string& d = groups[i].digits;
    const std::size_t shift = static_cast<std::size_t>(groups[i].scale - lowest);
    for (std::size_t j = 0; j < d.size(); ++j) column[shift + j] += d[d.size() - 1 - j] - '0';
  }
  for (std::size_t k = 0; k + 1 < width; ++k) {
    column[k + 1] += column[k] / 10;
    column[k] %= 10;
  }
  std::size_t top = width;
  while (top > 1 && column[top - 1] == 0) --top;
  std::string plain = negative ? "-" : "";
  for (std::size_t k = top; k-- > 0;) plain += static_cast<char>('0' + column[k]);
  if (lowest > 0 && top + static_cast<std::size_t>(lowest) <= 15) {
    plain.append(static_cast<std::size_t>(lowest), '0');  // the short exact path of CellNumber
  } else if (lowest != 0) {
    plain += 'e';
    plain += std::to_string(lowest);
  }
  return plain;
}

// The text where the short path does not apply: blanks, signs and currency
// signs of both widths, then the number and its units.
double ReadJapanese(std::string_view s) {
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

  std::string plain = negative ? "-" : "";
  const std::size_t numberStart = plain.size();
  const NumberRead first = ReadNumber(s, p, plain, true);
  if (!first.found) return 0.0;
  int unit = first.exponent ? 0 : UnitExponent(CodeAt(s, p, length));
  if (unit == 0) return CellNumber(plain);

  // At most one group for each of the four units, and the digits after the last.
  std::array<UnitGroup, 5> groups;
  std::size_t count = 0;
  groups[count++] = MakeGroup(std::string_view(plain).substr(numberStart), unit, first.fractionDigits);
  p += length;
  std::string next;
  for (;;) {
    next.clear();
    std::size_t q = p;
    const NumberRead g = ReadNumber(s, q, next, false);
    if (!g.found) break;
    const int nextUnit = UnitExponent(CodeAt(s, q, length));
    if (nextUnit == 0) {
      groups[count++] = MakeGroup(next, 0, g.fractionDigits);
      break;
    }
    if (nextUnit >= unit) break;  // out of order: the number ended with the unit before
    groups[count++] = MakeGroup(next, nextUnit, g.fractionDigits);
    unit = nextUnit;
    p = q + length;
  }
  return CellNumber(PlainSum(negative, groups.data(), count));
}

}  // namespace

double JapaneseNumber(std::string_view s) {
  // Plain ASCII numbers read as the plain rule reads them: what follows the
  // leading digits and points decides whether anything else can be meant.
  std::size_t p = 0;
  while (p < s.size() && IsBlank(s[p])) ++p;
  if (p < s.size() && (s[p] == '+' || s[p] == '-')) ++p;
  if (p == s.size()) return CellNumber(s);
  const char c = s[p];
  if (IsDigit(c) || c == '.') {
    while (p < s.size() && (IsDigit(s[p]) || s[p] == '.')) ++p;
    if (p == s.size() || (s[p] != ',' && static_cast<unsigned char>(s[p]) < 0x80)) return CellNumber(s);
  } else if (static_cast<unsigned char>(c) < 0x80 && c != '$' && c != '\\') {
    return CellNumber(s);
  }
  return ReadJapanese(s);
}

}  // namespace numbers
