// The view's own entries of the command table (EditorViewCommands.cpp):
// undo and redo, the clipboard, the mode toggles and the line-number
// switches. Each subsystem registers its commands beside their code; the
// application calls every Register function once when it builds the table.
#pragma once

class CommandTable;

void RegisterEditorCommands(CommandTable& table);
