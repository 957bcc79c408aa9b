#include "editor/CommandContext.h"

#include "editor/EditorView.h"

CommandContext::CommandContext(EditorView& v)
    : view(v),
      edit(v.Edit()),
      selStart(edit.GetSel().first),
      selEnd(edit.GetSel().second),
      caretRow(edit.LineFromChar(-1)),
      text(edit.Text()) {
  v.tableSelection = {selStart, selEnd};
}
