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

// A path takes the same escapes; its other bytes are the file system's UTF-8.
TEST(ScriptText, PathsKeepTheirBytes) {
  std::string path, why;
  ASSERT_TRUE(DecodeScriptPath("/tmp/表\\x20a\\\\b", path, why)) << why;
  EXPECT_EQ(path, "/tmp/表 a\\b");
  EXPECT_FALSE(DecodeScriptPath("/tmp/a\\", path, why));
}

}  // namespace
