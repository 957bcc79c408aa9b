#include "app/BatchRunner.h"

#include <gtest/gtest.h>

#include <sstream>

#include "app/ScriptedUiHost.h"
#include "support/BatchRun.h"

namespace {

TEST(BatchRun, TypingUndoAndStateEndToEnd) {
  BatchRun b;
  const BatchResult r = b.Run(
      "# comment\n"
      "type 表\\tabc\\n1\n"
      "key Backspace\n"
      "key Ctrl+Z\n"
      "write " + b.PathOf("out.txt") + "\n"
      "state\n");
  ASSERT_EQ(r.exitCode, 0) << r.out;
  EXPECT_EQ(b.Read("out.txt"), "\x95\x5C\tabc\r\n1");  // the undo brought the 1 back
  // Enter's release read the selection (8,8) into the table selection.
  EXPECT_NE(r.out.find("state: sel=9,9 cellrange=0,0,-1,-1 tablesel=8,8 modified=1 undo=7/8 table=1 "
                       "linenumbers=1 tab=8 wrap=0 decimals=1 readonly=0 len=9 firstvisible=0"),
            std::string::npos)
      << r.out;
}

TEST(BatchRun, DragFixesTheCellBlockAndDisabledCommandsSaySo) {
  BatchRun b;
  const BatchResult r = b.Run(
      "type a\\tb\\tc\\nd\\te\\tf\n"
      "drag 0 8\n"
      "state\n"
      "setint Settings Editmode 1\n"
      "command 32797\n"
      "command 32789\n");
  ASSERT_EQ(r.exitCode, 0) << r.out;
  EXPECT_NE(r.out.find("cellrange=0,0,0,1 tablesel=0,8"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("disabled: 32789"), std::string::npos) << r.out;
}

TEST(BatchRun, ScriptErrorsStopWithTheLineNumber) {
  struct Case {
    std::string script;
    std::string message;
  } cases[] = {
      {"state\nfrobnicate\n", "error: line 2: unknown verb frobnicate"},
      {"select 1\n", "error: line 1: select takes 2 numbers"},
      {"\n\nkey Ctrl+Nope\n", "error: line 3: unknown key Ctrl+Nope"},
      {"command 99999\n", "error: line 1: unknown command 99999"},
  };
  for (const Case& c : cases) {
    BatchRun b;
    const BatchResult r = b.Run(c.script);
    EXPECT_EQ(r.exitCode, 2) << c.script;
    EXPECT_NE(r.out.find(c.message), std::string::npos) << r.out;
  }
}

}  // namespace

namespace {

TEST(ScriptedHost, BeepsAddressesAndProgramsArePrintedNotDone) {
  std::ostringstream out;
  ScriptedUiHost host(out);
  UiHost& ui = host;
  ui.Beep();
  EXPECT_TRUE(ui.OpenAddress("https://example.org/search?q=%E8%A1%A8"));
  EXPECT_TRUE(ui.StartProgram("xterm", {"-e", "sh"}, "/tmp/a b"));
  EXPECT_EQ(out.str(),
            "beep\n"
            "open: https://example.org/search?q=%E8%A1%A8\n"
            "start: xterm -e sh in /tmp/a b\n");
}

}  // namespace

namespace {

// The split commands print how many panes there are afterwards; F6 moves to
// the other pane, which takes over the text typed in the first.
TEST(BatchRun, SplitCommandsPrintThePanes) {
  BatchRun b;
  const BatchResult r = b.Run(
      "type abc\n"
      "command 32807\n"
      "command 32808\n"
      "key F6\n"
      "type x\n"
      "command 32808\n"
      "key Ctrl+1\n"
      "command 32807\n"
      "write " + b.PathOf("out.txt") + "\n");
  EXPECT_EQ(r.exitCode, 0) << r.out;
  EXPECT_EQ(r.out, "panes: 2\npanes: 2\npanes: 1\npanes: 1\n");
  EXPECT_EQ(b.Read("out.txt"), "xabc");
}

}  // namespace
