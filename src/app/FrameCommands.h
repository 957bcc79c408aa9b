// FrameCommands: the main frame's entries of the command table: the two
// split commands and the moves between panes. They act on the PaneSplitter
// that shows the view's document; a view without one ignores them.
#pragma once

class CommandTable;

void RegisterFrameCommands(CommandTable& table);
