// Page layout of printouts: column rectangles, rows inside a column, pages,
// and the preview's start page.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/LineLayout.h"
#include "print/PrintLayout.h"
#include "print/PrintPages.h"
#include "support/CaseName.h"
#include "text/Cp932.h"

namespace {

using print_layout::ColumnRects;
using print_layout::LayoutInRect;
using print_layout::PrintedRun;

struct ColumnCase {
  const char* name;
  int width, columns, marginStep;
  std::vector<std::pair<int, int>> edges;  // left, right of each column
};

class Columns : public ::testing::TestWithParam<ColumnCase> {};

TEST_P(Columns, EdgesFollowTheIntegerArithmetic) {
  const ColumnCase& c = GetParam();
  const std::vector<Rect> rects = ColumnRects({0, 0, c.width, 6000}, c.marginStep, c.columns);
  ASSERT_EQ(rects.size(), c.edges.size());
  for (std::size_t k = 0; k < rects.size(); ++k) {
    EXPECT_EQ(rects[k].left, c.edges[k].first) << "column " << k + 1;
    EXPECT_EQ(rects[k].right, c.edges[k].second) << "column " << k + 1;
    EXPECT_EQ(rects[k].top, 100 * c.marginStep);
    EXPECT_EQ(rects[k].bottom, 6000);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Columns,
    ::testing::Values(ColumnCase{"OneColumnMargin1", 4800, 1, 1, {{100, 4800}}},
                      ColumnCase{"ThreeColumnsMargin2", 4800, 3, 2, {{200, 1683}, {1783, 3216}, {3316, 4800}}},
                      // w = 4400: quarters 1100, 2200, 3300 from L = 400
                      ColumnCase{"FourColumnsMargin4", 4800, 4, 4,
                                 {{400, 1450}, {1550, 2550}, {2650, 3650}, {3750, 4800}}},
                      // w = 4861 does not divide: 4861 / 2 = 2430, truncated
                      ColumnCase{"TwoColumnsTruncated", 4961, 2, 1, {{100, 2480}, {2580, 4961}}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Columns, AdjacentColumnsAreAHundredApartForEveryCountAndMargin) {
  for (int width : {4800, 4961, 3001}) {
    for (int n = 1; n <= 4; ++n) {
      for (int step = 1; step <= 4; ++step) {
        const std::vector<Rect> r = ColumnRects({0, 0, width, 100}, step, n);
        for (std::size_t k = 1; k < r.size(); ++k) {
          EXPECT_EQ(r[k].left - r[k - 1].right, 100) << width << " " << n << " " << step;
        }
      }
    }
  }
}

std::string Sjis(const char* utf8) { return cp932::FromUtf8(utf8); }

// The bytes of each run, in order.
std::vector<std::string> RunTexts(const std::string& text, const std::vector<PrintedRun>& runs) {
  std::vector<std::string> out;
  for (const PrintedRun& r : runs) out.push_back(cp932::ToUtf8(text.substr(r.begin, r.end - r.begin)));
  return out;
}

struct RowCase {
  const char* text;  // UTF-8
  int width;         // pixels; cells are 8 wide, double-byte characters 16
  std::vector<std::string> rows;
};

class Rows : public ::testing::TestWithParam<RowCase> {};

TEST_P(Rows, BreakAtTheColumnWidthWithoutSplittingACharacter) {
  const RowCase& c = GetParam();
  const FixedCellLayout font(8, 16);
  const std::string text = Sjis(c.text);
  std::vector<PrintedRun> runs;
  const int next = LayoutInRect(text, 0, static_cast<int>(text.size()), {10, 20, 10 + c.width, 1000}, font, 32, &runs);
  EXPECT_EQ(next, static_cast<int>(text.size()));
  EXPECT_EQ(RunTexts(text, runs), c.rows);
  for (std::size_t i = 0; i < runs.size(); ++i) EXPECT_EQ(runs[i].x, 10) << i;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Rows,
    ::testing::Values(RowCase{"ab表cd", 40, {"ab表c", "d"}}, RowCase{"ab表cd", 36, {"ab表", "cd"}},
                      RowCase{"ab表cd", 30, {"ab", "表c", "d"}},
                      // a character wider than the column still goes forward
                      RowCase{"表表", 10, {"表", "表"}},
                      // a row that fills the column takes its line break: no empty row
                      RowCase{"abcd\r\nef", 32, {"abcd", "ef"}},
                      RowCase{"ab\r\n\r\ncd\r\n", 80, {"ab", "cd"}}),
    [](const auto& info) { return CaseName(info.index, info.param.text); });

TEST(Rows, TabsGoToTheNextStopAndEmptyLinesKeepTheirRow) {
  const FixedCellLayout font(8, 16);
  const std::string text = "a\tbc\tde\r\n\r\nf";
  std::vector<PrintedRun> runs;
  LayoutInRect(text, 0, static_cast<int>(text.size()), {0, 0, 400, 400}, font, 32, &runs);
  const std::vector<PrintedRun> expected = {
      {0, 0, 0, 1}, {32, 0, 2, 4}, {64, 0, 5, 7}, {0, 32, 11, 12}};  // row 2 (y 16) is the empty line
  EXPECT_EQ(runs, expected);
}

TEST(Rows, AFullRectangleStopsAtTheFirstByteThatDidNotFit) {
  const FixedCellLayout font(8, 16);
  const std::string text = "aa\r\nbb\r\ncc\r\n";
  EXPECT_EQ(LayoutInRect(text, 0, static_cast<int>(text.size()), {0, 0, 100, 32}, font, 32), 8);
  EXPECT_EQ(LayoutInRect(text, 0, static_cast<int>(text.size()), {0, 0, 100, 15}, font, 32), 0);
}

// A long CP932 text: lines of mixed single- and double-byte characters with
// TABs, the trail bytes 0x5C and 0x7C among them.
std::string LongText() {
  const std::string parts[] = {Sjis("表"), "x", Sjis("ソ"), "\t", Sjis("能ー"), "12", Sjis("漢字")};
  std::string text;
  for (int line = 0; line < 700; ++line) {
    for (int i = 0; i < (line * 7) % 23 + 1; ++i) text += parts[(line + i) % 7];
    text += "\r\n";
  }
  return text;
}

TEST(Pages, EveryByteIsPrintedOnceAndNoPageStartsInsideACharacter) {
  const FixedCellLayout font(8, 16);
  const std::string text = LongText();
  for (int columns = 1; columns <= 4; ++columns) {
    const PageSetup setup{{0, 0, 1300, 1200}, columns, 2, 48};
    const PrintPages pages(text, setup, font);
    ASSERT_GT(pages.PageCount(), 3) << columns;
    std::vector<int> boundaries;
    for (std::size_t p = 0; p < text.size(); p = cp932::Next(text, p)) boundaries.push_back(static_cast<int>(p));
    std::vector<int> seen(text.size(), 0);
    for (int page = 1; page <= pages.PageCount(); ++page) {
      const int start = pages.PageStarts()[page - 1];
      EXPECT_TRUE(std::binary_search(boundaries.begin(), boundaries.end(), start)) << start;
      for (const PrintedRun& r : pages.PageRuns(page)) {
        EXPECT_GE(r.begin, start);
        for (int i = r.begin; i < r.end; ++i) ++seen[i];
      }
    }
    for (std::size_t i = 0; i < text.size(); ++i) {
      const char c = text[i];
      const bool layoutByte = c == '\t' || c == '\r' || c == '\n';
      EXPECT_EQ(seen[i], layoutByte ? 0 : 1) << "byte " << i << " with " << columns << " columns";
    }
  }
}

TEST(Pages, AShortTextInFourColumnsIsOnePageInTheFirstColumn) {
  const FixedCellLayout font(8, 16);
  const PrintPages pages("one\r\ntwo\r\n", {{0, 0, 4800, 6000}, 4, 1, 64}, font);
  EXPECT_EQ(pages.PageStarts(), std::vector<int>{0});
  for (const PrintedRun& r : pages.PageRuns(1)) EXPECT_EQ(r.x, 100);
}

TEST(Pages, APageTooSmallForOneLineEndsThePagination) {
  const FixedCellLayout font(8, 16);
  const PrintPages pages("one\r\ntwo\r\n", {{0, 0, 4800, 110}, 1, 1, 64}, font);
  EXPECT_EQ(pages.PageCount(), 1);
}

struct StartCase {
  std::vector<int> starts;
  int firstVisible;
  int page;
};

class PreviewStart : public ::testing::TestWithParam<StartCase> {};

TEST_P(PreviewStart, IsThePageHoldingTheFirstVisibleByte) {
  EXPECT_EQ(PreviewStartPage(GetParam().starts, GetParam().firstVisible), GetParam().page);
}

INSTANTIATE_TEST_SUITE_P(Cases, PreviewStart,
                         ::testing::Values(StartCase{{0, 100, 200}, 0, 1}, StartCase{{0, 100, 200}, 99, 1},
                                           StartCase{{0, 100, 200}, 100, 2}, StartCase{{0, 100, 200}, 250, 3},
                                           StartCase{{0}, 40, 1}));

}  // namespace
