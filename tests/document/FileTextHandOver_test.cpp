// Reading a document without copies: the bytes handed to Decode become a
// CP932 text file's text (the same storage) and come back beside a converted
// text; the result is the same as decoding a view of the bytes. And whether a
// UTF-8 text file's text encodes back to exactly its bytes, so that they need
// not be kept for writing it back unedited.
#include "document/FileText.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using file_text::ReadAs;

struct HandOverCase {
  const char* name;
  std::string bytes;
  ReadAs readAs;
  bool textIsTheBytes;  // the text takes over the bytes' storage
};

class FileTextHandOver : public testing::TestWithParam<HandOverCase> {};

TEST_P(FileTextHandOver, GivesWhatAViewGivesWithoutACopy) {
  const HandOverCase& c = GetParam();
  const file_text::Loaded viewed = file_text::Decode(std::string_view(c.bytes), c.readAs);
  std::string bytes = c.bytes;
  // Long enough that the string is held outside the object itself.
  ASSERT_GT(bytes.size(), 16u);
  const char* storage = bytes.data();
  const file_text::Loaded taken = file_text::Decode(std::move(bytes), c.readAs);
  EXPECT_EQ(taken.text, viewed.text);
  EXPECT_EQ(taken.form.encoding, viewed.form.encoding);
  EXPECT_EQ(taken.form.lineEnds, viewed.form.lineEnds);
  EXPECT_EQ(taken.form.jisForms, viewed.form.jisForms);
  if (c.textIsTheBytes) {
    EXPECT_EQ(taken.text.data(), storage);
    EXPECT_TRUE(taken.fileBytes.empty());
  } else {
    EXPECT_EQ(taken.fileBytes, c.bytes);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FileTextHandOver,
    testing::Values(
        // 表 (95 5C) and a half-width katakana: CP932 by detection.
        HandOverCase{"Cp932Detected", "\x95\x5C\xB1 line one\r\nline two\r\n", ReadAs::Detect, true},
        HandOverCase{"AsciiIsCp932", "plain ascii text\nsecond line\n", ReadAs::Detect, true},
        HandOverCase{"Cp932Forced", "\xE8\xA1\xA8 read as CP932 whatever it is", ReadAs::Cp932, true},
        HandOverCase{"Utf8Detected", "\xE8\xA1\xA8\xE8\xA8\x88 utf-8 text\nline two\n", ReadAs::Detect, false},
        HandOverCase{"Utf8BomForced", "\xEF\xBB\xBF\xE3\x81\x82 with a byte-order mark\r\n", ReadAs::Utf8, false}),
    [](const auto& info) { return std::string(info.param.name); });

struct EncodesBackCase {
  const char* name;
  std::string bytes;
  bool encodesBack;
};

class FileTextEncodesBack : public testing::TestWithParam<EncodesBackCase> {};

TEST_P(FileTextEncodesBack, AnswersWhetherEncodingGivesTheBytesAgain) {
  const EncodesBackCase& c = GetParam();
  const file_text::Loaded loaded = file_text::Decode(std::string(c.bytes), ReadAs::Detect);
  EXPECT_EQ(file_text::EncodesBackToFile(loaded), c.encodesBack);
  // Never true where writing the text would not give the bytes.
  if (file_text::EncodesBackToFile(loaded)) {
    EXPECT_EQ(file_text::Encode(loaded.text, loaded.form).bytes, c.bytes);
  }
}

// Long UTF-8 texts whose pieces end in the middle of lines of three-byte
// characters, with the given line end.
std::string LongUtf8(const std::string& lineEnd) {
  std::string s;
  while (s.size() < (std::size_t{5} << 20)) {
    for (int i = 0; i < 333; ++i) s += "\xE3\x81\x82\xE6\x97\xA5";  // あ日
    s += "x" + lineEnd;
  }
  return s;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FileTextEncodesBack,
    testing::Values(
        EncodesBackCase{"Utf8CrLf", "\xE3\x81\x82\r\nb\r\n", true},
        EncodesBackCase{"Utf8Lf", "\xE3\x81\x82\nb\nc", true},
        EncodesBackCase{"Utf8Cr", "\xE3\x81\x82\rb\r", true},
        EncodesBackCase{"Utf8Bom", "\xEF\xBB\xBF\xE3\x81\x82\nb\n", true},
        EncodesBackCase{"LongUtf8Lf", LongUtf8("\n"), true},
        EncodesBackCase{"LongUtf8CrLf", LongUtf8("\r\n"), true},
        // Both spellings of ～ (U+301C and U+FF5E): only the lines remember which.
        EncodesBackCase{"MixedSpellings", "\xE3\x80\x9C\n\xEF\xBD\x9E\n\xE3\x81\x82\n", false},
        // An emoji CP932 cannot hold: the text holds a substitute.
        EncodesBackCase{"Unconvertible", "\xE3\x81\x82\xF0\x9F\x98\x80\n", false},
        // CP932: the text is the bytes; nothing is compared.
        EncodesBackCase{"Cp932", "\x95\x5C\r\n", false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FileTextEncodesBack, AFileThatTheSpellingWouldNotGiveBackIsKept) {
  // The file spells ～ the JIS way on one line and the Windows way on
  // another; with the lines' own spellings set aside, encoding gives the
  // file's spelling on both, so the bytes differ.
  file_text::Loaded loaded = file_text::Decode(std::string("\xE3\x80\x9C\n\xE3\x80\x9C\n\xEF\xBD\x9E\n"), ReadAs::Detect);
  loaded.form.lineSpellings.reset();
  EXPECT_FALSE(file_text::EncodesBackToFile(loaded));
}

}  // namespace
