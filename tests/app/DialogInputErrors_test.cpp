// A command or dialog value the batch script gives that the program cannot
// take is a script error saying why: a command name the table lacks, a
// control the dialog lacks, or a value outside what the control holds (with
// the range of a list), whether the command and controls are named by number
// or by name.
#include <gtest/gtest.h>

#include "support/BatchRun.h"
#include "support/CaseName.h"

namespace {

struct ErrorCase {
  const char* line;
  const char* error;
};

const ErrorCase kCases[] = {
    {"command 32813 1033=9",
     "error: line 1: dialog 191 control 1033 cannot take 9: the value is out of range, its list takes 0 to 3"},
    {"command 32813 1033=-1",
     "error: line 1: dialog 191 control 1033 cannot take -1: the value is out of range, its list takes 0 to 3"},
    {"command 32960 1007=40",
     "error: line 1: dialog 131 control 1007 cannot take 40: the value is out of range, its list takes 0 to 39"},
    {"command 32960 1006=2", "error: line 1: dialog 131 control 1006 cannot take 2: it takes 0 or 1"},
    {"command 32813 1033=x", "error: line 1: dialog 191 control 1033 cannot take x: not a number, its list takes 0 to 3"},
    {"command 32813 9999=1", "error: line 1: dialog 191 has no control 9999"},
    {"command 32813 first=1", "error: line 1: dialog 191 has no control first"},
    // named commands and controls
    {"command no-such-command", "error: line 1: unknown command no-such-command"},
    {"command Undo", "error: line 1: unknown command Undo"},
    {"command 32960 to-rows=3", "error: line 1: dialog 131 has no control to-rows"},
    {"command 32811 to-row=3", "error: line 1: dialog 197 has no control to-row"},
    {"command sort-rows descending=2", "error: line 1: dialog 131 control descending cannot take 2: it takes 0 or 1"},
    {"type abc\ncommand find\ncommand bar-find-next replacement=x",
     "error: line 3: bar 152 has no control 32843 taking x"},
    {"type abc\ncommand find\ncommand bar-find-next searching=x",
     "error: line 3: expected a control id or name, got searching"},
    {"command change-rounding-place decimal-place=4",
     "error: line 1: dialog 191 control decimal-place cannot take 4: the value is out of range, its list takes 0 to 3"},
};

class DialogInputErrors : public ::testing::TestWithParam<ErrorCase> {};

TEST_P(DialogInputErrors, SayWhatIsWrong) {
  BatchRun b;
  const BatchResult r = b.Run(std::string(GetParam().line) + "\n");
  EXPECT_EQ(r.exitCode, 2);
  EXPECT_NE(r.out.find(GetParam().error), std::string::npos) << r.out;
}

INSTANTIATE_TEST_SUITE_P(Batch, DialogInputErrors, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return CaseName(info.index, info.param.line); });

}  // namespace
