// The escaping of names and texts in the settings file: what the writer
// produces (readable where it can be) and what the reader refuses; what the
// start of a file may hold before its first section.
#include "settings/SettingsText.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(SettingsText, EscapesOnlyWhatWouldBeMisread) {
  struct Case {
    std::string in, name, text;
  } const cases[] = {
      {"Recent File List", "Recent File List", "Recent File List"},
      {"C:\\a\\b.pvl", "C:\\\\a\\\\b.pvl", "C:\\\\a\\\\b.pvl"},
      {"a=b[c]", "a\\=b\\[c\\]", "a=b[c]"},
      {" two  blanks ", "\\stwo  blanks\\s", "\\stwo  blanks\\s"},
      {" ", "\\s", "\\s"},
      {"#x#", "\\#x#", "#x#"},
      {";x", "\\;x", ";x"},
      {"a\nb\rc\td", "a\\nb\\rc\\td", "a\\nb\\rc\\td"},
      {"\x01\x7f", "\\x01\\x7F", "\\x01\\x7F"},
      {"表 ＭＳ", "表 ＭＳ", "表 ＭＳ"},
      // CP932 "表" is 95 5C: the lead byte is not UTF-8, the trail byte is '\'.
      {"\x95\x5c", "\\x95\\\\", "\\x95\\\\"},
      {"\xc0\xaf\xed\xa0\x80\xf4\x90\x80\x80", "\\xC0\\xAF\\xED\\xA0\\x80\\xF4\\x90\\x80\\x80",
       "\\xC0\\xAF\\xED\\xA0\\x80\\xF4\\x90\\x80\\x80"},
      {"\xe8\xa1", "\\xE8\\xA1", "\\xE8\\xA1"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.in);
    EXPECT_EQ(SettingsText::EscapeName(c.in), c.name);
    EXPECT_EQ(SettingsText::EscapeText(c.in), c.text);
    std::string back;
    ASSERT_TRUE(SettingsText::Unescape(c.name, back));
    EXPECT_EQ(back, c.in);
    ASSERT_TRUE(SettingsText::Unescape(c.text, back));
    EXPECT_EQ(back, c.in);
  }
}

TEST(SettingsText, UnescapeRefusesMalformedEscapes) {
  const char* const bad[] = {"\\", "a\\", "\\q", "\\x", "\\x4", "\\xZ1", "\\x1g", "\\ "};
  for (const char* in : bad) {
    std::string out;
    EXPECT_FALSE(SettingsText::Unescape(in, out)) << in;
  }
  std::string out;
  ASSERT_TRUE(SettingsText::Unescape("\\xff\\xFF\\s\\=\\;", out));
  EXPECT_EQ(out, "\xff\xff =;");
}

TEST(SettingsText, FoldsAsciiLettersOnly) {
  EXPECT_EQ(SettingsText::Fold("AZaz@[`{ÄＡ\x82\x60"), "azaz@[`{ÄＡ\x82\x60");
}

struct ParseCase {
  const char* name;
  std::string text;
  const char* section;
  const char* key;
  int number;  // the integer found there; -1: none
};

// What a file's first lines hide or keep; the text is written back unchanged.
TEST(SettingsText, FirstSectionReadsWhateverStartsTheFile) {
  const ParseCase cases[] = {
      {"plain", "[Settings]\nReg=int:0\n", "Settings", "Reg", 0},
      {"byte-order mark", "\xEF\xBB\xBF[Settings]\nReg=int:0\n", "Settings", "Reg", 0},
      {"byte-order mark then a comment", "\xEF\xBB\xBF# note\n[Settings]\nReg=int:0\n", "Settings", "Reg", 0},
      {"byte-order mark before a value line", "\xEF\xBB\xBFReg=int:0\n", "", "Reg", -1},
      {"byte-order mark in the middle stays a byte of the name", "[Settings]\n\xEF\xBB\xBFReg=int:0\n",
       "Settings", "Reg", -1},
      {"CR LF", "[Settings]\r\nReg=int:0\r\n", "Settings", "Reg", 0},
  };
  for (const ParseCase& c : cases) {
    SettingsText text;
    text.Parse(c.text);
    const SettingsText::Value* v = text.Find(c.section, c.key);
    EXPECT_EQ(v != nullptr && v->isInt ? v->number : -1, c.number) << c.name;
    EXPECT_EQ(text.Serialize(), c.text) << c.name;
  }
}

TEST(SettingsText, AChangeKeepsTheByteOrderMark) {
  SettingsText text;
  text.Parse("\xEF\xBB\xBF[Settings]\nReg=int:1\n");
  SettingsText::Value v;
  v.isInt = true;
  v.number = 0;
  text.Set("Settings", "Reg", v);
  EXPECT_EQ(text.Serialize(), "\xEF\xBB\xBF[Settings]\nReg=int:0\n");
}

}  // namespace
