// The TEXT arguments of batch scripts: escapes, raw bytes and the conversion
// of the rest from UTF-8 to CP932.
#include "app/ScriptText.h"

#include <gtest/gtest.h>

namespace {

TEST(ScriptText, EscapesAndConversion) {
  struct Case {
    std::string arg;
    std::string cp932;
  } cases[] = {
      {"abc", "abc"},
      {"a\\tb\\nc\\\\", "a\tb\nc\\"},
      {"表", "\x95\x5C"},
      {"\\x95\\x5C", "\x95\x5C"},  // raw bytes stay as given
      {"😀", "?"},                 // CP932 cannot hold it
  };
  for (const Case& c : cases) {
    std::string out, why;
    ASSERT_TRUE(DecodeScriptText(c.arg, out, why)) << c.arg;
    EXPECT_EQ(out, c.cp932) << c.arg;
  }
  std::string out, why;
  EXPECT_FALSE(DecodeScriptText("\\q", out, why));
  EXPECT_FALSE(DecodeScriptText("\\x5", out, why));
}

}  // namespace
