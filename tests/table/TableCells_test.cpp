// The cell operations: reading, selecting, deleting and inserting cells of
// TAB-separated rows, and reading and writing numbers.
#include "editor/UndoStep.h"
#include "table/TableCells.h"

#include <gtest/gtest.h>

#include "support/CaseName.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <random>

#include "TableFixture.h"
#include "table/TableGrid.h"

using tabletest::Fixture;

namespace {

const std::string kHyo = "\x95\x5C";  // 表: its trail byte is a backslash

struct GetCellsCase {
  const char* name;
  std::string text;
  int row, firstCol, count;
  std::string expected;
};

class GetCellsTest : public ::testing::TestWithParam<GetCellsCase> {};

TEST_P(GetCellsTest, ReadsTheFields) {
  const GetCellsCase& c = GetParam();
  Fixture f(c.text);
  EXPECT_EQ(GetCells(f.view, c.row, c.firstCol, c.count), c.expected);
  // The grid reads the same.
  TableGrid grid(c.text);
  EXPECT_EQ(grid.Cells(c.row, c.firstCol, c.count), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, GetCellsTest,
    ::testing::Values(
        GetCellsCase{"FirstField", "a\tb\tc\r\n", 0, 0, 1, "a"},
        GetCellsCase{"MiddleField", "a\tb\tc\r\n", 0, 1, 1, "b"},
        GetCellsCase{"LastFieldWithoutBreak", "a\tb\tc", 0, 2, 1, "c"},
        GetCellsCase{"TwoFieldsJoined", "a\tb\tc\r\n", 0, 1, 2, "b\tc"},
        GetCellsCase{"CountBeyondTheRow", "a\tb\tc\r\n", 0, 1, 5, "b\tc"},
        GetCellsCase{"TrailingTabMakesEmptyField", "a\tb\t\r\n", 0, 2, 1, ""},
        GetCellsCase{"ColumnZeroWithoutTab", "abc\r\n", 0, 0, 1, ""},
        GetCellsCase{"ColumnOneAfterTrailingTab", "abc\t", 0, 1, 1, ""},
        GetCellsCase{"ColumnBeyondTabs", "a\tb", 0, 2, 1, ""},
        GetCellsCase{"SecondRow", "a\tb\r\nc\td\r\n", 1, 1, 1, "d"},
        GetCellsCase{"RowBeyondText", "a\tb\r\n", 2, 0, 1, ""},
        GetCellsCase{"EmptyLastRow", "a\tb\r\n", 1, 0, 1, ""},
        GetCellsCase{"ZeroCount", "a\tb", 0, 0, 0, ""},
        GetCellsCase{"NegativeRow", "a\tb", -1, 0, 1, ""},
        GetCellsCase{"LoneLfLine", "a\tb\nc\td", 0, 1, 1, "b"},
        GetCellsCase{"StrayCrIsRemoved", "a\tb\rc\td\r\n", 0, 1, 2, "bc\td"},
        GetCellsCase{"DoubleByteCells", kHyo + "\t" + kHyo + "x\r\n", 0, 1, 1, kHyo + "x"}),
    [](const auto& info) { return std::string(info.param.name); });

struct CellEditCase {
  const char* name;
  std::string text;
  int col, row;
  std::string afterDelete;
  std::string selected;  // SelectCell's result ("" when nothing is selected)
};

class CellEditTest : public ::testing::TestWithParam<CellEditCase> {};

TEST_P(CellEditTest, DeleteAndSelectFindTheSameCell) {
  const CellEditCase& c = GetParam();
  Fixture f(c.text);
  std::string text = c.text;
  DeleteCell(f.view, c.col, c.row, text);
  EXPECT_EQ(text, c.afterDelete);
  TableGrid grid(c.text);
  grid.DeleteCell(c.col, c.row);
  EXPECT_EQ(grid.Text(), c.afterDelete);

  f.Edit().SetSel(0, 0);
  EXPECT_EQ(SelectCell(f.view, c.col, c.row), c.selected);
  const auto [s, e] = f.Sel();
  EXPECT_EQ(f.Text().substr(static_cast<std::size_t>(s), static_cast<std::size_t>(e - s)), c.selected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CellEditTest,
    ::testing::Values(
        CellEditCase{"FirstCell", "a\tb\tc\r\nx", 0, 0, "b\tc\r\nx", "a\t"},
        CellEditCase{"MiddleCell", "a\tb\tc\r\nx", 1, 0, "a\tc\r\nx", "b\t"},
        CellEditCase{"LastCellKeepsTabBefore", "a\tb\tc\r\nx", 2, 0, "a\tb\t\r\nx", "c"},
        CellEditCase{"EmptyFinalField", "a\tb\t\r\n", 2, 0, "a\tb\t\r\n", ""},
        CellEditCase{"NoTabNoCell", "abc\r\n", 0, 0, "abc\r\n", ""},
        CellEditCase{"ColumnBeyondTabs", "a\tb\r\n", 3, 0, "a\tb\r\n", ""},
        CellEditCase{"RowBeyondText", "a\tb\r\n", 4, 0, "a\tb\r\n", ""},
        CellEditCase{"SecondRow", "a\tb\r\nc\td\te\r\n", 1, 1, "a\tb\r\nc\te\r\n", "d\t"},
        CellEditCase{"LastRowWithoutBreak", "a\r\nc\td", 1, 1, "a\r\nc\t", "d"},
        CellEditCase{"DoubleByte", kHyo + "\t" + kHyo + "\r\n", 0, 0, kHyo + "\r\n", kHyo + "\t"}),
    [](const auto& info) { return std::string(info.param.name); });

struct InsertCase {
  const char* name;
  std::string text;
  int col, row;
  std::string value;
  std::string expected;
};

class InsertCellTest : public ::testing::TestWithParam<InsertCase> {};

TEST_P(InsertCellTest, IntoTextControlAndGridAlike) {
  const InsertCase& c = GetParam();
  Fixture f(c.text);
  std::string text = c.text;
  InsertCell(f.view, c.col, c.row, c.value, text, false);
  EXPECT_EQ(text, c.expected);

  TableGrid grid(c.text);
  grid.InsertCell(c.col, c.row, c.value);
  EXPECT_EQ(grid.Text(), c.expected);

  std::string control = f.Edit().GetText();
  UndoStep step(f.view, false);
  InsertCell(f.view, c.col, c.row, c.value, control, true);
  EXPECT_EQ(f.Text(), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, InsertCellTest,
    ::testing::Values(InsertCase{"ColumnZero", "a\tb\r\n", 0, 0, "x", "x\ta\tb\r\n"},
                      InsertCase{"ColumnOne", "a\tb\r\n", 1, 0, "x", "a\tx\tb\r\n"},
                      InsertCase{"ColumnOneWithoutTab", "abc", 1, 0, "x", "abc\tx"},
                      InsertCase{"AfterLastCell", "a\tb\r\n", 2, 0, "x", "a\tb\tx\r\n"},
                      InsertCase{"RowTooShort", "a\tb\r\n", 3, 0, "x", "a\tb\r\n"},
                      InsertCase{"ColumnThreeWithOneTab", "a\tb", 3, 0, "x", "a\tb"},
                      InsertCase{"AfterTrailingTab", "a\t\r\n", 2, 0, "x", "a\t\tx\r\n"},
                      InsertCase{"NegativeColumn", "a\tb", -1, 0, "x", "a\tb"},
                      InsertCase{"RowBeyondText", "a\tb", 1, 1, "x", "a\tb"},
                      InsertCase{"EmptyLastRow", "a\r\n", 0, 1, "x", "a\r\nx\t"},
                      InsertCase{"EmptyValue", "a\tb", 1, 0, "", "a\t\tb"},
                      InsertCase{"LoneLfEndsRow", "a\nb", 1, 0, "x", "a\tx\nb"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(TableSelectionTracking, InsertBeforeMovesStartInsertAtDoesNot) {
  Fixture f("a\tb\r\nc\td\r\n");
  std::string text = f.Edit().GetText();
  f.view.tableSelection = {7, 9};  // at "d"
  InsertCell(f.view, 1, 1, "xy", text, false);  // at the TAB before d
  EXPECT_EQ(f.view.tableSelection.first, 10);
  InsertCell(f.view, 3, 1, "z", text, false);  // right after d: not before the start
  EXPECT_EQ(f.view.tableSelection.first, 10);
  DeleteCell(f.view, 0, 1, text);  // removes "c\t" before the start
  EXPECT_EQ(f.view.tableSelection.first, 8);
  DeleteCell(f.view, 1, 1, text);  // removes "d\t" which holds the start
  EXPECT_EQ(text, "a\tb\r\nxy\tz\r\n");
  EXPECT_EQ(f.view.tableSelection.first, 8);
}

TEST(MoveCaretToCell, PlacesCaretAtCellStartOrLeavesIt) {
  Fixture f("a\tbb\tc\r\nno tabs\r\n");
  MoveCaretToCell(f.view, 1, 0);
  EXPECT_EQ(f.Sel(), std::make_pair(2, 2));
  MoveCaretToCell(f.view, 2, 0);
  EXPECT_EQ(f.Sel(), std::make_pair(5, 5));
  MoveCaretToCell(f.view, 0, 1);  // a row without a TAB has no cells
  EXPECT_EQ(f.Sel(), std::make_pair(5, 5));
  MoveCaretToCell(f.view, 3, 0);
  EXPECT_EQ(f.Sel(), std::make_pair(5, 5));
  MoveCaretToCell(f.view, 0, 9);
  EXPECT_EQ(f.Sel(), std::make_pair(5, 5));
}

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

TEST(ShowSelectionError, ShowsTheMessage) {
  Fixture f;
  ShowSelectionError(f.view);
  ASSERT_EQ(f.host.messages.size(), 1u);
  EXPECT_EQ(f.host.messages[0].caption, "注意！");
  EXPECT_EQ(f.host.messages[0].text,
            "選択が無いか、選択に誤りがあります。\n計算したい行列の左上から右下までを、マウスで選択して下さい。");
}

// The grid against the plain cell operations: random edits on random tables,
// each applied to both; the texts and the tracked position must agree.
TEST(TableGrid, MatchesTheCellOperationsOnRandomEdits) {
  std::mt19937 rng(12345);
  Fixture f;
  Fixture reader;
  const std::vector<std::string> pieces = {"a", "12", "", kHyo, "\t", "\t", "\t", "\r\n", "\r\n", "\n", "\r", "x y"};
  for (int round = 0; round < 300; ++round) {
    std::string text;
    const int n = static_cast<int>(rng() % 30);
    for (int i = 0; i < n; ++i) text += pieces[rng() % pieces.size()];
    f.Edit().SetText(text);
    std::string reference = text;
    TableGrid grid(text);
    const int start = text.empty() ? 0 : static_cast<int>(rng() % (text.size() + 1));
    // Keep the tracked position on a character boundary, as selections are.
    f.view.tableSelection.first = start;
    grid.Track(start);
    const int rows = grid.RowCount();
    reader.Edit().SetText(text);
    for (int r = 0; r <= rows; ++r)
      for (int k = 0; k < 4; ++k)
        ASSERT_EQ(grid.Number(r, k), CellNumber(GetCells(reader.view, r, k, 1))) << "round " << round;
    for (int op = 0; op < 8; ++op) {
      const int row = static_cast<int>(rng() % (rows + 1));
      const int col = static_cast<int>(rng() % 5);
      const int c = static_cast<int>(rng() % 4);
      reader.Edit().SetText(reference);
      ASSERT_EQ(grid.Cells(row, col, c), GetCells(reader.view, row, col, c)) << "round " << round;
      switch (rng() % 3) {
        case 0: {
          const std::string v = std::to_string(rng() % 100);
          InsertCell(f.view, col, row, v, reference, false);
          grid.InsertCell(col, row, v);
          break;
        }
        case 1:
          DeleteCell(f.view, col, row, reference);
          grid.DeleteCell(col, row);
          break;
        default: {
          // A run of deletions of one column, stopping at the first that fails.
          const int count = 1 + static_cast<int>(rng() % 3);
          for (int i = 0; i < count; ++i) {
            const std::string before = reference;
            DeleteCell(f.view, col, row, reference);
            if (reference == before) break;
          }
          grid.DeleteCells(col, row, count);
        }
      }
      ASSERT_EQ(grid.Text(), reference) << "round " << round << " op " << op;
      // The counts, sums and insertion points of the edited rows are those of
      // the edited text read afresh.
      const TableGrid fresh(reference);
      std::size_t nowhere = 0;
      bool nowhereFirst = false;
      ASSERT_FALSE(grid.InsertPoint(rows, 1, nowhere, nowhereFirst));  // past the last row
      ASSERT_FALSE(grid.InsertPoint(-1, 1, nowhere, nowhereFirst));
      for (int r = 0; r < std::min(rows, fresh.RowCount()); ++r) {
        ASSERT_EQ(grid.TabCount(r), fresh.TabCount(r)) << "round " << round << " op " << op;
        for (int from = 0; from < 4; ++from) {
          double sum = 0.0;
          for (int k = from; k <= std::min(from + 2, fresh.TabCount(r)); ++k) sum += fresh.Number(r, k);
          ASSERT_EQ(grid.SumOfNumbers(r, from, from + 2), sum) << "round " << round << " op " << op;
        }
        for (int k = 0; k < 4; ++k) {
          std::size_t point = 0, freshPoint = 0;
          bool first = false, freshFirst = false;
          ASSERT_EQ(grid.InsertPoint(r, k, point, first), fresh.InsertPoint(r, k, freshPoint, freshFirst));
          ASSERT_EQ(point, freshPoint) << "round " << round << " op " << op << " row " << r << " col " << k;
        }
      }
      ASSERT_EQ(grid.Tracked(), f.view.tableSelection.first) << "round " << round << " op " << op;
      // Later reads must see the edits: compare against the edited text.
      reader.Edit().SetText(reference);
      for (int r = 0; r <= rows; ++r)
        for (int k = 0; k < 4; ++k) {
          ASSERT_EQ(grid.Cells(r, k, 1), GetCells(reader.view, r, k, 1)) << "round " << round;
          ASSERT_EQ(grid.Number(r, k), CellNumber(GetCells(reader.view, r, k, 1))) << "round " << round;
        }
    }
  }
}

}  // namespace
