// The web search for the selection and the terminal in the document's
// folder: the address they open, the program they start, and what the user
// is told when there is none.
#include "editor/ShellCommands.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <set>

#include "editor/CommandIds.h"
#include "support/BatchRun.h"
#include "support/CaseName.h"
#include "support/TestView.h"

namespace {

struct AddressCase {
  const char* text;  // UTF-8, converted to CP932 for the selection
  const char* query;
};

class WebSearchAddress : public ::testing::TestWithParam<AddressCase> {};

// The selection travels as UTF-8 with every byte but the unreserved ASCII
// ones percent-encoded: 表 is 95 5C in CP932, and its trail byte must not
// reach the address as a backslash.
TEST_P(WebSearchAddress, IsUtf8PercentEncoded) {
  const std::string cp932Text = cp932::FromUtf8(GetParam().text);
  EXPECT_EQ(shell_commands::WebSearchAddress("www.google.com", cp932Text),
            std::string("https://www.google.com/search?q=") + GetParam().query);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, WebSearchAddress,
    ::testing::Values(AddressCase{"表計算", "%E8%A1%A8%E8%A8%88%E7%AE%97"},
                      AddressCase{"a b&c=d?#/+", "a%20b%26c%3Dd%3F%23%2F%2B"},
                      AddressCase{"Az09-._~", "Az09-._~"},
                      AddressCase{"ｱ\r\n", "%EF%BD%B1%0D%0A"}),
    [](const auto& info) { return CaseName(info.index, info.param.query); });

// The search is enabled only with a selection; asking stores the selection
// as the table selection. The host's address comes from the settings.
TEST(WebSearch, OpensTheAddressOfTheSelectionOnTheConfiguredHost) {
  struct Host : RecordingHost {
    std::vector<std::string> opened;
    bool OpenAddress(const std::string& address) override {
      opened.push_back(address);
      return true;
    }
  };
  TestView t("x \x95\x5C y");
  Host host;
  EditorView view(t.settings, t.view.Args(), t.view.Commands(), t.doc, host, t.clipboard);
  view.Edit().SetText(t.Text());
  view.Edit().SetSel(2, 2);
  EXPECT_FALSE(view.IsEnabled(cmd::WebSearch));
  view.Edit().SetSel(2, 4);
  EXPECT_TRUE(view.IsEnabled(cmd::WebSearch));
  EXPECT_EQ(view.tableSelection, std::make_pair(2, 4));
  t.settings.WriteString(setting::WebSearchHost.section, setting::WebSearchHost.key, "search.example.org");
  view.Execute(cmd::WebSearch);
  ASSERT_EQ(host.opened.size(), 1u);
  EXPECT_EQ(host.opened[0], "https://search.example.org/search?q=%E8%A1%A8");
}

struct TerminalCase {
  const char* name;
  const char* variable;               // $TERMINAL
  std::set<std::string> installed;    // programs that can be run
  const char* chosen;
};

class ChooseTerminal : public ::testing::TestWithParam<TerminalCase> {};

TEST_P(ChooseTerminal, PrefersTheUsersThenTheSystemsThenAKnownOne) {
  const TerminalCase& c = GetParam();
  const auto canRun = [&](const std::string& name) { return c.installed.count(name) != 0; };
  EXPECT_EQ(shell_commands::ChooseTerminal(c.variable, canRun), c.chosen);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ChooseTerminal,
    ::testing::Values(TerminalCase{"UsersChoice", "kitty", {"kitty", "x-terminal-emulator"}, "kitty"},
                      TerminalCase{"UsersChoiceMissing", "nosuch", {"x-terminal-emulator", "xterm"}, "x-terminal-emulator"},
                      TerminalCase{"SystemDefault", "", {"x-terminal-emulator", "xterm"}, "x-terminal-emulator"},
                      TerminalCase{"KnownOne", "", {"xterm", "konsole"}, "konsole"},
                      TerminalCase{"None", "", {}, ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CommandPrompt, CanRunFindsProgramsOnThePathAndByPath) {
  EXPECT_TRUE(shell_commands::CanRun("sh"));
  EXPECT_TRUE(shell_commands::CanRun("/bin/sh"));
  EXPECT_FALSE(shell_commands::CanRun("/bin"));
  EXPECT_FALSE(shell_commands::CanRun("no-such-terminal-program"));
  EXPECT_FALSE(shell_commands::CanRun(""));
}

// Without any terminal the user is told so, and nothing is started.
TEST(CommandPrompt, NoTerminalIsReported) {
  const char* oldPath = std::getenv("PATH");
  const std::string saved = oldPath ? oldPath : "";
  TestView t;
  setenv("PATH", t.parts.dir.path.c_str(), 1);
  unsetenv("TERMINAL");
  t.view.Execute(cmd::OpenCommandPrompt);
  setenv("PATH", saved.c_str(), 1);
  ASSERT_EQ(t.host.messages.size(), 1u);
  EXPECT_EQ(t.host.messages[0].caption, "Pivra");
  EXPECT_NE(t.host.messages[0].text.find("端末エミュレータが見つかりません"), std::string::npos);
}

// End to end: the batch runner prints the address and the program instead
// of opening and starting them; the terminal starts in the document's folder.
TEST(ShellCommandsBatch, PrintsTheSearchAddressAndTheTerminal) {
  BatchRun b;
  const std::string file = b.PathOf("memo.txt");
  std::ofstream(file, std::ios::binary) << "\x95\x5C\x8C\x76";
  setenv("TERMINAL", "/bin/sh", 1);
  const BatchResult r = b.Run("select 0 4\ncommand 33096\nselect 0 0\ncommand 33096\ncommand 32816\n", file);
  unsetenv("TERMINAL");
  EXPECT_EQ(r.exitCode, 0) << r.out;
  EXPECT_EQ(r.out,
            "open: https://www.google.com/search?q=%E8%A1%A8%E8%A8%88\n"
            "disabled: 33096\n"
            "start: /bin/sh in " + b.dir.path.string() + "/\n");
}

}  // namespace
