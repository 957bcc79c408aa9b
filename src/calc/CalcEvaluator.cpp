#include "calc/CalcEvaluator.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <vector>

#include "settings/AppIdentity.h"
#include "text/Cp932.h"
#include "platform/UiHost.h"
#include "numbers/CellNumber.h"
#include "numbers/NumberChars.h"
#include "numbers/FormatNumber.h"
#include "numbers/JapaneseNumber.h"
#include "numbers/WideNumberChars.h"

namespace {

constexpr std::size_t npos = cp932::npos;

using numbers::IsBlank;
using numbers::IsDigit;

bool Contains(std::string_view text, std::string_view needle) { return cp932::Find(text, needle) != npos; }

// The four-decimal text of a power or a group written back into the
// expression. An infinity is written as a number that reads back as the same
// infinity (FormatNumber has no fixed-point text for it), so 2^-2000000000
// still reads 1/infinity = 0; NaN is FormatNumber's kErrorText, which Atof reads
// back as NaN.
std::string Fixed4(double value) {
  if (std::isinf(value)) return value > 0 ? "1e999" : "-1e999";
  return numbers::FormatNumber(value, 4);
}

// The run of digits, with its sign, that atoi would read: [begin, end) of the
// digits and whether a "-" stood before them.
struct WholeDigits {
  std::size_t begin = 0;
  std::size_t end = 0;
  bool negative = false;
};

WholeDigits ScanWhole(std::string_view t) {
  WholeDigits w;
  std::size_t i = 0;
  while (i < t.size() && IsBlank(t[i])) ++i;
  if (i < t.size() && (t[i] == '+' || t[i] == '-')) {
    w.negative = t[i] == '-';
    ++i;
  }
  w.begin = i;
  while (i < t.size() && IsDigit(t[i])) ++i;
  w.end = i;
  return w;
}

// The whole number before a "万" in the form 3万2500, read with atoi's syntax
// but without its 32-bit range, so that a large count of ten-thousands is
// neither cut nor overflowed when it is multiplied by 10,000.
double WholeNumberUnbounded(std::string_view t) {
  const WholeDigits w = ScanWhole(t);
  if (w.begin == w.end) return 0.0;
  double v = 0.0;
  const auto r = std::from_chars(t.data() + w.begin, t.data() + w.end, v);
  if (r.ec == std::errc::result_out_of_range) v = std::numeric_limits<double>::infinity();
  return w.negative ? -v : v;
}

const char* kBaseManMessage = "累乗の底に『万』は使えません。";

}  // namespace

// A formula may grow by substitution to the text's size and 15 MiB more: two
// lines of a text at the smallest limit always had room for 16 of them,
// while a raised limit adds no more than one text's size to the memory.
CalcEvaluator::CalcEvaluator(int& manFlag, int decimalPlaces, UiHost& host, numbers::NumberReading reading,
                             int textLimit)
    : manFlag_(manFlag),
      decimalPlaces_(decimalPlaces),
      host_(host),
      reading_(reading),
      formulaLimit_(static_cast<std::size_t>(std::max(textLimit, 0)) + 15u * 1048575u) {}

// ---------------------------------------------------------------- reading numbers

double CalcEvaluator::Atof(std::string_view t) {
  std::size_t i = 0;
  while (i < t.size() && IsBlank(t[i])) ++i;
  if (i < t.size() && (t[i] == '+' || t[i] == '-')) ++i;
  if (t.substr(i, numbers::kErrorText.size()) == numbers::kErrorText) return std::numeric_limits<double>::quiet_NaN();
  return numbers::CellNumber(t);
}

double CalcEvaluator::Operand(std::string_view t) const {
  if (reading_ == numbers::NumberReading::Plain) return Atof(t);
  std::size_t i = 0;
  while (i < t.size() && IsBlank(t[i])) ++i;
  if (i < t.size() && (t[i] == '+' || t[i] == '-')) ++i;
  if (t.substr(i, numbers::kErrorText.size()) == numbers::kErrorText) return std::numeric_limits<double>::quiet_NaN();
  return numbers::JapaneseNumber(t);
}

int CalcEvaluator::LargestUnit(std::string_view t) const {
  if (reading_ == numbers::NumberReading::Plain) return Contains(t, kMan) ? 1 : 0;
  int largest = 0;
  std::size_t length = 0;
  for (std::size_t p = 0; p < t.size(); p += length) {
    const int exponent = numbers::UnitExponent(numbers::CharCode(t, p, length));
    if (exponent > 0) largest = std::max(largest, exponent == 12 ? 3 : exponent == 8 ? 2 : 1);
  }
  return largest;
}

