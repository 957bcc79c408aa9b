// The document's entries of the command table (new, open, save, save as, backups).
#include "editor/CommandTable.h"

void RegisterDocumentCommands(CommandTable&) {}
