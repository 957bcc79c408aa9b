// ShellCommands: the view's commands that hand something to the desktop: a
// web search for the selected text and a terminal in the document's folder.
//
// Both go through the UI host (OpenAddress, StartProgram), so a batch run
// prints what would be opened or started instead of doing it.
#pragma once

#include <functional>
#include <string>
#include <string_view>

class CommandTable;
class EditorView;

namespace shell_commands {

// The search address for CP932 text: https://HOST/search?q= followed by the
// text as UTF-8, every byte but the unreserved ASCII ones written %XX.
std::string WebSearchAddress(const std::string& host, std::string_view cp932Text);

// The terminal emulator to start: $TERMINAL when it names a program that can
// be run, else x-terminal-emulator, else the first installed of a short list
// of common terminals; "" when there is none. `canRun` tells whether a name
// (looked up on PATH) or a path can be run; `terminalVariable` is $TERMINAL.
std::string ChooseTerminal(const std::string& terminalVariable, const std::function<bool(const std::string&)>& canRun);
// Whether PROGRAM, a path or a name on $PATH, is an executable file.
bool CanRun(const std::string& program);

void WebSearch(EditorView& view);          // cmd::WebSearch
void OpenCommandPrompt(EditorView& view);  // cmd::OpenCommandPrompt

}  // namespace shell_commands

void RegisterShellCommands(CommandTable& table);