std::int32_t CalcEvaluator::WholeNumber(std::string_view t) {
  const WholeDigits w = ScanWhole(t);
  long long v = 0;
  constexpr long long kLimit = 1LL << 32;
  for (std::size_t i = w.begin; i < w.end && v < kLimit; ++i) v = v * 10 + (t[i] - '0');
  if (w.negative) v = -v;
  if (v > std::numeric_limits<std::int32_t>::max()) return std::numeric_limits<std::int32_t>::max();
  if (v < std::numeric_limits<std::int32_t>::min()) return std::numeric_limits<std::int32_t>::min();
  return static_cast<std::int32_t>(v);
}

double CalcEvaluator::ReadNumber(std::string& text) {
  if (reading_ == numbers::NumberReading::Japanese) return Operand(text);
  const std::size_t man = cp932::Find(text, kMan);
  if (man == npos) return Atof(text);
  if (man == text.size() - kMan.size()) {
    text.erase(man);
    return Atof(text) * 10000.0;
  }
  const std::string_view t(text);
  return WholeNumberUnbounded(t.substr(0, man)) * 10000.0 + Atof(t.substr(man + kMan.size()));
}

// ---------------------------------------------------------------- powers

// A loop of n multiplications stops changing its product's magnitude once
// the product is 0 or infinite, and never changes it when the base is 0, 1
// or -1; from there on only the sign can alternate, so the loop stops and
// the sign is settled by the parity of the factors left. A product that is
// still finite after 2^20 factors (a base within a hair of 1 or -1) takes the
// factors left from std::pow, which can differ from the loop only in the last
// bits.
double CalcEvaluator::RepeatedProduct(double base, std::uint64_t n) {
  if (n == 0) return 1.0;
  if (std::fabs(base) == 1.0) return (std::signbit(base) && (n & 1)) ? -1.0 : 1.0;
  constexpr std::uint64_t kLoopLimit = std::uint64_t{1} << 20;
  double p = 1.0;
  for (std::uint64_t i = 1; i <= n; ++i) {
    p *= base;
    if (p == 0.0 || std::isinf(p)) {
      if (std::signbit(base) && ((n - i) & 1)) p = -p;
      return p;
    }
    if (i == kLoopLimit && i < n) return p * std::pow(base, static_cast<double>(n - i));
  }
  return p;
}

// ---------------------------------------------------------------- terms and sums

