// Opening a dialog and pressing OK without touching it must not change what
// the program uses: the dialog opens on the values in effect, and the next
// time it opens on the same values. Each command runs on a small table with
// a block selected; its text change is undone between the two runs. The
// colour dialog and the display font chooser are dialogs too: confirmed
// unchanged, they leave the colours and the font (and the settings file).
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
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

// What the program uses that a dialog may set.
struct InUse {
  int decimals;
  int tabWidth;
  ColourScheme colours;
  int displayFontSerial;
  std::string settingsFile;
  bool operator==(const InUse&) const = default;
};

InUse InUseBy(TestView& t) {
  std::ifstream f(t.settings.Path(), std::ios::binary);
  std::stringstream file;
  file << f.rdbuf();
  return {t.view.decimalPlaces, t.view.modes.tabWidth, t.view.colours, t.view.displayFontSerial, file.str()};
}

struct DialogCase {
  const char* name;
  int command;
  bool block = true;  // table creation needs a caret, not a block
  // The settings file stays byte for byte (the table and colour dialogs
  // store their choices, the same values again, which may add keys a fresh
  // file lacks).
  bool settingsKept = false;
};

class DialogOpenedAndConfirmed : public testing::TestWithParam<DialogCase> {};

TEST_P(DialogOpenedAndConfirmed, ChangesNothingTheProgramUses) {
  TestView t("1\t2\t3\r\n4\t5\t6\r\n7\t8\t9\r\n");
  const auto select = [&] { t.Drag(0, GetParam().block ? 8 : 0); };  // the first two rows and columns
  select();
  t.host.onFont = [](FontDescription&) { return true; };  // OK, nothing touched
  const bool settingsKept = GetParam().settingsKept;
  InUse before = InUseBy(t);
  const auto expectUnchanged = [&] {
    const InUse after = InUseBy(t);
    EXPECT_EQ(after.decimals, before.decimals);
    EXPECT_EQ(after.tabWidth, before.tabWidth);
    EXPECT_TRUE(after.colours == before.colours);
    EXPECT_EQ(after.displayFontSerial, before.displayFontSerial);
    if (settingsKept) EXPECT_EQ(after.settingsFile, before.settingsFile);
  };

  ASSERT_EQ(t.view.Execute(GetParam().command), EditorView::CommandResult::Done);
  ASSERT_EQ(t.host.dialogs.size() + t.host.fonts.size(), 1u);
  expectUnchanged();

  while (t.view.History().Current() > 0) t.view.Undo();
  select();
  before = InUseBy(t);
  ASSERT_EQ(t.view.Execute(GetParam().command), EditorView::CommandResult::Done);
  ASSERT_EQ(t.host.dialogs.size() + t.host.fonts.size(), 2u);
  if (t.host.fonts.empty()) EXPECT_EQ(ValuesOf(t.host.dialogs[1]), ValuesOf(t.host.dialogs[0]));
  else EXPECT_EQ(t.host.fonts[1], t.host.fonts[0]);
  expectUnchanged();
}

INSTANTIATE_TEST_SUITE_P(
    EveryDialog, DialogOpenedAndConfirmed,
    testing::Values(DialogCase{"CreateTable", cmd::CreateTable, false}, DialogCase{"TableWidth", cmd::ChangeTableWidth},
                    DialogCase{"RoundingPlace", cmd::ChangeRoundingPlace}, DialogCase{"SortRows", cmd::SortRows},
                    DialogCase{"RankColumn", cmd::InsertRankColumn},
                    DialogCase{"SlopeOffset", cmd::ColumnSlopeOffsetRight},
                    DialogCase{"RangeMapping", cmd::ColumnRangeMappingRight},
                    DialogCase{"ColumnArithmetic", cmd::TwoColumnArithmeticRight},
                    DialogCase{"RowArithmetic", cmd::TwoRowArithmeticBelow}, DialogCase{"JumpToLine", cmd::JumpToLine},
                    DialogCase{"Colours", cmd::ChangeColours},
                    DialogCase{"DisplayFont", cmd::ChangeDisplayFont, true, true}),
    [](const testing::TestParamInfo<DialogCase>& info) { return std::string(info.param.name); });

}  // namespace
