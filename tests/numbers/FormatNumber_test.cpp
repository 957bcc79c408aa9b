// Writing a value: fixed-point text of the 15-digit decimal, rounded half away
// from zero, and kErrorText where no number can stand.
#include "numbers/FormatNumber.h"

#include <gtest/gtest.h>

#include <climits>
#include <utility>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <random>
#include <string>

#include "support/CaseName.h"

using numbers::FormatNumber;
using numbers::kMaxDecimals;

namespace {

struct FormatCase {
  double value;
  int decimals;
  const char* text;
};

class FormatNumberTest : public ::testing::TestWithParam<FormatCase> {};

TEST_P(FormatNumberTest, RoundsTheFifteenDigitDecimalHalfAwayFromZero) {
  const FormatCase& c = GetParam();
  EXPECT_EQ(FormatNumber(c.value, c.decimals), c.text) << c.value << " with " << c.decimals;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FormatNumberTest,
    ::testing::Values(FormatCase{-0.25, 1, "-0.3"}, FormatCase{0.125, 2, "0.13"}, FormatCase{2.675, 2, "2.68"},
                      // Sums and averages whose double lies just below a tie.
                      FormatCase{0.0 + 10.6 + 2.8 + 2.1, 0, "16"}, FormatCase{(0.1 + 0.2) / 2, 1, "0.2"},
                      FormatCase{1.005, 2, "1.01"}, FormatCase{-1.005, 2, "-1.01"}, FormatCase{0.1 + 0.2, 17, "0.30000000000000000"},
                      FormatCase{123456789012345678.0, 0, "123456789012346000"}, FormatCase{1e-5, 4, "0.0000"},
                      FormatCase{0.999, 2, "1.00"}, FormatCase{12, 1, "12.0"}, FormatCase{-0.01, 1, "-0.0"},
                      FormatCase{0.05, 2, "0.05"}, FormatCase{1234.5, 1, "1234.5"}, FormatCase{2, 3, "2.000"},
                      FormatCase{0, 1, "0.0"}, FormatCase{0, 0, "0"}, FormatCase{-0.0, 1, "0.0"},
                      FormatCase{0.4, 0, "0"}, FormatCase{2.5, 0, "3"}, FormatCase{-2.5, 0, "-3"},
                      FormatCase{0.5, 0, "1"}, FormatCase{9.95, 1, "10.0"}, FormatCase{9.75, 1, "9.8"},
                      FormatCase{99.5, 0, "100"}, FormatCase{-99.95, 1, "-100.0"}, FormatCase{3, -2, "3"},
                      FormatCase{1.0 / 3, 3, "0.333"}, FormatCase{1e-20, 2, "0.00"}, FormatCase{-1e-20, 2, "-0.00"},
                      FormatCase{1e15 + 0.5, 0, "1000000000000000"}, FormatCase{5e-324, 0, "0"},
                      FormatCase{std::numeric_limits<double>::infinity(), 1, "Error"},
                      FormatCase{-std::numeric_limits<double>::infinity(), 1, "Error"},
                      FormatCase{std::numeric_limits<double>::quiet_NaN(), 1, "Error"}),
    [](const auto& info) { return CaseName(info.index, info.param.text); });

TEST(FormatNumber, HugeValuesAndManyDecimalsFit) {
  const std::string big = FormatNumber(1e300, 1);
  EXPECT_EQ(big.size(), 303u);
  EXPECT_EQ(big.substr(0, 4), "1000");
  EXPECT_EQ(big.substr(big.size() - 2), ".0");
  const std::string max = FormatNumber(-std::numeric_limits<double>::max(), kMaxDecimals + 100);
  EXPECT_EQ(max.size(), 1u + 309u + 1u + static_cast<std::size_t>(kMaxDecimals));
  EXPECT_EQ(FormatNumber(std::numeric_limits<double>::denorm_min(), 300), "0." + std::string(300, '0'));
  EXPECT_EQ(FormatNumber(std::numeric_limits<double>::denorm_min(), kMaxDecimals).substr(2 + 323, 3), "494");
}

// The digits of any double written by the rule, against a plain reference:
// the 15 significant digits printf gives, then half away from zero on them.
TEST(FormatNumber, MatchesThePlainRuleOnRandomValues) {
  auto reference = [](double v, int decimals) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.14e", std::fabs(v));
    std::string digits = std::string(1, buf[0]) + std::string(buf + 2, 14);
    const int exponent = std::atoi(std::strchr(buf, 'e') + 1);
    // The number as integer digits and fraction digits.
    std::string integer, fraction;
    if (exponent < 0) {
      integer = "0";
      fraction = std::string(static_cast<std::size_t>(-exponent - 1), '0') + digits;
    } else {
      digits.resize(std::max<std::size_t>(digits.size(), static_cast<std::size_t>(exponent) + 1), '0');
      integer = digits.substr(0, static_cast<std::size_t>(exponent) + 1);
      fraction = digits.substr(static_cast<std::size_t>(exponent) + 1);
    }
    fraction.resize(static_cast<std::size_t>(decimals) + 1, '0');
    std::string kept = integer + fraction.substr(0, static_cast<std::size_t>(decimals));
    if (fraction[static_cast<std::size_t>(decimals)] >= '5') {
      int i = static_cast<int>(kept.size()) - 1;
      for (; i >= 0 && kept[static_cast<std::size_t>(i)] == '9'; --i) kept[static_cast<std::size_t>(i)] = '0';
      if (i < 0) kept.insert(kept.begin(), '1'); else ++kept[static_cast<std::size_t>(i)];
    }
    const std::size_t split = kept.size() - static_cast<std::size_t>(decimals);
    std::string out = kept.substr(0, split);
    if (decimals > 0) out += "." + kept.substr(split);
    return v < 0 ? "-" + out : out;
  };
  std::mt19937_64 rng(14);
  for (int i = 0; i < 20000; ++i) {
    // Values of every size, products and sums of short decimals as the
    // commands make them (with few digits or with binary noise), and powers of
    // ten times short numbers, where the digit count changes.
    double v = 0.0;
    switch (i % 4) {
      case 0:  // now and then a subnormal
        v = std::ldexp(static_cast<double>(rng() >> 11), rng() % 8 ? static_cast<int>(rng() % 120) - 100 : -1100);
        break;
      case 1: v = static_cast<double>(static_cast<int>(rng() % 200000) - 100000) / 100.0 * 0.3; break;
      case 2:
        for (int k = 0, n = 1 + static_cast<int>(rng() % 10); k < n; ++k) v += static_cast<double>(rng() % 1000) / 10.0;
        break;
      default:
        v = static_cast<double>(rng() % 100) * std::pow(10.0, static_cast<int>(rng() % 40) - 20);
        if (rng() % 2) v = std::nextafter(v, rng() % 2 ? 0.0 : 1e300);
    }
    if (rng() % 4 == 0) v = -v;
    const int decimals = static_cast<int>(rng() % 8);
    EXPECT_EQ(FormatNumber(v, decimals), reference(v, decimals)) << v << " with " << decimals;
  }
}

TEST(GroupedDigits, ACommaBeforeEveryThreeDigits) {
  const std::pair<long long, const char*> cases[] = {
      {0, "0"},
      {999, "999"},
      {1000, "1,000"},
      {1048575, "1,048,575"},
      {1073741823, "1,073,741,823"},
      {-1234567, "-1,234,567"},
      {LLONG_MIN, "-9,223,372,036,854,775,808"},
  };
  for (const auto& [value, text] : cases) EXPECT_EQ(numbers::GroupedDigits(value), text) << value;
}

}  // namespace