double CalcEvaluator::EvaluateTerm(std::string& text) {
  manFlag_ = std::max(manFlag_, LargestUnit(text));
  // A leading minus becomes a factor, after the powers: -2^2 is -4.
  if (!text.empty() && text[0] == '-') text.replace(0, 1, "-1*");

  // Powers, from the first "^" on while it does not open the term. Each
  // power's base, "^" and exponent are replaced by its value. The text is
  // rebuilt left to right rather than edited in place, so a term of many
  // powers costs one pass: `done` holds the rewritten text before `from`,
  // where the untouched rest of `text` begins; it never holds a "^".
  std::string done;
  std::size_t from = 0;
  std::size_t doneStar = npos;   // last "*" in done
  std::size_t doneSlash = npos;  // last "/" in done
  auto append = [&](std::string_view piece) {
    const std::size_t star = cp932::FindLast(piece, '*');
    const std::size_t slash = cp932::FindLast(piece, '/');
    if (star != npos) doneStar = done.size() + star;
    if (slash != npos) doneSlash = done.size() + slash;
    done.append(piece);
  };
  for (;;) {
    const std::size_t caret = cp932::Find(text, '^', from);
    if (caret == npos || (done.empty() && caret == 0)) break;
    std::size_t exponentEnd = cp932::FindFirstOf(text, "*/", caret + 1);
    if (exponentEnd == npos) exponentEnd = text.size();
    const std::string exponent = text.substr(caret + 1, exponentEnd - caret - 1);
    if (LargestUnit(exponent) > 0) {
      manFlag_ = 0;
      return 0.0;
    }
    // The base runs back to the last "*" before the "^", then to the last "/"
    // after that; a separator at the very start of what is searched does not
    // cut (in 8/2^2 the base is 2, in /2^2 it is /2). Positions count in
    // done followed by text[from, caret).
    const std::string_view segment = std::string_view(text).substr(from, caret - from);
    const std::size_t segmentStar = cp932::FindLast(segment, '*');
    const std::size_t segmentSlash = cp932::FindLast(segment, '/');
    const std::size_t star = segmentStar != npos ? done.size() + segmentStar : doneStar;
    const std::size_t slash = segmentSlash != npos ? done.size() + segmentSlash : doneSlash;
    std::size_t baseStart = star != npos && star > 0 ? star + 1 : 0;
    if (slash != npos && slash > baseStart) baseStart = slash + 1;
    std::string base;
    if (baseStart < done.size()) {
      // Only a first power without separators before it reaches back here.
      base = done.substr(baseStart);
      base.append(segment);
      const std::string kept = done.substr(0, baseStart);
      done.clear();
      doneStar = doneSlash = npos;
      append(kept);
    } else {
      const std::size_t cut = baseStart - done.size();
      base = std::string(segment.substr(cut));
      append(segment.substr(0, cut));
    }
    if (LargestUnit(base) > 0) {
      host_.MessageBox(app_identity::kAppName, kBaseManMessage, MsgButtons::Ok, MsgIcon::Exclamation);
      manFlag_ = 0;
      return 0.0;
    }
    from = exponentEnd;

    const double realExponent = Operand(exponent);
    if (std::isnan(realExponent)) return realExponent;
    const std::int32_t k = WholeNumber(exponent);
    if (realExponent != static_cast<double>(k)) return 0.0;
    const std::uint64_t count = k < 0 ? std::uint64_t{0} - static_cast<std::uint64_t>(static_cast<std::int64_t>(k))
                                      : static_cast<std::uint64_t>(k);
    std::string power = Fixed4(RepeatedProduct(Operand(base), count));
    // A negative exponent leaves the reciprocal to the division step below.
    if (k < 0) power.insert(0, "1/");
    append(power);
  }
  if (!done.empty()) {
    done.append(text, from);
    text = std::move(done);
  }

  // Divisions: every "/" from the first one on (unless it opens the term)
  // takes the operand up to the next "*" or "/" into the divisor product.
  double divisor = 1.0;
  const std::size_t firstSlash = cp932::Find(text, '/');
  if (firstSlash != npos && firstSlash > 0) {
    std::string kept = text.substr(0, firstSlash);
    std::size_t slash = firstSlash;
    while (slash != npos) {
      const std::size_t next = cp932::FindFirstOf(text, "*/", slash + 1);
      std::string operand = text.substr(slash + 1, (next == npos ? text.size() : next) - slash - 1);
      divisor *= ReadNumber(operand);
      if (next == npos || text[next] == '/') {
        slash = next;
        continue;
      }
      slash = cp932::Find(text, '/', next);
      kept.append(text, next, (slash == npos ? text.size() : slash) - next);
    }
    text = std::move(kept);
  }

  // Multiplications: likewise every "*" from the first one on.
  double multiplier = 1.0;
  const std::size_t firstStar = cp932::Find(text, '*');
  if (firstStar != npos && firstStar > 0) {
    std::size_t star = firstStar;
    while (star != npos) {
      const std::size_t next = cp932::Find(text, '*', star + 1);
      std::string operand = text.substr(star + 1, (next == npos ? text.size() : next) - star - 1);
      multiplier *= ReadNumber(operand);
      star = next;
    }
    text.erase(firstStar);
  }

  return ReadNumber(text) * multiplier / divisor;
}

double CalcEvaluator::EvaluateSum(std::string_view input) {
  const std::string text = cp932::ReplaceAll(input, "--", "+");
  double sum = 0.0;
  std::size_t start = 0;
  for (;;) {
    // The next "+" or "-" after the term's first character. A "-" right
    // after "^" is the sign of a power's exponent, and a sign between the "e"
    // of a number (1e-3, 2.5E+4) and a digit is the sign of its exponent:
    // neither splits.
    std::size_t op = npos;
    if (start < text.size()) {
      bool afterCaret = cp932::CharLen(text, start) == 1 && text[start] == '^';
      bool afterNumberE = false;
      char before = cp932::CharLen(text, start) == 1 ? text[start] : '\0';
      for (std::size_t p = cp932::Next(text, start); p < text.size(); p = cp932::Next(text, p)) {
        const bool single = cp932::CharLen(text, p) == 1;
        const char c = text[p];
        const bool exponentSign = afterNumberE && p + 1 < text.size() && IsDigit(text[p + 1]);
        if (single && !exponentSign && (c == '+' || (c == '-' && !afterCaret))) {
          op = p;
          break;
        }
        afterCaret = single && c == '^';
        afterNumberE = single && (c == 'e' || c == 'E') && (IsDigit(before) || before == '.');
        before = single ? c : '\0';
      }
    }
    const std::size_t end = op == npos ? text.size() : op;
    std::string term = text.substr(start, end - start);
    if (!term.empty() && term[0] == '+') term.erase(0, 1);
    sum += EvaluateTerm(term);
    if (op == npos) break;
    start = op;
  }
  return sum;
}

