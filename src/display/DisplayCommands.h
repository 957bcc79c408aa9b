// The display subsystem's commands: display font, word wrap, tab width and
// colours. The line-number switches are the view's own (editor/EditorViewCommands).
#pragma once

class CommandTable;
class EditorView;

void RegisterDisplayCommands(CommandTable& table);

namespace display_commands {
void ChangeDisplayFont(EditorView& view);
void ToggleWordWrap(EditorView& view);
void ToggleTabWidth(EditorView& view);
void ChangeColours(EditorView& view);
}  // namespace display_commands
