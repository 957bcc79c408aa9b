// The calculation's commands (linear transforms, two-column and two-row
// arithmetic) and its key-release step, the in-line calculation on Enter.
#pragma once

class CommandTable;

void RegisterCalcCommands(CommandTable& table);