// ---------------------------------------------------------------- groups and the result

// Each mark "str[i]" of an earlier group becomes that group's value text. A
// mark is exactly "str[", the index in plain decimal and "]"; anything else
// that looks alike (str[07], str[x]) stays and reads 0.
std::string CalcEvaluator::ReplaceGroupMarks(std::string_view text, const std::string* values,
                                             std::size_t count) const {
  static constexpr std::string_view kMark = "str[";
  std::string out;
  std::size_t from = 0;
  for (;;) {
    const std::size_t mark = cp932::Find(text, kMark, from);
    if (mark == npos) break;
    std::size_t i = mark + kMark.size();
    const std::size_t digitsBegin = i;
    while (i < text.size() && IsDigit(text[i]) && i - digitsBegin < 20) ++i;
    const std::size_t digits = i - digitsBegin;
    std::uint64_t index = 0;
    bool isMark = digits > 0 && digits < 20 && i < text.size() && text[i] == ']' &&
                  (digits == 1 || text[digitsBegin] != '0');
    if (isMark) {
      std::from_chars(text.data() + digitsBegin, text.data() + i, index);
      isMark = index < count;
    }
    if (!isMark) {
      out.append(text, from, mark + kMark.size() - from);
      from = mark + kMark.size();
      continue;
    }
    out.append(text, from, mark - from);
    out += values[index];
    from = i + 1;
  }
  out.append(text, from);
  return out;
}

std::string CalcEvaluator::EvaluateExpression(std::string_view input) {
  const std::string expression = cp932::RemoveAll(input, ',');

  // Groups, innermost first: each ")" closes the last "(" still open; the
  // group's text becomes a slot and its place is marked "str[n]". An
  // expression that begins with ")" is taken whole.
  std::vector<std::string> slots;
  if (!expression.empty() && expression[0] == ')') {
    slots.push_back(expression);
  } else {
    std::vector<std::string> open(1);  // open[0]: outside every "("
    for (std::size_t p = 0; p < expression.size(); p = cp932::Next(expression, p)) {
      const std::size_t len = cp932::CharLen(expression, p);
      const char c = expression[p];
      if (len == 1 && c == '(') {
        open.emplace_back();
      } else if (len == 1 && c == ')') {
        if (open.size() == 1) {
          manFlag_ = 0;
          return std::string();
        }
        slots.push_back(std::move(open.back()));
        open.pop_back();
        open.back() += "str[" + std::to_string(slots.size() - 1) + "]";
      } else {
        open.back().append(expression, p, len);
      }
    }
    // A "(" that is never closed stays in the text; what follows it reads 0.
    std::string rest = std::move(open[0]);
    for (std::size_t i = 1; i < open.size(); ++i) rest += "(" + open[i];
    slots.push_back(std::move(rest));
  }

  std::vector<std::string> values;  // four-decimal value of each group before the last
  values.reserve(slots.size() - 1);
  std::string result;
  for (std::size_t i = 0; i < slots.size(); ++i) {
    const std::string text = ReplaceGroupMarks(slots[i], values.data(), values.size());
    const double value = EvaluateSum(text);
    if (i + 1 < slots.size()) {
      values.push_back(Fixed4(value));
      continue;
    }
    result = numbers::FormatNumber(value, decimalPlaces_);
    if (manFlag_ >= 1 && value >= 10000.0 && std::isfinite(value)) result = UnitNotation(result, manFlag_);
  }
  manFlag_ = 0;
  return result;
}

// The fixed-point text is split rather than the value, so the rest never
// rounds up to 10000 and no count is too large for its type: 29999.96 with one
// decimal is 3万0.0, not 2万10000.0.
std::string CalcEvaluator::ManNotation(std::string_view fixed) {
  std::size_t point = fixed.find('.');
  if (point == std::string_view::npos) point = fixed.size();
  if (point <= 4) return std::string(fixed);
  const std::size_t split = point - 4;
  std::size_t restStart = split;
  while (restStart + 1 < point && fixed[restStart] == '0') ++restStart;
  std::string out(fixed.substr(0, split));
  out += kMan;
  out += fixed.substr(restStart);
  return out;
}

