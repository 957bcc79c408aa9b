// The escaping of names and texts in the settings file: what the writer
// produces (readable where it can be) and what the reader refuses.
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

}  // namespace
