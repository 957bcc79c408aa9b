#include "editor/ShellCommands.h"

#include <unistd.h>

#include <cstdlib>
#include <sys/stat.h>
#include <vector>

#include "editor/CommandIds.h"
#include "editor/CommandTable.h"
#include "editor/EditorView.h"
#include "settings/AppIdentity.h"
#include "settings/SettingsKeys.h"
#include "settings/SettingsStore.h"
#include "text/Cp932.h"

namespace shell_commands {

namespace {

bool IsUnreserved(unsigned char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '.' ||
         c == '_' || c == '~';
}

bool IsExecutableFile(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && ::access(path.c_str(), X_OK) == 0;
}

}  // namespace

std::string WebSearchAddress(const std::string& host, std::string_view cp932Text) {
  static const char hex[] = "0123456789ABCDEF";
  std::string address = "https://" + host + "/search?q=";
  for (const unsigned char c : cp932::ToUtf8(cp932Text)) {
    if (IsUnreserved(c)) {
      address += static_cast<char>(c);
    } else {
      address += '%';
      address += hex[c >> 4];
      address += hex[c & 0x0F];
    }
  }
  return address;
}

std::string ChooseTerminal(const std::string& terminalVariable, const std::function<bool(const std::string&)>& canRun) {
  if (!terminalVariable.empty() && canRun(terminalVariable)) return terminalVariable;
  static const char* const known[] = {"x-terminal-emulator", "gnome-terminal", "konsole",  "xfce4-terminal",
                                      "mate-terminal",       "lxterminal",     "qterminal", "kitty",
                                      "alacritty",           "foot",           "xterm"};
  for (const char* name : known)
    if (canRun(name)) return name;
  return {};
}

bool CanRun(const std::string& program) {
  if (program.empty()) return false;
  if (program.find('/') != std::string::npos) return IsExecutableFile(program);
  const char* path = std::getenv("PATH");
  const std::string dirs = path ? path : "/usr/local/bin:/usr/bin:/bin";
  for (std::size_t start = 0; start <= dirs.size();) {
    std::size_t end = dirs.find(':', start);
    if (end == std::string::npos) end = dirs.size();
    const std::string dir = end > start ? dirs.substr(start, end - start) : ".";
    if (IsExecutableFile(dir + "/" + program)) return true;
    start = end + 1;
  }
  return false;
}

// The selected text goes into the address as UTF-8, percent-encoded: raw
// CP932 bytes in an address are neither valid nor understood by a search
// site. When the desktop cannot open the address, a browser is started with
// it; a search that cannot be started at all is not reported.
void WebSearch(EditorView& view) {
  const auto [s, e] = view.Edit().GetSel();
  if (s >= e) return;
  const std::string_view selected = std::string_view(view.Edit().Text()).substr(static_cast<std::size_t>(s),
                                                                                 static_cast<std::size_t>(e - s));
  const std::string address = WebSearchAddress(view.Settings().GetString(setting::WebSearchHost), selected);
  if (view.Host().OpenAddress(address)) return;
  view.Host().StartProgram("firefox", {address}, "");
}

void OpenCommandPrompt(EditorView& view) {
  const char* variable = std::getenv("TERMINAL");
  const std::string terminal = ChooseTerminal(variable ? variable : "", CanRun);
  UiHost& host = view.Host();
  if (terminal.empty()) {
    host.MessageBox(app_identity::kAppName,
                    "端末エミュレータが見つかりません。\n"
                    "環境変数 TERMINAL に端末のプログラムを指定してください。",
                    MsgButtons::Ok, MsgIcon::Exclamation);
    return;
  }
  if (!host.StartProgram(terminal, {}, view.Doc().FileFolder())) {
    host.MessageBox(app_identity::kAppName, "端末エミュレータ " + terminal + " を起動できませんでした。", MsgButtons::Ok,
                    MsgIcon::Exclamation);
  }
}

}  // namespace shell_commands

void RegisterShellCommands(CommandTable& t) {
  // Asking whether the search can run also stores the selection as the
  // table selection.
  t.Add({.id = cmd::WebSearch, .name = "web-search", .editCaption = "Google で検索 (&G)",
         .tableCaption = "Google で検索 (&G)", .run = shell_commands::WebSearch,
         .enabled = [](EditorView& v) {
           v.tableSelection = v.Edit().GetSel();
           return v.tableSelection.first < v.tableSelection.second;
         }});
  t.Add({.id = cmd::OpenCommandPrompt, .name = "open-command-prompt", .mainCaption = "コマンドプロンプト",
         .run = shell_commands::OpenCommandPrompt});
}