std::string CalcEvaluator::UnitNotation(std::string_view fixed, int largestUnit) {
  if (largestUnit <= 1) return ManNotation(fixed);
  static constexpr struct {
    std::size_t digits;
    std::string_view name;
  } kUnits[] = {{12, "\x92\x9B"}, {8, "\x89\xAD"}, {4, kMan}};  // 兆 億 万
  std::size_t point = fixed.find('.');
  if (point == std::string_view::npos) point = fixed.size();
  std::string out;
  std::size_t start = 0;
  for (const auto& unit : kUnits) {
    if ((unit.digits == 12 && largestUnit < 3) || point <= unit.digits || point - unit.digits <= start) continue;
    const std::size_t split = point - unit.digits;
    std::size_t first = start;
    while (first < split && fixed[first] == '0') ++first;
    if (first < split) {
      out.append(fixed, first, split - first);
      out += unit.name;
    }
    start = split;
  }
  if (start == 0) return std::string(fixed);
  while (start + 1 < point && fixed[start] == '0') ++start;
  out.append(fixed.substr(start));
  return out;
}

// ---------------------------------------------------------------- variables

// Substituting x1, x2, ... one after another, each by a plain replacement of
// its name, comes down to one rule per "x" of the formula: no value holds an
// "x", so every "x" followed by a digit is taken by the first name that
// matches there, and that is x1 to x9 by its first digit (x12 is x1's value
// followed by 2). The formula is therefore rewritten in one pass once the
// values are known; a definitions line of many thousands of values costs no
// more than one of three.
void CalcEvaluator::SubstituteVariables(std::string_view definitions, std::string& formula) {
  std::vector<std::string> values;  // values[i] is x(i+1)'s
  std::size_t from = 0;
  for (std::uint64_t index = 1;; ++index) {
    const std::string name = "x" + std::to_string(index);
    const std::size_t found = cp932::Find(definitions, name + "=", from);
    if (found == npos) break;
    const std::size_t valueStart = cp932::Find(definitions, '=', found) + 1;
    // The value ends at the character before the next "x", which separates.
    const std::size_t nextX = cp932::Find(definitions, 'x', valueStart);
    const std::size_t valueEnd = nextX == npos ? definitions.size() : cp932::Prev(definitions, nextX, valueStart);
    if (valueEnd <= valueStart) {
      host_.MessageBox(app_identity::kAppName, "変数 " + name + " の値が定義されていません。", MsgButtons::Ok,
                       MsgIcon::Exclamation);
      break;
    }
    values.push_back(cp932::RemoveAll(cp932::RemoveAll(definitions.substr(valueStart, valueEnd - valueStart), ','), ' '));
    if (nextX == npos) break;
    from = nextX;
  }

  auto digitAfter = [&](std::size_t p) {
    return p + 1 < formula.size() && formula[p + 1] >= '1' && formula[p + 1] <= '9' ? formula[p + 1] - '0' : 0;
  };
  // Variables whose substitution would grow the formula past formulaLimit_
  // are left as they stand, with all later ones: two lines of the size limit
  // could otherwise multiply into gigabytes.
  std::size_t uses[10] = {};
  for (std::size_t p = 0; p < formula.size(); p = cp932::Next(formula, p))
    if (cp932::CharLen(formula, p) == 1 && formula[p] == 'x') ++uses[digitAfter(p)];
  std::size_t substituted = std::min<std::size_t>(values.size(), 9);
  std::size_t size = formula.size();
  for (std::size_t d = 1; d <= substituted; ++d) {
    const std::string& value = values[d - 1];
    if (value.size() > 2 && uses[d] * (value.size() - 2) > formulaLimit_ - size) {
      substituted = d - 1;
      break;
    }
    size = size + uses[d] * value.size() - uses[d] * 2;
  }
  if (substituted == 0) return;

  std::string out;
  out.reserve(size);
  for (std::size_t p = 0; p < formula.size();) {
    const std::size_t len = cp932::CharLen(formula, p);
    const int d = len == 1 && formula[p] == 'x' ? digitAfter(p) : 0;
    if (d >= 1 && static_cast<std::size_t>(d) <= substituted) {
      out += values[static_cast<std::size_t>(d) - 1];
      p += 2;
    } else {
      out.append(formula, p, len);
      p += len;
    }
  }
  formula = std::move(out);
}
