// Reading a document without copies: the bytes handed to Decode become a
// CP932 text file's text (the same storage) and come back beside a converted
// text; the result is the same as decoding a view of the bytes. And whether a
// UTF-8 text file's text encodes back to exactly its bytes, so that they need
// not be kept for writing it back unedited. And writing a long text with LF
// or CR line ends a piece at a time gives what converting it whole gives, and
// so do the pieces a file is written in.
#include "document/FileText.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "text/Cp932.h"

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

TEST(FileTextEncode, LongTextsWithLoneLineEndsAreWrittenAsWholeConversionWould) {
  // The text as the control holds it: CR LF, kana and a kanji with trail
  // byte 5C, lines of different lengths, several pieces of a megabyte.
  std::string text;
  for (int line = 0; text.size() < (std::size_t{3} << 20); ++line) {
    text.append(static_cast<std::size_t>(line % 700), 'a');
    for (int i = 0; i < line % 300; ++i) text += "\x82\xA0\x95\x5C";  // あ表
    text += "\r\n";
  }
  std::string bad = text;
  const std::size_t badAt = bad.find("\r\n", std::size_t{5} << 19) + 2;  // a line start past 2.5 MB
  bad[badAt] = '\xA0';
  for (const auto& [lineEnds, to] : {std::pair{file_text::LineEnds::Lf, "\n"}, std::pair{file_text::LineEnds::Cr, "\r"}}) {
    for (const bool bom : {false, true}) {
      file_text::FileForm form;
      form.encoding = bom ? file_text::Encoding::Utf8Bom : file_text::Encoding::Utf8;
      form.lineEnds = lineEnds;
      const std::string whole = file_encoding::ToUtf8(cp932::ReplaceAll(text, "\r\n", to), 0).bytes;
      EXPECT_EQ(file_text::Encode(text, form).bytes, (bom ? std::string(file_encoding::kBom) : "") + whole) << to << bom;
      const file_encoding::ToUtf8Result expected = file_encoding::ToUtf8(cp932::ReplaceAll(bad, "\r\n", to), 0);
      const file_text::Encoded refused = file_text::Encode(bad, form);
      ASSERT_TRUE(expected.firstBad && refused.firstBad);
      EXPECT_EQ(refused.firstBad->line, expected.firstBad->line);
      EXPECT_EQ(refused.firstBad->offset, expected.firstBad->offset);
      EXPECT_EQ(refused.firstBad->byte, 0xA0);
    }
  }
}

// Every form a file is written in: the pieces put together are what Encode
// gives, a text file written as UTF-8 comes in pieces smaller than the text,
// and a byte outside the code page stops the pieces where Encode reports it.
TEST(FileTextEncode, PiecesPutTogetherAreWhatEncodeGives) {
  std::string text;
  for (int line = 0; text.size() < (std::size_t{3} << 20); ++line) {
    text.append(static_cast<std::size_t>(line % 500), 'a');
    for (int i = 0; i < line % 200; ++i) text += "\x82\xA0\x95\x5C\t";  // あ表 TAB
    text += "\r\n";
  }
  std::string bad = text;
  bad[bad.find("\r\n", std::size_t{5} << 19) + 2] = '\xA0';
  struct Form {
    const char* name;
    file_text::FileForm form;
    bool piecewise;
  };
  std::vector<Form> forms;
  for (const auto encoding : {file_text::Encoding::Cp932, file_text::Encoding::Utf8, file_text::Encoding::Utf8Bom})
    for (const auto lineEnds : {file_text::LineEnds::AsHeld, file_text::LineEnds::Lf, file_text::LineEnds::Cr}) {
      file_text::FileForm form;
      form.encoding = encoding;
      form.lineEnds = lineEnds;
      forms.push_back({"text", form, encoding != file_text::Encoding::Cp932});
      form.format = csv::FileFormat::Csv;
      forms.push_back({"csv", form, false});
    }
  file_text::FileForm spelled;
  spelled.encoding = file_text::Encoding::Utf8;
  spelled.lineSpellings = std::make_shared<file_text::LineSpellings>();
  forms.push_back({"own spellings", spelled, false});

  for (const Form& f : forms) {
    const std::string label = std::string(f.name) + " " + std::to_string(static_cast<int>(f.form.encoding)) + " " +
                              std::to_string(static_cast<int>(f.form.lineEnds));
    for (const std::string* t : {&text, &bad}) {
      for (const std::string_view each : {std::string_view(*t), std::string_view()}) {
        const file_text::Encoded whole = file_text::Encode(each, f.form);
        file_text::EncodedPieces pieces(each, f.form);
        std::string joined;
        std::size_t count = 0, largest = 0;
        std::string_view piece;
        while (pieces.Next(piece)) {
          joined += piece;
          ++count;
          largest = std::max(largest, piece.size());
        }
        ASSERT_EQ(pieces.FirstBad().has_value(), whole.firstBad.has_value()) << label;
        if (whole.firstBad) {
          EXPECT_EQ(pieces.FirstBad()->line, whole.firstBad->line) << label;
          EXPECT_EQ(pieces.FirstBad()->offset, whole.firstBad->offset) << label;
          continue;
        }
        EXPECT_EQ(joined, whole.bytes) << label;
        if (f.piecewise && !each.empty()) {
          EXPECT_GT(count, 2u) << label;
          EXPECT_LT(largest, each.size()) << label;
        }
      }
    }
  }
}

}  // namespace
