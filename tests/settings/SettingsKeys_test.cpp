// SettingsKeys against a settings file an older build wrote
// (data/settings/older-build.conf: written through the store's named
// overloads with every named value set away from its default, and run-time
// keys of each kind, then never edited by hand): every named setting must read
// back the value stored there, so a renamed section or key, which would
// silently lose every user's value, fails here. Writing values back keeps
// the file byte for byte. What the file cannot show, the defaults and the
// ranges a stored value must fall in, is checked as tables of its own.
#include "settings/SettingsKeys.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "settings/SettingsStore.h"
#include "support/TempDir.h"

namespace fs = std::filesystem;

namespace {

const std::string kOlderBuildFile = std::string(PIVRA_TEST_DATA) + "/settings/older-build.conf";

std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

struct NamedInt {
  const char* name;
  IntSetting setting;
  int defaultValue;  // when the store holds none
  int stored;        // in the older build's file, never the default
};

const std::vector<NamedInt> kNamedInts = {
    {"DecimalPlaces", setting::DecimalPlaces, 1, 3},
    {"TableColumnWidth", setting::TableColumnWidth, 8, 12},
    {"TextTabWidth", setting::TextTabWidth, 8, 4},
    {"EditorModeAtStart", setting::EditorModeAtStart, 0, 1},
    {"LineNumbers", setting::LineNumbers, 0, 2},
    {"ReturnMarks", setting::ReturnMarks, 1, 0},
    {"KeepCaretColumn", setting::KeepCaretColumn, 1, 0},
    {"BackupOnSave", setting::BackupOnSave, 1, 0},
    {"PrintMarginStep", setting::PrintMarginStep, 1, 3},
    {"PrintColumns", setting::PrintColumns, 1, 2},
    {"JumpLineNumber", setting::JumpLineNumber, 1, 42},
    {"JumpCountsLogicalLines", setting::JumpCountsLogicalLines, 0, 1},
    {"ColumnArithmeticOperation", setting::ColumnArithmeticOperation, 0, 3},
    {"RowArithmeticOperation", setting::RowArithmeticOperation, 0, 2},
    {"NewTableHeaderRow", setting::NewTableHeaderRow, 0, 1},
    {"NewTableRows", setting::NewTableRows, 5, 7},
    {"NewTableColumns", setting::NewTableColumns, 5, 9},
    {"NewTableNumbering", setting::NewTableNumbering, 0, 2},
    {"RankRows", setting::RankRows, 1, 0},
    {"SortDescending", setting::SortDescending, 1, 0},
    {"SortByValue", setting::SortByValue, 1, 0},
    {"SlopeM", setting::SlopeM, 1, 3},
    {"SlopeN", setting::SlopeN, 1, 4},
    {"OffsetP", setting::OffsetP, 1, 5},
    {"OffsetQ", setting::OffsetQ, 1, 6},
    {"RangeFromA", setting::RangeFromA, 60, 10},
    {"RangeFromB", setting::RangeFromB, 120, 20},
    {"RangeToC", setting::RangeToC, 65, 30},
    {"RangeToD", setting::RangeToD, 100, 40},
    {"FontHeight(Font)", setting::FontHeight(setting::kScreenFontSection), -16, -20},
    {"FontWeight(Font)", setting::FontWeight(setting::kScreenFontSection), 700, 400},
    {"FontItalic(Font)", setting::FontItalic(setting::kScreenFontSection), 0, 1},
    {"FontPitchAndFamily(Font)", setting::FontPitchAndFamily(setting::kScreenFontSection), 49, 50},
    {"FontCharSet(Font)", setting::FontCharSet(setting::kScreenFontSection), 128, 0},
    {"PrintFontHeight", setting::PrintFontHeight, -16, -12},
    {"FontWeight(PrintFont)", setting::FontWeight(setting::kPrintFontSection), 700, 500},
    {"FontItalic(PrintFont)", setting::FontItalic(setting::kPrintFontSection), 0, 1},
    {"FontPitchAndFamily(PrintFont)", setting::FontPitchAndFamily(setting::kPrintFontSection), 49, 34},
    {"FontCharSet(PrintFont)", setting::FontCharSet(setting::kPrintFontSection), 128, 1},
    {"OpenEncoding", setting::OpenEncoding, 0, 2},
    {"RegisterFileType", setting::RegisterFileType, 1, 0},
    {"LauncherX", setting::LauncherX, 0, 10},
    {"LauncherY", setting::LauncherY, 0, 20},
    {"LauncherWidth", setting::LauncherWidth, 0, 640},
    {"LauncherHeight", setting::LauncherHeight, 0, 480},
    {"RestoreX", setting::RestoreX, 0, 30},
    {"RestoreY", setting::RestoreY, 0, 40},
    {"RestoreWidth", setting::RestoreWidth, 0, 800},
    {"RestoreHeight", setting::RestoreHeight, 0, 600},
};

struct NamedString {
  const char* name;
  StringSetting setting;
  std::string defaultValue;
  std::string stored;
};

const std::vector<NamedString> kNamedStrings = {
    {"FontFaceName(Font)", setting::FontFaceName(setting::kScreenFontSection), "ＭＳ ゴシック", "IPAGothic"},
    {"FontFaceName(PrintFont)", setting::FontFaceName(setting::kPrintFontSection), "ＭＳ ゴシック",
     "Noto Sans Mono CJK JP"},
    {"InstallDir", setting::InstallDir, "", "/opt/pivraf"},
    {"WebSearchHost", setting::WebSearchHost, "www.google.com", "search.example.org"},
    {"HomePageAddress", setting::HomePageAddress, "https://pivraf.korvane.example/", "https://home.example/"},
    {"VersionFileAddress", setting::VersionFileAddress, "https://pivraf.korvane.example/version.txt",
     "https://home.example/version.txt"},
    {"DownloadAddress", setting::DownloadAddress, "https://pivraf.korvane.example/PivraF.zip",
     "https://home.example/PivraF.zip"},
};

// Keys made at run time from the named parts: a recent file, a caret memory
// (kept and scratch), a search and a replacement history entry.
const std::string kTablePath = "/home/u/\xE8\xA1\xA8 [1].pvl";
const std::string kMemoPath = "/home/u/memo=a;b.txt";

struct RunTimeKey {
  std::string section;
  std::string key;
  bool isInt;
  int number;
  std::string text;
};

std::vector<RunTimeKey> RunTimeKeys() {
  using namespace setting;
  const std::string recent = kRecentFileKeyPrefix;
  const std::string history = kHistoryKeyPrefix;
  return {
      {kRecentFilesSection, recent + "1", false, 0, kTablePath},
      {kRecentFilesSection, recent + "2", false, 0, kMemoPath},
      {kCaretSection, kTablePath + kCaretOffsetSuffix, true, 120, ""},
      {kCaretSection, kTablePath + kCaretFirstLineSuffix, true, 3, ""},
      {kCaretScratchSection, kMemoPath + kCaretOffsetSuffix, true, 7, ""},
      {kCaretScratchSection, kMemoPath + kCaretFirstLineSuffix, true, 1, ""},
      {kFindHistorySection, history + "0", false, 0, "\x8D\x87\x8C\x76"},
      {kFindHistorySection, history + "1", false, 0, " a=b "},
      {kReplaceHistorySection, history + "0", false, 0, "[x]\t#1"},
  };
}

// A copy of the older build's file in a private folder: the store makes
// its lock and temporary files beside the file it opens.
class OlderBuildFile : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(fs::is_regular_file(kOlderBuildFile)) << kOlderBuildFile;
    fs::copy_file(kOlderBuildFile, path_);
  }

  TempDir dir_;
  std::string path_ = dir_.Path("Pivra.conf");
};

