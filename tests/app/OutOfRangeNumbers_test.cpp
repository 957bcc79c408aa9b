// Numbers at the ends of int from settings and dialogs, end to end: each is
// clamped, read as its default or refused before any arithmetic, and the
// command goes on with sound values (the sanitizer build turns an overflow
// into a failure here).
#include <gtest/gtest.h>

#include "support/BatchRun.h"
#include "support/CaseName.h"

namespace {

struct OutOfRangeCase {
  const char* name;
  const char* script;    // {out} is replaced by the path the text is written to
  const char* expected;  // the written text
  const char* printed;   // a line the run must print, "" for none
};

const OutOfRangeCase kCases[] = {
    // A stored tab width out of range reads as the default 8, in both modes.
    {"table column width", "setint Settings RetuHaba 2147483647\ncommand 32809\ncommand 32809\ntype a\\tb\nstate\n",
     "a\tb", "table=1 linenumbers=1 tab=8 "},
    {"text tab width", "setint Settings TabStops 2147483647\ncommand 32809\ntype a\\tb\nstate\n", "a\tb",
     "table=0 linenumbers=0 tab=8 "},
    {"negative tab width", "setint Settings TabStops -2147483648\ncommand 32809\ntype a\\tb\nstate\n", "a\tb",
     "tab=8 "},
    // Row fields at the ends of int take in every row of the table: the
    // results are those of rows 1 to 4 (the last line has no line end, and a
    // sorted or ranked line keeps its own).
    {"sort from the smallest row", "type 3\\n1\\n2\nselect 0 0\ncommand 32960 1001=-2147483648 1117=2147483647 1006=0 1031=1\n",
     "2\r\n1\r\n3\r\n", ""},
    {"sort from the largest row", "type 3\\n1\\n2\nselect 0 0\ncommand 32960 1001=2147483647 1117=-2147483648\n",
     "3\r\n1\r\n2", ""},
    {"rank from the smallest row", "type 3\\n1\\n2\nselect 0 0\ncommand 33098 1001=-2147483648 1117=2147483647 1028=1\n",
     "1\t3\r\n2\t1\r\n3\t2\r\n4\t", ""},
    {"numbers from the smallest row", "type a\\nb\nselect 0 0\ncommand 33098 1001=-2147483648 1117=2147483647 1028=0\n",
     "1048578\ta\r\n1048579\tb", ""},
    // A grid of 2147483647 columns with a header and numbering is refused.
    {"table of int max columns", "type x\ncommand 32811 1117=2147483647 1001=2147483647 1032=1 1119=1\n", "x",
     "message: Pivra: "},
    // No columns at all: an empty header row and the line number alone.
    {"table of int min columns", "type x\ncommand 32811 1117=-2147483648 1001=1 1032=1 1118=1\n",
     "x\r\n\r\n\r\n4\t\r\n", ""},
};

class OutOfRangeNumbers : public ::testing::TestWithParam<OutOfRangeCase> {};

TEST_P(OutOfRangeNumbers, AreHandledSoundly) {
  const OutOfRangeCase& c = GetParam();
  BatchRun b;
  std::string script = c.script;
  script += "write " + b.PathOf("out.txt") + "\n";
  const BatchResult r = b.Run(script);
  ASSERT_EQ(r.exitCode, 0) << r.out;
  EXPECT_EQ(b.Read("out.txt"), c.expected) << r.out;
  EXPECT_NE(r.out.find(c.printed), std::string::npos) << r.out;
}

INSTANTIATE_TEST_SUITE_P(Batch, OutOfRangeNumbers, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return CaseName(info.index, info.param.name); });

}  // namespace
