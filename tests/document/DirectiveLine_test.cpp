// The directive line of .pvl files and the print form of the text.
#include "document/DirectiveLine.h"

#include <gtest/gtest.h>

#include "text/Cp932.h"

namespace {

const std::string kFixed = cp932::FromUtf8("印刷設定：表幅・フォント・段組・余白\t% 行は印刷されません。");

TEST(DirectiveLine, WrittenForm) {
  EXPECT_EQ(FormatDirectiveLine(8, -16, 1, 1), "// TAB=8\tFont=-16\tCOL=1\tMargin=1\t" + kFixed + "\r\n");
  const DirectiveValues v = ReadDirectiveLine(FormatDirectiveLine(12, -20, 3, 4));
  EXPECT_EQ(v.tabWidth, 12);
  EXPECT_EQ(v.fontHeight, -20);
  EXPECT_EQ(v.columns, 3);
  EXPECT_EQ(v.marginStep, 4);
}

struct ReadCase {
  const char* name;
  std::string line;
  std::optional<int> tab, font, col, margin;
};

class DirectiveRead : public ::testing::TestWithParam<ReadCase> {};

TEST_P(DirectiveRead, AcceptedValuesOnly) {
  const ReadCase& c = GetParam();
  const DirectiveValues v = ReadDirectiveLine(c.line);
  EXPECT_EQ(v.tabWidth, c.tab);
  EXPECT_EQ(v.fontHeight, c.font);
  EXPECT_EQ(v.columns, c.col);
  EXPECT_EQ(v.marginStep, c.margin);
}

const std::optional<int> no;

INSTANTIATE_TEST_SUITE_P(
    Cases, DirectiveRead,
    ::testing::Values(
        ReadCase{"Tab12", "// TAB=12\t\r\n", 12, no, no, no},
        ReadCase{"Tab20", "//TAB=20\tx", 20, no, no, no},
        ReadCase{"Tab7Ignored", "// TAB=7\t\r\n", no, no, no, no},
        ReadCase{"TabWithBlankIgnored", "// TAB= 8\t\r\n", no, no, no, no},
        ReadCase{"TabWithoutTabAfterIgnored", "// TAB=8\r\n", no, no, no, no},
        ReadCase{"TabLeadingZeroIgnored", "// TAB=08\t", no, no, no, no},
        ReadCase{"OrderFree", "// Margin=2\tCOL=4\tTAB=16\tFont=0\t", 16, 0, 4, 2},
        ReadCase{"Col5AndMargin0Ignored", "// COL=5\tMargin=0\t", no, no, no, no},
        ReadCase{"FontAsAtoi", "// Font= -18px\t", no, -18, no, no},
        ReadCase{"FontNoDigitsIsZero", "// Font=abc\t", no, 0, no, no},
        ReadCase{"FontPlusSign", "// Font=+12\t", no, 12, no, no},
        // Heights beyond any printable font set nothing, as other values outside their set do.
        ReadCase{"FontHugeIgnored", "// Font=99999999999999\t", no, no, no, no},
        ReadCase{"FontIntMinIgnored", "// TAB=8\tFont=-2147483648\tCOL=1\t", 8, no, 1, no},
        ReadCase{"Font100000Ignored", "// Font=100000\t", no, no, no, no},
        ReadCase{"FontBeyondTheBoundIgnored", "// Font=-2001\t", no, no, no, no},
        ReadCase{"FontAtTheBound", "// Font=-2000\t", no, -2000, no, no},
        ReadCase{"FontAtThePositiveBound", "// Font=2000\t", no, 2000, no, no},
        ReadCase{"FirstOccurrenceCounts", "// TAB=7\tTAB=8\t", no, no, no, no},
        ReadCase{"NotAComment", "/ TAB=8\t", no, no, no, no},
        ReadCase{"BlankBeforeSlashes", " // TAB=8\t", no, no, no, no},
        // 表 (95 5C) and ソ (83 5C) before a key do not hide it.
        ReadCase{"DoubleByteBeforeKey", "//\x95\x5C\x83\x5CTAB=4\t", 4, no, no, no}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(DirectiveLine, PutReplacesOnlyADirectiveLine) {
  const std::string line = FormatDirectiveLine(8, -16, 1, 1);
  std::string text = "a\tb\r\n";
  EXPECT_TRUE(PutDirectiveLine(text, line));
  EXPECT_EQ(text, line + "a\tb\r\n");
  EXPECT_FALSE(PutDirectiveLine(text, line));  // already there, byte for byte

  text = "// TAB=12\tFont=0\r\nrow\r\n";
  EXPECT_TRUE(PutDirectiveLine(text, line));
  EXPECT_EQ(text, line + "row\r\n");

  text = "// a comment\r\nrow";  // "//" without "TAB=": stays below the new line
  EXPECT_TRUE(PutDirectiveLine(text, line));
  EXPECT_EQ(text, line + "// a comment\r\nrow");

  text = "// TAB=4\t";  // a directive line that is the whole text
  EXPECT_TRUE(PutDirectiveLine(text, line));
  EXPECT_EQ(text, line);

  text = "";
  EXPECT_TRUE(PutDirectiveLine(text, line));
  EXPECT_EQ(text, line);
}

struct StripCase {
  const char* name;
  std::string in;
  std::string out;
  int count;
};

class Strip : public ::testing::TestWithParam<StripCase> {};

TEST_P(Strip, CommentLinesAreNotPrinted) {
  std::string text = GetParam().in;
  EXPECT_EQ(StripCommentLines(text), GetParam().count);
  EXPECT_EQ(text, GetParam().out);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Strip,
    ::testing::Values(StripCase{"None", "a\r\nb", "a\r\nb", 0},
                      StripCase{"Middle", "a\r\n// c\r\nb", "a\r\nb", 1},
                      StripCase{"Consecutive", "a\r\n//1\r\n//2\r\nb", "a\r\nb", 2},
                      StripCase{"Last", "a\r\n// c", "a", 1},
                      StripCase{"LastWithLineEnd", "a\r\n// c\r\n", "a\r\n", 1},
                      StripCase{"First", "// TAB=8\t\r\na\r\n", "a\r\n", 1},
                      StripCase{"FirstAndMiddle", "//x\r\na\r\n//y\r\nb", "a\r\nb", 2},
                      StripCase{"OnlyComment", "// all", "", 1},
                      StripCase{"IndentedIsText", "a\r\n //c", "a\r\n //c", 0},
                      StripCase{"TwoAtTheTop", "//1\r\n//2\r\na", "a", 2},
                      StripCase{"ManyBetweenKanji", "\x95\x5C\r\n//1\r\n\x94\x5C\r\n//2\r\n//3\r\n\x95\x5C//",
                                "\x95\x5C\r\n\x94\x5C\r\n\x95\x5C//", 3}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
