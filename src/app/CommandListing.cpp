#include "app/CommandListing.h"

#include <ostream>
#include <sstream>

#include "app/AppContext.h"
#include "app/DocumentStartup.h"
#include "app/ScriptedUiHost.h"
#include "editor/CommandTable.h"
#include "editor/EditorView.h"
#include "platform/LineLayout.h"

namespace command_listing {

void Print(const CommandTable& table, EditorView& view, std::ostream& out) {
  for (const auto& [id, entry] : table.Entries()) {
    const std::string& caption = !entry.mainCaption.empty()    ? entry.mainCaption
                                 : !entry.tableCaption.empty() ? entry.tableCaption
                                                               : entry.editCaption;
    out << id << '\t' << entry.name << '\t' << caption << '\t' << (view.IsEnabled(id) ? "enabled" : "disabled")
        << '\n';
  }
}

int Run(std::ostream& out) {
  AppContext app({});
  // Asking the rules opens no dialog or message box; whatever the host
  // would print is dropped.
  std::ostringstream silent;
  ScriptedUiHost host(silent);
  MemoryClipboard clipboard;
  const std::unique_ptr<EditorView> view = app.CreateView(host, clipboard);
  // The start-up of a batch run without a file, in its window of 80 x 40
  // cells of 8 x 16 pixels.
  static const FixedCellLayout layout(8, 16);
  view->Edit().SetLayout(&layout);
  view->Edit().SetClientRect({0, 0, 80 * 8, 40 * 16});
  OpenDocumentAtStartup(app, *view);
  Print(view->Commands(), *view, out);
  out.flush();
  return 0;
}

}  // namespace command_listing
