// The column and block commands, table creation and formatting run end to end
// by the built program in batch mode: the script types a table, selects with
// the mouse, runs the commands (with their dialogs' controls) and writes the
// text, whose bytes are compared exactly.
#include <gtest/gtest.h>

#include "support/BatchRun.h"

namespace {

struct Scenario {
  const char* name;
  std::string script;  // "OUT" stands for the output file
  std::string expected;
  std::string output = "";  // a line the program must print, if any
};

std::string WithOutput(std::string script, const std::string& out) {
  for (std::size_t p; (p = script.find("OUT")) != std::string::npos;) script.replace(p, 3, out);
  return script;
}

TEST(BlockBatch, Scenarios) {
  const Scenario scenarios[] = {
      {"insert a blank column, delete a column, undo",
       "type a\\tb\\tc\\n1\\t2\\t3\n"
       "select 3 3\n"
       "command 32962\n"
       "select 0 0\n"
       "command 32963\n"
       "write OUT\n",
       "b\t\tc\r\n2\t\t3"},
      {"cut a column and insert it elsewhere",
       "type a\\tb\\tc\\n1\\t2\\t3\n"
       "select 0 0\n"
       "command 32965\n"
       "select 3 3\n"
       "command 32966\n"
       "write OUT\n",
       "b\tc\ta\r\n2\t3\t1"},
      {"block copy and paste",
       "type a\\tb\\tc\\n1\\t2\\t3\\n4\\t5\\t6\n"
       "drag 0 8\n"
       "command 33005\n"
       "select 12 12\n"
       "command 33007\n"
       "write OUT\n",
       "a\tb\tc\r\n1\t2\t3\ta\r\n4\t5\t6\t1"},
      {"repeated paste widens the copied block",
       "type a\\tb\\tx\\n1\\t2\\t3\\t4\\t5\\n1\\t2\\t3\\t4\\t5\n"
       "drag 0 3\n"
       "command 33005\n"
       "drag 7 23\n"
       "command 33057\n"
       "write OUT\n",
       "a\tb\tx\r\na\tb\ta\t4\t5\r\na\tb\ta\t4\t5"},
      {"clear a block",
       "type a\\tb\\tc\\nd\\te\\tf\n"
       "drag 2 12\n"
       "command 32961\n"
       "write OUT\n",
       "a\t\t\t\r\nd\t\t\t"},
      {"delete and cut blocks",
       "type 1\\t2\\t3\\n4\\t5\\t6\\n7\\t8\\t9\n"
       "drag 2 10\n"
       "command 32970\n"
       "drag 0 1\n"
       "command 33006\n"
       "write OUT\n",
       "3\r\n4\t6\r\n7\t8\t9"},
      {"repeated paste with nothing copied is disabled",
       "type a\\tb\\nc\\td\n"
       "drag 0 6\n"
       "command 33057\n"
       "write OUT\n",
       "a\tb\r\nc\td", "disabled: 33057"},
      {"create a table with a header and numbers",
       "type abc\n"
       "command 32811 1001=2 1117=2 1032=1 1119=1\n"
       "write OUT\n",
       "abc\r\n\r\nR1\tR2\tR3\t\r\n1\t\t\t\r\n2\t\t\t\r\n"},
      {"create a table with line numbers, then undo",
       "type x\\ny\n"
       "command 32811 1001=1 1117=1 1118=1\n"
       "command 32811 1001=1 1117=1 1120=1 cancel\n"
       "write OUT\n",
       "x\r\ny\r\n\r\n4\t\t\r\n"},
      {"deviation scores with the rounding place 1",
       "type a\\t40\\nb\\t50\\nc\\t60\n"
       "command 32813 1033=0\n"
       "drag 2 16\n"
       "command 32999\n"
       "write OUT\n",
       "a\t40\t38\r\nb\t50\t50\r\nc\t60\t62", "decimals=0"},
      {"table width 12",
       "type a\\tb\n"
       "command 32812 1115=2\n"
       "write OUT\n",
       "a\tb", "tab=12"},
  };
  for (const Scenario& s : scenarios) {
    BatchRun b;
    const std::string out = b.PathOf("out.txt");
    const BatchResult r = b.Run(WithOutput(s.script, out) + "state\n");
    ASSERT_EQ(r.exitCode, 0) << s.name << "\n" << r.out;
    EXPECT_EQ(b.Read("out.txt"), s.expected) << s.name << "\n" << r.out;
    if (!s.output.empty()) {
      EXPECT_NE(r.out.find(s.output), std::string::npos) << s.name << "\n" << r.out;
    }
  }
}

TEST(BlockBatch, UndoOfABlockCommandIsOneStep) {
  BatchRun b;
  const BatchResult r = b.Run(
      "type a\\tb\\tc\\nd\\te\\tf\n"
      "drag 2 12\n"
      "command 32961\n"
      "key Ctrl+Z\n"
      "write " + b.PathOf("out.txt") + "\n"
      "key Ctrl+Y\n"
      "write " + b.PathOf("redo.txt") + "\n");
  ASSERT_EQ(r.exitCode, 0) << r.out;
  EXPECT_EQ(b.Read("out.txt"), "a\tb\tc\r\nd\te\tf");
  EXPECT_EQ(b.Read("redo.txt"), "a\t\t\t\r\nd\t\t\t");
}

TEST(BlockBatch, DialogsStartWithTheStoredChoices) {
  BatchRun b;
  // The second creation takes the first one's stored choices (3 rows of 1
  // column, no header, numbers from 1).
  const BatchResult r = b.Run(
      "command 32811 1001=3 1117=1 1119=1\n"
      "select 0 0\n"
      "command 32811\n"
      "write " + b.PathOf("out.txt") + "\n");
  ASSERT_EQ(r.exitCode, 0) << r.out;
  // The second grid goes in front of the line break that ends line 0.
  EXPECT_EQ(b.Read("out.txt"), "\r\n\r\n1\t\t\r\n2\t\t\r\n3\t\t\r\n\r\n\r\n1\t\t\r\n2\t\t\r\n3\t\t\r\n");
}

}  // namespace
