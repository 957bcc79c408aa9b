#include "text/FileEncoding.h"

#include <gtest/gtest.h>

#include <string>

#include "text/Cp932.h"
#include "text/Utf8.h"

namespace {

using file_encoding::Encoding;

struct DetectCase {
  const char* name;
  std::string bytes;
  Encoding expected;
};

class FileEncodingDetect : public testing::TestWithParam<DetectCase> {};

TEST_P(FileEncodingDetect, ReadsTheBytesAsTheirEncoding) {
  EXPECT_EQ(file_encoding::Detect(GetParam().bytes), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FileEncodingDetect,
    testing::Values(
        DetectCase{"Empty", "", Encoding::Cp932},
        DetectCase{"BomAlone", "\xEF\xBB\xBF", Encoding::Utf8Bom},
        DetectCase{"BomBeforeAscii", "\xEF\xBB\xBF" "abc\r\n", Encoding::Utf8Bom},
        // A mark decides even when what follows is not UTF-8.
        DetectCase{"BomBeforeCp932", "\xEF\xBB\xBF\x95\x5C", Encoding::Utf8Bom},
        DetectCase{"Utf8Kanji", "\xE8\xA1\xA8\t1\n", Encoding::Utf8},
        DetectCase{"Utf8TwoByteLatin", "caf\xC3\xA9", Encoding::Utf8},
        DetectCase{"Utf8Emoji", "\xF0\x9F\x98\x80", Encoding::Utf8},
        // ASCII alone reads the same either way and stays CP932.
        DetectCase{"AsciiOnly", "a\tb\r\n1\t2\r\n", Encoding::Cp932},
        // CP932 kanji: 表 is 95 5C, not UTF-8.
        DetectCase{"Cp932Kanji", "\x95\x5C\t\x8E\x9A", Encoding::Cp932},
        DetectCase{"Cp932HalfWidthKana", "\xB1\xB2\xB3", Encoding::Cp932},
        // The last character of a UTF-8 file cut short: not valid, so CP932.
        DetectCase{"TruncatedAtTheEnd", "\xE8\xA1\xA8\xE8\xA1", Encoding::Cp932},
        DetectCase{"OverlongIsNotUtf8", "\xC0\xAF", Encoding::Cp932}),
    [](const testing::TestParamInfo<DetectCase>& info) { return std::string(info.param.name); });

// Every UTF-8 text below is made of characters CP932 holds: reading it and
// writing it back with the remembered forms gives the same bytes.
struct RoundTripCase {
  const char* name;
  std::string utf8;
  std::string cp932;
};

class FileEncodingRoundTrip : public testing::TestWithParam<RoundTripCase> {};

TEST_P(FileEncodingRoundTrip, ReadsAsCp932AndWritesTheSameBytes) {
  const RoundTripCase& c = GetParam();
  const file_encoding::FromUtf8Result in = file_encoding::FromUtf8(c.utf8);
  EXPECT_FALSE(in.firstUnconvertible.has_value());
  EXPECT_EQ(in.text, c.cp932);
  const file_encoding::ToUtf8Result out = file_encoding::ToUtf8(in.text, in.jisForms);
  ASSERT_FALSE(out.firstBad.has_value());
  EXPECT_EQ(out.bytes, c.utf8);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FileEncodingRoundTrip,
    testing::Values(
        RoundTripCase{"Ascii", "a\tb\r\n", "a\tb\r\n"},
        RoundTripCase{"KanjiWithTrail5C", "\xE8\xA1\xA8\\", "\x95\x5C\\"},
        RoundTripCase{"HalfWidthKana", "\xEF\xBD\xB1", "\xB1"},
        RoundTripCase{"NecExtended", "\xE2\x91\xA0", "\x87\x40"},    // ①
        RoundTripCase{"IbmExtended", "\xE2\x85\xB0", "\xFA\x40"},    // ⅰ
        // The seven characters with two spellings, each in its JIS form ...
        RoundTripCase{"WaveDash", "\xE3\x80\x9C", "\x81\x60"},
        RoundTripCase{"DoubleVerticalLine", "\xE2\x80\x96", "\x81\x61"},
        RoundTripCase{"MinusSign", "\xE2\x88\x92", "\x81\x7C"},
        RoundTripCase{"Cent", "\xC2\xA2", "\x81\x91"},
        RoundTripCase{"Pound", "\xC2\xA3", "\x81\x92"},
        RoundTripCase{"Not", "\xC2\xAC", "\x81\xCA"},
        RoundTripCase{"EmDash", "\xE2\x80\x94", "\x81\x5C"},
        // ... and in the Windows one.
        RoundTripCase{"FullwidthTilde", "\xEF\xBD\x9E", "\x81\x60"},
        RoundTripCase{"FullwidthHyphenMinus", "\xEF\xBC\x8D", "\x81\x7C"},
        RoundTripCase{"HorizontalBar", "\xE2\x80\x95", "\x81\x5C"},
        // One character in the JIS form, another in the Windows form.
        RoundTripCase{"FormsPerCharacter", "\xE3\x80\x9C\xEF\xBC\x8D", "\x81\x60\x81\x7C"}),
    [](const testing::TestParamInfo<RoundTripCase>& info) { return std::string(info.param.name); });

TEST(FileEncoding, EveryCp932CharacterSurvivesTheWayThroughUtf8) {
  for (unsigned code = 0x01; code <= 0xFCFC; ++code) {
    if (code > 0xFF && (!cp932::IsLead(static_cast<unsigned char>(code >> 8)) ||
                        !cp932::IsTrail(static_cast<unsigned char>(code & 0xFF))))
      continue;
    if (code <= 0xFF && cp932::IsLead(static_cast<unsigned char>(code))) continue;
    if (cp932::ToUnicode(static_cast<std::uint16_t>(code)) < 0) continue;
    std::string text;
    if (code > 0xFF) text += static_cast<char>(code >> 8);
    text += static_cast<char>(code & 0xFF);
    const file_encoding::ToUtf8Result out = file_encoding::ToUtf8(text, 0);
    ASSERT_FALSE(out.firstBad.has_value()) << std::hex << code;
    const file_encoding::FromUtf8Result back = file_encoding::FromUtf8(out.bytes);
    // NEC and IBM duplicates come back as the one code Windows writes,
    // which reads as the same character.
    ASSERT_EQ(cp932::ToUtf8(back.text), out.bytes) << std::hex << code;
  }
}

TEST(FileEncoding, AMixedCharacterIsWrittenInTheSpellingUsedMoreOften) {
  const std::string twoJisOneWindows = "\xE3\x80\x9C\xE3\x80\x9C\xEF\xBD\x9E";
  const auto in = file_encoding::FromUtf8(twoJisOneWindows);
  EXPECT_EQ(file_encoding::ToUtf8(in.text, in.jisForms).bytes, "\xE3\x80\x9C\xE3\x80\x9C\xE3\x80\x9C");
}

struct UnconvertibleCase {
  const char* name;
  std::string utf8;
  int line;
  bool malformed;
  char32_t codePoint;
  std::string cp932;  // the text with substitutes
};

class FileEncodingUnconvertible : public testing::TestWithParam<UnconvertibleCase> {};

TEST_P(FileEncodingUnconvertible, SubstitutesAndReportsTheFirstOne) {
  const UnconvertibleCase& c = GetParam();
  const file_encoding::FromUtf8Result r = file_encoding::FromUtf8(c.utf8);
  ASSERT_TRUE(r.firstUnconvertible.has_value());
  EXPECT_EQ(r.firstUnconvertible->line, c.line);
  EXPECT_EQ(r.firstUnconvertible->malformed, c.malformed);
  if (!c.malformed) {
    EXPECT_EQ(r.firstUnconvertible->codePoint, c.codePoint);
  }
  EXPECT_EQ(r.text, c.cp932);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FileEncodingUnconvertible,
    testing::Values(
        UnconvertibleCase{"EmojiOnLine3CrLf", "a\r\nb\r\nx\xF0\x9F\x98\x80y\xF0\x9F\x98\x80", 3, false, U'\U0001F600',
                          "a\r\nb\r\nx\x81\xAC" "y\x81\xAC"},
        UnconvertibleCase{"HangulAfterLf", "\n\xED\x95\x9C", 2, false, U'\uD55C', "\n\x81\xAC"},
        UnconvertibleCase{"YenSignHasNoCp932Form", "\xC2\xA5" "1", 1, false, U'\u00A5', "\x81\xAC" "1"},
        UnconvertibleCase{"LoneCrEndsALine", "a\rb\r\xF0\xA0\x80\x8B", 3, false, U'\U0002000B', "a\rb\r\x81\xAC"},
        UnconvertibleCase{"MalformedByte", "ok\n\xFF", 2, true, 0, "ok\n\x81\xAC"}),
    [](const testing::TestParamInfo<UnconvertibleCase>& info) { return std::string(info.param.name); });

TEST(FileEncoding, TextOutsideTheCodePageIsRefusedWithItsLine) {
  // 0xA0 and a lead byte at the end are not CP932 characters.
  const file_encoding::ToUtf8Result r = file_encoding::ToUtf8("ok\r\nx\xA0", 0);
  ASSERT_TRUE(r.firstBad.has_value());
  EXPECT_EQ(r.firstBad->line, 2);
  EXPECT_EQ(r.firstBad->offset, 5u);
  EXPECT_EQ(r.firstBad->byte, 0xA0);
  EXPECT_TRUE(r.bytes.empty());
  EXPECT_TRUE(file_encoding::ToUtf8("\x95", 0).firstBad.has_value());
}

// The conversion goes a block of 64 KB at a time: characters across a
// block's end, and a bad byte blocks after the start, are found as in one
// piece.
TEST(FileEncoding, LongTextsConvertAcrossTheBlocksTheyAreWorkedIn) {
  for (const std::size_t lead : {std::size_t{0}, std::size_t{1}}) {
    std::string text(lead, 'a');
    std::string expected(lead, 'a');
    std::size_t badAt = 0;  // the first character start past 200,000
    while (text.size() < 300000) {
      if (badAt == 0 && text.size() > 200000) badAt = text.size();
      text += "\x95\x5C";              // 表, its trail byte 5C
      expected += "\xE8\xA1\xA8";
      if (text.size() % 1000 < 2) {
        text += "\xB1\r\n";            // half-width ｱ: one byte, three of UTF-8
        expected += "\xEF\xBD\xB1\r\n";
      }
    }
    EXPECT_EQ(file_encoding::ToUtf8(text, 0).bytes, expected) << "lead " << lead;
    std::string bad = text;
    bad[badAt] = '\xA0';  // a byte no CP932 character starts with
    const file_encoding::ToUtf8Result r = file_encoding::ToUtf8(bad, 0);
    ASSERT_TRUE(r.firstBad.has_value());
    EXPECT_EQ(r.firstBad->offset, badAt);
    EXPECT_TRUE(r.bytes.empty());
  }
}

TEST(FileEncoding, NamesAndDescriptions) {
  for (Encoding e : {Encoding::Cp932, Encoding::Utf8, Encoding::Utf8Bom})
    EXPECT_EQ(file_encoding::FromName(file_encoding::Name(e)), e);
  EXPECT_FALSE(file_encoding::FromName("sjis").has_value());
  file_encoding::Unconvertible emoji;
  emoji.codePoint = U'\U0001F600';
  EXPECT_EQ(file_encoding::Describe(emoji), "「\xF0\x9F\x98\x80」(U+1F600)");
  file_encoding::Unconvertible bad;
  bad.malformed = true;
  bad.byte = 0xFF;
  EXPECT_EQ(file_encoding::Describe(bad), "UTF-8 として正しくないバイト 0xFF");
}

}  // namespace
