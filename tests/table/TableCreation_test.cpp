// Table creation, table width and rounding place, driven through the view's
// command table as the menu drives them.
#include "table/TableCreation.h"

#include <gtest/gtest.h>

#include "dialogs/TableCreationDialog.h"
#include "editor/CommandIds.h"
#include "support/TestView.h"

namespace {

// Answers the next dialog with the given control values.
void Answer(TestView& t, std::vector<std::pair<int, std::string>> values, bool ok = true) {
  t.host.onDialog = [values, ok](DialogData& d) {
    for (const auto& [id, v] : values) EXPECT_TRUE(d.Set(id, v)) << id << "=" << v;
    return ok;
  };
}

struct CreateCase {
  const char* name;
  std::string text;
  int caret;
  std::vector<std::pair<int, std::string>> choice;
  std::string expected;
};

TEST(CreateTable, GridTexts) {
  const CreateCase cases[] = {
      {"two rows three columns below the last line", "abc", 3, {{1001, "2"}, {1117, "3"}},
       "abc\r\n\r\n\t\t\t\r\n\t\t\t\r\n"},
      {"header over the numbering column", "x", 0, {{1001, "2"}, {1117, "3"}, {1032, "1"}, {1119, "1"}},
       "x\r\n\r\nR1\tR2\tR3\tR4\t\r\n1\t\t\t\t\r\n2\t\t\t\t\r\n"},
      {"line numbers from row 0", "x", 1, {{1001, "2"}, {1117, "1"}, {1118, "1"}},
       "x\r\n\r\n3\t\t\r\n4\t\t\r\n"},
      {"line numbers below a header", "a\r\nb", 4, {{1001, "1"}, {1117, "1"}, {1118, "1"}, {1032, "1"}},
       "a\r\nb\r\n\r\nR1\tR2\t\r\n5\t\t\r\n"},
      {"goes after the caret's line, not at the caret", "ab\r\ncd\r\nef", 4, {{1001, "1"}, {1117, "2"}},
       "ab\r\ncd\r\n\r\n\t\t\r\n\r\nef"},
      {"trail byte 0x5C before the caret", "\x95\x5C\r\nz", 1, {{1001, "1"}, {1117, "1"}},
       "\x95\x5C\r\n\r\n\t\r\n\r\nz"},
      {"no data rows", "a", 0, {{1001, "0"}, {1117, "4"}}, "a\r\n\r\n"},
  };
  for (const CreateCase& c : cases) {
    TestView t(c.text);
    t.Edit().SetSel(c.caret, c.caret);
    Answer(t, c.choice);
    const auto before = t.view.History().Current();
    ASSERT_EQ(t.view.Execute(cmd::CreateTable), EditorView::CommandResult::Done) << c.name;
    EXPECT_EQ(t.Text(), c.expected) << c.name;
    EXPECT_EQ(t.view.History().Current(), before + 1) << c.name;  // one undo step
    t.view.Execute(cmd::Undo);
    EXPECT_EQ(t.Text(), c.text) << c.name;
  }
}

TEST(CreateTable, StoresTheChoicesAndReopensWithThem) {
  TestView t("");
  Answer(t, {{1001, "3"}, {1117, "2"}, {1032, "1"}, {1118, "1"}});
  t.view.Execute(cmd::CreateTable);
  EXPECT_EQ(t.settings.GetInt("Settings", "Gyo", 0), 3);
  EXPECT_EQ(t.settings.GetInt("Settings", "Retu", 0), 2);
  EXPECT_EQ(t.settings.GetInt("Settings", "ABC", 0), 1);
  EXPECT_EQ(t.settings.GetInt("Settings", "No", 0), 2);
  t.host.onDialog = nullptr;
  t.view.Execute(cmd::CreateTable);
  ASSERT_EQ(t.host.dialogs.size(), 2u);
  const DialogData& d = t.host.dialogs[1];
  EXPECT_EQ(d.Text(1001), "3");
  EXPECT_EQ(d.Text(1117), "2");
  EXPECT_EQ(d.Value(1032), 1);
  EXPECT_EQ(d.Value(1118), 1);
}

TEST(CreateTable, CancelAndRefusalChangeNothing) {
  TestView t("abc");
  Answer(t, {{1001, "2"}}, false);
  t.view.Execute(cmd::CreateTable);
  EXPECT_EQ(t.Text(), "abc");
  EXPECT_EQ(t.view.History().Current(), 0u);
  EXPECT_EQ(t.settings.GetInt("Settings", "Gyo", -1), -1);

  // A grid larger than the text can hold is refused before it is built.
  Answer(t, {{1001, "2000000000"}, {1117, "2000000000"}});
  t.view.Execute(cmd::CreateTable);
  EXPECT_EQ(t.Text(), "abc");
  EXPECT_EQ(t.view.History().Current(), 0u);
}

TEST(CreateTable, LengthMatchesText) {
  for (int header = 0; header < 2; ++header)
    for (int numbering = 0; numbering < 3; ++numbering) {
      TableCreationDialog c;
      c.headerRow = header;
      c.numbering = numbering;
      c.rows = 123;
      c.columns = 11;
      EXPECT_EQ(table_creation::TableTextLength(c, 97), table_creation::BuildTableText(c, 97).size());
    }
}

TEST(CreateTable, DisabledWithATableSelection) {
  TestView t("a\tb\r\nc\td");
  t.Drag(0, 3);
  EXPECT_FALSE(t.view.IsEnabled(cmd::CreateTable));
  t.Drag(2, 2);
  EXPECT_TRUE(t.view.IsEnabled(cmd::CreateTable));
}

TEST(TableWidth, ChoiceSetsWidthTabStopsAndStore) {
  TestView t("a\tb");
  t.view.redraw.lineNumbers = false;
  Answer(t, {{1115, "2"}});
  t.view.Execute(cmd::ChangeTableWidth);
  ASSERT_EQ(t.host.dialogs.size(), 1u);
  EXPECT_EQ(t.host.dialogs[0].Value(1115), 1);  // opens on the width 8
  EXPECT_EQ(t.view.modes.tabWidth, 12);
  EXPECT_EQ(t.Edit().TabStopUnits(), 48);
  EXPECT_EQ(t.settings.GetInt("Settings", "RetuHaba", 0), 12);
  EXPECT_TRUE(t.view.redraw.lineNumbers);
  EXPECT_EQ(t.view.History().Current(), 0u);

  // Outside table mode the width applies to the text and is still stored as
  // the table-mode width.
  t.view.Execute(cmd::ToggleTableMode);
  t.view.redraw.lineNumbers = false;
  Answer(t, {{1115, "0"}});
  t.view.Execute(cmd::ChangeTableWidth);
  EXPECT_EQ(t.view.modes.tabWidth, 4);
  EXPECT_EQ(t.Edit().TabStopUnits(), 16);
  EXPECT_EQ(t.settings.GetInt("Settings", "RetuHaba", 0), 4);
  EXPECT_FALSE(t.view.redraw.lineNumbers);

  Answer(t, {{1115, "5"}}, false);
  t.view.Execute(cmd::ChangeTableWidth);
  EXPECT_EQ(t.view.modes.tabWidth, 4);
}

TEST(TableWidth, WidthOffTheListOpensOnTheNearestItem) {
  TestView t;
  t.view.modes.tabWidth = 30;
  t.view.Execute(cmd::ChangeTableWidth);  // OK unchanged
  EXPECT_EQ(t.host.dialogs[0].Value(1115), 5);
  EXPECT_EQ(t.view.modes.tabWidth, 24);
}

TEST(RoundingPlace, IndexBecomesDecimalPlaces) {
  TestView t("1");
  EXPECT_EQ(t.view.decimalPlaces, 1);
  Answer(t, {{1033, "0"}});
  t.view.Execute(cmd::ChangeRoundingPlace);
  EXPECT_EQ(t.host.dialogs[0].Value(1033), 1);  // opens on the decimals in use
  EXPECT_EQ(t.view.decimalPlaces, 0);
  EXPECT_EQ(t.settings.GetInt("Settings", "Sho", -1), 0);

  Answer(t, {{1033, "3"}});
  t.view.Execute(cmd::ChangeRoundingPlace);
  EXPECT_EQ(t.view.decimalPlaces, 3);
  EXPECT_EQ(t.settings.GetInt("Settings", "Sho", -1), 3);
  t.host.onDialog = nullptr;
  t.view.Execute(cmd::ChangeRoundingPlace);
  EXPECT_EQ(t.host.dialogs[2].Value(1033), 3);
  EXPECT_EQ(t.Text(), "1");
  EXPECT_EQ(t.view.History().Current(), 0u);

  Answer(t, {{1033, "1"}}, false);
  t.view.Execute(cmd::ChangeRoundingPlace);
  EXPECT_EQ(t.view.decimalPlaces, 3);
}

// More decimals than the list offers (set by hand in the settings) open the
// list on its last item; OK without another choice keeps them.
TEST(RoundingPlace, DecimalsSetByHandStayUntilAnotherIsChosen) {
  TestView t("1");
  t.view.decimalPlaces = 6;
  t.view.Execute(cmd::ChangeRoundingPlace);
  EXPECT_EQ(t.host.dialogs[0].Value(1033), 3);
  EXPECT_EQ(t.view.decimalPlaces, 6);
  EXPECT_EQ(t.settings.GetInt("Settings", "Sho", -1), -1);

  Answer(t, {{1033, "1"}});
  t.view.Execute(cmd::ChangeRoundingPlace);
  EXPECT_EQ(t.view.decimalPlaces, 1);
  EXPECT_EQ(t.settings.GetInt("Settings", "Sho", -1), 1);
}

}  // namespace
