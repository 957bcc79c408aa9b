// The find and replace bars end to end, where the settings file is checked:
// the replace bar's history. Typing into the bars and pressing their buttons
// are cases of tests/data/batch.
#include <gtest/gtest.h>

#include "support/BatchRun.h"
#include "text/Cp932.h"

namespace {

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

}  // namespace
