// Column and block editing and deviation scores through the view's command
// table: the cases users meet, the enable rules and the undo steps.
#include <gtest/gtest.h>

#include "app/AllCommands.h"
#include "editor/CommandIds.h"
#include "editor/CommandTable.h"
#include "support/TestView.h"
#include "table/TableClipboard.h"

namespace {

const std::string kHyo = "\x95\x5C";  // 表: its trail byte is 0x5C

// Position of the n-th occurrence (0-based) of `what` in the text.
int PosOf(std::string_view text, const std::string& what, int n = 0) {
  std::size_t p = text.find(what);
  for (int i = 0; i < n; ++i) p = text.find(what, p + 1);
  return static_cast<int>(p);
}

struct CaretCase {
  const char* name;
  int command;
  std::string text;
  int caret;  // selection start and end
  std::string expected;
  int expectedCaret;
};

TEST(ColumnEditing, AtTheCaret) {
  const std::string t3 = "a\tb\tc\r\nd\te\tf\r\ng\th";
  const CaretCase cases[] = {
      {"blank column after the cell that holds the caret", cmd::InsertBlankColumn, t3, 3,
       "a\tb\t\tc\r\nd\te\t\tf\r\ng\th\t", 4},
      {"blank column at the start of a row goes first", cmd::InsertBlankColumn, t3, 7,
       "\ta\tb\tc\r\n\td\te\tf\r\n\tg\th", 8},
      {"blank column with the caret at a cell start goes before it", cmd::InsertBlankColumn, t3, 2,
       "a\t\tb\tc\r\nd\t\te\tf\r\ng\t\th", 2},
      // The last cell of a row goes without the TAB before it.
      {"delete the third column; a two-cell row keeps its cells", cmd::DeleteColumn, t3, 5,
       "a\tb\t\r\nd\te\t\r\ng\th", 4},
      {"delete the first column", cmd::DeleteColumn, t3, 0, "b\tc\r\ne\tf\r\nh", 0},
      {"delete column: the caret follows the removed cells", cmd::DeleteColumn, t3, 7, "b\tc\r\ne\tf\r\nh", 5},
      {"a row without a TAB has no cells to delete", cmd::DeleteColumn, "abc\r\nx\ty", 0, "abc\r\ny", 0},
      {"double-byte cells with a 0x5C trail byte", cmd::InsertBlankColumn, kHyo + "\t" + kHyo + "\r\n1\t2", 2,
       kHyo + "\t\t" + kHyo + "\r\n1\t\t2", 3},
  };
  for (const CaretCase& c : cases) {
    TestView t(c.text);
    t.Edit().SetSel(c.caret, c.caret);
    ASSERT_EQ(t.view.Execute(c.command), EditorView::CommandResult::Done) << c.name;
    EXPECT_EQ(t.Text(), c.expected) << c.name;
    EXPECT_EQ(t.Edit().GetSel(), std::make_pair(c.expectedCaret, c.expectedCaret)) << c.name;
    EXPECT_EQ(t.view.History().Current(), 1u) << c.name;
    t.view.Execute(cmd::Undo);
    EXPECT_EQ(t.Text(), c.text) << c.name;
    EXPECT_EQ(t.Edit().GetSel(), std::make_pair(c.caret, c.caret)) << c.name;
  }
}

TEST(ColumnEditing, BlankCellsFillTheSelectedBlock) {
  TestView t("a\tb\tc\r\nd\te\tf\r\ng\th\ti");
  // Block: columns 1-2 of rows 0-1.
  t.Drag(2, PosOf(t.Text(), "f") + 1);
  EXPECT_EQ(t.view.cellRange, (CellRange{1, 0, 2, 1}));
  ASSERT_TRUE(t.view.IsEnabled(cmd::InsertBlankCells));
  t.view.Execute(cmd::InsertBlankCells);
  // Two blank cells in front of column 1, in the block's rows only.
  EXPECT_EQ(t.Text(), "a\t\t\tb\tc\r\nd\t\t\te\tf\r\ng\th\ti");
  EXPECT_EQ(t.Edit().GetSel(), std::make_pair(2, 2));
  EXPECT_EQ(t.view.tableSelection, std::make_pair(2, 2));

  TestView one("a\tb");
  one.Drag(0, 1);  // one cell: nothing to fill
  EXPECT_FALSE(one.view.IsEnabled(cmd::InsertBlankCells));
}

TEST(ColumnEditing, DeleteSelectedColumns) {
  TestView t("a\tb\tc\td\r\ne\tf\tg\th");
  t.Drag(2, 5);  // columns 1-2 of row 0
  t.view.Execute(cmd::DeleteColumn);
  EXPECT_EQ(t.Text(), "a\td\r\ne\th");
  EXPECT_EQ(t.Edit().GetSel(), std::make_pair(2, 2));
}

TEST(ColumnEditing, CutAndInsertMovesTheColumn) {
  TestView t("a\tb\tc\r\nd\te\tf");
  t.Edit().SetSel(0, 0);
  t.view.Execute(cmd::CutColumn);  // cut column 0
  EXPECT_EQ(t.Text(), "b\tc\r\ne\tf");
  t.Edit().SetSel(3, 3);  // inside "c": after it
  ASSERT_TRUE(t.view.IsEnabled(cmd::InsertCopiedColumn));
  t.view.Execute(cmd::InsertCopiedColumn);
  EXPECT_EQ(t.Text(), "b\tc\ta\r\ne\tf\td");
  EXPECT_EQ(t.Edit().GetSel(), std::make_pair(4, 4));  // start of the inserted cell
  // Each command one undo step: undo once brings the cut text back with the
  // caret where it was before the insertion.
  EXPECT_EQ(t.view.History().Current(), 2u);
  t.view.Execute(cmd::Undo);
  EXPECT_EQ(t.Text(), "b\tc\r\ne\tf");
  EXPECT_EQ(t.Edit().GetSel(), std::make_pair(3, 3));
  t.view.Execute(cmd::Undo);
  EXPECT_EQ(t.Text(), "a\tb\tc\r\nd\te\tf");
}

TEST(ColumnEditing, CopyColumnLeavesTextAndCounts) {
  TestView t("a\tb\r\nc\td\r\ne");
  t.view.Extension<TableClipboard>().rowCount = 7;
  t.view.Extension<TableClipboard>().columnCount = 3;
  t.Edit().SetSel(2, 2);
  t.view.Execute(cmd::CopyColumn);
  EXPECT_EQ(t.Text(), "a\tb\r\nc\td\r\ne");
  EXPECT_EQ(t.view.History().Current(), 0u);
  ASSERT_GE(t.view.Extension<TableClipboard>().rows.size(), 3u);
  EXPECT_EQ(t.view.Extension<TableClipboard>().rows[0], "b");
  EXPECT_EQ(t.view.Extension<TableClipboard>().rows[1], "d");
  EXPECT_EQ(t.view.Extension<TableClipboard>().rows[2], "");
  EXPECT_EQ(t.view.Extension<TableClipboard>().rowCount, 7);
  EXPECT_EQ(t.view.Extension<TableClipboard>().columnCount, 3);
}

TEST(ColumnEditing, ClipboardHoldsMoreThanTenThousandRows) {
  std::string text;
  for (int r = 0; r < 12000; ++r) text += std::to_string(r) + "\tx\r\n";
  text += "last\ty";
  TestView t(text);
  t.Edit().SetSel(0, 0);
  t.view.Execute(cmd::CutColumn);  // cut column 0 of all 12,001 rows
  t.Edit().SetSel(1, 1);  // inside "x": the column goes after it
  t.view.Execute(cmd::InsertCopiedColumn);
  EXPECT_EQ(t.Text().substr(0, 10), "x\t0\r\nx\t1\r\n");
  EXPECT_EQ(t.Text().substr(t.Text().size() - 6), "y\tlast");
  EXPECT_NE(t.Text().find("x\t11999\r\n"), std::string::npos);
}

TEST(BlockEditing, CopyAndPasteABlock) {
  // Rows 2-3, columns 1-2 copied; pasted with the caret right after the
  // first TAB of row 5.
  const std::string text =
      "r0\r\nr1\r\n20\t21\t22\t23\r\n30\t31\t32\t33\r\nr4\r\n50\t51\t52\r\n60\t61\r\n";
  TestView t(text);
  t.Drag(PosOf(text, "21"), PosOf(text, "33") - 1);
  EXPECT_EQ(t.view.cellRange, (CellRange{1, 2, 2, 3}));
  t.view.Execute(cmd::CopyBlock);
  EXPECT_EQ(t.Text(), text);
  EXPECT_EQ(t.view.History().Current(), 0u);
  EXPECT_EQ(t.view.Extension<TableClipboard>().rowCount, 2);
  EXPECT_EQ(t.view.Extension<TableClipboard>().columnCount, 2);
  EXPECT_EQ(t.view.Extension<TableClipboard>().rows[0], "21\t22");
  EXPECT_EQ(t.view.Extension<TableClipboard>().rows[1], "31\t32");

  const int caret = PosOf(text, "51");
  t.Edit().SetSel(caret, caret);
  ASSERT_TRUE(t.view.IsEnabled(cmd::PasteBlock));
  t.view.Execute(cmd::PasteBlock);
  EXPECT_EQ(t.Text(), "r0\r\nr1\r\n20\t21\t22\t23\r\n30\t31\t32\t33\r\nr4\r\n50\t21\t22\t51\t52\r\n60\t31\t32\t61\r\n");
  EXPECT_EQ(t.Edit().GetSel(), std::make_pair(caret, caret));  // the caret stays at the selection end
  EXPECT_EQ(t.view.History().Current(), 1u);
  t.view.Execute(cmd::Undo);
  EXPECT_EQ(t.Text(), text);
}

TEST(BlockEditing, PasteReplacesTheSelectedBlock) {
  TestView t("a\tb\r\nc\td\r\ne\tf\r\ng\th");
  t.Drag(0, 6);  // column 0 of rows 0-1 (ends right after c's TAB... in c)
  t.view.Execute(cmd::CopyBlock);
  ASSERT_EQ(t.view.Extension<TableClipboard>().rows[0], "a");
  t.Drag(PosOf(t.Text(), "e"), PosOf(t.Text(), "g") + 1);  // column 0 of rows 2-3
  t.view.Execute(cmd::PasteBlock);
  // The selected cells go; the pasted ones go in front of the cells of column 1
  // (the paste column of a row start).
  EXPECT_EQ(t.Text(), "a\tb\r\nc\td\r\nf\ta\r\nh\tc");
}

TEST(BlockEditing, PasteNeedsTwoCopiedRows) {
  TestView t("a\tb\r\nc\td");
  EXPECT_FALSE(t.view.IsEnabled(cmd::PasteBlock));
  t.Drag(0, 3);  // one row
  t.view.Execute(cmd::CopyBlock);
  EXPECT_EQ(t.view.Extension<TableClipboard>().rowCount, 1);
  EXPECT_FALSE(t.view.IsEnabled(cmd::PasteBlock));
}

TEST(BlockEditing, RepeatedPasteFillsTheBlock) {
  TestView t("a\tb\r\nx\r\n1\t2\t3\t4\t5\t6\r\n1\t2\t3\t4\t5\t6\r\n1\t2\t3\t4\t5\t6\r\n");
  t.Drag(0, 3);  // a, b: one row, two columns
  t.view.Execute(cmd::CopyBlock);
  ASSERT_EQ(t.view.Extension<TableClipboard>().rowCount, 1);
  ASSERT_EQ(t.view.Extension<TableClipboard>().columnCount, 2);
  const std::string text(t.Text());
  // Block: rows 2-4, columns 0-4.
  t.Drag(PosOf(text, "1"), PosOf(text, "5", 2) + 1);
  EXPECT_EQ(t.view.cellRange, (CellRange{0, 2, 4, 4}));
  ASSERT_TRUE(t.view.IsEnabled(cmd::PasteBlockRepeated));
  t.view.Execute(cmd::PasteBlockRepeated);
  EXPECT_EQ(t.Text(), "a\tb\r\nx\r\na\tb\ta\tb\ta\t6\r\na\tb\ta\tb\ta\t6\r\na\tb\ta\tb\ta\t6\r\n");
  EXPECT_EQ(t.Edit().GetSel(), std::make_pair(PosOf(text, "1"), PosOf(text, "1")));
  EXPECT_EQ(t.view.History().Current(), 1u);
  // The clipboard keeps the block that was copied, so the same fill again
  // gives the same cells.
  EXPECT_EQ(t.view.Extension<TableClipboard>().rows[0], "a\tb");
  t.view.Execute(cmd::Undo);
  t.Drag(PosOf(text, "1"), PosOf(text, "5", 2) + 1);
  t.view.Execute(cmd::PasteBlockRepeated);
  EXPECT_EQ(t.Text(), "a\tb\r\nx\r\na\tb\ta\tb\ta\t6\r\na\tb\ta\tb\ta\t6\r\na\tb\ta\tb\ta\t6\r\n");
}

TEST(BlockEditing, RepeatedPasteRepeatsRowsDown) {
  TestView t("p\tz\r\nq\tz\r\n1\t1\r\n1\t1\r\n1\t1\r\n");
  t.Drag(0, PosOf(t.Text(), "q") + 1);  // column 0 of rows 0-1: p, q
  t.view.Execute(cmd::CopyBlock);
  ASSERT_EQ(t.view.Extension<TableClipboard>().rowCount, 2);
  ASSERT_EQ(t.view.Extension<TableClipboard>().rows[1], "q");
  t.Drag(PosOf(t.Text(), "1"), PosOf(t.Text(), "1", 5) + 1);  // columns 0-1 of rows 2-4
  EXPECT_EQ(t.view.cellRange, (CellRange{0, 2, 1, 4}));
  t.view.Execute(cmd::PasteBlockRepeated);
  // Two columns from one: each row's cell twice; rows p, q, then p again.
  // The deleted block leaves each row empty, and the pasted cells keep the
  // TAB that ends them.
  EXPECT_EQ(t.Text(), "p\tz\r\nq\tz\r\np\tp\t\r\nq\tq\t\r\np\tp\t\r\n");
}

TEST(BlockEditing, CellsOfARowWithoutTabCannotBeCopied) {
  // A row without any TAB has no addressable cells: its copy is empty.
  TestView t("p\r\nq\r\n");
  t.Drag(0, 4);
  t.view.Execute(cmd::CopyBlock);
  EXPECT_EQ(t.view.Extension<TableClipboard>().rowCount, 2);
  EXPECT_EQ(t.view.Extension<TableClipboard>().rows[0], "");
  EXPECT_EQ(t.view.Extension<TableClipboard>().rows[1], "");
}

TEST(BlockEditing, RepeatedPasteIsOffWithAnEmptyClipboard) {
  TestView t("a\tb\r\nc\td");
  t.Drag(0, 6);
  EXPECT_FALSE(t.view.IsEnabled(cmd::PasteBlockRepeated));
  EXPECT_EQ(t.view.Execute(cmd::PasteBlockRepeated), EditorView::CommandResult::Disabled);
  EXPECT_EQ(t.Text(), "a\tb\r\nc\td");
  EXPECT_EQ(t.view.History().Current(), 0u);
}

TEST(BlockEditing, DeleteAndCutBlock) {
  TestView t("a\tb\tc\r\nd\te\tf\r\ng\th\ti");
  t.Drag(2, PosOf(t.Text(), "e") + 1);  // column 1 of rows 0-1
  ASSERT_TRUE(t.view.IsEnabled(cmd::DeleteBlock));
  t.view.Execute(cmd::DeleteBlock);
  EXPECT_EQ(t.Text(), "a\tc\r\nd\tf\r\ng\th\ti");
  EXPECT_EQ(t.Edit().GetSel(), std::make_pair(2, 2));

  TestView cut("a\tb\tc\r\nd\te\tf");
  cut.Drag(2, 3);  // one cell: delete block is off, cut is not
  EXPECT_FALSE(cut.view.IsEnabled(cmd::DeleteBlock));
  cut.view.Execute(cmd::CutBlock);
  EXPECT_EQ(cut.Text(), "a\tc\r\nd\te\tf");
  EXPECT_EQ(cut.view.Extension<TableClipboard>().rows[0], "b");
  EXPECT_EQ(cut.view.History().Current(), 1u);
}

TEST(BlockEditing, ClearEmptiesCellsInPlace) {
  TestView t("a\tb\tc\r\nd\te\tf\r\ng\th\ti");
  t.Drag(2, PosOf(t.Text(), "f") + 1);  // columns 1-2 of rows 0-1, the last cells of their rows
  ASSERT_TRUE(t.view.IsEnabled(cmd::ClearBlock));
  t.view.Execute(cmd::ClearBlock);
  EXPECT_EQ(t.Text(), "a\t\t\t\r\nd\t\t\t\r\ng\th\ti");
  EXPECT_EQ(t.Edit().GetSel(), std::make_pair(10, 10));  // after the last cleared cell
  EXPECT_EQ(t.view.History().Current(), 1u);
  t.view.Execute(cmd::Undo);
  EXPECT_EQ(t.Text(), "a\tb\tc\r\nd\te\tf\r\ng\th\ti");

  TestView mid(kHyo + "\t" + kHyo + "\t" + kHyo + "\r\n1\t2\t3");
  mid.Drag(3, PosOf(mid.Text(), "2") + 1);  // column 1 of rows 0-1
  mid.view.Execute(cmd::ClearBlock);
  EXPECT_EQ(mid.Text(), kHyo + "\t\t" + kHyo + "\r\n1\t\t3");

  TestView single("a\tb");
  EXPECT_FALSE(single.view.IsEnabled(cmd::ClearBlock));  // no block
  single.Drag(0, 1);                           // one cell is a block too
  EXPECT_TRUE(single.view.IsEnabled(cmd::ClearBlock));
}

TEST(BlockEditing, ClearingEmptyCellsIsNoUndoStep) {
  TestView t("\t\tx\r\n\t\ty");
  t.Drag(0, 6);  // columns 0-1 of rows 0-1
  t.view.Execute(cmd::ClearBlock);
  EXPECT_EQ(t.Text(), "\t\tx\r\n\t\ty");
  EXPECT_EQ(t.view.History().Current(), 0u);
  EXPECT_FALSE(t.doc.IsModified());
}

TEST(BlockEditing, DeleteBlockMovesCellsLeft) {
  TestView t("1\t2\t3\t4\r\n5\t6\t7\t8\r\n9\t10");
  t.Drag(2, PosOf(t.Text(), "7") + 1);  // columns 1-2 of rows 0-1
  t.view.Execute(cmd::DeleteBlock);
  EXPECT_EQ(t.Text(), "1\t4\r\n5\t8\r\n9\t10");
}

// ---------------------------------------------------------------- deviation scores

struct DeviationCase {
  const char* name;
  std::string text;
  std::string from, to;  // the drag: start of `from` to the end of `to`
  int decimals;
  std::string expected;
};

TEST(DeviationScores, ScoresBesideTheColumn) {
  const DeviationCase cases[] = {
      {"40 50 60", "a\t40\r\nb\t50\r\nc\t60", "40", "60", 1, "a\t40\t37.8\r\nb\t50\t50.0\r\nc\t60\t62.2"},
      {"cells with a TAB", "40\tx\r\n50\ty\r\n60\tz", "40", "60", 1,
       "40\t37.8\tx\r\n50\t50.0\ty\r\n60\t62.2\tz"},
      {"two decimals", "1\t\r\n2\t\r\n3\t\r\n4\t", "1", "4", 2, "1\t36.58\t\r\n2\t45.53\t\r\n3\t54.47\t\r\n4\t63.42\t"},
      {"all values equal score 50", "7\t\r\n7\t\r\n7\t", "7", "7", 1, "7\t50.0\t\r\n7\t50.0\t\r\n7\t50.0\t"},
      {"equal values that do not add up exactly", "x\t0.1\r\nx\t0.1\r\nx\t0.1", "0.1", "0.1", 3,
       "x\t0.1\t50.000\r\nx\t0.1\t50.000\r\nx\t0.1\t50.000"},
      {"a cell without a TAB in its row reads 0", "40\r\n60\tx", "40", "60", 1, "40\t40.0\r\n60\t60.0\tx"},
      {"one value", "x\t3\r\n", "3", "3", 0, "x\t3\t50\r\n"},
      {"empty and text cells count 0", "10\t\r\n\t\r\nabc\t\r\n30\t", "10", "30", 1,
       "10\t50.0\t\r\n\t41.8\t\r\nabc\t41.8\t\r\n30\t66.3\t"},
  };
  for (const DeviationCase& c : cases) {
    TestView t(c.text);
    t.view.decimalPlaces = c.decimals;
    const std::size_t from = c.text.find(c.from);
    const std::size_t to = c.text.rfind(c.to) + c.to.size();
    t.Drag(static_cast<int>(from), static_cast<int>(to));
    ASSERT_TRUE(t.view.IsEnabled(cmd::DeviationScoresRight)) << c.name;
    t.view.Execute(cmd::DeviationScoresRight);
    EXPECT_EQ(t.Text(), c.expected) << c.name;
    EXPECT_EQ(t.view.History().Current(), 1u) << c.name;
    t.view.Execute(cmd::Undo);
    EXPECT_EQ(t.Text(), c.text) << c.name;
  }
}

TEST(DeviationScores, SelectionEndingAfterATabPutsScoresInFront) {
  TestView t("a\t40\tp\r\nb\t60\tq");
  t.Drag(2, PosOf(t.Text(), "60") + 3);  // ends right after the TAB that ends 60
  EXPECT_EQ(t.view.cellRange, (CellRange{1, 0, 1, 1}));
  t.view.Execute(cmd::DeviationScoresRight);
  EXPECT_EQ(t.Text(), "a\t40.0\t40\tp\r\nb\t60.0\t60\tq");
  // The caret ends after the last score typed.
  EXPECT_EQ(t.Edit().GetSel().first, PosOf(t.Text(), "60.0") + 4);
}

TEST(DeviationScores, EmptySelectionChangesNothing) {
  TestView t("40\r\n50\r\n60");
  t.Drag(0, 9);
  t.Edit().SetSel(4, 4);  // the keyboard leaves the block but empties the selection
  ASSERT_TRUE(t.view.IsEnabled(cmd::DeviationScoresRight));
  t.view.Execute(cmd::DeviationScoresRight);
  EXPECT_EQ(t.Text(), "40\r\n50\r\n60");
  EXPECT_EQ(t.view.History().Current(), 0u);
  EXPECT_TRUE(t.view.History().autoSnapshot);
  t.Type("1");  // automatic snapshots are still on
  EXPECT_EQ(t.view.History().Current(), 1u);
}

TEST(DeviationScores, NeedsOneColumn) {
  TestView t("1\t2\r\n3\t4");
  EXPECT_FALSE(t.view.IsEnabled(cmd::DeviationScoresRight));  // no block
  t.Drag(0, 9);
  EXPECT_FALSE(t.view.IsEnabled(cmd::DeviationScoresRight));  // two columns
}

// ---------------------------------------------------------------- menus

TEST(BlockCommandMenus, CaptionsInTheTableMenu) {
  const struct {
    int id;
    const char* table;
    const char* main;
  } entries[] = {
      {cmd::ClearBlock, "選択範囲の値・文字列のクリア", ""},
      {cmd::DeleteBlock, "選択範囲の削除", ""},
      {cmd::InsertBlankCells, "選択範囲へ空白セルの挿入", ""},
      {cmd::InsertBlankColumn, "列の挿入　(空白の1列を）", ""},
      {cmd::DeleteColumn, "列の削除", ""},
      {cmd::CopyColumn, "列のコピー", ""},
      {cmd::CutColumn, "列の切取", ""},
      {cmd::InsertCopiedColumn, "コピー/切取列の挿入", ""},
      {cmd::CopyBlock, "選択範囲のコピー", ""},
      {cmd::CutBlock, "選択範囲の切取", ""},
      {cmd::PasteBlock, "上の範囲の貼付", ""},
      {cmd::PasteBlockRepeated, "上の範囲の貼付(繰返し）", ""},
      {cmd::CreateTable, "表の作成", "表の作成"},
      {cmd::ChangeTableWidth, "表の幅の変更", "表の幅の変更"},
      {cmd::ChangeRoundingPlace, "四捨五入の位 (小数)", "四捨五入の位 (小数)"},
      {cmd::DeviationScoresRight, "偏差値　（列の選択範囲に対し、右へ）", ""},
  };
  for (const auto& e : entries) {
    const CommandEntry* entry = AllCommands().Find(e.id);
    ASSERT_NE(entry, nullptr) << e.id;
    EXPECT_EQ(entry->tableCaption, e.table) << e.id;
    EXPECT_EQ(entry->mainCaption, e.main) << e.id;
    EXPECT_EQ(entry->editCaption, "") << e.id;
  }
}

}  // namespace
