#include "app/AllCommands.h"
#include "calc/LinearTransform.h"

#include <gtest/gtest.h>

#include "support/CaseName.h"

#include <algorithm>
#include <map>

#include "editor/CommandIds.h"
#include "editor/CommandTable.h"
#include "support/BatchRun.h"
#include "support/TestView.h"

namespace {

std::string Cp(const std::string& utf8) { return cp932::FromUtf8(utf8); }

// Answers the dialog with the given edit-field texts (by control id).
void Answer(TestView& t, std::map<int, std::string> fields) {
  t.host.onDialog = [fields](DialogData& d) {
    for (const auto& [id, text] : fields) EXPECT_TRUE(d.Set(id, text)) << id;
    return true;
  };
}

const std::map<int, std::string> kSlope = {{1010, "2"}, {1009, "1"}, {1011, "1"}, {1012, "2"}};  // Y = 2X + 0.5

struct TransformCase {
  const char* name;
  const char* text;  // UTF-8
  int selStart, selEnd;
  bool drag;  // select with the mouse (fixes the cell block)
  int command;
  std::map<int, std::string> fields;
  const char* result;  // UTF-8
};

class Transforms : public testing::TestWithParam<TransformCase> {};

TEST_P(Transforms, InsertTheirResults) {
  const TransformCase& c = GetParam();
  TestView t(Cp(c.text));
  t.view.decimalPlaces = 1;
  if (c.drag) {
    t.Drag(c.selStart, c.selEnd);
  } else {
    t.Edit().SetSel(c.selStart, c.selEnd);
  }
  Answer(t, c.fields);
  ASSERT_EQ(t.view.Execute(c.command), EditorView::CommandResult::Done) << c.name;
  EXPECT_EQ(cp932::ToUtf8(t.Text()), c.result) << c.name;
  EXPECT_EQ(t.view.History().Current(), 1u) << c.name << ": one undo step";
  t.view.Undo();
  EXPECT_EQ(t.Text(), Cp(c.text)) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Transforms,
    testing::Values(
        TransformCase{"column after", "10\tx\r\n20\tx\r\n30\tx", 0, 0, false, cmd::ColumnSlopeOffsetRight, kSlope,
                      "10\t20.5\tx\r\n20\t40.5\tx\r\n30\t60.5\tx"},
        TransformCase{"column before", "10\tx\r\n20\tx\r\n30\tx", 0, 0, false, cmd::ColumnSlopeOffsetLeft, kSlope,
                      "20.5\t10\tx\r\n40.5\t20\tx\r\n60.5\t30\tx"},
        TransformCase{"range mapping defaults", "60\t\r\n120\t\r\n90\t", 0, 0, false, cmd::ColumnRangeMappingRight, {},
                      "60\t65.0\t\r\n120\t100.0\t\r\n90\t82.5\t"},
        // an empty source cell and a header text receive a value too
        TransformCase{"empty source cell", "x\t\r\ny\t4", 2, 2, false, cmd::ColumnSlopeOffsetRight, kSlope,
                      "x\t\t0.5\r\ny\t4\t8.5"},
        TransformCase{"header text", "名前\t\r\n10\t", 0, 0, false, cmd::ColumnSlopeOffsetRight, kSlope,
                      "名前\t0.5\t\r\n10\t20.5\t"},
        // a row without any TAB has no cells to read: X = 0
        TransformCase{"row without a TAB", "10\r\n20", 0, 0, false, cmd::ColumnSlopeOffsetRight, kSlope,
                      "10\t0.5\r\n20\t0.5"},
        TransformCase{"range mapping of an empty cell", "\t1\r\n60\t1", 0, 0, false, cmd::ColumnRangeMappingLeft, {},
                      "30.0\t\t1\r\n65.0\t60\t1"},
        // only the block's rows with a selection
        TransformCase{"block rows", "1\t5\r\n2\t6\r\n3\t7", 7, 13, true, cmd::ColumnSlopeOffsetRight, kSlope,
                      "1\t5\r\n2\t6\t12.5\r\n3\t7\t14.5"},
        // rows: below the last line (no line break), above with an empty cell
        TransformCase{"row below the last line", "1\t2\t3", 0, 0, false, cmd::RowSlopeOffsetBelow, kSlope,
                      "1\t2\t3\r\n2.5\t4.5\t6.5"},
        TransformCase{"row below", "1\t2\r\nz", 0, 0, false, cmd::RowSlopeOffsetBelow, kSlope, "1\t2\r\n2.5\t4.5\r\nz"},
        TransformCase{"row above with an empty cell", "1\t\t3\r\n", 0, 0, false, cmd::RowSlopeOffsetAbove, kSlope,
                      "2.5\t\t6.5\r\n1\t\t3\r\n"},
        TransformCase{"row of a block from column 2", "a\tb\t1\t2\r\nz", 4, 7, true, cmd::RowSlopeOffsetBelow, kSlope,
                      "a\tb\t1\t2\r\n\t\t2.5\t4.5\r\nz"},
        TransformCase{"row range mapping", "60\t90\r\n", 0, 0, false, cmd::RowRangeMappingBelow, {},
                      "60\t90\r\n65.0\t82.5\r\n"},
        TransformCase{"row above range mapping", "x\r\n60\t90", 4, 4, false, cmd::RowRangeMappingAbove, {},
                      "x\r\n65.0\t82.5\r\n60\t90"},
        // n = 0: the IEEE infinity, written as FormatNumber writes it
        TransformCase{"division by zero", "1\t", 0, 0, false, cmd::ColumnSlopeOffsetRight, {{1009, "0"}}, "1\tError\t"},
        // bounds whose difference does not fit 32 bits
        TransformCase{"full 32-bit range", "5\t", 0, 0, false, cmd::ColumnRangeMappingRight,
                      {{1013, "-2147483648"}, {1014, "2147483647"}, {1015, "-2147483648"}, {1016, "2147483647"}},
                      "5\t5.0\t"}),
    [](const auto& info) { return CaseName(info.index, info.param.name); });

TEST(Transforms, SettingsAreReadAndStoredOnlyOnOk) {
  TestView t("10\t");
  t.settings.WriteInt("Settings", "Num1", 3);
  t.host.onDialog = [](DialogData&) { return false; };
  t.view.Execute(cmd::ColumnSlopeOffsetRight);
  EXPECT_EQ(t.Text(), "10\t");
  EXPECT_EQ(t.view.History().Current(), 0u);
  ASSERT_EQ(t.host.dialogs.size(), 1u);
  const DialogData& d = t.host.dialogs[0];
  EXPECT_EQ(d.templateId, 133);
  EXPECT_EQ(d.caption, "X * m / n + p / q の計算");
  EXPECT_EQ(d.cancelLabel, "ｷｬﾝｾﾙ");
  EXPECT_EQ(d.Text(1010), "3");
  EXPECT_EQ(d.Text(1009), "1");
  EXPECT_TRUE(d.Find(1010)->integerOnly);
  EXPECT_EQ(t.settings.GetInt("Settings", "Num", -7), -7) << "nothing stored on cancel";

  t.host.onDialog = [](DialogData& dd) { return dd.Set(1012, "4"); };
  t.view.Execute(cmd::ColumnSlopeOffsetRight);
  EXPECT_EQ(t.Text(), "10\t30.3\t");  // 3 * 10 / 1 + 1 / 4, one decimal
  EXPECT_EQ(t.settings.GetInt("Settings", "Num1", 0), 3);
  EXPECT_EQ(t.settings.GetInt("Settings", "Num", 0), 1);
  EXPECT_EQ(t.settings.GetInt("Settings", "Num2", 0), 1);
  EXPECT_EQ(t.settings.GetInt("Settings", "Num3", 0), 4);
}

TEST(Transforms, RangeDialogAndNonIntegerEntries) {
  TestView t("10");
  t.host.onDialog = [](DialogData& d) { return d.Set(1013, "1.5"); };
  t.view.Execute(cmd::ColumnRangeMappingRight);
  EXPECT_EQ(t.Text(), "10") << "a field that is not a whole number changes nothing";
  EXPECT_EQ(t.settings.GetInt("Settings", "A", -1), -1);
  const DialogData& d = t.host.dialogs[0];
  EXPECT_EQ(d.templateId, 190);
  EXPECT_EQ(d.caption, "一次変換");
  EXPECT_EQ(d.Text(1013), "60");
  EXPECT_EQ(d.Text(1014), "120");
  EXPECT_EQ(d.Text(1015), "65");
  EXPECT_EQ(d.Text(1016), "100");
}

TEST(Transforms, EnableRules) {
  TestView t("1\t2\r\n3\t4");
  const int oneColumn[] = {cmd::ColumnSlopeOffsetLeft, cmd::ColumnSlopeOffsetRight, cmd::ColumnRangeMappingLeft};
  const int oneRow[] = {cmd::RowSlopeOffsetAbove, cmd::RowSlopeOffsetBelow, cmd::RowRangeMappingAbove};
  for (int id : oneColumn) EXPECT_TRUE(t.view.IsEnabled(id)) << id;  // empty block
  t.Drag(0, 3);  // two columns, one row
  for (int id : oneColumn) EXPECT_FALSE(t.view.IsEnabled(id)) << id;
  for (int id : oneRow) EXPECT_TRUE(t.view.IsEnabled(id)) << id;
  t.Drag(0, 6);  // one column, two rows
  for (int id : oneRow) EXPECT_FALSE(t.view.IsEnabled(id)) << id;
  t.Drag(0, 9);
  EXPECT_TRUE(t.view.IsEnabled(cmd::ColumnRangeMappingRight));
  EXPECT_TRUE(t.view.IsEnabled(cmd::RowRangeMappingBelow));
  const auto menu = AllCommands().ContextMenuItems(ContextMenu::Table);
  for (int id : {cmd::ColumnSlopeOffsetLeft, cmd::ColumnSlopeOffsetRight, cmd::RowSlopeOffsetAbove,
                 cmd::RowSlopeOffsetBelow, cmd::ColumnRangeMappingLeft, cmd::ColumnRangeMappingRight,
                 cmd::RowRangeMappingAbove, cmd::RowRangeMappingBelow})
    EXPECT_NE(std::find(menu.begin(), menu.end(), id), menu.end()) << id;
  EXPECT_EQ(AllCommands().Find(cmd::ColumnRangeMappingRight)->tableCaption, "列を一次変換 A→C, B→D  し、後ろ（右）へ");
}

// A long column is written in one pass: 20,000 rows take no noticeable time.
TEST(Transforms, LongColumn) {
  std::string text;
  for (int i = 0; i < 20000; ++i) text += std::to_string(i) + "\t\r\n";
  TestView t(text);
  t.view.decimalPlaces = 0;
  Answer(t, kSlope);
  t.view.Execute(cmd::ColumnSlopeOffsetRight);
  EXPECT_EQ(t.Text().substr(0, 22), "0\t1\t\r\n1\t3\t\r\n2\t5\t\r\n3\t7\t");
  EXPECT_EQ(t.view.History().Current(), 1u);
}

TEST(TransformsBatch, ColumnThroughTheRunner) {
  BatchRun b;
  const BatchResult r = b.Run(
      "type 10\\t\\n20\\t\\n30\\t\n"
      "select 0 0\n"
      "command 32967 1010=2 1009=1 1011=1 1012=2\n"
      "write " + b.PathOf("out.txt") + "\n"
      "command 32958 cancel\n"
      "state\n");
  ASSERT_EQ(r.exitCode, 0) << r.out;
  EXPECT_EQ(b.Read("out.txt"), "10\t20.5\t\r\n20\t40.5\t\r\n30\t60.5\t");
}

}  // namespace