TEST_F(OlderBuildFile, EveryNamedSettingReadsTheValueStoredThere) {
  const SettingsStore store(path_);
  for (const NamedInt& e : kNamedInts) {
    SCOPED_TRACE(e.name);
    EXPECT_NE(e.stored, e.defaultValue);  // else a lost key would go unnoticed
    EXPECT_EQ(store.GetInt(e.setting), e.stored);
  }
  for (const NamedString& e : kNamedStrings) {
    SCOPED_TRACE(e.name);
    EXPECT_NE(e.stored, e.defaultValue);
    EXPECT_EQ(store.GetString(e.setting), e.stored);
  }
}

TEST_F(OlderBuildFile, RunTimeKeysMadeFromTheNamedPartsReadTheValuesStoredThere) {
  const SettingsStore store(path_);
  for (const RunTimeKey& k : RunTimeKeys()) {
    SCOPED_TRACE(k.section + " / " + k.key);
    if (k.isInt) {
      EXPECT_EQ(store.GetInt(k.section, k.key, -1), k.number);
    } else {
      EXPECT_EQ(store.GetString(k.section, k.key, "(none)"), k.text);
    }
  }
}

// Each value changed and then written back as it was: every write rewrites
// the file, and the last leaves it byte for byte as the older build wrote it.
TEST_F(OlderBuildFile, WritingTheValuesBackGivesTheSameBytes) {
  const std::string before = ReadBytes(path_);
  {
    SettingsStore store(path_);
    for (const NamedInt& e : kNamedInts) {
      SCOPED_TRACE(e.name);
      store.WriteInt(e.setting, e.defaultValue);
      EXPECT_EQ(store.GetInt(e.setting), e.defaultValue);
      store.WriteInt(e.setting, e.stored);
    }
    for (const NamedString& e : kNamedStrings) {
      SCOPED_TRACE(e.name);
      store.WriteString(e.setting, e.defaultValue);
      EXPECT_EQ(store.GetString(e.setting), e.defaultValue);
      store.WriteString(e.setting, e.stored);
    }
    for (const RunTimeKey& k : RunTimeKeys()) {
      if (k.isInt) {
        store.WriteInt(k.section, k.key, k.number + 1);
        store.WriteInt(k.section, k.key, k.number);
      } else {
        store.WriteString(k.section, k.key, k.text + "x");
        store.WriteString(k.section, k.key, k.text);
      }
    }
  }
  EXPECT_EQ(ReadBytes(path_), before);
  EXPECT_EQ(before, ReadBytes(kOlderBuildFile));
}

