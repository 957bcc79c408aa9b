// CommandLine: the raw text, the substring switch test and the file to open.
#include "settings/CommandLine.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Case {
  std::vector<std::string> args;
  std::string raw;
  std::string file;
};

const Case kCases[] = {
    {{}, "", ""},
    {{"a.pvl"}, "a.pvl", "a.pvl"},
    {{"-w1", "/home/u/a.pvl"}, "-w1 /home/u/a.pvl", "/home/u/a.pvl"},
    {{"-w0", "-m0", "HelpPvl.log"}, "-w0 -m0 HelpPvl.log", "HelpPvl.log"},
    {{"a.pvl", "b.pvl", "-w1"}, "a.pvl b.pvl -w1", "a.pvl"},
    {{"-w1"}, "-w1", ""},
    // A blank inside an argument is kept as it is, not quoted.
    {{"/home/u/my docs/x.pvl"}, "/home/u/my docs/x.pvl", "/home/u/my docs/x.pvl"},
    // Only "-" makes a switch; "/" starts a path here.
    {{"/w1", "x"}, "/w1 x", "/w1"},
    {{"-"}, "-", ""},
    // After "--" nothing is a switch, a second "--" included.
    {{"-w1", "--", "-odd-name.pvl"}, "-w1 -- -odd-name.pvl", "-odd-name.pvl"},
    {{"--", "--"}, "-- --", "--"},
    {{"--"}, "--", ""},
    {{"--w1", "b"}, "--w1 b", "b"},
    // An empty argument names no file.
    {{"", "a.pvl"}, " a.pvl", "a.pvl"},
    {{"表.pvl"}, "表.pvl", "表.pvl"},
};

TEST(CommandLine, RawTextAndFileToOpen) {
  for (const Case& c : kCases) {
    const CommandLine line(c.args);
    SCOPED_TRACE(c.raw);
    EXPECT_EQ(line.Raw(), c.raw);
    EXPECT_EQ(line.FileToOpen(), c.file);
    EXPECT_EQ(line.HasFile(), !c.file.empty());
  }
}

TEST(CommandLine, SwitchIsAPlainCaseSensitiveSubstring) {
  struct SwitchCase {
    std::vector<std::string> args;
    const char* sw;
    bool has;
  } const cases[] = {
      {{"-w1", "a.pvl"}, "-w1", true},
      {{"-w1", "a.pvl"}, "-w0", false},
      {{"-W1"}, "-w1", false},
      // Found inside a path: a folder named "x-w1" counts.
      {{"/home/u/x-w1/a.pvl"}, "-w1", true},
      // Across the blank that joins two arguments.
      {{"a-w", "0"}, "-w 0", true},
      {{"-w0", "-m0", "HelpPvl.log"}, "-m0", true},
      {{"-w0", "-w1"}, "-w0", true},
      {{"-w0", "-w1"}, "-w1", true},
      {{}, "-w1", false},
  };
  for (const SwitchCase& c : cases) {
    EXPECT_EQ(CommandLine(c.args).CommandLineHas(c.sw), c.has) << c.sw;
  }
  EXPECT_FALSE(CommandLine().CommandLineHas("-w1"));
  EXPECT_FALSE(CommandLine().HasFile());
}

}  // namespace
