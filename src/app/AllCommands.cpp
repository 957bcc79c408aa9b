#include "app/AllCommands.h"

#include "app/FrameCommands.h"
#include "editor/ShellCommands.h"

#include "calc/CalcCommands.h"
#include "document/DocumentCommands.h"
#include "editor/CommandTable.h"
#include "table/TableCommands.h"

const CommandTable& AllCommands() {
  static const CommandTable table = [] {
    CommandTable t;
    RegisterEditorCommands(t);
    RegisterTableCommands(t);
    RegisterCalcCommands(t);
    RegisterDocumentCommands(t);
    RegisterFrameCommands(t);
    RegisterShellCommands(t);
    return t;
  }();
  return table;
}
