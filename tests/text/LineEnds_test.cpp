#include "text/LineEnds.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct LineEndCase {
  const char* name;
  std::string in;
  std::string out;
};

class DocumentLineEnds : public ::testing::TestWithParam<LineEndCase> {};

TEST_P(DocumentLineEnds, OnlyTextsWithoutCrLfAreConverted) {
  std::string text = GetParam().in;
  const bool changed = line_ends::NormaliseDocument(text);
  EXPECT_EQ(text, GetParam().out);
  EXPECT_EQ(changed, GetParam().in != GetParam().out);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DocumentLineEnds,
    ::testing::Values(LineEndCase{"LfOnly", "a\nb\n", "a\r\nb\r\n"}, LineEndCase{"CrOnly", "a\rb\r", "a\r\nb\r\n"},
                      LineEndCase{"CrLfKept", "a\r\nb", "a\r\nb"},
                      // One CR LF keeps lone LF and CR as they are.
                      LineEndCase{"MixedUntouched", "a\r\nb\nc\rd", "a\r\nb\nc\rd"},
                      // LF wins over CR when both occur alone.
                      LineEndCase{"LfAndCrAlone", "a\rb\nc", "a\rb\r\nc"},
                      LineEndCase{"NoLineEnd", "abc", "abc"}, LineEndCase{"Empty", "", ""},
                      // 表 is 95 5C: a trail byte never stops the conversion.
                      LineEndCase{"TrailByte", "\x95\x5C\n\x95\x5C", "\x95\x5C\r\n\x95\x5C"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PastedLineEnds, TextWithoutCrGetsCrLfAndTextWithCrIsKept) {
  const struct {
    const char* name;
    std::string in;
    std::string out;
  } cases[] = {
      {"lf only", "a\nb\n", "a\r\nb\r\n"},
      {"what the editor copied", "a\r\nb", "a\r\nb"},
      {"a lone CR keeps every LF as it is", "a\rb\nc", "a\rb\nc"},
      {"trail byte 0x5C", "\x95\x5C\n", "\x95\x5C\r\n"},
      {"empty", "", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(line_ends::NormalisePasted(c.in), c.out);
  }
}

}  // namespace
