// Every dialog names the controls a script may set: each control that takes a
// value has a well-formed name, unique in its dialog, found again by
// DialogData::FindByName; static texts have none. The same id may have
// different names in different dialogs.
#include <gtest/gtest.h>

#include <set>

#include "dialogs/ColourDialog.h"
#include "dialogs/ColumnArithmeticDialog.h"
#include "dialogs/DecimalPlacesDialog.h"
#include "dialogs/RangeMappingDialog.h"
#include "dialogs/RankDialog.h"
#include "dialogs/RowArithmeticDialog.h"
#include "dialogs/RowSortDialog.h"
#include "dialogs/SlopeOffsetDialog.h"
#include "dialogs/TabWidthDialog.h"
#include "dialogs/TableCreationDialog.h"
#include "editor/CommandTable.h"
#include "editor/Navigation.h"
#include "support/TestView.h"

namespace {

std::vector<DialogData> EveryDialog(SettingsStore& settings) {
  ColourDialog colours(settings);
  return {TableCreationDialog{}.Build(),   RowSortDialog{}.Build(),     RankDialog{}.Build(),
          ColumnArithmeticDialog{}.Build(), RowArithmeticDialog{}.Build(), DecimalPlacesDialog{}.Build(),
          TabWidthDialog{}.Build(),         RangeMappingDialog{}.Build(),  SlopeOffsetDialog{}.Build(),
          colours.Build(),                  navigation::JumpToLineDialog(settings)};
}

TEST(DialogControlNames, EveryControlThatTakesAValueHasAUniqueWellFormedName) {
  TempDir dir;
  SettingsStore settings((dir.path / "Pivra.conf").string());
  for (const DialogData& d : EveryDialog(settings)) {
    std::set<std::string> names;
    for (const DialogControl& c : d.controls) {
      if (c.kind == DialogControl::Kind::Label) {
        EXPECT_EQ(c.name, "") << d.templateId;
        continue;
      }
      // Control names take the form of command names.
      EXPECT_TRUE(IsCommandName(c.name)) << d.templateId << " control " << c.id << " \"" << c.name << "\"";
      EXPECT_TRUE(names.insert(c.name).second) << d.templateId << " names two controls " << c.name;
      ASSERT_NE(d.FindByName(c.name), nullptr) << c.name;
      EXPECT_EQ(d.FindByName(c.name)->id, c.id) << d.templateId << " " << c.name;
    }
  }
}

TEST(DialogControlNames, NamesSayWhatASharedIdMeans) {
  const struct {
    DialogData dialog;
    const char* name;
    int id;
  } cases[] = {
      {RowSortDialog{}.Build(), "to-row", 1117},
      {RankDialog{}.Build(), "to-row", 1117},
      {TableCreationDialog{}.Build(), "columns", 1117},
      {TableCreationDialog{}.Build(), "rows", 1001},
      {RowSortDialog{}.Build(), "from-row", 1001},
      {ColumnArithmeticDialog{}.Build(), "operation", 1111},
      {RowArithmeticDialog{}.Build(), "operation", 1111},
  };
  for (const auto& c : cases) {
    const DialogControl* control = c.dialog.FindByName(c.name);
    ASSERT_NE(control, nullptr) << c.dialog.templateId << " " << c.name;
    EXPECT_EQ(control->id, c.id) << c.dialog.templateId << " " << c.name;
  }
  EXPECT_EQ(RowSortDialog{}.Build().FindByName("columns"), nullptr);
  EXPECT_EQ(RowSortDialog{}.Build().FindByName(""), nullptr);
}

}  // namespace
