// Column and block commands on rows of tens of thousands of cells, with a
// block as wide as the rows. Each command must find the cells of a row once:
// an implementation that searched the row again for each cell of the block
// would take minutes here, so this table doubles as the guard against it. The
// results are written out directly from the shape of the table.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "editor/CommandIds.h"
#include "support/CaseName.h"
#include "table/TableFixture.h"
#include "table/TableClipboard.h"

namespace {

constexpr int kCells = 30000;  // the widened table stays inside the text limit
constexpr int kRowCount = 3;

std::string Cell(int row, int col) { return "r" + std::to_string(row) + "c" + std::to_string(col); }

// Cells [from, to) of a row joined by TAB.
std::string Cells(int row, int from, int to) {
  std::string s;
  for (int c = from; c < to; ++c) {
    if (c > from) s += '\t';
    s += Cell(row, c);
  }
  return s;
}

std::string Table(const std::function<std::string(int)>& rowText) {
  std::string t;
  for (int r = 0; r < kRowCount; ++r) t += rowText(r) + (r + 1 < kRowCount ? "\r\n" : "");
  return t;
}

const std::string& Original() {
  static const std::string text = Table([](int r) { return Cells(r, 0, kCells); });
  return text;
}

struct LongRowCase {
  const char* name;
  int id;
  std::function<std::string(int)> row;  // each row of the expected text
  bool copiesBlock;                     // the clipboard gets the block's cells
};

const std::string kInner = std::string(kCells - 2, '\t');

const LongRowCase kCases[] = {
    {"DeleteColumn", cmd::DeleteColumn,
     [](int r) { return Cell(r, 0) + "\t" + Cell(r, kCells - 1); }, false},
    {"CutColumn", cmd::CutColumn, [](int r) { return Cell(r, 0) + "\t" + Cell(r, kCells - 1); }, true},
    {"CutBlock", cmd::CutBlock, [](int r) { return Cell(r, 0) + "\t" + Cell(r, kCells - 1); }, true},
    {"InsertBlankColumn", cmd::InsertBlankColumn,
     [](int r) { return Cell(r, 0) + kInner + "\t" + Cells(r, 1, kCells); }, false},
    {"InsertBlankCells", cmd::InsertBlankCells,
     [](int r) { return Cell(r, 0) + kInner + "\t" + Cells(r, 1, kCells); }, false},
    {"ClearBlock", cmd::ClearBlock, [](int r) { return Cell(r, 0) + "\t" + kInner + Cell(r, kCells - 1); }, false},
};

class LongRowTest : public ::testing::TestWithParam<LongRowCase> {};

TEST_P(LongRowTest, BlockAsWideAsTheRows) {
  const LongRowCase& c = GetParam();
  tabletest::Fixture f(Original());
  // From the start of cell 1 of the first row into cell kCells - 2 of the last.
  const int s = static_cast<int>(Cell(0, 0).size()) + 1;
  const int lastRowStart = static_cast<int>(Original().rfind('\n')) + 1;
  const int e = lastRowStart + static_cast<int>(Cells(kRowCount - 1, 0, kCells - 2).size()) + 2;
  f.Drag(s, e);
  ASSERT_EQ(f.view.cellRange, (CellRange{1, 0, kCells - 2, kRowCount - 1}));

  ASSERT_EQ(f.view.Execute(c.id), EditorView::CommandResult::Done);
  EXPECT_TRUE(f.Text() == Table(c.row)) << "the text differs; its size is " << f.Text().size();
  EXPECT_EQ(f.Undo(), 1u);
  if (c.copiesBlock) {
    for (int r = 0; r < kRowCount; ++r)
      EXPECT_TRUE(f.view.Extension<TableClipboard>().rows.at(static_cast<std::size_t>(r)) == Cells(r, 1, kCells - 1)) << "row " << r;
  }
  f.view.Undo();
  EXPECT_TRUE(f.Text() == Original());
}

INSTANTIATE_TEST_SUITE_P(Cases, LongRowTest, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return CaseName(info.index, info.param.name); });

}  // namespace
