// The table-creation, table-width and rounding dialogs as data: captions,
// control ids, labels, initial values and the values read back.
#include <gtest/gtest.h>

#include "dialogs/TableCreationDialog.h"
#include "dialogs/DecimalPlacesDialog.h"
#include "dialogs/TabWidthDialog.h"
#include "support/TestView.h"

namespace {

using K = DialogControl::Kind;

TEST(TableCreationDialogData, OpensWithStoreDefaults) {
  TempDir dir;
  SettingsStore settings(dir.Path("Pivra.conf"));
  TableCreationDialog c;
  c.Load(settings);
  const DialogData d = c.Build();
  EXPECT_EQ(d.templateId, 197);
  EXPECT_EQ(d.caption, "表の作成");
  ASSERT_NE(d.Find(1032), nullptr);
  EXPECT_EQ(d.Find(1032)->kind, K::Check);
  EXPECT_EQ(d.Find(1032)->label, "第一行に 列1, 列2, 列3, ･･･を挿入");
  EXPECT_EQ(d.Value(1032), 0);
  EXPECT_EQ(d.Find(1001)->kind, K::Edit);
  EXPECT_EQ(d.Find(1001)->label, "行 ×");
  EXPECT_TRUE(d.Find(1001)->integerOnly);
  EXPECT_EQ(d.Text(1001), "5");
  EXPECT_EQ(d.Find(1117)->label, "列　（縦×横）　の表を作ります。");
  EXPECT_EQ(d.Text(1117), "5");
  EXPECT_EQ(d.Find(1120)->label, "第一列には何もしない");
  EXPECT_EQ(d.Find(1119)->label, "第一列に 1 からの番号を挿入");
  EXPECT_EQ(d.Find(1118)->label, "第一列に行番号を挿入");
  EXPECT_EQ(d.Value(1120), 1);
  EXPECT_EQ(d.Value(1119), 0);
  EXPECT_EQ(d.Value(1118), 0);
  EXPECT_EQ(d.Find(1120)->group, d.Find(1118)->group);
  bool groupTitle = false;
  for (const DialogControl& control : d.controls)
    groupTitle |= control.kind == K::Label && control.label == "第一列への番号の挿入";
  EXPECT_TRUE(groupTitle);
}

TEST(TableCreationDialogData, StoredChoicesRoundTrip) {
  TempDir dir;
  SettingsStore settings(dir.Path("Pivra.conf"));
  settings.WriteInt("Settings", "ABC", 1);
  settings.WriteInt("Settings", "Gyo", 12);
  settings.WriteInt("Settings", "Retu", 3);
  settings.WriteInt("Settings", "No", 2);
  TableCreationDialog c;
  c.Load(settings);
  DialogData d = c.Build();
  EXPECT_EQ(d.Value(1032), 1);
  EXPECT_EQ(d.Text(1001), "12");
  EXPECT_EQ(d.Text(1117), "3");
  EXPECT_EQ(d.Value(1118), 1);
  EXPECT_EQ(d.Value(1120), 0);

  ASSERT_TRUE(d.Set(1119, "1"));  // the radio group switches
  ASSERT_TRUE(d.Set(1001, "7"));
  ASSERT_TRUE(d.Set(1032, "0"));
  ASSERT_TRUE(c.Read(d));
  EXPECT_EQ(c.numbering, 1);
  EXPECT_EQ(c.rows, 7);
  EXPECT_EQ(c.headerRow, 0);
  c.Save(settings);
  EXPECT_EQ(settings.GetInt("Settings", "No", -1), 1);
  EXPECT_EQ(settings.GetInt("Settings", "Gyo", -1), 7);
  EXPECT_EQ(settings.GetInt("Settings", "Retu", -1), 3);
  EXPECT_EQ(settings.GetInt("Settings", "ABC", -1), 0);
}

TEST(TableCreationDialogData, EditFieldsMustHoldIntegers) {
  const struct {
    const char* text;
    bool ok;
  } cases[] = {{"8", true}, {" 8 ", true}, {"-2", true}, {"", false}, {"8x", false}, {"x", false}, {"1.5", false}};
  for (const auto& c : cases) {
    TableCreationDialog dlg;
    DialogData d = dlg.Build();
    d.Set(1001, c.text);
    EXPECT_EQ(dlg.Read(d), c.ok) << c.text;
    if (!c.ok) {
      EXPECT_EQ(dlg.rows, 5) << c.text;
    }
  }
}

TEST(TabWidthDialogData, WidthListAndIndex) {
  TabWidthDialog c;
  c.index = TabWidthDialog::IndexForWidth(8);
  const DialogData d = c.Build();
  EXPECT_EQ(d.templateId, 195);
  EXPECT_EQ(d.caption, "タブ幅の変更");
  ASSERT_NE(d.Find(1115), nullptr);
  EXPECT_EQ(d.Find(1115)->kind, K::Combo);
  EXPECT_EQ(d.Find(1115)->label, "タブ幅を");
  EXPECT_EQ(d.Find(1115)->items, (std::vector<std::string>{"4", "8", "12", "16", "20", "24"}));
  EXPECT_EQ(d.Value(1115), 1);
  bool trailing = false;
  for (const DialogControl& control : d.controls) trailing |= control.label == "文字（半角）に変更します。";
  EXPECT_TRUE(trailing);

  const struct {
    int width, index;
  } cases[] = {{4, 0}, {8, 1}, {12, 2}, {24, 5}, {10, 1}, {2, 0}, {0, 0}, {40, 5}};
  for (const auto& w : cases) EXPECT_EQ(TabWidthDialog::IndexForWidth(w.width), w.index) << w.width;
  for (int i = 0; i < 6; ++i) EXPECT_EQ(TabWidthDialog::WidthForIndex(i), 4 + 4 * i);
}

TEST(DecimalPlacesDialogData, PlaceListAndIndex) {
  DecimalPlacesDialog c;
  c.index = 2;
  DialogData d = c.Build();
  EXPECT_EQ(d.templateId, 191);
  EXPECT_EQ(d.caption, "四捨五入");
  ASSERT_NE(d.Find(1033), nullptr);
  EXPECT_EQ(d.Find(1033)->kind, K::Combo);
  EXPECT_EQ(d.Find(1033)->label, "小数第");
  EXPECT_EQ(d.Find(1033)->items, (std::vector<std::string>{"1", "2", "3", "4"}));
  EXPECT_EQ(d.Value(1033), 2);
  bool trailing = false;
  for (const DialogControl& control : d.controls) trailing |= control.label == "位を四捨五入します。";
  EXPECT_TRUE(trailing);
  ASSERT_TRUE(d.Set(1033, "3"));
  c.Read(d);
  EXPECT_EQ(c.index, 3);
  EXPECT_FALSE(d.Set(1033, "4"));  // no fifth item

  c.index = 9;  // a stored value off the list opens on the nearest item
  EXPECT_EQ(c.Build().Value(1033), 3);
}

}  // namespace
