#include "app/AllCommands.h"

#include "app/WindowCommands.h"
#include "calc/CalcCommands.h"
#include "document/DocumentCommands.h"
#include "editor/CommandTable.h"
#include "print/PrintCommands.h"
#include "table/TableCommands.h"

const CommandTable& AllCommands() {
  static const CommandTable table = [] {
    CommandTable t;
    RegisterEditorCommands(t);
    RegisterTableCommands(t);
    RegisterCalcCommands(t);
    RegisterDocumentCommands(t);
    RegisterPrintCommands(t);
    RegisterWindowCommands(t);
    return t;
  }();
  return table;
}
