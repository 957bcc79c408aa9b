// Other windows and tools: where a started window goes, the version check,
// and the commands end to end through the batch runner, which prints what
// it would start, open or move.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>

#include "app/WindowCommands.h"
#include "editor/CommandIds.h"
#include "settings/CommandLine.h"
#include "settings/SettingsStore.h"
#include "support/BatchRun.h"
#include "support/CaseName.h"
#include "text/Cp932.h"

namespace {

using window_commands::CompareVersion;
using window_commands::VersionVerdict;

struct VersionCase {
  const char* file;
  VersionVerdict verdict;
};

class Versions : public ::testing::TestWithParam<VersionCase> {};

TEST_P(Versions, AreComparedAsNumbers) { EXPECT_EQ(CompareVersion(GetParam().file), GetParam().verdict); }

INSTANTIATE_TEST_SUITE_P(
    Cases, Versions,
    ::testing::Values(VersionCase{"8300", VersionVerdict::UpToDate}, VersionCase{"10000", VersionVerdict::Newer},
                      VersionCase{"8301", VersionVerdict::Newer}, VersionCase{"9", VersionVerdict::UpToDate},
                      VersionCase{"", VersionVerdict::UpToDate}, VersionCase{"8300\r\n9999\r\n", VersionVerdict::UpToDate},
                      VersionCase{" 8400 \n", VersionVerdict::Newer}, VersionCase{"08301", VersionVerdict::Newer},
                      VersionCase{"<html>", VersionVerdict::Unreadable}, VersionCase{"8.4", VersionVerdict::Unreadable}),
    [](const auto& info) { return CaseName(info.index, info.param.file); });

struct PlacementCase {
  const char* name;
  const char* args;
  int wndX, wndY, wndW, wndH;  // -1: not stored
  std::optional<WindowBox> box;
};

class Placement : public ::testing::TestWithParam<PlacementCase> {};

// A screen of 1920 x 1080 with 24-pixel captions; the window's own inside is 1000 x 700.
TEST_P(Placement, FollowsTheSwitchAndTheLaunchingWindow) {
  const PlacementCase& c = GetParam();
  TempDir dir;
  SettingsStore s(dir.Path("Pivra.conf"));
  if (c.wndX >= 0) s.WriteInt("Settings", "wndX", c.wndX);
  if (c.wndY >= 0) s.WriteInt("Settings", "wndY", c.wndY);
  if (c.wndW >= 0) s.WriteInt("Settings", "wndW", c.wndW);
  if (c.wndH >= 0) s.WriteInt("Settings", "wndH", c.wndH);
  const CommandLine args({c.args, "/tmp/a.pvl"});
  EXPECT_EQ(window_commands::StartPlacement(args, s, 1920, 1080, 24, 1000, 700), c.box);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Placement,
    ::testing::Values(PlacementCase{"W1BelowAndRightOfTheLauncher", "-w1", 100, 50, 800, 600, WindowBox{124, 74, 800, 600}},
                      // 516 + 24 = 540 is not more than half the screen
                      PlacementCase{"W1AtHalfTheScreen", "-w1", 0, 516, 800, 600, WindowBox{24, 540, 800, 600}},
                      PlacementCase{"W1PastHalfTheScreenGoesToTheTop", "-w1", 0, 517, 800, 600, WindowBox{24, 0, 800, 600}},
                      PlacementCase{"W1NothingStoredKeepsItsOwnSize", "-w1", -1, -1, -1, -1, WindowBox{24, 24, 1000, 700}},
                      // two thirds of the width, centred by half its width, below one caption
                      PlacementCase{"W0", "-w0", 100, 50, 800, 600, WindowBox{640, 26, 1280, 1027}},
                      PlacementCase{"NoSwitch", "-x", 100, 50, 800, 600, std::nullopt}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FindProgram, TakesTheFirstOfTheListInstalledOnPath) {
  TempDir dir;
  for (const char* name : {"kcalc", "xcalc"}) {
    const std::string p = dir.Path(name);
    std::ofstream(p) << "#!/bin/sh\n";
    ::chmod(p.c_str(), 0755);
  }
  std::ofstream(dir.Path("gnome-calculator")) << "not executable";
  const std::string saved = std::getenv("PATH") ? std::getenv("PATH") : "";
  ::setenv("PATH", ("/nonexistent:" + dir.path.string()).c_str(), 1);
  EXPECT_EQ(window_commands::FindProgram({"gnome-calculator", "kcalc", "xcalc"}), "kcalc");
  EXPECT_EQ(window_commands::FindProgram({"qalculate-gtk"}), "");
  ::setenv("PATH", saved.c_str(), 1);
}

// The program as the batch run names it, and the folder it lives in.
std::string Exe() { return std::filesystem::canonical(PIVRAF_BINARY).string(); }
std::string ExeFolder() { return std::filesystem::path(Exe()).parent_path().string(); }

TEST(WindowCommands, NewWindowStartsTheProgramWithW1AfterWritingTheWindowRectangle) {
  BatchRun b;
  const BatchResult r = b.Run("command 32902\n");
  EXPECT_EQ(r.out, "start: " + Exe() + " -w1 in \n");
  const SettingsStore s(b.PathOf("Pivra.conf"));
  EXPECT_EQ(s.GetInt("Settings", "wndW", 0), 640);
  EXPECT_EQ(s.GetInt("Settings", "wndH", 0), 640);
}

TEST(WindowCommands, OpenInAnotherWindowPassesTheFileAsOneArgument) {
  BatchRun b;
  const std::string other = b.PathOf("other.pvl");
  std::ofstream(other) << "x";
  const std::string mine = b.PathOf("mine.pvl");
  std::ofstream(mine) << "y";
  const BatchResult r = b.Run("command 32875 path=" + other + "\ncommand 32875 path=" + mine + "\ncommand 32875 cancel\n", mine);
  // The file already open and a cancelled dialog start nothing.
  EXPECT_EQ(r.out, "start: " + Exe() + " -w1 " + other + " in " + b.dir.path.string() + "\n");
}

TEST(WindowCommands, RestoreUsesTheStoredRectangleElseTheDefault) {
  BatchRun b;
  EXPECT_EQ(b.Run("command 32873\n").out, "window: 0 0 1600 1053\n");
  EXPECT_EQ(b.Run("setint Settings wndDefX 10\nsetint Settings wndDefY 20\nsetint Settings wndDefW 700\n"
                  "setint Settings wndDefH 500\ncommand 32873\n")
                .out,
            "window: 10 20 700 500\n");
}

TEST(WindowCommands, SetRestoreRectangleTakesTheWindowUnlessTooSmallOrCancelled) {
  const std::string question =
      "message: Pivra: 復元するウィンドウの位置と大きさをデフォルトの設定から現在の状態に変更します。\\nキャンセルすれば、デフォルトの設定に戻ります。\n";
  BatchRun b;
  // OK on the 640 x 640 window stores it.
  EXPECT_EQ(b.Run("command 32878\ncommand 32873\n").out, question + "window: 0 0 640 640\n");
  // A window of 400 x 640 is narrower than three minimum widths (408): the defaults.
  EXPECT_EQ(b.Run("setint Settings wndDefW 400\ncommand 32873\ncommand 32878\ncommand 32873\n").out,
            "window: 0 0 400 640\n" + question +
                "message: Pivra: ウィンドウが小さ過ぎます。もう少し、大きくして、試して下さい。デフォルトに戻します。\n"
                "window: 0 0 1600 1053\n");
  // Cancel stores the defaults.
  EXPECT_EQ(b.Run("answer cancel\ncommand 32878\ncommand 32873\n").out, question + "window: 0 0 1600 1053\n");
}

TEST(WindowCommands, TheDescriptionOpensTheHelpFileBesideTheProgramInABareWindow) {
  BatchRun b;
  EXPECT_EQ(b.Run("command 32810\n").out, "start: " + Exe() + " -w0 -m0 HelpPvl.log in " + ExeFolder() + "\n");
  // The description itself is Japanese CP932 text.
  std::ifstream f(ExeFolder() + "/HelpPvl.log", std::ios::binary);
  std::stringstream text;
  text << f.rdbuf();
  EXPECT_NE(cp932::ToUtf8(text.str()).find("表計算モード"), std::string::npos);
}

// The program copied into PREFIX/bin, as an installation lays it out, run
// on `script` with the XDG data folders pointing into the test's folder.
BatchResult RunRelocated(BatchRun& b, const std::string& script) {
  namespace fs = std::filesystem;
  const fs::path bin = b.dir.path / "prefix" / "bin";
  fs::create_directories(bin);
  std::error_code ec;
  if (!fs::exists(bin / "pivraf")) {
    fs::create_hard_link(PIVRAF_BINARY, bin / "pivraf", ec);
    if (ec) fs::copy_file(PIVRAF_BINARY, bin / "pivraf");
  }
  std::ofstream(b.PathOf("script.pvs"), std::ios::binary) << script;
  const std::string cmd = "XDG_DATA_HOME='" + b.PathOf("home") + "' XDG_DATA_DIRS='" + b.PathOf("system") +
                          "' PIVRA_CONFIG='" + b.PathOf("Pivra.conf") + "' '" + (bin / "pivraf").string() +
                          "' --batch '" + b.PathOf("script.pvs") + "' 2>&1";
  BatchResult r;
  FILE* p = popen(cmd.c_str(), "r");
  if (!p) return r;
  char buf[4096];
  for (std::size_t n; (n = fread(buf, 1, sizeof buf, p)) > 0;) r.out.append(buf, n);
  r.exitCode = WEXITSTATUS(pclose(p));
  return r;
}

TEST(WindowCommands, TheDescriptionIsFoundWhereAnInstalledProgramKeepsItsData) {
  namespace fs = std::filesystem;
  BatchRun b;
  const std::string exe = (b.dir.path / "prefix/bin/pivraf").string();
  const fs::path help = fs::path(ExeFolder()) / "HelpPvl.log";
  // Nowhere: said so.
  EXPECT_EQ(RunRelocated(b, "command 32810\n").out, "message: Pivra: Failed to show the description\n");
  // In a system data folder, then in the user's, then in share/pivraf beside the program: the nearest wins.
  for (const char* folder : {"system/pivraf", "home/pivraf", "prefix/share/pivraf"}) {
    fs::create_directories(b.dir.path / folder);
    fs::copy_file(help, b.dir.path / folder / "HelpPvl.log");
    EXPECT_EQ(RunRelocated(b, "command 32810\n").out,
              "start: " + exe + " -w0 -m0 HelpPvl.log in " + (b.dir.path / folder).string() + "\n")
        << folder;
  }
}

struct UpdateCase {
  const char* name;
  const char* versionFile;  // nullptr: no file there
  const char* out;          // after "message: Pivra: "
};

class UpdateCheck : public ::testing::TestWithParam<UpdateCase> {};

TEST_P(UpdateCheck, ReportsOrDownloadsAndCloses) {
  BatchRun b;
  const std::string file = b.PathOf("version.txt");
  if (GetParam().versionFile) std::ofstream(file, std::ios::binary) << GetParam().versionFile;
  const BatchResult r = b.Run("setstr Settings VersionUrl file://" + file + "\ncommand 32949\n");
  EXPECT_EQ(r.out, std::string("message: Pivra: ") + GetParam().out);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, UpdateCheck,
    ::testing::Values(
        UpdateCase{"Same", "8300\r\n", "お使いの PivraF は最新版です。\\nバージョン 8300\n"},
        UpdateCase{"Longer", "10000\n",
                   "PivraF の新しいバージョンが見つかりましたので、ダウンロードします。\\n何かメッセージが出たときは、「保存」して下さい。。\\n「保存」した圧縮ファイルを開いて、展開して下さい。\\n\\n旧バージョンが同じ場所にあれば上書して下さい。他の場所にあるなら、差し替えて下さい。\n"
                   "open: https://pivraf.korvane.example/PivraF.zip\nclose\n"},
        UpdateCase{"Empty", "", "お使いの PivraF は最新版です。\\nバージョン 8300\n"},
        UpdateCase{"NotANumber", "<html>", "更新の確認ができませんでした。\\nバージョン情報のファイルが読めません。\n"},
        UpdateCase{"Missing", nullptr, "更新の確認ができませんでした。\\nファイルが見つかりません。\n"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(WindowCommands, HomePageAboutAndAnUnreachableAddress) {
  BatchRun b;
  EXPECT_EQ(b.Run("command 32951\n").out, "open: https://pivraf.korvane.example/\n");
  EXPECT_EQ(b.Run("command 57664\n").out,
            "message: バージョン情報 - PivraF: PivraF バージョン 8.3\\n\\n表計算のできるテキストエディタ\n");
  EXPECT_EQ(b.Run("command 32949\n").out,
            "fetch: https://pivraf.korvane.example/version.txt\n"
            "message: Pivra: 更新の確認ができませんでした。\\nネットワークに接続できません。\n");
}

// Neither the desktop nor xdg-open takes the address (the recording host
// opens and starts nothing): the user is told, with the address.
TEST(WindowCommands, HomePageNoBrowserCanOpenIsReported) {
  TestView t;
  t.view.Execute(cmd::OpenHomePage);
  ASSERT_EQ(t.host.messages.size(), 1u);
  EXPECT_EQ(t.host.messages[0].caption, "Pivra");
  EXPECT_EQ(t.host.messages[0].text,
            "インターネット ブラウザが起動できないので、ホームページを表示できません。\nhttps://pivraf.korvane.example/");
}

}  // namespace
