// CommandListing: `pivraf --batch --list-commands`, the command table as a
// script writer reads it.
//
// One line per command of the table, in the order of its ids:
//   ID TAB NAME TAB CAPTION TAB enabled|disabled
// CAPTION is the command's main-menu caption, else its table-menu caption,
// else its editing-menu caption, as the table holds it (UTF-8, with the
// "&" of its mnemonic); it is empty for a command in no menu. The last field
// is the command's enable rule asked over a fresh untitled document, as a
// `command` line at the start of a script would find it.
#pragma once

#include <iosfwd>

class CommandTable;
class EditorView;

namespace command_listing {

// The lines for `table`, its rules asked of `view`.
void Print(const CommandTable& table, EditorView& view, std::ostream& out);

// The program's own table over a fresh untitled document (settings from the
// usual store); the process exit code, 0.
int Run(std::ostream& out);

}  // namespace command_listing
