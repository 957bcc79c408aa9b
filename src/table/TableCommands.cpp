// The table engine's entries of the command table.
#include "editor/CommandTable.h"

void RegisterTableCommands(CommandTable&) {}
