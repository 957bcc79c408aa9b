// Row sort, rank column and number column: the texts they produce, the rows
// and column their dialogs propose, and the commands' undo steps, settings and
// caret.
#include "table/RowSort.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "TableFixture.h"
#include "settings/SettingsStore.h"
#include "dialogs/RankDialog.h"
#include "dialogs/RowSortDialog.h"
#include "editor/CommandIds.h"
#include "text/Cp932.h"
#include "numbers/CellNumber.h"
#include "table/TableCells.h"
#include "table/TableGrid.h"

using tabletest::Fixture;

namespace {

struct SortCase {
  const char* name;
  std::string text;
  int column, firstRow, lastRow;
  bool descending, byValue;
  std::string expected;
};

class SortRowsTest : public ::testing::TestWithParam<SortCase> {};

TEST_P(SortRowsTest, Reorders) {
  const SortCase& c = GetParam();
  EXPECT_EQ(SortRows(c.text, c.column, c.firstRow, c.lastRow, c.descending, c.byValue), c.expected);
}

const std::string kThree = "h\tk\r\na\t3\r\nb\t1\r\nc\t2\r\nz\tz\r\n";

INSTANTIATE_TEST_SUITE_P(
    Cases, SortRowsTest,
    ::testing::Values(
        SortCase{"DescendingByValue", kThree, 1, 1, 3, true, true, "h\tk\r\na\t3\r\nc\t2\r\nb\t1\r\nz\tz\r\n"},
        SortCase{"AscendingByValue", kThree, 1, 1, 3, false, true, "h\tk\r\nb\t1\r\nc\t2\r\na\t3\r\nz\tz\r\n"},
        SortCase{"StringsCompareBytes", "x\t9\r\ny\t10\r\n", 1, 0, 1, false, false, "y\t10\r\nx\t9\r\n"},
        SortCase{"ValuesCompareNumbers", "x\t9\r\ny\t10\r\n", 1, 0, 1, false, true, "x\t9\r\ny\t10\r\n"},
        SortCase{"EqualKeysKeepOrderDescending", "a\t1\r\nb\t1\r\n", 1, 0, 1, true, true, "a\t1\r\nb\t1\r\n"},
        SortCase{"EqualKeysSwapAscending", "a\t1\r\nb\t1\r\n", 1, 0, 1, false, true, "b\t1\r\na\t1\r\n"},
        SortCase{"LastLineGetsBreak", "a\t1\r\nb\t2", 1, 0, 1, true, true, "b\t2\r\na\t1\r\n"},
        SortCase{"SingleLastLineGetsBreak", "a\t1\r\nb\t2", 1, 1, 1, true, true, "a\t1\r\nb\t2\r\n"},
        SortCase{"MissingKeyIsEmptyOrZero", "a\t1\r\nb\r\nc\t-1\r\n", 1, 0, 2, true, true, "a\t1\r\nb\r\nc\t-1\r\n"},
        SortCase{"MissingKeyAscendingText", "a\tb\r\nb\r\nc\ta\r\n", 1, 0, 2, false, false, "b\r\nc\ta\r\na\tb\r\n"},
        SortCase{"HighBytesSortAfterAscii", "\x95\x5C\t\r\nz\t\r\n", 0, 0, 1, false, false, "z\t\r\n\x95\x5C\t\r\n"},
        SortCase{"RowWithoutTabHasNoKey", "b\r\na\r\n", 0, 0, 1, false, false, "a\r\nb\r\n"},
        SortCase{"RowsBeyondTheTextAreLeftOut", "b\t1\r\na\t2", 1, 0, 9, true, true, "a\t2\r\nb\t1\r\n"},
        SortCase{"ReversedRangeDoesNothing", kThree, 1, 3, 1, true, true, kThree},
        SortCase{"LoneLfLineIsNotDoubled", "a\t1\nb\t2\r\n", 1, 0, 0, true, true, "a\t1\nb\t2\r\n"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RankRows, CompetitionRanking) {
  int tracked = 0;
  EXPECT_EQ(RankRows("x\t5\r\ny\t3\r\nz\t5\r\n", 1, 0, 2, tracked), "x\t1\t5\r\nz\t1\t5\r\ny\t3\t3\r\n");
  EXPECT_EQ(RankRows("a\t80\r\nb\t90\r\nc\t70\r\nd\t80", 1, 0, 3, tracked),
            "b\t1\t90\r\na\t2\t80\r\nd\t2\t80\r\nc\t4\t70\r\n");
  EXPECT_EQ(RankRows("9\r\n9\r\n9\r\n", 0, 0, 2, tracked), "1\t9\r\n1\t9\r\n1\t9\r\n");
}

namespace {

// The rank column the cell-by-cell way: the rows sorted, rank numbers
// inserted in every row, then each tie's cell deleted and replaced by the
// cell above.
std::string CellByCellRank(std::string_view text, int column, int firstRow, int lastRow, int& tracked,
                           numbers::NumberReading reading = numbers::NumberReading::Plain) {
  const std::string sorted = SortRows(text, column, firstRow, lastRow, true, true, reading);
  TableGrid grid(sorted, reading);
  firstRow = std::max(firstRow, 0);
  lastRow = std::min(lastRow, grid.RowCount() - 1);
  if (firstRow > lastRow) return sorted;
  grid.Track(tracked);
  for (int row = firstRow; row <= lastRow; ++row) grid.InsertCell(column, row, std::to_string(row - firstRow + 1));
  for (int row = firstRow + 1; row <= lastRow; ++row) {
    if (grid.Number(row, column + 1) != grid.Number(row - 1, column + 1)) continue;
    const std::string above = grid.Cells(row - 1, column, 1);
    grid.DeleteCell(column, row);
    grid.InsertCell(column, row, above);
  }
  tracked = grid.Tracked();
  return grid.Text();
}

}  // namespace

// The rank column against the cell-by-cell way of writing it: random tables
// with ties, short rows, rows without TAB and stray CRs, with and without a
// line break at the end, at every column.
TEST(RankRows, MatchesCellByCellRankingOnRandomTables) {
  static const char* fields[] = {"", "1", "2", "2", "x", "1.0", "-0", "\x95\x5C"};
  std::mt19937 rng(33098);
  for (int round = 0; round < 3000; ++round) {
    std::string t;
    const int rows = 1 + static_cast<int>(rng() % 7);
    for (int r = 0; r < rows; ++r) {
      const int n = static_cast<int>(rng() % 5);
      for (int f = 0; f < n; ++f) t += std::string(f ? "\t" : "") + fields[rng() % 8];
      if (rng() % 6 == 0) t += std::string("\r") + fields[rng() % 8] + "\t" + fields[rng() % 8];
      // Half the texts end with a line break, as most files do.
      if (r + 1 < rows || round % 2) t += rng() % 5 ? "\r\n" : "\n";
    }
    const int column = static_cast<int>(rng() % 5);
    const int first = static_cast<int>(rng() % 3) - 1;
    const int last = first + static_cast<int>(rng() % 7);
    const int pos = static_cast<int>(rng() % (t.size() + 1));
    int fastTracked = pos, modelTracked = pos;
    const std::string expected = CellByCellRank(t, column, first, last, modelTracked);
    ASSERT_EQ(RankRows(t, column, first, last, fastTracked), expected)
        << "round " << round << " column " << column << " rows " << first << ".." << last << " [" << t << "]";
    ASSERT_EQ(fastTracked, modelTracked) << "round " << round;
  }
}

// Longer tables whose rows all end in a line break, as files hold them, so
// every row is read straight from the text: many ties, rows too short for
// the column, an empty last row or none, ranges that reach past the last row
// (as the rank dialog proposes them) or stop short of it, by either reading
// of numbers.
TEST(RankRows, MatchesCellByCellRankingOnLongerTables) {
  static const char* fields[] = {"", "1", "2", "10", "x", "2.5", "-0", "\x82\x50", "1,000", "3"};
  std::mt19937 rng(2025);
  for (int round = 0; round < 400; ++round) {
    std::string t;
    const int rows = 1 + static_cast<int>(rng() % 60);
    for (int r = 0; r < rows; ++r) {
      const int n = static_cast<int>(rng() % 6);
      for (int f = 0; f < n; ++f) t += std::string(f ? "\t" : "") + fields[rng() % 10];
      if (r + 1 < rows || round % 3) t += rng() % 8 ? "\r\n" : "\n";
    }
    const int column = static_cast<int>(rng() % 6);
    const int first = static_cast<int>(rng() % 4) - 1;
    // Half the ranges end within a row of the text's end.
    const int last = rng() % 2 ? first + static_cast<int>(rng() % static_cast<unsigned>(rows + 3))
                               : rows - 2 + static_cast<int>(rng() % 4);
    const int pos = static_cast<int>(rng() % (t.size() + 1));
    const auto reading = round % 2 ? numbers::NumberReading::Japanese : numbers::NumberReading::Plain;
    int fastTracked = pos, modelTracked = pos;
    const std::string expected = CellByCellRank(t, column, first, last, modelTracked, reading);
    ASSERT_EQ(RankRows(t, column, first, last, fastTracked, reading), expected)
        << "round " << round << " column " << column << " rows " << first << ".." << last << " [" << t << "]";
    ASSERT_EQ(fastTracked, modelTracked) << "round " << round;
  }
}

TEST(NumberRows, InsertsRunningNumbersInFrontOfTheColumn) {
  int tracked = 0;
  EXPECT_EQ(NumberRows("r0\r\nr1\r\na\tb\r\nc\td\r\ne\tf\r\n", 1, 2, 4, tracked),
            "r0\r\nr1\r\na\t1\tb\r\nc\t2\td\r\ne\t3\tf\r\n");
  // Rows before the text count as numbered: the number follows the row.
  EXPECT_EQ(NumberRows("a\r\nb\r\n", 0, -1, 0, tracked), "2\ta\r\nb\r\n");
}

// The sort as a selection of the largest remaining key, as the rows would be
// picked one by one: descending appends the picked row to the rows above the
// block, ascending puts it in front of the rows below.
std::string ReferenceSort(EditorView& v, int column, int firstRow, int lastRow, bool descending, bool byValue) {
  const std::string text = v.Edit().GetText();
  const std::string prefix = text.substr(0, static_cast<std::size_t>(RowStart(firstRow, text)));
  std::string suffix = text.substr(static_cast<std::size_t>(RowStart(lastRow + 1, text)));
  std::vector<std::string> lines, strings;
  std::vector<double> values;
  for (int r = firstRow; r <= lastRow; ++r) {
    lines.push_back(v.Edit().GetLogicalLine(r).first);
    strings.push_back(GetCells(v, r, column, 1));
    values.push_back(numbers::CellNumber(strings.back()));
  }
  if (lines.back().empty() || lines.back().back() != '\n') lines.back() += "\r\n";
  std::string head = prefix;
  while (lines.size() > 1) {
    std::size_t pick = 0;
    for (std::size_t i = 1; i < lines.size(); ++i)
      if (byValue ? values[i] > values[pick] : strings[i] > strings[pick]) pick = i;
    if (descending)
      head += lines[pick];
    else
      suffix = lines[pick] + suffix;
    lines.erase(lines.begin() + static_cast<long>(pick));
    strings.erase(strings.begin() + static_cast<long>(pick));
    values.erase(values.begin() + static_cast<long>(pick));
  }
  return head + lines[0] + suffix;
}

TEST(SortRows, MatchesRowByRowSelectionOnRandomTables) {
  std::mt19937 rng(99);
  Fixture f;
  // Numbers of every sign and size, 0 and -0 (equal), infinities and a
  // subnormal, besides texts.
  const std::vector<std::string> keys = {"1",      "2",     "10",    "-3",    "",      "a",          "ab",
                                         "B",      "2.0",   "\x95\x5C", "\xB1",  "1e3",   "-0",         "0",
                                         "-1e300", "1e-300", "1e999", "-1e999", "0.1",  "-0.1",       "4.9e-324",
                                         "-2",     "-10"};
  for (int round = 0; round < 200; ++round) {
    std::string text;
    const int rows = 1 + static_cast<int>(rng() % 25);
    for (int r = 0; r < rows; ++r) {
      text += "r" + std::to_string(r);
      const int cols = static_cast<int>(rng() % 4);
      for (int c = 0; c < cols; ++c) text += "\t" + keys[rng() % keys.size()];
      // Now and then a stray CR, past which a row's cells read on.
      if (rng() % 8 == 0) text += "\r" + keys[rng() % keys.size()] + "\t" + keys[rng() % keys.size()];
      if (r + 1 < rows || rng() % 2) text += "\r\n";
    }
    f.Edit().SetText(text);
    const int firstRow = static_cast<int>(rng() % rows);
    const int lastRow = firstRow + static_cast<int>(rng() % (rows - firstRow));
    const int column = static_cast<int>(rng() % 3);
    const bool descending = rng() % 2, byValue = rng() % 2;
    ASSERT_EQ(SortRows(text, column, firstRow, lastRow, descending, byValue),
              ReferenceSort(f.view, column, firstRow, lastRow, descending, byValue))
        << "round " << round;
  }
}

// By value on longer tables whose rows all end in a line break, against the
// grid's keys in a stable sort of the lines: an empty last row or none,
// ranges reaching past the last row, either reading of numbers.
TEST(SortRows, ByValueMatchesStableSortOfTheGridsKeys) {
  static const char* fields[] = {"", "1", "2", "10", "x", "2.5", "-0", "\x82\x50", "1,000", "3"};
  std::mt19937 rng(4711);
  for (int round = 0; round < 300; ++round) {
    std::string t;
    const int rows = 1 + static_cast<int>(rng() % 50);
    for (int r = 0; r < rows; ++r) {
      const int n = static_cast<int>(rng() % 5);
      for (int f = 0; f < n; ++f) t += std::string(f ? "\t" : "") + fields[rng() % 10];
      if (r + 1 < rows || round % 3) t += rng() % 8 ? "\r\n" : "\n";
    }
    const int column = static_cast<int>(rng() % 5);
    const int first = static_cast<int>(rng() % 4) - 1;
    const int last = rng() % 2 ? first + static_cast<int>(rng() % static_cast<unsigned>(rows + 3))
                               : rows - 2 + static_cast<int>(rng() % 4);
    const bool descending = rng() % 2;
    const auto reading = round % 2 ? numbers::NumberReading::Japanese : numbers::NumberReading::Plain;

    const TableGrid grid(t, reading);
    const int from = std::max(first, 0), to = std::min(last, grid.RowCount() - 1);
    std::string expected = t;
    if (from <= to) {
      std::vector<int> order;
      for (int r = from; r <= to; ++r) order.push_back(r);
      std::stable_sort(order.begin(), order.end(),
                       [&](int a, int b) { return grid.Number(a, column) > grid.Number(b, column); });
      if (!descending) std::reverse(order.begin(), order.end());
      expected = t.substr(0, static_cast<std::size_t>(grid.RowStart(from)));
      for (const int r : order) {
        expected += grid.Line(r);
        if (r == to && (expected.empty() || expected.back() != '\n')) expected += "\r\n";
      }
      expected += t.substr(static_cast<std::size_t>(grid.RowEnd(to)));
    }
    ASSERT_EQ(SortRows(t, column, first, last, descending, true, reading), expected)
        << "round " << round << " column " << column << " rows " << first << ".." << last << " [" << t << "]";
  }
}

TEST(SortRows, NoLimitOnTheNumberOfRows) {
  std::string text;
  for (int r = 0; r < 30000; ++r) text += std::to_string(r % 7) + "\t" + std::to_string(r) + "\r\n";
  const std::string sorted = SortRows(text, 0, 0, 29999, true, true);
  EXPECT_EQ(sorted.substr(0, 5), "6\t6\r\n");
  EXPECT_EQ(sorted.size(), text.size());
}

// ---- the proposals of the dialogs

struct ProposalCase {
  const char* name;
  std::string text;
  int s, e;
  RowRange sort, rank;
};

class ProposalTest : public ::testing::TestWithParam<ProposalCase> {};

TEST_P(ProposalTest, FromTheSelection) {
  const ProposalCase& c = GetParam();
  Fixture f(c.text);
  f.Edit().SetSel(c.s, c.e);
  const RowRange sort = ProposedSortRange(f.Edit());
  const RowRange rank = ProposedRankRange(f.Edit());
  EXPECT_EQ(sort.column, c.sort.column);
  EXPECT_EQ(sort.fromRow, c.sort.fromRow);
  EXPECT_EQ(sort.toRow, c.sort.toRow);
  EXPECT_EQ(rank.column, c.rank.column);
  EXPECT_EQ(rank.fromRow, c.rank.fromRow);
  EXPECT_EQ(rank.toRow, c.rank.toRow);
}

// Rows 0..7; row 5 is "e\tf\tg\th\t", row 7 has too few cells.
const std::string kTable = "0\r\n1\r\n2\t\t\t\r\n3\t\t\t\r\n4\t\t\t\r\n5\tf\tg\th\t\r\n6\t\t\t\r\n7\tx\r\n";

INSTANTIATE_TEST_SUITE_P(
    Cases, ProposalTest,
    ::testing::Values(
        // Caret in the third column of row 5, no selection: down to the last
        // row that has that column (row 6), for the rank to the end of the
        // text (the empty row after the final LF counts).
        ProposalCase{"CaretInThirdColumn", kTable, 28, 28, {2, 6, 7}, {2, 6, 9}},
        ProposalCase{"SelectionEndingAfterLf", kTable, 3, 12, {0, 2, 3}, {0, 2, 3}},
        ProposalCase{"SelectionEndingInsideRow", kTable, 3, 14, {0, 2, 4}, {0, 2, 4}},
        ProposalCase{"SelectionToTheEnd", kTable, 0, 45, {0, 1, 8}, {0, 1, 9}},
        ProposalCase{"CaretAtEndOfTextWithoutBreak", "a\tb\r\nc\td", 8, 8, {1, 2, 2}, {1, 2, 2}},
        // The caret's row is the last with a second column.
        ProposalCase{"OnlyTheCaretsRowHasTheColumn", "a\tb\r\nc", 3, 3, {1, 1, 1}, {1, 1, 2}},
        // A row with exactly as many TABs as the column's index has the
        // column: it is the last cell of that row.
        ProposalCase{"CaretInTheLastColumn", "h\th\th\r\nx\ty\t1\r\nx\ty\t3\r\nx\ty\t2\r\np\tq\r\nz", 11, 11,
                     {2, 2, 4}, {2, 2, 6}}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- the commands

TEST(SortCommand, SortsWithTheDialogsValuesAsOneUndoStep) {
  Fixture f(kThree);
  f.settings.WriteInt("Settings", "Down", 0);
  f.Edit().SetSel(7, 7);  // in "3", column 1 of row 1
  f.host.onDialog = [](DialogData& d) {
    EXPECT_EQ(d.Text(RowSortDialog::kFromRowId), "2");
    EXPECT_EQ(d.Text(RowSortDialog::kToRowId), "5");
    EXPECT_EQ(d.Value(RowSortDialog::kColumnListId), 1);
    EXPECT_EQ(d.Value(RowSortDialog::kDescendingId), 0);
    EXPECT_EQ(d.Value(RowSortDialog::kByValueId), 1);
    d.Set(RowSortDialog::kToRowId, "4");
    return true;
  };
  ASSERT_EQ(f.view.Execute(cmd::SortRows), EditorView::CommandResult::Done);
  ASSERT_EQ(f.host.dialogs.size(), 1u);
  EXPECT_EQ(f.Text(), "h\tk\r\nb\t1\r\nc\t2\r\na\t3\r\nz\tz\r\n");
  EXPECT_EQ(f.Undo(), 1u);
  EXPECT_EQ(f.Sel(), std::make_pair(7, 7));  // the key cell of the first sorted row
  EXPECT_EQ(f.settings.GetInt("Settings", "Down", -1), 0);
  EXPECT_EQ(f.settings.GetInt("Settings", "Value", -1), 1);
  f.view.Undo();
  EXPECT_EQ(f.Text(), kThree);
}

TEST(SortCommand, KeepsTheFirstVisibleLine) {
  std::string text;
  for (int r = 0; r < 100; ++r) text += "r\t" + std::to_string(r) + "\r\n";
  Fixture f(text);
  f.Edit().LineScroll(0, 50);
  f.Edit().SetSel(0, 0);
  f.host.onDialog = [](DialogData& d) {
    d.Set(RowSortDialog::kColumnListId, "1");
    d.Set(RowSortDialog::kFromRowId, "60");
    d.Set(RowSortDialog::kToRowId, "70");
    return true;
  };
  f.view.Execute(cmd::SortRows);
  EXPECT_EQ(f.Edit().FirstVisibleLine(), 50);
  EXPECT_EQ(f.Sel().first, RowStart(59, f.Text()) + 2);
  EXPECT_EQ(f.Text().substr(static_cast<std::size_t>(RowStart(59, f.Text())), 6), "r\t69\r\n");
}

TEST(SortCommand, CancelAndUnchangedOrderLeaveNoUndoStep) {
  Fixture f(kThree);
  f.host.onDialog = [](DialogData&) { return false; };
  f.view.Execute(cmd::SortRows);
  EXPECT_EQ(f.Text(), kThree);
  EXPECT_EQ(f.Undo(), 0u);
  EXPECT_EQ(f.settings.GetInt("Settings", "Down", -1), -1);  // not written on Cancel

  f.host.onDialog = [](DialogData& d) {
    d.Set(RowSortDialog::kColumnListId, "0");
    d.Set(RowSortDialog::kFromRowId, "1");
    d.Set(RowSortDialog::kToRowId, "1");
    return true;
  };
  f.view.Execute(cmd::SortRows);  // one row that already ends with CR LF: nothing changes
  EXPECT_EQ(f.Text(), kThree);
  EXPECT_EQ(f.Undo(), 0u);
  EXPECT_FALSE(f.doc.IsModified());
  EXPECT_EQ(f.settings.GetInt("Settings", "Down", -1), 1);
}

TEST(RankCommand, RanksThenPutsTheCaretBack) {
  Fixture f("n\tv\r\na\t5\r\nb\t3\r\nc\t5\r\n");
  f.Edit().SetSel(7, 7);
  f.view.tableSelection = {7, 7};
  f.host.onDialog = [](DialogData& d) {
    EXPECT_EQ(d.caption, "順位付け・番号列の挿入");
    EXPECT_EQ(d.Value(RankDialog::kRankId), 1);
    EXPECT_EQ(d.Text(RankDialog::kFromRowId), "2");
    EXPECT_EQ(d.Text(RankDialog::kToRowId), "5");  // to the end of the text
    d.Set(RankDialog::kToRowId, "4");
    return true;
  };
  f.view.Execute(cmd::InsertRankColumn);
  EXPECT_EQ(f.Text(), "n\tv\r\na\t1\t5\r\nc\t1\t5\r\nb\t3\t3\r\n");
  EXPECT_EQ(f.Sel(), std::make_pair(7, 7));
  EXPECT_EQ(f.Undo(), 1u);
  EXPECT_EQ(f.view.History().SelectionAt(1), std::make_pair(0, 0));  // the snapshot was taken before the caret went back
  EXPECT_EQ(f.view.tableSelection.first, 9);  // moved by the rank cell inserted at the TAB before it
  EXPECT_EQ(f.settings.GetInt("Settings", "Order", -1), -1);
}

TEST(RankCommand, NumberColumnWithoutRank) {
  Fixture f("r0\r\nr1\r\na\tb\r\nc\td\r\ne\tf\r\ng\th\r\n");
  f.settings.WriteInt("Settings", "Order", 0);
  f.view.tableSelection = {20, 20};  // at "f": each number goes in before it
  f.host.onDialog = [](DialogData& d) {
    EXPECT_EQ(d.Value(RankDialog::kRankId), 0);
    d.Set(RankDialog::kColumnListId, "1");
    d.Set(RankDialog::kFromRowId, "3");
    d.Set(RankDialog::kToRowId, "5");
    return true;
  };
  f.view.Execute(cmd::InsertRankColumn);
  EXPECT_EQ(f.Text(), "r0\r\nr1\r\na\t1\tb\r\nc\t2\td\r\ne\t3\tf\r\ng\th\r\n");
  EXPECT_EQ(f.view.tableSelection.first, 26);
  EXPECT_EQ(f.Undo(), 1u);
}

TEST(RankCommand, CancelOnlyPutsTheCaretBack) {
  Fixture f("a\t1\r\nb\t2\r\n");
  f.Edit().SetSel(2, 6);
  f.host.onDialog = [](DialogData&) { return false; };
  f.view.Execute(cmd::InsertRankColumn);
  EXPECT_EQ(f.Text(), "a\t1\r\nb\t2\r\n");
  EXPECT_EQ(f.Sel(), std::make_pair(2, 2));
  EXPECT_EQ(f.Undo(), 0u);
}

}  // namespace
