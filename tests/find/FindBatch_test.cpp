// The find and replace bars end to end: the built program in batch mode
// opens a bar, types into it with CONTROL=VALUE pairs and presses its buttons.
#include <gtest/gtest.h>

#include "support/BatchRun.h"
#include "text/Cp932.h"

namespace {

TEST(FindBatch, TypingIntoTheOpenBarAndPressingItsButtons) {
  BatchRun b;
  const BatchResult r = b.Run(
      "type abc 表\\\\ abc\n"
      "select 0 0\n"
      "command 32840\n"
      "command 32844 32842=abc\n"
      "state\n"
      "command 32844\n"
      "state\n"
      "command 32844\n"
      "state\n"
      "command 32844 32842=\\\\\n"
      "state\n"
      "command 32840\n");
  ASSERT_EQ(r.exitCode, 0) << r.out;
  EXPECT_NE(r.out.find("state: sel=0,3 "), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("state: sel=8,11 "), std::string::npos) << r.out;  // the trail byte of 表 is skipped
  EXPECT_NE(r.out.find("beep\nstate: sel=0,0 "), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("state: sel=6,7 "), std::string::npos) << r.out;  // the backslash itself
}

TEST(FindBatch, ReplaceAllAndTheHistoryInTheSettings) {
  BatchRun b;
  const BatchResult r = b.Run(
      "type cat Cat cat\n"
      "command 32841 32842=cat 32843=dog\n"
      "command 32850\n"
      "write " + b.PathOf("out.txt") + "\n"
      "command 32789\n"
      "write " + b.PathOf("undone.txt") + "\n"
      "command 32841\n");
  ASSERT_EQ(r.exitCode, 0) << r.out;
  EXPECT_EQ(b.Read("out.txt"), "dog Cat dog");
  EXPECT_EQ(b.Read("undone.txt"), "cat Cat cat");
  const std::string conf = b.Read("Pivra.conf");
  EXPECT_NE(conf.find("[Find]"), std::string::npos) << conf;
  EXPECT_NE(conf.find("List0=str:cat"), std::string::npos) << conf;
  EXPECT_NE(conf.find("List0=str:dog"), std::string::npos) << conf;
}

TEST(FindBatch, BarControlsNeedAnOpenBar) {
  BatchRun b;
  BatchResult r = b.Run("type abc\ncommand 32844\n");
  EXPECT_EQ(r.exitCode, 0) << r.out;
  EXPECT_NE(r.out.find("disabled: 32844"), std::string::npos) << r.out;
  r = b.Run("type abc\ncommand 32840\ncommand 32844 32843=x\n");
  EXPECT_EQ(r.exitCode, 2) << r.out;
  EXPECT_NE(r.out.find("error: line 3: bar 152 has no control 32843 taking x"), std::string::npos) << r.out;
}

}  // namespace
