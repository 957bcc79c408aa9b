// Reading numbers as Japanese tables write them: full-width digits,
// separators, signs, currency signs and units, the malformed forms that end a
// number early, and plain ASCII text reading exactly as the plain rule reads it.
#include "numbers/JapaneseNumber.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <string>

#include "numbers/CellNumber.h"
#include "numbers/NumberReading.h"
#include "support/CaseName.h"
#include "text/Cp932.h"

using numbers::CellNumber;
using numbers::JapaneseNumber;

namespace {

struct JapaneseCase {
  const char* utf8;  // the cell's text, written as UTF-8 here and read as CP932
  double value;
};

class JapaneseNumberTest : public ::testing::TestWithParam<JapaneseCase> {};

TEST_P(JapaneseNumberTest, ReadsTheLeadingNumber) {
  const JapaneseCase& c = GetParam();
  const std::string text = cp932::FromUtf8(c.utf8);
  EXPECT_EQ(JapaneseNumber(text), c.value) << c.utf8;
  EXPECT_EQ(numbers::JapaneseNumberByText(text), c.value) << c.utf8;
}

constexpr double kInfinity = std::numeric_limits<double>::infinity();

INSTANTIATE_TEST_SUITE_P(
    Cases, JapaneseNumberTest,
    ::testing::Values(
        // full-width digits, point, sign and exponent, mixed with half-width ones
        JapaneseCase{"１２０", 120}, JapaneseCase{"３０", 30}, JapaneseCase{"１2３.４5", 123.45},
        JapaneseCase{"－１２．５", -12.5}, JapaneseCase{"＋．５", 0.5}, JapaneseCase{"１ｅ３", 1000},
        JapaneseCase{"2Ｅ－２", 0.02}, JapaneseCase{"1e３", 1000}, JapaneseCase{"1e-３", 0.001},
        JapaneseCase{"1.５", 1.5}, JapaneseCase{"1e5５", 1e55}, JapaneseCase{"1e", 1}, JapaneseCase{"1e万", 1}, JapaneseCase{"１ｅ", 1}, JapaneseCase{"　 　７", 7},
        // signs, currency signs and the yen after the number
        JapaneseCase{"▲1,200", -1200}, JapaneseCase{"△３００", -300}, JapaneseCase{"-5", -5},
        JapaneseCase{"\\1,980", 1980}, JapaneseCase{"￥１，９８０円", 1980}, JapaneseCase{"$12.5", 12.5},
        JapaneseCase{"▲￥500", -500}, JapaneseCase{"￥▲500", -500}, JapaneseCase{"-$3", -3},
        JapaneseCase{"1,980円(税込)", 1980}, JapaneseCase{"12個", 12},
        // thousands separators only between groups of three digits
        JapaneseCase{"1,234", 1234}, JapaneseCase{"１，２３４", 1234}, JapaneseCase{"1,234,567.5", 1234567.5},
        JapaneseCase{"1,23", 1}, JapaneseCase{"12,5", 12}, JapaneseCase{"1234,567", 1234},
        JapaneseCase{"1,2345", 1}, JapaneseCase{"1,234,5", 1234}, JapaneseCase{",123", 0},
        JapaneseCase{"1,,234", 1}, JapaneseCase{"1.5,000", 1.5}, JapaneseCase{"1,234,", 1234},
        // units, large to small
        JapaneseCase{"2万", 20000}, JapaneseCase{"1億2345万6789", 123456789}, JapaneseCase{"1.5万", 15000},
        JapaneseCase{"3万5千", 35000}, JapaneseCase{"▲2万", -20000}, JapaneseCase{"1兆", 1e12},
        JapaneseCase{"5万3億", 50000}, JapaneseCase{"1億2000万", 120000000}, JapaneseCase{"5千", 5000},
        JapaneseCase{"3万円", 30000}, JapaneseCase{"１億２，３４５万", 123450000}, JapaneseCase{"1万2000.5", 12000.5},
        JapaneseCase{"0.0001万", 1}, JapaneseCase{"1万.5", 10000.5}, JapaneseCase{"1e3万", 1000},
        JapaneseCase{"2兆3億4万5千6", 2000300045006}, JapaneseCase{"1万1万", 10000}, JapaneseCase{"1万 2", 10000},
        // malformed: nothing, or less than it seems, is a number
        JapaneseCase{"万", 0}, JapaneseCase{"▲", 0}, JapaneseCase{"－－5", 0}, JapaneseCase{"▲-5", 0},
        JapaneseCase{"$", 0}, JapaneseCase{"￥円", 0}, JapaneseCase{"．", 0}, JapaneseCase{"- 5", 0},
        JapaneseCase{"abc", 0}, JapaneseCase{"", 0},
        // 0x5C as a trail byte is never a yen sign, and a trail byte never a digit:
        // ソ is 83 5C, 表 95 5C, グ 83 4F (4F is the trail byte of ０), ＾ 81 4F
        JapaneseCase{"ソ100", 0}, JapaneseCase{"表1,000", 0}, JapaneseCase{"100ソ", 100},
        JapaneseCase{"グ", 0}, JapaneseCase{"＾5", 0}, JapaneseCase{"5表5", 5},
        // the bounds of a double, as the plain rule has them
        JapaneseCase{"１ｅ９９９", kInfinity}, JapaneseCase{"▲1e999", -kInfinity}, JapaneseCase{"1e-400万", 0}),
    [](const auto& info) { return CaseName(info.index, info.param.utf8); });

TEST(JapaneseNumber, ByteCasesThatUtf8CannotSpell) {
  // A lone lead byte at the end, a lead byte before a byte that is no trail
  // byte, and 0x5C as a trail byte right before digits.
  EXPECT_EQ(JapaneseNumber("12\x82"), 12);
  EXPECT_EQ(JapaneseNumber("\x82"), 0);
  EXPECT_EQ(JapaneseNumber("\x82\x30" "5"), 0);
  EXPECT_EQ(JapaneseNumber("\x83\x5C" "5"), 0);
  EXPECT_EQ(JapaneseNumber("\\\x83\x5C"), 0);
  EXPECT_EQ(JapaneseNumber("1\x82\x50"), 11);  // 1 and a full-width 1
}

// A value is the double the plain rule gives for the number written plainly,
// whatever the widths, separators and units it is written with.
TEST(JapaneseNumber, GivesThePlainValueOfThePlainlyWrittenNumber) {
  std::mt19937 rng(23);
  const std::string fullDigit[10] = {"\x82\x4F", "\x82\x50", "\x82\x51", "\x82\x52", "\x82\x53",
                                     "\x82\x54", "\x82\x55", "\x82\x56", "\x82\x57", "\x82\x58"};
  for (int i = 0; i < 20000; ++i) {
    const int digits = 1 + static_cast<int>(rng() % 19);
    const int point = static_cast<int>(rng() % static_cast<unsigned>(digits + 1));
    std::string plain = rng() % 3 == 0 ? "-" : "";
    std::string wide = plain.empty() ? "" : "\x81\xA3";  // ▲
    for (int d = 0; d < digits; ++d) {
      if (d == point && d > 0) {
        plain += '.';
        wide += rng() % 2 ? "." : "\x81\x44";
      }
      const int digit = static_cast<int>(rng() % 10);
      plain += static_cast<char>('0' + digit);
      wide += rng() % 2 ? std::string(1, static_cast<char>('0' + digit)) : fullDigit[digit];
    }
    EXPECT_EQ(std::bit_cast<std::uint64_t>(JapaneseNumber(wide)), std::bit_cast<std::uint64_t>(CellNumber(plain)))
        << plain;
    // The same digits before 万 and 千: the value of the digits followed by zeros.
    const std::string man = plain + "\x96\x9C";
    const double expectedMan = CellNumber(plain + "e4");
    EXPECT_EQ(JapaneseNumber(man), expectedMan) << plain;
    EXPECT_EQ(numbers::JapaneseNumberByText(wide), JapaneseNumber(wide)) << plain;
  }
}

// Amounts in 兆, 億 and 万 read as the digits they stand for, written out.
TEST(JapaneseNumber, UnitsReadAsTheirDigitsWrittenOut) {
  std::mt19937 rng(1989);
  auto digits = [&](int most) {
    std::string d;
    const int n = 1 + static_cast<int>(rng() % static_cast<unsigned>(most));
    for (int i = 0; i < n; ++i) d += static_cast<char>('0' + rng() % 10);
    return d;
  };
  auto padded = [](const std::string& d) { return std::string(4 - d.size(), '0') + d; };
  for (int i = 0; i < 20000; ++i) {
    const std::string cho = digits(8), oku = digits(4), man = digits(4), rest = digits(4);
    const std::string text = cho + "\x92\x9B" + oku + "\x89\xAD" + man + "\x96\x9C" + rest;
    const std::string written = cho + padded(oku) + padded(man) + padded(rest);
    EXPECT_EQ(std::bit_cast<std::uint64_t>(JapaneseNumber(text)), std::bit_cast<std::uint64_t>(CellNumber(written)))
        << written;
    EXPECT_EQ(numbers::JapaneseNumberByText(text), JapaneseNumber(text)) << written;
  }
}

// Plain ASCII text (no ",", "$" or "\", which Japanese tables give a meaning)
// reads bit for bit as the plain rule reads it.
TEST(JapaneseNumber, PlainAsciiTextReadsAsThePlainRule) {
  static constexpr char kAlphabet[] = "0123456789012345678901234.....+-+-eE \t\rxa#%()*/=";
  std::mt19937 rng(1956);
  for (int i = 0; i < 100000; ++i) {
    std::string s;
    const int length = static_cast<int>(rng() % 14);
    for (int k = 0; k < length; ++k) s += kAlphabet[rng() % (sizeof kAlphabet - 1)];
    const double plain = CellNumber(s);
    const double japanese = JapaneseNumber(s);
    EXPECT_EQ(std::bit_cast<std::uint64_t>(japanese), std::bit_cast<std::uint64_t>(plain)) << '"' << s << '"';
    EXPECT_EQ(std::bit_cast<std::uint64_t>(numbers::JapaneseNumberByText(s)), std::bit_cast<std::uint64_t>(plain))
        << '"' << s << '"';
  }
}

// Texts made of the characters the reader knows, in any order: the short
// paths give what the long way gives, and a full-width blank in front
// changes nothing.
TEST(JapaneseNumber, ShortPathsGiveWhatTheLongWayGives) {
  static const char* const kPieces[] = {
      "0", "1", "5", "9", "\x82\x4F", "\x82\x53", "\x82\x58", ".", "\x81\x44", ",", "\x81\x43", "e", "E",
      "\x82\x85", "\x82\x64", "+", "-", "\x81\x7B", "\x81\x7C", "\x81\xA3", "\x81\xA2", "\\", "$",
      "\x81\x8F", "\x90\xE7", "\x96\x9C", "\x89\xAD", "\x92\x9B", " ", "\x81\x40", "\x89\x7E", "\x83\x5C",
      "x", "000", "123"};
  std::mt19937 rng(33902);
  for (int i = 0; i < 200000; ++i) {
    std::string s;
    const int pieces = static_cast<int>(rng() % 10);
    for (int k = 0; k < pieces; ++k) s += kPieces[rng() % (sizeof kPieces / sizeof kPieces[0])];
    const double value = JapaneseNumber(s);
    ASSERT_EQ(std::bit_cast<std::uint64_t>(value), std::bit_cast<std::uint64_t>(numbers::JapaneseNumberByText(s)))
        << cp932::ToUtf8(s);
    ASSERT_EQ(std::bit_cast<std::uint64_t>(JapaneseNumber("\x81\x40" + s)), std::bit_cast<std::uint64_t>(value))
        << cp932::ToUtf8(s);
  }
}

TEST(NumberReading, PlainReadingIsTheCellRule) {
  const std::string wide = cp932::FromUtf8("１，２３４");
  EXPECT_EQ(numbers::CellValue(wide, numbers::NumberReading::Plain), CellNumber(wide));
  EXPECT_EQ(numbers::CellValue(wide, numbers::NumberReading::Japanese), 1234);
  EXPECT_EQ(numbers::CellValue("1,234", numbers::NumberReading::Plain), 1);
}

}  // namespace
