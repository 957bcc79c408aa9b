// The column and block editing and table creation entries of the command table.
#include "editor/CommandTable.h"

void RegisterBlockCommands(CommandTable&) {}
