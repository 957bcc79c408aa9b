// The table engine's commands: aggregates, sorting and ranking, column and
// block editing, table creation and formatting.
#pragma once

class CommandTable;

void RegisterTableCommands(CommandTable& table);
// The column and block editing part, registered by RegisterTableCommands.
void RegisterBlockCommands(CommandTable& table);