// ---- what the file cannot show

TEST(SettingsKeysTest, NamedSettingsKeepTheirDefaults) {
  const TempDir dir;
  const std::string path = dir.Path("Pivra.conf");
  const SettingsStore empty(path);
  for (const NamedInt& e : kNamedInts) {
    SCOPED_TRACE(e.name);
    EXPECT_EQ(e.setting.defaultValue, e.defaultValue);
    EXPECT_EQ(empty.GetInt(e.setting), e.defaultValue);
  }
  for (const NamedString& e : kNamedStrings) {
    SCOPED_TRACE(e.name);
    EXPECT_EQ(std::string(e.setting.defaultValue), e.defaultValue);
    EXPECT_EQ(empty.GetString(e.setting), e.defaultValue);
  }
  EXPECT_FALSE(fs::exists(path));  // reading creates nothing
}

struct RangeCase {
  const char* name;
  IntSetting setting;
  int lowest;
  int highest;
};

// A stored value outside its range (a hand-edited file) reads as the default.
TEST(SettingsKeysTest, ValuesOutsideTheirRangeReadAsTheDefault) {
  const std::vector<RangeCase> cases = {
      {"DecimalPlaces", setting::DecimalPlaces, 0, 15},
      {"TableColumnWidth", setting::TableColumnWidth, 1, kMaxTabWidth},
      {"TextTabWidth", setting::TextTabWidth, 1, kMaxTabWidth},
      {"LineNumbers", setting::LineNumbers, 0, 2},
      {"PrintMarginStep", setting::PrintMarginStep, 1, 4},
      {"PrintColumns", setting::PrintColumns, 1, 4},
      // switches: a value other than 0 or 1 is not a third state
      {"EditorModeAtStart", setting::EditorModeAtStart, 0, 1},
      {"ReturnMarks", setting::ReturnMarks, 0, 1},
      {"KeepCaretColumn", setting::KeepCaretColumn, 0, 1},
      {"PrintFontHeight", setting::PrintFontHeight, -kMaxFontHeight, kMaxFontHeight},
      {"FontHeight(Font)", setting::FontHeight(setting::kScreenFontSection), -kMaxFontHeight, kMaxFontHeight},
  };
  const TempDir dir;
  SettingsStore store(dir.Path("Pivra.conf"));
  for (const RangeCase& c : cases) {
    SCOPED_TRACE(c.name);
    for (const int inside : {c.lowest, c.highest}) {
      store.WriteInt(c.setting, inside);
      EXPECT_EQ(store.GetInt(c.setting), inside);
    }
    for (const int outside : {c.lowest - 1, c.highest + 1}) {
      store.WriteInt(c.setting, outside);
      EXPECT_EQ(store.GetInt(c.setting), c.setting.defaultValue);
      EXPECT_EQ(store.GetInt(c.setting.section, c.setting.key, 0), outside);  // kept as it was stored
    }
  }
}

}  // namespace
