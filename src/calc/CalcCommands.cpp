// The calculation entries of the command table and the key-release hook.
#include "calc/CalcCommands.h"

#include "editor/CommandTable.h"

void RegisterCalcCommands(CommandTable&) {}

void OnCalcKeyUp(CPivraView&, int) {}
