// Reading a cell's value: the leading number of the text, the bounds of a
// double, and the short path for plain decimals against the full conversion.
#include "numbers/CellNumber.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <limits>
#include <random>
#include <string>

#include "support/CaseName.h"

using numbers::CellNumber;

namespace {

struct NumberCase {
  const char* text;
  double value;
};

class CellNumberTest : public ::testing::TestWithParam<NumberCase> {};

TEST_P(CellNumberTest, ReadsTheLeadingNumber) {
  const NumberCase& c = GetParam();
  const double v = CellNumber(c.text);
  if (std::isinf(c.value))
    EXPECT_EQ(v, c.value) << c.text;
  else
    EXPECT_DOUBLE_EQ(v, c.value) << c.text;
}

INSTANTIATE_TEST_SUITE_P(Cases, CellNumberTest,
                         ::testing::Values(NumberCase{"", 0}, NumberCase{"12", 12}, NumberCase{" -3.5e2 apples", -350},
                                           NumberCase{"abc", 0}, NumberCase{"1,5", 1}, NumberCase{"+.5", 0.5},
                                           NumberCase{"5.", 5}, NumberCase{".", 0}, NumberCase{"-", 0},
                                           NumberCase{"1e", 1}, NumberCase{"1e+", 1}, NumberCase{"2E-2x", 0.02},
                                           NumberCase{"0x1A", 0}, NumberCase{"inf", 0}, NumberCase{"nan", 0},
                                           NumberCase{"1e999", std::numeric_limits<double>::infinity()},
                                           NumberCase{"-1e999", -std::numeric_limits<double>::infinity()},
                                           NumberCase{"0.0001e-400", 0}, NumberCase{"1e-400", 0},
                                           NumberCase{"0.01e311", std::numeric_limits<double>::infinity()},
                                           NumberCase{"0.01e310", 1e308},
                                           NumberCase{"12345678901234567890", 12345678901234567890.0},
                                           NumberCase{"\x81\x40" "5", 0}, NumberCase{"\v\f 7", 7}),
    [](const auto& info) { return CaseName(info.index, info.param.text); });

// Plain decimals (digits, one point, a sign) read exactly as the full
// conversion reads them, on both sides of the 15 digits an exact short cut
// can take.
TEST(CellNumber, PlainDecimalsReadAsTheFullConversion) {
  std::mt19937 rng(15);
  for (int i = 0; i < 20000; ++i) {
    const int digits = 1 + static_cast<int>(rng() % 18);
    std::string s = rng() % 3 == 0 ? "-" : "";
    const int point = static_cast<int>(rng() % static_cast<unsigned>(digits + 1));
    for (int d = 0; d < digits; ++d) {
      if (d == point && rng() % 2) s += '.';
      s += static_cast<char>('0' + rng() % 10);
    }
    const std::string unsignedPart = s[0] == '-' ? s.substr(1) : s;
    const double expected = std::strtod(unsignedPart.c_str(), nullptr);
    EXPECT_EQ(CellNumber(s), s[0] == '-' ? -expected : expected) << s;
  }
}

}  // namespace
