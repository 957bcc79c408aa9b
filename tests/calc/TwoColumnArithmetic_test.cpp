#include "calc/TwoColumnArithmetic.h"

#include <gtest/gtest.h>

#include "support/CaseName.h"

#include <map>

#include "editor/CommandIds.h"
#include "support/BatchRun.h"
#include "support/TestView.h"

namespace {

std::string Cp(const std::string& utf8) { return cp932::FromUtf8(utf8); }

struct CombineCase {
  const char* name;
  const char* text;
  int selStart, selEnd;
  bool drag;
  int command;
  std::map<int, std::string> controls;  // dialog values by control id; the rest as the dialog opens
  const char* result;
};

class Combinations : public testing::TestWithParam<CombineCase> {};

TEST_P(Combinations, InsertTheirResults) {
  const CombineCase& c = GetParam();
  TestView t(Cp(c.text));
  t.view.decimalPlaces = 1;
  if (c.drag) {
    t.Drag(c.selStart, c.selEnd);
  } else {
    t.Edit().SetSel(c.selStart, c.selEnd);
  }
  const auto controls = c.controls;
  t.host.onDialog = [controls](DialogData& d) {
    for (const auto& [id, value] : controls) EXPECT_TRUE(d.Set(id, value)) << id;
    return true;
  };
  ASSERT_EQ(t.view.Execute(c.command), EditorView::CommandResult::Done) << c.name;
  EXPECT_EQ(cp932::ToUtf8(t.Text()), c.result) << c.name;
  EXPECT_EQ(t.view.History().Current(), 1u) << c.name << ": one undo step";
  t.view.Undo();
  EXPECT_EQ(t.Text(), Cp(c.text)) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Combinations,
    testing::Values(
        // columns 3 and 1, "－", before: left of column 1, column 1 - column 3
        CombineCase{"columns 3 and 1", "1\t2\t3\r\n4\t5\t7", 0, 0, false, cmd::TwoColumnArithmeticLeft,
                    {{1114, "2"}, {1008, "0"}, {1111, "3"}}, "-2.0\t1\t2\t3\r\n-3.0\t4\t5\t7"},
        CombineCase{"columns after", "1\t2\t3\r\n4\t5\t7", 0, 0, false, cmd::TwoColumnArithmeticRight, {{1111, "0"}},
                    "1\t2\t2.0\t3\r\n4\t5\t20.0\t7"},
        // division by a zero or empty cell, two empty cells
        CombineCase{"division", "6\t0\r\n6\t\r\n6\t3\r\n\t", 0, 0, false, cmd::TwoColumnArithmeticRight, {{1111, "1"}},
                    "6\t0\tError\r\n6\t\tError\r\n6\t3\t2.0\r\n\t\tError"},
        CombineCase{"both empty", "\t\r\n1\t2", 0, 0, false, cmd::TwoColumnArithmeticRight, {{1111, "2"}},
                    "\t\t0.0\r\n1\t2\t3.0"},
        // the block's rows only
        CombineCase{"block", "1\t2\r\n3\t4\r\n5\t6", 5, 13, true, cmd::TwoColumnArithmeticRight,
                    {{1114, "0"}, {1008, "1"}, {1111, "2"}}, "1\t2\r\n3\t4\t7.0\r\n5\t6\t11.0"},
        // rows 2 and 3, caret in row 2, below: right below row 3
        CombineCase{"adjacent rows below", "r1\r\n1\t2\r\n3\t4\r\nr4", 4, 4, false, cmd::TwoRowArithmeticBelow,
                    {{1111, "0"}}, "r1\r\n1\t2\r\n3\t4\r\n3.0\t8.0\r\nr4"},
        // rows 2 and 5, caret in row 2, below: below row 2
        CombineCase{"distant rows below", "a\r\n1\t2\r\nb\r\nc\r\n5\t6", 3, 3, false, cmd::TwoRowArithmeticBelow,
                    {{1113, "5"}, {1111, "0"}}, "a\r\n1\t2\r\n5.0\t12.0\r\nb\r\nc\r\n5\t6"},
        CombineCase{"rows above", "x\r\n8\t9\r\n2\t3", 3, 3, false, cmd::TwoRowArithmeticAbove, {{1111, "3"}},
                    "x\r\n6.0\t6.0\r\n8\t9\r\n2\t3"},
        // row mode: division by zero in one cell, both cells empty leave the result empty
        CombineCase{"row division", "6\t\t1\t5\r\n0\t\t4\t", 0, 0, false, cmd::TwoRowArithmeticBelow, {{1111, "1"}},
                    "6\t\t1\t5\r\n0\t\t4\t\r\nError\t\t0.3\tError"},
        // the second row beyond the text reads as empty cells
        CombineCase{"row past the end", "1\t2", 0, 0, false, cmd::TwoRowArithmeticBelow, {{1111, "2"}},
                    "1\t2\r\n1.0\t2.0"},
        CombineCase{"row 0", "1\t2\r\n3\t4", 0, 0, false, cmd::TwoRowArithmeticBelow,
                    {{1112, "0"}, {1113, "1"}, {1111, "2"}}, "1\t2\r\n1.0\t2.0\r\n3\t4"}),
    [](const auto& info) { return CaseName(info.index, info.param.name); });

TEST(Combinations, DialogsOpenWithTheirInitialValues) {
  TestView t("a\tb\tc\td\r\ne\tf\tg\th\r\ni");
  t.settings.WriteInt("Settings", "SisokuR", 2);
  t.host.onDialog = [](DialogData&) { return false; };
  t.Drag(2, 16);  // columns 1..3, rows 0..1
  t.view.Execute(cmd::TwoColumnArithmeticRight);
  ASSERT_EQ(t.host.dialogs.size(), 1u);
  const DialogData& r = t.host.dialogs[0];
  EXPECT_EQ(r.templateId, 193);
  EXPECT_EQ(r.caption, "列の四則計算");
  EXPECT_EQ(r.Value(1114), 1);
  EXPECT_EQ(r.Value(1111), 2);
  EXPECT_EQ(r.Value(1008), 3);
  EXPECT_EQ(r.Find(1114)->items.size(), 40u);
  EXPECT_EQ(r.Find(1111)->items, (std::vector<std::string>{"×", "÷", "＋", "－"}));

  t.Edit().SetSel(13, 13);  // row 1; the block still ends in row 1
  t.view.Execute(cmd::TwoRowArithmeticAbove);
  const DialogData& g = t.host.dialogs[1];
  EXPECT_EQ(g.templateId, 194);
  EXPECT_EQ(g.caption, "行の四則計算");
  EXPECT_EQ(g.Text(1112), "2");
  EXPECT_EQ(g.Value(1111), 0);
  EXPECT_EQ(g.Text(1113), "3");  // the block's last row is not below: start row + 2
  EXPECT_TRUE(g.Find(1112)->integerOnly);

  t.Edit().SetSel(0, 0);  // the block's last row 1 lies below row 0
  t.view.Execute(cmd::TwoRowArithmeticBelow);
  EXPECT_EQ(t.host.dialogs[2].Text(1113), "2");
  t.Edit().SetSel(2, 2);  // column 1: the block's last column 3 lies to the right
  t.view.Execute(cmd::TwoColumnArithmeticLeft);
  EXPECT_EQ(t.host.dialogs[3].Value(1008), 3);
  t.Edit().SetSel(7, 7);  // column 3: the next column
  t.view.Execute(cmd::TwoColumnArithmeticLeft);
  EXPECT_EQ(t.host.dialogs[4].Value(1114), 3);
  EXPECT_EQ(t.host.dialogs[4].Value(1008), 4);
  EXPECT_EQ(t.view.History().Current(), 0u);
}

TEST(Combinations, EqualColumnsOrRowsChangeNothing) {
  TestView t("1\t2\r\n3\t4");
  t.settings.WriteInt("Settings", "SisokuR", 2);
  t.settings.WriteInt("Settings", "SisokuG", 2);
  t.host.onDialog = [](DialogData& d) {
    d.Set(1111, "0");
    if (d.templateId == 193) return d.Set(1008, "0");
    return d.Set(1113, "1");
  };
  t.view.Execute(cmd::TwoColumnArithmeticRight);
  t.view.Execute(cmd::TwoRowArithmeticBelow);
  EXPECT_EQ(t.Text(), "1\t2\r\n3\t4");
  EXPECT_EQ(t.view.History().Current(), 0u);
  EXPECT_EQ(t.settings.GetInt("Settings", "SisokuR", -1), 2);
  EXPECT_EQ(t.settings.GetInt("Settings", "SisokuG", -1), 2);

  t.host.onDialog = [](DialogData& d) { return d.Set(1111, "3"); };
  t.view.Execute(cmd::TwoColumnArithmeticRight);
  EXPECT_EQ(t.settings.GetInt("Settings", "SisokuR", -1), 3);
}

TEST(Combinations, AnOperationOffTheListGivesEmptyCells) {
  EXPECT_EQ(CombineValues(7, 1, 2, 1), "");
  EXPECT_EQ(CombineValues(-1, 1, 2, 1), "");
  EXPECT_EQ(CombineValues(1, 1, 0, 1), "Error");
  EXPECT_EQ(CombineValues(1, 1, 3, 2), "0.33");
  TestView t("1\t2");
  t.settings.WriteInt("Settings", "SisokuR", 9);
  t.view.Execute(cmd::TwoColumnArithmeticRight);
  EXPECT_EQ(t.Text(), "1\t2\t");
}

TEST(CombinationsBatch, ThroughTheRunner) {
  BatchRun b;
  const BatchResult r = b.Run(
      "type 1\\t2\\n3\\t4\n"
      "select 0 0\n"
      "command 32971 1111=2\n"
      "select 0 0\n"
      "command 32972 1111=0\n"
      "write " + b.PathOf("out.txt") + "\n");
  ASSERT_EQ(r.exitCode, 0) << r.out;
  EXPECT_EQ(b.Read("out.txt"), "1\t2\t3.0\r\n3\t4\t7.0\r\n3.0\t8.0\t21.0");
}

}  // namespace
