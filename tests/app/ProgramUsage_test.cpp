// The command line's own answers: the usage and the version, printed without
// a display, and the one line a window start without a display prints.
#include "app/ProgramUsage.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "support/BatchRun.h"

namespace {

struct DisplayCase {
  const char* name;
  std::map<std::string, std::string> env;
  std::vector<std::string> args;
  bool canShow;
};

class DisplayTest : public ::testing::TestWithParam<DisplayCase> {};

TEST_P(DisplayTest, FollowsTheForcedPlatformElseTheDisplayServer) {
  const DisplayCase& c = GetParam();
  const auto env = [&c](const char* name) -> const char* {
    const auto it = c.env.find(name);
    return it == c.env.end() ? nullptr : it->second.c_str();
  };
  EXPECT_EQ(program_usage::CanShowWindow(c.args, env), c.canShow);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DisplayTest,
    ::testing::Values(DisplayCase{"Nothing", {}, {}, false},
                      DisplayCase{"EmptyDisplay", {{"DISPLAY", ""}}, {}, false},
                      DisplayCase{"X", {{"DISPLAY", ":0"}}, {"memo.txt"}, true},
                      DisplayCase{"Wayland", {{"WAYLAND_DISPLAY", "wayland-0"}}, {}, true},
                      DisplayCase{"Offscreen", {{"QT_QPA_PLATFORM", "offscreen"}}, {}, true},
                      DisplayCase{"MinimalWithOptions", {{"QT_QPA_PLATFORM", "minimal:enable_fonts"}}, {}, true},
                      DisplayCase{"XcbWithoutDisplay", {{"QT_QPA_PLATFORM", "xcb"}, {"WAYLAND_DISPLAY", "w"}}, {}, false},
                      DisplayCase{"ListWithOneThatCan", {{"QT_QPA_PLATFORM", "wayland;xcb"}, {"DISPLAY", ":1"}}, {}, true},
                      DisplayCase{"PlatformArgumentWins", {{"QT_QPA_PLATFORM", "xcb"}}, {"-platform", "offscreen"}, true},
                      DisplayCase{"UnknownPlatformIsLeftToQt", {{"QT_QPA_PLATFORM", "someday"}}, {}, true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ProgramUsage, UsageNamesTheSwitchesBatchAndTheSettingsFile) {
  const std::string usage = program_usage::UsageText("/home/u/.config/Korvane/Pivra.conf");
  for (const char* part : {"-w0", "-w1", "-m0", "--batch SCRIPT [FILE]", "--list-commands", "--help", "--version",
                           "Settings file: /home/u/.config/Korvane/Pivra.conf\n"})
    EXPECT_NE(usage.find(part), std::string::npos) << part;
  EXPECT_EQ(program_usage::VersionText(), "PivraF 8.3");
}

// The program itself, with no display in its environment: --help and
// --version answer on standard output, a window start says why it cannot.
TEST(ProgramUsage, ProgramAnswersWithoutADisplay) {
  struct Saved {
    const char* name;
    std::optional<std::string> value;
  };
  std::vector<Saved> saved;
  for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
    const char* v = std::getenv(name);
    saved.push_back({name, v ? std::optional<std::string>(v) : std::nullopt});
    ::unsetenv(name);
  }
  BatchRun b;
  const BatchResult help = b.RunProgram("--help");
  const BatchResult version = b.RunProgram("--version");
  const BatchResult window = b.RunProgram(b.PathOf("memo.txt") + " 2>&1");
  for (const Saved& s : saved)
    if (s.value) ::setenv(s.name, s.value->c_str(), 1);

  EXPECT_EQ(help.exitCode, 0);
  EXPECT_EQ(help.out, program_usage::UsageText(b.PathOf("Pivra.conf")));
  EXPECT_EQ(version.exitCode, 0);
  EXPECT_EQ(version.out, "PivraF 8.3\n");
  EXPECT_EQ(window.exitCode, 1);
  EXPECT_EQ(window.out, "no graphical display; use --batch for headless work\n");
}

}  // namespace
