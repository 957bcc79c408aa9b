// Opening a dialog and pressing OK without touching it must not change what
// the program uses: the dialog opens on the values in effect, and the next
// time it opens on the same values. Each command runs on a small table with
// a block selected; its text change is undone between the two runs.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor/CommandIds.h"
#include "support/TestView.h"

namespace {

struct ControlValue {
  int id;
  int value;
  std::string text;
  bool operator==(const ControlValue&) const = default;
};

std::vector<ControlValue> ValuesOf(const DialogData& d) {
  std::vector<ControlValue> values;
  for (const DialogControl& c : d.controls) values.push_back({c.id, c.value, c.text});
  return values;
}

struct DialogCase {
  const char* name;
  int command;
  bool block = true;  // table creation needs a caret, not a block
};

class DialogOpenedAndConfirmed : public testing::TestWithParam<DialogCase> {};

TEST_P(DialogOpenedAndConfirmed, ChangesNothingTheProgramUses) {
  TestView t("1\t2\t3\r\n4\t5\t6\r\n7\t8\t9\r\n");
  const auto select = [&] { t.Drag(0, GetParam().block ? 8 : 0); };  // the first two rows and columns
  select();
  const int decimals = t.view.decimalPlaces;
  const int tabWidth = t.view.modes.tabWidth;

  ASSERT_EQ(t.view.Execute(GetParam().command), EditorView::CommandResult::Done);
  ASSERT_EQ(t.host.dialogs.size(), 1u);
  EXPECT_EQ(t.view.decimalPlaces, decimals);
  EXPECT_EQ(t.view.modes.tabWidth, tabWidth);

  while (t.view.History().Current() > 0) t.view.Undo();
  select();
  ASSERT_EQ(t.view.Execute(GetParam().command), EditorView::CommandResult::Done);
  ASSERT_EQ(t.host.dialogs.size(), 2u);
  EXPECT_EQ(ValuesOf(t.host.dialogs[1]), ValuesOf(t.host.dialogs[0]));
  EXPECT_EQ(t.view.decimalPlaces, decimals);
  EXPECT_EQ(t.view.modes.tabWidth, tabWidth);
}

INSTANTIATE_TEST_SUITE_P(
    EveryDialog, DialogOpenedAndConfirmed,
    testing::Values(DialogCase{"CreateTable", cmd::CreateTable, false}, DialogCase{"TableWidth", cmd::ChangeTableWidth},
                    DialogCase{"RoundingPlace", cmd::ChangeRoundingPlace}, DialogCase{"SortRows", cmd::SortRows},
                    DialogCase{"RankColumn", cmd::InsertRankColumn},
                    DialogCase{"SlopeOffset", cmd::ColumnSlopeOffsetRight},
                    DialogCase{"RangeMapping", cmd::ColumnRangeMappingRight},
                    DialogCase{"ColumnArithmetic", cmd::TwoColumnArithmeticRight},
                    DialogCase{"RowArithmetic", cmd::TwoRowArithmeticBelow}, DialogCase{"JumpToLine", cmd::JumpToLine}),
    [](const testing::TestParamInfo<DialogCase>& info) { return std::string(info.param.name); });

}  // namespace
