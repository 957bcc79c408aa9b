// The cell operations: reading, selecting, deleting and inserting cells of
// TAB-separated rows, on the view, in a text and in the one-pass grid.
#include "table/TableCells.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "TableFixture.h"
#include "editor/TextRewrite.h"
#include "numbers/CellNumber.h"
#include "table/CellText.h"
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
  InsertCellIntoText(f.view, c.col, c.row, c.value, text);
  EXPECT_EQ(text, c.expected);

  TableGrid grid(c.text);
  grid.InsertCell(c.col, c.row, c.value);
  EXPECT_EQ(grid.Text(), c.expected);

  TextRewrite rewrite(f.view);
  InsertCellIntoControl(rewrite, c.col, c.row, c.value);
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

// A row read in one pass: its first TABs, where its cells and the row end,
// and whether its line break is clean.
TEST(ScanRow, FindsTheFirstTabsTheCellsEndAndTheRowEnd) {
  const struct {
    const char* text;
    std::size_t start, maxTabs;
    std::vector<std::size_t> tabs;
    std::size_t cellsEnd, end;
    bool hasLf, cleanBreak;
  } cases[] = {
      {"a\tb\tc\r\nx", 0, 5, {1, 3}, 5, 7, true, true},
      {"a\tb\tc\r\nx", 0, 1, {1}, 5, 7, true, true},          // stops reading TABs, not the row
      {"a\tb\tc\r\nx", 7, 5, {}, 8, 8, false, true},           // the last row, without a break
      {"a\tb\r\r\n", 0, 5, {1}, 3, 6, true, true},            // CRs before the LF are the break
      {"a\rb\tc\r\n", 0, 5, {}, 1, 7, true, false},           // a stray CR: the TAB after it is not the cells'
      {"\x95\x5C\t\x82\xA0\n", 0, 5, {2}, 5, 6, true, true}, // double-byte cells
      {"", 0, 5, {}, 0, 0, false, true},
  };
  for (const auto& c : cases) {
    std::vector<std::size_t> tabs{99};
    const cells::RowScan row = cells::ScanRow(c.text, c.start, c.maxTabs, tabs);
    EXPECT_EQ(tabs, c.tabs) << c.text;
    EXPECT_EQ(row.start, c.start) << c.text;
    EXPECT_EQ(row.cellsEnd, c.cellsEnd) << c.text;
    EXPECT_EQ(row.end, c.end) << c.text;
    EXPECT_EQ(row.hasLf, c.hasLf) << c.text;
    EXPECT_EQ(row.cleanBreak, c.cleanBreak) << c.text;
  }
}

TEST(TableSelectionTracking, InsertBeforeMovesStartInsertAtDoesNot) {
  Fixture f("a\tb\r\nc\td\r\n");
  std::string text = f.Edit().GetText();
  f.view.tableSelection = {7, 9};  // at "d"
  InsertCellIntoText(f.view, 1, 1, "xy", text);  // at the TAB before d
  EXPECT_EQ(f.view.tableSelection.first, 10);
  InsertCellIntoText(f.view, 3, 1, "z", text);  // right after d: not before the start
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
        ASSERT_EQ(grid.Number(r, k), numbers::CellNumber(GetCells(reader.view, r, k, 1))) << "round " << round;
    for (int op = 0; op < 8; ++op) {
      const int row = static_cast<int>(rng() % (rows + 1));
      const int col = static_cast<int>(rng() % 5);
      const int c = static_cast<int>(rng() % 4);
      reader.Edit().SetText(reference);
      ASSERT_EQ(grid.Cells(row, col, c), GetCells(reader.view, row, col, c)) << "round " << round;
      switch (rng() % 3) {
        case 0: {
          const std::string v = std::to_string(rng() % 100);
          InsertCellIntoText(f.view, col, row, v, reference);
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
          for (int k = from; k <= from + 2; ++k) sum += fresh.Number(r, k);
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
          ASSERT_EQ(grid.Number(r, k), numbers::CellNumber(GetCells(reader.view, r, k, 1))) << "round " << round;
        }
    }
  }
}

}  // namespace
