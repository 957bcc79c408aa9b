// The sort and rank dialogs as data: captions, controls, start values from the
// settings, and reading the answer back.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "settings/SettingsStore.h"
#include "dialogs/RankDialog.h"
#include "dialogs/RowSortDialog.h"
#include "support/TempDir.h"

namespace {

using K = DialogControl::Kind;

struct Expected {
  int id;
  K kind;
  const char* label;
};

void ExpectControls(const DialogData& d, const std::vector<Expected>& expected) {
  ASSERT_EQ(d.controls.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(d.controls[i].id, expected[i].id) << i;
    EXPECT_EQ(d.controls[i].kind, expected[i].kind) << i;
    EXPECT_EQ(d.controls[i].label, expected[i].label) << i;
  }
}

std::vector<std::string> ColumnItems() {
  std::vector<std::string> items;
  for (int i = 1; i <= 40; ++i) items.push_back(std::to_string(i));
  return items;
}

// ---- Controls and start values, one case a dialog

// Either row dialog behind one set of calls: load from the settings, read the check-box
// fields loading set, take a column and rows, build.
struct RowDialogUnderTest {
  std::function<void(const SettingsStore&)> load;
  std::function<std::vector<int>()> checkFields;
  std::function<DialogData(int column, int fromRow, int toRow)> build;
};

template <class Dialog>
RowDialogUnderTest AsRowDialog(std::vector<int Dialog::*> checkFields) {
  auto dlg = std::make_shared<Dialog>();
  return {[dlg](const SettingsStore& s) { dlg->Load(s); },
          [dlg, checkFields] {
            std::vector<int> values;
            for (int Dialog::*field : checkFields) values.push_back((*dlg).*field);
            return values;
          },
          [dlg](int column, int fromRow, int toRow) {
            dlg->column = column;
            dlg->fromRow = fromRow;
            dlg->toRow = toRow;
            return dlg->Build();
          }};
}

struct StartValuesCase {
  const char* name;
  std::function<RowDialogUnderTest()> make;
  std::vector<int> checkFieldsByDefault;  // after loading from an empty store
  const char* storedOff;                  // the key then stored as 0 before loading again
  int column, fromRow, toRow;
  int templateId;
  const char* caption;
  std::vector<Expected> controls;
  std::vector<int> integerOnly;                 // edit fields that take only integers
  std::vector<std::pair<int, int>> checkBoxes;  // id, value as built
};

const std::vector<StartValuesCase> kStartValues = {
    {"RowSortDialog",
     [] { return AsRowDialog<RowSortDialog>({&RowSortDialog::descending, &RowSortDialog::byValue}); },
     {1, 1}, "Down", 2, 6, 12, 131, "行データの並び替え",
     {{1007, K::Combo, "列について"}, {1001, K::Edit, "行から"}, {1117, K::Edit, "行までを"},
      {1006, K::Check, "降順で （チェック無は昇順）"}, {1031, K::Check, "値として（チェック無は文字列として） "}},
     {1001, 1117}, {{1006, 0}, {1031, 1}}},
    {"RankDialog", [] { return AsRowDialog<RankDialog>({&RankDialog::rank}); },
     {1}, "Order", 1, 2, 9, 208, "順位付け・番号列の挿入",
     {{1007, K::Combo, "列の"}, {1001, K::Edit, "行から"}, {1117, K::Edit, "行まで"},
      {1028, K::Check, "を大きい順に並べ替え、順位を挿入"},
      {-1, K::Label, "【チェック無しは並べ替えずに　 1, 2, 3, …の番号列を挿入】"}},
     {1001, 1117}, {{1028, 0}}},
};

class RowDialogStartValues : public ::testing::TestWithParam<StartValuesCase> {};

TEST_P(RowDialogStartValues, ControlsAndStartValues) {
  const StartValuesCase& c = GetParam();
  TempDir dir;
  SettingsStore settings(dir.Path("Pivra.conf"));
  const RowDialogUnderTest dlg = c.make();
  dlg.load(settings);
  const std::vector<int> loaded = dlg.checkFields();
  ASSERT_EQ(loaded.size(), c.checkFieldsByDefault.size());
  for (std::size_t i = 0; i < loaded.size(); ++i) EXPECT_EQ(loaded[i], c.checkFieldsByDefault[i]) << i;
  settings.WriteInt("Settings", c.storedOff, 0);
  dlg.load(settings);
  const DialogData d = dlg.build(c.column, c.fromRow, c.toRow);
  EXPECT_EQ(d.templateId, c.templateId);
  EXPECT_EQ(d.caption, c.caption);
  ExpectControls(d, c.controls);
  EXPECT_EQ(d.Find(1007)->items, ColumnItems());
  EXPECT_EQ(d.Value(1007), c.column);
  EXPECT_EQ(d.Text(1001), std::to_string(c.fromRow));
  EXPECT_EQ(d.Text(1117), std::to_string(c.toRow));
  for (const int id : c.integerOnly) EXPECT_TRUE(d.Find(id)->integerOnly) << id;
  for (const auto& [id, value] : c.checkBoxes) EXPECT_EQ(d.Value(id), value) << id;
}

INSTANTIATE_TEST_SUITE_P(Dialogs, RowDialogStartValues, ::testing::ValuesIn(kStartValues),
                         [](const auto& info) { return std::string(info.param.name); });

// ---- Reading the answer back

TEST(RowSortDialog, ReadAndSave) {
  TempDir dir;
  SettingsStore settings(dir.Path("Pivra.conf"));
  RowSortDialog dlg;
  DialogData d = dlg.Build();
  ASSERT_TRUE(d.Set(1007, "39"));
  EXPECT_FALSE(d.Set(1007, "40"));
  ASSERT_TRUE(d.Set(1001, " +3 "));
  ASSERT_TRUE(d.Set(1117, "-2"));
  ASSERT_TRUE(d.Set(1006, "0"));
  ASSERT_TRUE(d.Set(1031, "0"));
  ASSERT_TRUE(dlg.Read(d));
  EXPECT_EQ(dlg.column, 39);
  EXPECT_EQ(dlg.fromRow, 3);
  EXPECT_EQ(dlg.toRow, -2);
  EXPECT_EQ(dlg.descending, 0);
  EXPECT_EQ(dlg.byValue, 0);
  dlg.Save(settings);
  EXPECT_EQ(settings.GetInt("Settings", "Down", -1), 0);
  EXPECT_EQ(settings.GetInt("Settings", "Value", -1), 0);
  d.Set(1001, "x");
  EXPECT_FALSE(dlg.Read(d));
  EXPECT_EQ(dlg.fromRow, 3);
}

TEST(RowSortDialog, ColumnBeyondTheListOpensOnTheLastItem) {
  RowSortDialog dlg;
  dlg.column = 55;
  EXPECT_EQ(dlg.Build().Value(1007), 39);
}

TEST(RankDialog, Read) {
  RankDialog dlg;
  DialogData d = dlg.Build();
  d.Set(1007, "4");
  d.Set(1001, "7");
  d.Set(1117, "8");
  d.Set(1028, "0");
  ASSERT_TRUE(dlg.Read(d));
  EXPECT_EQ(dlg.column, 4);
  EXPECT_EQ(dlg.fromRow, 7);
  EXPECT_EQ(dlg.toRow, 8);
  EXPECT_EQ(dlg.rank, 0);
  d.Set(1117, "");
  EXPECT_FALSE(dlg.Read(d));
}

}  // namespace
