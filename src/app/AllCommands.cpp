#include "app/AllCommands.h"

#include "app/FrameCommands.h"
#include "editor/ShellCommands.h"

#include "app/WindowCommands.h"
#include "calc/CalcCommands.h"
#include "display/DisplayCommands.h"
#include "document/DocumentCommands.h"
#include "editor/CommandTable.h"
#include "find/FindCommands.h"
#include "print/PrintCommands.h"
#include "table/TableCommands.h"
#include "editor/EditorViewCommands.h"

const CommandTable& AllCommands() {
  static const CommandTable table = [] {
    CommandTable t;
    RegisterEditorCommands(t);
    RegisterTableCommands(t);
    RegisterCalcCommands(t);
    RegisterDocumentCommands(t);
    RegisterDisplayCommands(t);
    find::RegisterFindCommands(t);
    RegisterFrameCommands(t);
    RegisterShellCommands(t);
    RegisterPrintCommands(t);
    RegisterWindowCommands(t);
    return t;
  }();
  return table;
}
