#include "app/WindowCommands.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "app/InstalledData.h"
#include "document/Document.h"
#include "document/DocumentFile.h"
#include "document/ViewAttachment.h"
#include "editor/CommandIds.h"
#include "editor/CommandTable.h"
#include "editor/EditorView.h"
#include "settings/AppIdentity.h"
#include "settings/CommandLine.h"
#include "settings/SettingsKeys.h"
#include "settings/SettingsStore.h"

namespace window_host {
namespace {
WindowHost* installed = nullptr;
}
void Install(WindowHost* host) { installed = host; }
WindowHost* Installed() { return installed; }
}  // namespace window_host

namespace window_commands {

namespace {

constexpr const char* kOpenFilter = "All files (*.*)|*.*|Text/Pvl files (*.txt;*.pvl)|*.txt;*.pvl||";
// The desktop calculators, the first one installed is started.
const std::vector<std::string> kCalculators = {"gnome-calculator", "kcalc", "galculator", "qalculate-gtk", "xcalc"};

void Tell(EditorView& view, const std::string& text) {
  view.Host().MessageBox(app_identity::kAppName, text, MsgButtons::Ok, MsgIcon::Exclamation);
}

// Runs `step` under the wait cursor.
template <typename Step>
auto Waiting(WindowHost& host, Step step) {
  host.BeginWait();
  auto result = step();
  host.EndWait();
  return result;
}

void RememberLauncher(WindowHost& host, SettingsStore& s) {
  const WindowBox box = host.WindowRect();
  s.WriteInt(setting::LauncherX, box.x);
  s.WriteInt(setting::LauncherY, box.y);
  s.WriteInt(setting::LauncherWidth, box.width);
  s.WriteInt(setting::LauncherHeight, box.height);
}

WindowBox DefaultRestoreBox(WindowHost& host) { return {0, 0, host.ScreenWidth() * 5 / 6, host.ScreenHeight() - 27}; }

std::string Folder(const std::string& path) { return std::filesystem::path(path).parent_path().string(); }

void NewWindow(EditorView& view, WindowHost& host) {
  RememberLauncher(host, view.Settings());
  const bool started =
      Waiting(host, [&] { return view.Host().StartProgram(host.ExecutablePath(), {"-w1"}, std::string()); });
  if (!started) Tell(view, "Failed to open the another new file");
}

void OpenInNewWindow(EditorView& view, WindowHost& host) {
  FileDialogData dialog;
  dialog.filter = kOpenFilter;
  if (!view.Host().ChooseFile(dialog)) return;
  const std::string path = docfile::FullPath(dialog.path);
  if (path == view.Doc().PathName()) return;
  RememberLauncher(host, view.Settings());
  // The file is an argument of its own, so a name with blanks stays one name.
  if (!view.Host().StartProgram(host.ExecutablePath(), {"-w1", path}, Folder(path)))
    Tell(view, "Failed to open the another file");
}

void RestoreWindow(EditorView& view, WindowHost& host) {
  const SettingsStore& s = view.Settings();
  const WindowBox def = DefaultRestoreBox(host);
  WindowBox box{s.GetInt(setting::RestoreX), s.GetInt(setting::RestoreY), s.GetInt(setting::RestoreWidth),
                s.GetInt(setting::RestoreHeight)};
  if (box.width <= 0) box.width = def.width;
  if (box.height <= 0) box.height = def.height;
  host.MoveWindow(box);
}

void SetRestoreRectangle(EditorView& view, WindowHost& host) {
  WindowBox box = DefaultRestoreBox(host);
  const MsgResult answer = view.Host().MessageBox(
      app_identity::kAppName,
      "復元するウィンドウの位置と大きさをデフォルトの設定から現在の状態に変更します。\nキャンセルすれば、デフォルトの設定に戻ります。",
      MsgButtons::OkCancel, MsgIcon::Question);
  if (answer == MsgResult::Ok) {
    const WindowBox current = host.WindowRect();
    if (current.height <= 5 * host.MinimumHeight() || current.width <= 3 * host.MinimumWidth()) {
      Tell(view, "ウィンドウが小さ過ぎます。もう少し、大きくして、試して下さい。デフォルトに戻します。");
    } else {
      box = current;
    }
  }
  SettingsStore& s = view.Settings();
  s.WriteInt(setting::RestoreX, box.x);
  s.WriteInt(setting::RestoreY, box.y);
  s.WriteInt(setting::RestoreWidth, box.width);
  s.WriteInt(setting::RestoreHeight, box.height);
}

// The description is opened by its bare name in the folder that holds it:
// beside the program in a build folder, in share/pivraf when installed.
void ShowTableModeHelp(EditorView& view, WindowHost& host) {
  const std::string exe = host.ExecutablePath();
  const bool started = Waiting(host, [&] {
    const std::string folder = installed_data::FolderHolding(kHelpFileName, Folder(exe));
    return !folder.empty() && view.Host().StartProgram(exe, {"-w0", "-m0", kHelpFileName}, folder);
  });
  if (!started) Tell(view, "Failed to show the description");
}

void OpenCalculator(EditorView& view) {
  const std::string program = FindProgram(kCalculators);
  if (!program.empty()) view.Host().StartProgram(program, {}, std::string());
}

// When neither the desktop nor xdg-open takes the address, the user is told
// so, with the address to open by hand.
void OpenHomePage(EditorView& view) {
  const std::string address = view.Settings().GetString(setting::HomePageAddress);
  if (view.Host().OpenAddress(address) || view.Host().StartProgram("xdg-open", {address}, std::string())) return;
  Tell(view, "インターネット ブラウザが起動できないので、ホームページを表示できません。\n" + address);
}

void CheckForUpdate(EditorView& view, WindowHost& host) {
  const std::string address = view.Settings().GetString(setting::VersionFileAddress);
  const FetchResult fetched = Waiting(host, [&] { return host.Fetch(address, kFetchTimeoutMs); });
  if (!fetched.ok) {
    const std::string text = "更新の確認ができませんでした。\n" + fetched.error;
    view.Host().MessageBox(app_identity::kAppName, text, MsgButtons::Ok, MsgIcon::Exclamation);
    return;
  }
  switch (CompareVersion(fetched.body)) {
    case VersionVerdict::Unreadable:
      Tell(view, "更新の確認ができませんでした。\nバージョン情報のファイルが読めません。");
      return;
    case VersionVerdict::UpToDate:
      view.Host().MessageBox(app_identity::kAppName, std::string("お使いの PivraF は最新版です。\nバージョン ") + kVersion,
                             MsgButtons::Ok, MsgIcon::Information);
      return;
    case VersionVerdict::Newer:
      break;
  }
  view.Host().MessageBox(
      app_identity::kAppName,
      "PivraF の新しいバージョンが見つかりましたので、ダウンロードします。\n何かメッセージが出たときは、「保存」して下さい。。\n「保存」した圧縮ファイルを開いて、展開して下さい。\n\n旧バージョンが同じ場所にあれば上書して下さい。他の場所にあるなら、差し替えて下さい。",
      MsgButtons::Ok, MsgIcon::Information);
  if (!view.Host().OpenAddress(view.Settings().GetString(setting::DownloadAddress))) {
    Tell(view, "インターネット ブラウザが起動できないので、ダウンロードできません。");
    return;
  }
  view_attachment::SaveCaretPosition(view);
  host.CloseWindow();
}

// As the window's close box: the caret is remembered and a modified document
// asks to be saved first; Cancel keeps the window.
void ExitApplication(EditorView&, WindowHost& host) { host.CloseWindow(); }

void ShowAbout(EditorView& view) {
  const char* title = "バージョン情報 - PivraF";
  const char* text = "PivraF バージョン 8.3\n\n表計算のできるテキストエディタ";
  WindowHost* host = window_host::Installed();
  if (!host || !host->ShowAbout(title, text)) view.Host().MessageBox(title, text, MsgButtons::Ok, MsgIcon::Information);
}

}  // namespace

std::optional<WindowBox> StartPlacement(const CommandLine& args, const SettingsStore& s, int screenWidth,
                                        int screenHeight, int captionHeight, int ownWidth, int ownHeight) {
  const int c = captionHeight;
  if (args.CommandLineHas("-w0")) {
    const int width = 2 * screenWidth / 3;
    return WindowBox{width / 2, c + 2, width, screenHeight - 27 - c - 2};
  }
  if (!args.CommandLineHas("-w1")) return std::nullopt;
  WindowBox box;
  box.x = s.GetInt(setting::LauncherX) + c;
  box.y = s.GetInt(setting::LauncherY) + c;
  if (box.y > screenHeight / 2) box.y = 0;
  const int w = s.GetInt(setting::LauncherWidth);
  const int h = s.GetInt(setting::LauncherHeight);
  box.width = w > 0 ? w : ownWidth;
  box.height = h > 0 ? h : ownHeight;
  return box;
}

VersionVerdict CompareVersion(const std::string& versionFile, const std::string& current) {
  std::string line = versionFile.substr(0, versionFile.find_first_of("\r\n"));
  const std::size_t first = line.find_first_not_of(" \t");
  if (first == std::string::npos) return VersionVerdict::UpToDate;  // an empty file
  line = line.substr(first, line.find_last_not_of(" \t") - first + 1);
  if (line.find_first_not_of("0123456789") != std::string::npos) return VersionVerdict::Unreadable;
  // Compared as numbers of any length: without leading zeros, the longer is larger.
  auto digits = [](const std::string& d) {
    const std::size_t nz = d.find_first_not_of('0');
    return nz == std::string::npos ? std::string() : d.substr(nz);
  };
  const std::string a = digits(line), b = digits(current);
  const bool newer = a.size() != b.size() ? a.size() > b.size() : a > b;
  return newer ? VersionVerdict::Newer : VersionVerdict::UpToDate;
}

std::string FindProgram(const std::vector<std::string>& names) {
  const char* path = std::getenv("PATH");
  if (!path) return {};
  const std::string dirs = path;
  for (const std::string& name : names) {
    for (std::size_t start = 0; start <= dirs.size();) {
      std::size_t end = dirs.find(':', start);
      if (end == std::string::npos) end = dirs.size();
      const std::string dir = dirs.substr(start, end - start);
      if (!dir.empty()) {
        const std::string candidate = dir + "/" + name;
        if (::access(candidate.c_str(), X_OK) == 0 && std::filesystem::is_regular_file(candidate)) return name;
      }
      start = end + 1;
    }
  }
  return {};
}

}  // namespace window_commands

