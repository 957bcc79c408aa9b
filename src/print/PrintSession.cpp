#include "print/PrintSession.h"

#include <algorithm>
#include <string>
#include <vector>

#include "document/Document.h"
#include "document/PrintForm.h"
#include "document/ViewAttachment.h"
#include "editor/EditorView.h"
#include "settings/AppIdentity.h"
#include "text/Cp932.h"

namespace print_session {

// The print form is made by removing comment lines (document/DirectiveLine.h):
// each "\r\n//..." with the CR LF before it, then a first line starting with
// "//" with its CR LF. The same removals are applied here to the bytes'
// original offsets, so the print form's byte i came from offsets[i].
int TextOffsetOfPrintForm(std::string_view text, int printFormOffset) {
  std::string work(text);
  std::vector<int> offsets(text.size());
  for (std::size_t i = 0; i < offsets.size(); ++i) offsets[i] = static_cast<int>(i);
  auto erase = [&](std::size_t from, std::size_t to) {
    work.erase(from, to - from);
    offsets.erase(offsets.begin() + static_cast<std::ptrdiff_t>(from), offsets.begin() + static_cast<std::ptrdiff_t>(to));
  };
  for (std::size_t pos = 0; pos < work.size();) {
    const std::size_t p = cp932::Find(work, "\r\n//", pos);
    if (p == cp932::npos) break;
    const std::size_t e = cp932::Find(work, "\r\n", p + 1);
    erase(p, e == cp932::npos ? work.size() : e);
    pos = p;
  }
  if (work.compare(0, 2, "//") == 0) {
    const std::size_t end = cp932::Find(work, "\r\n", 1);
    erase(0, end == cp932::npos ? work.size() : end + 2);
  }
  if (printFormOffset < 0) return 0;
  if (static_cast<std::size_t>(printFormOffset) >= offsets.size()) return static_cast<int>(text.size());
  return offsets[static_cast<std::size_t>(printFormOffset)];
}

void Run(EditorView& view, PrintRequest::Kind kind) {
  PrintHost* host = print_host::Installed();
  if (!host) {
    view.Host().MessageBox(app_identity::kAppName, "印刷できるプリンターがありません。", MsgButtons::Ok,
                           MsgIcon::Exclamation);
    return;
  }
  const bool pvl = view_attachment::IsPvlFile(view);
  std::string textBeforePrinting;
  if (pvl) {
    print_form::RefreshDirectiveLine(view);
    textBeforePrinting = print_form::StripCommentLines(view);
  }
  PrintRequest request;
  request.kind = kind;
  request.text = view.Edit().GetText();
  // A settings file edited by hand may hold anything; a page has 1 to 4
  // columns and margin steps.
  request.columns = std::clamp(view.print.columns, 1, 4);
  request.marginStep = std::clamp(view.print.marginStep, 1, 4);
  request.tabWidth = view.modes.tabWidth;
  // Until a print font is chosen, the display font is printed at its screen size.
  request.printFontHeight = view.print.fontChosen ? view.print.fontHeight : 0;
  request.firstVisibleChar = view.Edit().LineIndex(view.Edit().FirstVisibleLine());

  const bool preview = kind == PrintRequest::Kind::Preview;
  if (preview) print_host::SetInPreview(true);
  const PrintOutcome outcome = host->Run(request, view.Host(), view.Settings());
  if (preview) print_host::SetInPreview(false);
  Document* doc = dynamic_cast<Document*>(&view.Doc());
  if (pvl && doc) print_form::RestoreAfterPrinting(view, *doc, textBeforePrinting, !outcome.prepared);
  if (!outcome.prepared || kind != PrintRequest::Kind::Preview || outcome.endPage == outcome.startPage) return;

  EditBuffer& e = view.Edit();
  const int pos = pvl ? TextOffsetOfPrintForm(e.Text(), outcome.endPageStart) : outcome.endPageStart;
  e.SetSel(pos, pos);
  e.ScrollCaret();
  e.LineScroll(0, e.LineFromChar(pos) - e.FirstVisibleLine());
  if (view.modes.lineNumbers != LineNumberMode::Off) view.redraw.lineNumbers = true;
}

}  // namespace print_session
