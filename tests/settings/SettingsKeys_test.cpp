// SettingsKeys: every named setting keeps the section, key and default the
// settings file has always used (a renamed key would silently lose every
// user's value), and SettingsStore's named overloads read and write exactly
// those strings.
#include "settings/SettingsKeys.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "settings/SettingsStore.h"

namespace fs = std::filesystem;

namespace {

struct ExpectedInt {
  const char* name;
  IntSetting setting;
  std::string section;
  std::string key;
  int defaultValue;
};

TEST(SettingsKeysTest, IntegerSettingsKeepTheirStoredNamesAndDefaults) {
  const std::vector<ExpectedInt> expected = {
      {"DecimalPlaces", setting::DecimalPlaces, "Settings", "Sho", 1},
      {"TableColumnWidth", setting::TableColumnWidth, "Settings", "RetuHaba", 8},
      {"TextTabWidth", setting::TextTabWidth, "Settings", "TabStops", 8},
      {"EditorModeAtStart", setting::EditorModeAtStart, "Settings", "Editmode", 0},
      {"LineNumbers", setting::LineNumbers, "Settings", "Line", 0},
      {"ReturnMarks", setting::ReturnMarks, "Settings", "Enter", 1},
      {"KeepCaretColumn", setting::KeepCaretColumn, "Settings", "CaretPos", 1},
      {"BackupOnSave", setting::BackupOnSave, "Settings", "Backup", 1},
      {"PrintMarginStep", setting::PrintMarginStep, "Settings", "PrintMargin", 1},
      {"PrintColumns", setting::PrintColumns, "Settings", "ColNum", 1},
      {"JumpLineNumber", setting::JumpLineNumber, "Settings", "LineN", 1},
      {"JumpCountsLogicalLines", setting::JumpCountsLogicalLines, "Settings", "PL", 0},
      {"ColumnArithmeticOperation", setting::ColumnArithmeticOperation, "Settings", "SisokuR", 0},
      {"RowArithmeticOperation", setting::RowArithmeticOperation, "Settings", "SisokuG", 0},
      {"NewTableHeaderRow", setting::NewTableHeaderRow, "Settings", "ABC", 0},
      {"NewTableRows", setting::NewTableRows, "Settings", "Gyo", 5},
      {"NewTableColumns", setting::NewTableColumns, "Settings", "Retu", 5},
      {"NewTableNumbering", setting::NewTableNumbering, "Settings", "No", 0},
      {"RankRows", setting::RankRows, "Settings", "Order", 1},
      {"SortDescending", setting::SortDescending, "Settings", "Down", 1},
      {"SortByValue", setting::SortByValue, "Settings", "Value", 1},
      {"SlopeM", setting::SlopeM, "Settings", "Num1", 1},
      {"SlopeN", setting::SlopeN, "Settings", "Num", 1},
      {"OffsetP", setting::OffsetP, "Settings", "Num2", 1},
      {"OffsetQ", setting::OffsetQ, "Settings", "Num3", 1},
      {"RangeFromA", setting::RangeFromA, "Settings", "A", 60},
      {"RangeFromB", setting::RangeFromB, "Settings", "B", 120},
      {"RangeToC", setting::RangeToC, "Settings", "C", 65},
      {"RangeToD", setting::RangeToD, "Settings", "D", 100},
      {"PrintFontHeight", setting::PrintFontHeight, "PrintFont", "Height", -16},
      {"FontHeight(Font)", setting::FontHeight(setting::kScreenFontSection), "Font", "Height", -16},
      {"FontWeight(Font)", setting::FontWeight(setting::kScreenFontSection), "Font", "Weight", 700},
      {"FontItalic(Font)", setting::FontItalic(setting::kScreenFontSection), "Font", "Italic", 0},
      {"FontPitchAndFamily(Font)", setting::FontPitchAndFamily(setting::kScreenFontSection), "Font",
       "PitchAndFamily", 49},
  };
  for (const ExpectedInt& e : expected) {
    SCOPED_TRACE(e.name);
    EXPECT_EQ(std::string(e.setting.section), e.section);
    EXPECT_EQ(std::string(e.setting.key), e.key);
    EXPECT_EQ(e.setting.defaultValue, e.defaultValue);
  }
}

TEST(SettingsKeysTest, TextSettingsAndRunTimeKeyPartsKeepTheirStoredNames) {
  const StringSetting face = setting::FontFaceName(setting::kPrintFontSection);
  EXPECT_EQ(std::string(face.section), "PrintFont");
  EXPECT_EQ(std::string(face.key), "FaceName");
  EXPECT_EQ(std::string(face.defaultValue), "ＭＳ ゴシック");

  EXPECT_EQ(std::string(setting::kScreenFontSection), "Font");
  EXPECT_EQ(std::string(setting::kPrintFontSection), "PrintFont");
  EXPECT_EQ(std::string(setting::kRecentFilesSection), "Recent File List");
  EXPECT_EQ(std::string(setting::kRecentFileKeyPrefix), "File");
  EXPECT_EQ(std::string(setting::kCaretSection), "Caret");
  EXPECT_EQ(std::string(setting::kCaretScratchSection), "CaretTemp");
  EXPECT_EQ(std::string(setting::kCaretOffsetSuffix), "cL");
  EXPECT_EQ(std::string(setting::kCaretFirstLineSuffix), "cH");
}

class SettingsKeysStoreTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "pivra-keys-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    dir_ = pattern;
    path_ = dir_ + "/Pivra.conf";
  }
  void TearDown() override {
    std::error_code ec;
    fs::remove_all(dir_, ec);
  }

  std::string dir_;
  std::string path_;
};

TEST_F(SettingsKeysStoreTest, NamedOverloadsGiveTheDefaultWhenNothingIsStored) {
  SettingsStore store(path_);
  EXPECT_EQ(store.GetInt(setting::DecimalPlaces), 1);
  EXPECT_EQ(store.GetInt(setting::RangeFromB), 120);
  EXPECT_EQ(store.GetInt(setting::PrintFontHeight), -16);
  EXPECT_EQ(store.GetString(setting::FontFaceName(setting::kScreenFontSection)), "ＭＳ ゴシック");
  EXPECT_FALSE(fs::exists(path_));
}

TEST_F(SettingsKeysStoreTest, NamedOverloadsWriteUnderTheLiteralSectionAndKey) {
  {
    SettingsStore store(path_);
    store.WriteInt(setting::TableColumnWidth, 12);
    store.WriteString(setting::FontFaceName(setting::kPrintFontSection), "IPAGothic");
  }
  SettingsStore fresh(path_);
  EXPECT_EQ(fresh.GetInt("Settings", "RetuHaba", 0), 12);
  EXPECT_EQ(fresh.GetInt(setting::TableColumnWidth), 12);
  EXPECT_EQ(fresh.GetString("PrintFont", "FaceName", ""), "IPAGothic");
  EXPECT_EQ(fresh.GetString(setting::FontFaceName(setting::kPrintFontSection)), "IPAGothic");

  fresh.WriteInt(setting::DecimalPlaces, 3);
  EXPECT_EQ(fresh.GetInt("Settings", "Sho", 0), 3);
}

}  // namespace
