// The sort and rank dialogs as data: captions, controls, start values from the
// settings, and reading the answer back.
#include <gtest/gtest.h>

#include "../table/TableFixture.h"
#include "settings/SettingsStore.h"
#include "dialogs/RankDialog.h"
#include "dialogs/RowSortDialog.h"

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

TEST(RowSortDialog, ControlsAndStartValues) {
  tabletest::TempDir dir;
  SettingsStore settings((dir.path / "Pivra.conf").string());
  RowSortDialog dlg;
  dlg.Load(settings);
  EXPECT_EQ(dlg.descending, 1);
  EXPECT_EQ(dlg.byValue, 1);
  settings.WriteInt("Settings", "Down", 0);
  dlg.Load(settings);
  dlg.column = 2;
  dlg.fromRow = 6;
  dlg.toRow = 12;
  const DialogData d = dlg.Build();
  EXPECT_EQ(d.templateId, 131);
  EXPECT_EQ(d.caption, "行データの並び替え");
  ExpectControls(d, {{1007, K::Combo, "列について"},
                     {1001, K::Edit, "行から"},
                     {1117, K::Edit, "行までを"},
                     {1006, K::Check, "降順で （チェック無は昇順）"},
                     {1031, K::Check, "値として（チェック無は文字列として） "}});
  EXPECT_EQ(d.Find(1007)->items, ColumnItems());
  EXPECT_EQ(d.Value(1007), 2);
  EXPECT_EQ(d.Text(1001), "6");
  EXPECT_EQ(d.Text(1117), "12");
  EXPECT_TRUE(d.Find(1001)->integerOnly);
  EXPECT_TRUE(d.Find(1117)->integerOnly);
  EXPECT_EQ(d.Value(1006), 0);
  EXPECT_EQ(d.Value(1031), 1);
}

TEST(RowSortDialog, ReadAndSave) {
  tabletest::TempDir dir;
  SettingsStore settings((dir.path / "Pivra.conf").string());
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

TEST(RankDialog, ControlsAndStartValues) {
  tabletest::TempDir dir;
  SettingsStore settings((dir.path / "Pivra.conf").string());
  RankDialog dlg;
  dlg.Load(settings);
  EXPECT_EQ(dlg.rank, 1);
  settings.WriteInt("Settings", "Order", 0);
  dlg.Load(settings);
  dlg.column = 1;
  dlg.fromRow = 2;
  dlg.toRow = 9;
  const DialogData d = dlg.Build();
  EXPECT_EQ(d.templateId, 208);
  EXPECT_EQ(d.caption, "順位付け・番号列の挿入");
  ExpectControls(d, {{1007, K::Combo, "列の"},
                     {1001, K::Edit, "行から"},
                     {1117, K::Edit, "行まで"},
                     {1028, K::Check, "を大きい順に並べ替え、順位を挿入"},
                     {-1, K::Label, "【チェック無しは並べ替えずに　 1, 2, 3, …の番号列を挿入】"}});
  EXPECT_EQ(d.Find(1007)->items, ColumnItems());
  EXPECT_EQ(d.Value(1007), 1);
  EXPECT_EQ(d.Text(1001), "2");
  EXPECT_EQ(d.Text(1117), "9");
  EXPECT_EQ(d.Value(1028), 0);
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