void RegisterWindowCommands(CommandTable& t) {
  using namespace window_commands;
  // Commands that need the window do nothing where there is none.
  auto withWindow = [](void (*step)(EditorView&, WindowHost&)) {
    return [step](EditorView& v) {
      if (WindowHost* host = window_host::Installed()) step(v, *host);
    };
  };
  t.Add({.id = cmd::NewWindow, .name = "new-window", .mainCaption = "別窓で新規作成 (&U)",
         .run = withWindow(NewWindow)});
  t.Add({.id = cmd::OpenInNewWindow, .name = "open-in-new-window", .mainCaption = "別窓で開く (&W)",
         .run = withWindow(OpenInNewWindow)});
  t.Add({.id = cmd::RestoreWindow, .name = "restore-window", .mainCaption = "ウィンドウ復元",
         .run = withWindow(RestoreWindow)});
  t.Add({.id = cmd::SetRestoreRectangle, .name = "set-restore-rectangle", .mainCaption = "復元ウィンドウの設定",
         .run = withWindow(SetRestoreRectangle)});
  t.Add({.id = cmd::ShowTableModeHelp, .name = "show-table-mode-help", .mainCaption = "表計算の説明表示",
         .run = withWindow(ShowTableModeHelp)});
  t.Add({.id = cmd::OpenCalculator, .name = "open-calculator", .mainCaption = "電卓", .run = OpenCalculator});
  t.Add({.id = cmd::OpenHomePage, .name = "open-home-page", .mainCaption = "ホームページの表示", .run = OpenHomePage});
  t.Add({.id = cmd::CheckForUpdate, .name = "check-for-update", .mainCaption = "更新の確認",
         .run = withWindow(CheckForUpdate)});
  t.Add({.id = cmd::AppExit, .name = "exit", .mainCaption = "アプリケーションの終了(&X)",
         .run = withWindow(ExitApplication)});
  t.Add({.id = cmd::AboutBox, .name = "about-box", .mainCaption = "バージョン情報 (&A)...", .run = ShowAbout});
}
