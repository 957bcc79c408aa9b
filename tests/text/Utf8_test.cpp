#include "text/Utf8.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct DecodeCase {
  const char* name;
  std::string bytes;
  bool ok;
  std::size_t length;  // bytes taken at offset 0
  char32_t codePoint;
};

class Utf8Decode : public testing::TestWithParam<DecodeCase> {};

TEST_P(Utf8Decode, TakesTheSequenceOrTheMaximalBadPrefix) {
  const DecodeCase& c = GetParam();
  const utf8::Decoded d = utf8::DecodeAt(c.bytes, 0);
  EXPECT_EQ(d.ok, c.ok);
  EXPECT_EQ(d.length, c.length);
  if (c.ok) EXPECT_EQ(d.codePoint, c.codePoint);
  EXPECT_EQ(utf8::IsValid(c.bytes), c.ok && c.length == c.bytes.size());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Utf8Decode,
    testing::Values(DecodeCase{"Ascii", "A", true, 1, U'A'},
                    DecodeCase{"TwoBytes", "\xC3\xA9", true, 2, U'\u00E9'},
                    DecodeCase{"ThreeBytes", "\xE8\xA1\xA8", true, 3, U'\u8868'},
                    DecodeCase{"FourBytes", "\xF0\x9F\x98\x80", true, 4, U'\U0001F600'},
                    DecodeCase{"OverlongTwo", "\xC0\xAF", false, 1, 0},
                    DecodeCase{"OverlongThree", "\xE0\x80\xAF", false, 1, 0},
                    DecodeCase{"Surrogate", "\xED\xA0\x80", false, 1, 0},
                    DecodeCase{"BeyondUnicode", "\xF4\x90\x80\x80", false, 1, 0},
                    DecodeCase{"LoneContinuation", "\x80", false, 1, 0},
                    DecodeCase{"TruncatedKeepsItsPrefix", "\xE8\xA1", false, 2, 0},
                    DecodeCase{"BadByteAfterPrefix", "\xE8\xA1" "A", false, 2, 0}),
    [](const testing::TestParamInfo<DecodeCase>& info) { return std::string(info.param.name); });

TEST(Utf8Encode, RoundTripsEveryLength) {
  for (const char32_t cp : {U'\u0041', U'\u00E9', U'\u8868', U'\U0001F600', U'\U0010FFFF'}) {
    std::string out;
    utf8::Append(out, cp);
    const utf8::Decoded d = utf8::DecodeAt(out, 0);
    EXPECT_TRUE(d.ok);
    EXPECT_EQ(d.length, out.size());
    EXPECT_EQ(d.codePoint, cp);
  }
}

}  // namespace
