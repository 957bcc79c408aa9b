// Row and column sums and averages of the cell block, through the view's
// command table, checked against the plain cell operations applied one by one.
#include "app/AllCommands.h"
#include "table/Aggregates.h"

#include <gtest/gtest.h>

#include <random>

#include "TableFixture.h"
#include "support/CaseName.h"
#include "settings/SettingsStore.h"
#include "editor/CommandIds.h"
#include "editor/CommandTable.h"
#include "editor/TextRewrite.h"
#include "numbers/CellNumber.h"
#include "numbers/FormatNumber.h"
#include "text/Cp932.h"
#include "table/CellText.h"
#include "table/TableCells.h"

using tabletest::Fixture;

namespace {

std::string J(const char* utf8) { return cp932::FromUtf8(utf8); }

// Position of the cell (col, row) in the text.
int At(std::string_view text, int row, int col) {
  std::size_t p = cells::RowStart(text, row);
  for (int i = 0; i < col; ++i) p = text.find('\t', p) + 1;
  return static_cast<int>(p);
}

// The block, and the selection a mouse drag over it leaves: from its first
// cell to the end of its last row's cells.
void SetBlock(Fixture& f, const CellRange& block) {
  const std::string_view text = f.Text();
  f.view.cellRange = block;
  f.view.tableSelection = {At(text, block.firstRow, block.firstCol),
                           static_cast<int>(cells::RowCellsEnd(text, cells::RowStart(text, block.lastRow)))};
}

const std::string kSample = J("名\tA\tB\r\nx\t1\t2\r\ny\t3\t\r\n");

struct AggregateCase {
  const char* name;
  std::string text;
  int firstRow, firstCol, lastRow, lastCol;  // the block
  int command;
  int decimals;
  std::string expected;
  std::pair<int, int> caret;  // (column, row) the caret ends at
};

class AggregateTest : public ::testing::TestWithParam<AggregateCase> {};

TEST_P(AggregateTest, WritesResultsAndOneUndoStep) {
  const AggregateCase& c = GetParam();
  Fixture f(c.text);
  f.view.decimalPlaces = c.decimals;
  SetBlock(f, CellRange{c.firstCol, c.firstRow, c.lastCol, c.lastRow});
  const unsigned before = f.Undo();
  ASSERT_EQ(f.view.Execute(c.command), EditorView::CommandResult::Done);
  EXPECT_EQ(f.Text(), c.expected);
  EXPECT_EQ(f.Undo(), before + 1);
  EXPECT_TRUE(f.doc.IsModified());
  const int caret = At(f.Text(), c.caret.second, c.caret.first);
  EXPECT_EQ(f.Sel(), std::make_pair(caret, caret));
  EXPECT_TRUE(f.view.History().autoSnapshot);
  f.view.Undo();
  EXPECT_EQ(f.Text(), c.text);
  f.view.Redo();
  EXPECT_EQ(f.Text(), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, AggregateTest,
    ::testing::Values(
        // The block x/y rows, columns 1..2 (selection ends after the TAB of row 2's last cell).
        AggregateCase{"SumRight", kSample, 1, 1, 2, 2, cmd::RowSumRight, 1,
                      J("名\tA\tB\t合計\r\nx\t1\t2\t3.0\r\ny\t3\t\t3.0\r\n"), {3, 1}},
        AggregateCase{"AverageRight", kSample, 1, 1, 2, 2, cmd::RowAverageRight, 1,
                      J("名\tA\tB\t平均\r\nx\t1\t2\t1.5\r\ny\t3\t\t1.5\r\n"), {3, 1}},
        AggregateCase{"SumLeft", kSample, 1, 1, 2, 2, cmd::RowSumLeft, 1,
                      J("名\t合計\tA\tB\r\nx\t3.0\t1\t2\r\ny\t3.0\t3\t\r\n"), {1, 1}},
        AggregateCase{"AverageLeft", kSample, 1, 1, 2, 2, cmd::RowAverageLeft, 2,
                      J("名\t平均\tA\tB\r\nx\t1.50\t1\t2\r\ny\t1.50\t3\t\r\n"), {1, 1}},
        AggregateCase{"SumDown", kSample, 1, 1, 2, 2, cmd::ColumnSumBelow, 1,
                      J("名\tA\tB\r\nx\t1\t2\r\ny\t3\t\r\n合計\t4.0\t2.0\t\r\n"), {1, 3}},
        AggregateCase{"AverageDown", kSample, 1, 1, 2, 2, cmd::ColumnAverageBelow, 1,
                      J("名\tA\tB\r\nx\t1\t2\r\ny\t3\t\r\n平均\t2.0\t1.0\t\r\n"), {1, 3}},
        AggregateCase{"SumUp", kSample, 1, 1, 2, 2, cmd::ColumnSumAbove, 1,
                      J("名\tA\tB\r\n合計\t4.0\t2.0\t\r\nx\t1\t2\r\ny\t3\t\r\n"), {1, 1}},
        AggregateCase{"AverageUp", kSample, 1, 1, 2, 2, cmd::ColumnAverageAbove, 0,
                      J("名\tA\tB\r\n平均\t2\t1\t\r\nx\t1\t2\r\ny\t3\t\r\n"), {1, 1}},
        AggregateCase{"BlockInRowZeroHasNoLabel", "1\t2\r\n3\t4\r\n5\t6", 0, 0, 2, 1, cmd::RowSumRight, 1,
                      "1\t2\t3.0\r\n3\t4\t7.0\r\n5\t6\t11.0", {2, 0}},
        AggregateCase{"ColumnZeroHasNoLabel", "1\t2\r\n3\t4\r\n", 0, 0, 1, 1, cmd::ColumnSumBelow, 1,
                      "1\t2\r\n3\t4\r\n4.0\t6.0\t\r\n", {0, 2}},
        AggregateCase{"DownAfterLastLineWithoutBreak", "h\th\r\nx\t1\r\ny\t2", 1, 1, 2, 1, cmd::ColumnSumBelow, 1,
                      J("h\th\r\nx\t1\r\ny\t2\r\n合計\t3.0\t"), {1, 3}},
        AggregateCase{"ThreeDecimals", "1\t2\r\n", 0, 0, 0, 1, cmd::RowSumRight, 3, "1\t2\t3.000\r\n", {2, 0}},
        AggregateCase{"TextCellCountsZeroAndInAverage", "x\tabc\t4\r\ny\t2\t2\r\n", 0, 1, 1, 2, cmd::RowAverageRight, 1,
                      "x\tabc\t4\t2.0\r\ny\t2\t2\t2.0\r\n", {3, 0}},
        AggregateCase{"DoubleByteCells", J("表\t表\r\n表\t1\t2\r\n表\t3\t4\r\n"), 1, 1, 2, 2, cmd::RowSumRight, 1,
                      J("表\t表\r\n表\t1\t2\t3.0\r\n表\t3\t4\t7.0\r\n"), {3, 1}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Aggregates, ShortRowWithResultsOnlyInOthers) {
  // A row too short for the result column is left alone; the others get theirs.
  const std::string text = "h\ta\r\nx\t1\t2\r\ny\r\nz\t3\t4\r\n";
  Fixture f(text);
  SetBlock(f, CellRange{1, 1, 2, 3});
  f.view.Execute(cmd::RowSumRight);
  // The label row has too few cells for the result column either.
  EXPECT_EQ(f.Text(), "h\ta\r\nx\t1\t2\t3.0\r\ny\r\nz\t3\t4\t7.0\r\n");
  EXPECT_EQ(f.Sel().first, At(f.Text(), 1, 3));
}

TEST(Aggregates, InvertedBlockShowsTheMessageAndChangesNothing) {
  Fixture f("1\t2\r\n3\t4\r\n");
  f.view.cellRange = CellRange{2, 0, 1, 1};
  f.view.tableSelection = {0, 5};
  RowAggregate(f.view, Aggregate::Sum, false);
  ColumnAggregate(f.view, Aggregate::Average, true);
  ASSERT_EQ(f.host.messages.size(), 2u);
  EXPECT_EQ(f.host.messages[0].caption, "注意！");
  EXPECT_EQ(f.Text(), "1\t2\r\n3\t4\r\n");
  EXPECT_EQ(f.Undo(), 0u);
}

TEST(Aggregates, EmptyTableSelectionOnlyMovesTheCaret) {
  Fixture f("1\t2\r\n3\t4\r\n");
  f.view.cellRange = CellRange{0, 0, 1, 1};
  f.view.tableSelection = {3, 3};
  RowAggregate(f.view, Aggregate::Sum, true);  // caret to (0, 0)
  EXPECT_EQ(f.Sel(), std::make_pair(0, 0));
  ColumnAggregate(f.view, Aggregate::Sum, false);  // caret to (0, 2): no such cell, stays
  EXPECT_EQ(f.Sel(), std::make_pair(0, 0));
  RowAggregate(f.view, Aggregate::Sum, false);  // caret to (2, 0): no such cell
  MoveCaretToCell(f.view, 1, 1);
  RowAggregate(f.view, Aggregate::Average, true);
  EXPECT_EQ(f.Sel(), std::make_pair(0, 0));
  EXPECT_EQ(f.Text(), "1\t2\r\n3\t4\r\n");
  EXPECT_EQ(f.Undo(), 0u);
  EXPECT_FALSE(f.doc.IsModified());
}

TEST(Aggregates, EnableRulesFollowTheBlock) {
  Fixture f("1\t2\r\n3\t4\r\n");
  const int rowResults[] = {cmd::RowSumRight, cmd::RowAverageRight, cmd::RowSumLeft, cmd::RowAverageLeft};
  const int columnResults[] = {cmd::ColumnSumBelow, cmd::ColumnAverageBelow, cmd::ColumnSumAbove,
                               cmd::ColumnAverageAbove};
  f.view.cellRange = CellRange{};  // empty block
  for (int id : rowResults) EXPECT_FALSE(f.view.IsEnabled(id)) << id;
  for (int id : columnResults) EXPECT_FALSE(f.view.IsEnabled(id)) << id;
  f.view.cellRange = CellRange{0, 0, 1, 0};  // two columns, one row
  for (int id : rowResults) EXPECT_TRUE(f.view.IsEnabled(id)) << id;
  for (int id : columnResults) EXPECT_FALSE(f.view.IsEnabled(id)) << id;
  f.view.cellRange = CellRange{1, 0, 1, 1};  // one column, two rows
  for (int id : rowResults) EXPECT_FALSE(f.view.IsEnabled(id)) << id;
  for (int id : columnResults) EXPECT_TRUE(f.view.IsEnabled(id)) << id;
}

TEST(Aggregates, CaptionsInTheTableMenu) {
  const CommandTable& t = AllCommands();
  const std::pair<int, const char*> captions[] = {
      {cmd::RowSumRight, "和・右＝行の和を後ろ（右）へ"},
      {cmd::RowAverageRight, "平均・右＝行の平均を後ろ（右）へ"},
      {cmd::RowSumLeft, "和・左＝行の和を前（左）へ"},
      {cmd::RowAverageLeft, "平均・左＝行の平均を前（左）へ"},
      {cmd::ColumnSumBelow, "和・下＝列の和を下へ"},
      {cmd::ColumnAverageBelow, "平均・下＝列の平均を下へ"},
      {cmd::ColumnSumAbove, "和・上＝列の和を上へ"},
      {cmd::ColumnAverageAbove, "平均・上＝列の平均を上へ"},
      {cmd::SortRows, "行の並べ替え"},
      {cmd::InsertRankColumn, "順位・番号列の挿入"}};
  for (const auto& [id, caption] : captions) {
    const CommandEntry* e = t.Find(id);
    ASSERT_NE(e, nullptr) << id;
    EXPECT_EQ(e->tableCaption, caption);
    EXPECT_EQ(e->mainCaption, "");
    EXPECT_EQ(e->editCaption, "");
  }
}

// ---- against the cell operations applied one at a time, as a reference

// Row results the straightforward way: every cell read with GetCells from the
// control, every sum inserted with InsertCellIntoText, every average typed
// into the control one by one (InsertCellIntoControl).
void ReferenceRows(EditorView& v, bool average, bool left) {
  const CellRange b = v.cellRange;
  const int target = left ? b.firstCol : b.lastCol + 1;
  const std::string label = J(average ? "平均" : "合計");
  TextRewrite rewrite(v);
  std::string work = v.Edit().GetText();
  for (int r = b.firstRow; r <= b.lastRow; ++r) {
    double sum = 0;
    for (int c = b.firstCol; c <= b.lastCol; ++c) sum += numbers::CellNumber(GetCells(v, r, c, 1));
    const std::string value = numbers::FormatNumber(average ? sum / b.Columns() : sum, v.decimalPlaces);
    if (average) {
      InsertCellIntoControl(rewrite, target, r, value);
    } else {
      InsertCellIntoText(v, target, r, value, work);
    }
  }
  if (b.firstRow > 0) {
    if (average) {
      InsertCellIntoControl(rewrite, target, b.firstRow - 1, label);
    } else {
      InsertCellIntoText(v, target, b.firstRow - 1, label, work);
    }
  }
  if (!average) rewrite.ReplaceText(work);
  MoveCaretToCell(v, target, b.firstRow);
}

TEST(Aggregates, RowResultsMatchTheCellOperationsOneByOne) {
  std::mt19937 rng(7);
  for (int round = 0; round < 60; ++round) {
    // A tall table so that the insertions scroll the view.
    std::string text;
    const int rows = 30 + static_cast<int>(rng() % 80);
    for (int r = 0; r < rows; ++r) {
      const int cols = static_cast<int>(rng() % 6);
      for (int c = 0; c < cols; ++c) {
        text += std::to_string(static_cast<int>(rng() % 2000) - 1000);
        if (rng() % 5 == 0) text += ".25";
        text += '\t';
      }
      if (rng() % 2) text += "w" + std::to_string(r);
      if (rng() % 9 == 0) text += "\r7\t8";  // a stray CR inside the line
      if (r + 1 < rows || rng() % 2) text += "\r\n";
    }
    const bool average = rng() % 2, left = rng() % 2;
    Fixture a(text), b(text);
    const int firstRow = static_cast<int>(rng() % rows), lastRow = firstRow + static_cast<int>(rng() % (rows - firstRow));
    const int firstCol = static_cast<int>(rng() % 3), lastCol = firstCol + 1 + static_cast<int>(rng() % 3);
    const int scroll = static_cast<int>(rng() % rows);
    const int hScroll = static_cast<int>(rng() % 3) * 80;
    const int selStart = static_cast<int>(rng() % (text.size() + 1));
    for (Fixture* f : {&a, &b}) {
      f->view.cellRange = CellRange{firstCol, firstRow, lastCol, lastRow};
      f->view.tableSelection = {std::min<int>(selStart, static_cast<int>(text.size()) - 1), static_cast<int>(text.size())};
      f->Edit().LineScroll(0, scroll);
      f->Edit().SetHorizontalScroll(hScroll);
    }
    RowAggregate(a.view, average ? Aggregate::Average : Aggregate::Sum, left);
    ReferenceRows(b.view, average, left);
    ASSERT_EQ(a.Text(), b.Text()) << "round " << round;
    if (a.Text() == text) continue;  // nothing to write: the reference still pushed
    EXPECT_EQ(a.Sel(), b.Sel()) << "round " << round;
    EXPECT_EQ(a.Edit().FirstVisibleLine(), b.Edit().FirstVisibleLine()) << "round " << round;
    EXPECT_EQ(a.Edit().HorizontalScroll(), b.Edit().HorizontalScroll()) << "round " << round;
    EXPECT_EQ(a.view.tableSelection, b.view.tableSelection) << "round " << round;
    EXPECT_EQ(a.Undo(), b.Undo());
    EXPECT_EQ(a.view.History().FirstVisibleLineAt(a.Undo()), b.view.History().FirstVisibleLineAt(b.Undo()));
    EXPECT_EQ(a.view.History().SelectionAt(a.Undo()), b.view.History().SelectionAt(b.Undo()));
  }
}

// Column results the straightforward way: every cell read with GetCells,
// the row of results built and put into the whole text (sums) or typed into
// the control (averages).
void ReferenceColumns(EditorView& v, bool average, bool up) {
  const CellRange b = v.cellRange;
  std::string row = up ? "" : "\r\n";
  if (b.firstCol > 0) row += J(average ? "平均" : "合計") + std::string(static_cast<std::size_t>(b.firstCol), '\t');
  for (int c = b.firstCol; c <= b.lastCol; ++c) {
    double sum = 0;
    for (int r = b.firstRow; r <= b.lastRow; ++r) sum += numbers::CellNumber(GetCells(v, r, c, 1));
    row += numbers::FormatNumber(average ? sum / b.Rows() : sum, v.decimalPlaces) + "\t";
  }
  if (up) row += "\r\n";
  const std::string text = v.Edit().GetText();
  EditBuffer& e = v.Edit();
  const int point =
      up ? e.LogicalLineStart(e.LogicalLineFromChar(v.tableSelection.first))
         : static_cast<int>(cells::RowCellsEnd(text, static_cast<std::size_t>(e.LogicalLineStart(
                                                          e.LogicalLineFromChar(v.tableSelection.second)))));
  TextRewrite rewrite(v);
  if (average)
    rewrite.TypeAt(point, row);
  else
    rewrite.ReplaceText(text.substr(0, static_cast<std::size_t>(point)) + row + text.substr(static_cast<std::size_t>(point)));
  MoveCaretToCell(v, b.firstCol, up ? b.firstRow : b.lastRow + 1);
}

// Rows of every shape: short and long, without a TAB, with a stray CR inside
// the line or before its CR LF, an empty last row or one without a break;
// blocks reaching past the text; word wrap on and off, the view scrolled.
TEST(Aggregates, ColumnResultsMatchTheCellsReadOneByOne) {
  std::mt19937 rng(11);
  for (int round = 0; round < 80; ++round) {
    std::string text;
    const int rows = 20 + static_cast<int>(rng() % 60);
    for (int r = 0; r < rows; ++r) {
      const int cols = static_cast<int>(rng() % 6);
      for (int c = 0; c < cols; ++c) {
        text += std::to_string(static_cast<int>(rng() % 2000) - 1000);
        if (rng() % 4 == 0) text += ".5";
        if (rng() % 3) text += '\t';
      }
      if (rng() % 9 == 0) text += "\r7\t8";  // a stray CR inside the line
      if (rng() % 9 == 0) text += '\r';
      if (r + 1 < rows || rng() % 2) text += "\r\n";
    }
    const bool average = rng() % 2, up = rng() % 2, wrap = rng() % 2;
    const int firstRow = static_cast<int>(rng() % rows);
    const int lastRow = firstRow + static_cast<int>(rng() % (rows - firstRow + 3));
    const int firstCol = static_cast<int>(rng() % 3), lastCol = firstCol + static_cast<int>(rng() % 4);
    Fixture a(text), b(text);
    const int selStart = At(text, firstRow, 0);
    const int scroll = static_cast<int>(rng() % rows);
    for (Fixture* f : {&a, &b}) {
      f->view.decimalPlaces = 2;
      f->Edit().SetWordWrap(wrap);
      f->view.cellRange = CellRange{firstCol, firstRow, lastCol, lastRow};
      f->view.tableSelection = {selStart, static_cast<int>(text.size())};
      f->Edit().LineScroll(0, scroll);
      f->Edit().SetHorizontalScroll(80);
    }
    ColumnAggregate(a.view, average ? Aggregate::Average : Aggregate::Sum, up);
    ReferenceColumns(b.view, average, up);
    ASSERT_EQ(a.Text(), b.Text()) << "round " << round;
    EXPECT_EQ(a.Sel(), b.Sel()) << "round " << round;
    EXPECT_EQ(a.Edit().FirstVisibleLine(), b.Edit().FirstVisibleLine()) << "round " << round;
    EXPECT_EQ(a.Edit().HorizontalScroll(), b.Edit().HorizontalScroll()) << "round " << round;
    EXPECT_EQ(a.Edit().LineCount(), b.Edit().LineCount()) << "round " << round;
    EXPECT_EQ(a.Undo(), b.Undo());
    EXPECT_EQ(a.view.History().FirstVisibleLineAt(a.Undo()), b.view.History().FirstVisibleLineAt(b.Undo()));
    EXPECT_EQ(a.view.History().SelectionAt(a.Undo()), b.view.History().SelectionAt(b.Undo()));
    a.view.Undo();
    EXPECT_EQ(a.Text(), text) << "round " << round;
  }
}

// With Japanese numbers on, full-width, separated, ▲ and unit amounts add up
// by their values; with them off the same cells read as the plain rule
// reads them, as they always have.
struct JapaneseSumCase {
  const char* first;  // UTF-8, the two cells of the column
  const char* second;
  const char* plainSum;
  const char* japaneseSum;
};

class JapaneseColumnSums : public ::testing::TestWithParam<JapaneseSumCase> {};

TEST_P(JapaneseColumnSums, FollowTheReadingChosen) {
  const JapaneseSumCase& c = GetParam();
  const std::string text = J(c.first) + "\t\r\n" + J(c.second) + "\t";
  for (const bool japanese : {false, true}) {
    Fixture f(text);
    f.settings.WriteInt(setting::JapaneseNumbers, japanese ? 1 : 0);
    SetBlock(f, CellRange{0, 0, 0, 1});
    ASSERT_EQ(f.view.Execute(cmd::ColumnSumBelow), EditorView::CommandResult::Done);
    EXPECT_EQ(f.Text(), text + "\r\n" + (japanese ? c.japaneseSum : c.plainSum) + "\t") << c.first;
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, JapaneseColumnSums,
                         ::testing::Values(JapaneseSumCase{"１２０", "３０", "0.0", "150.0"},
                                           JapaneseSumCase{"1,234", "2万", "3.0", "21234.0"},
                                           JapaneseSumCase{"▲1,200", "300", "300.0", "-900.0"},
                                           JapaneseSumCase{"1億2000万", "5千", "6.0", "120005000.0"},
                                           JapaneseSumCase{"12.5", "-2.5", "10.0", "10.0"}),
                         [](const auto& info) { return CaseName(info.index, info.param.plainSum); });

}  // namespace
