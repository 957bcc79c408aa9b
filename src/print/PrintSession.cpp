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
// "//" with its CR LF. The same removals are made here in one pass, keeping
// for each run of bytes left in the print form the offset it came from.
int TextOffsetOfPrintForm(std::string_view text, int printFormOffset) {
  struct Kept {
    std::size_t formStart;  // where the run starts in the print form
    std::size_t textStart;  // where it came from in the text
  };
  std::vector<Kept> kept;
  std::string form;
  form.reserve(text.size());
  std::size_t from = 0;  // the start of the run not yet copied
  for (std::size_t pos = 0; pos < text.size();) {
    const std::size_t p = cp932::Find(text, "\r\n//", pos);
    if (p == cp932::npos) break;
    const std::size_t e = cp932::Find(text, "\r\n", p + 1);
    if (p > from) {
      kept.push_back({form.size(), from});
      form.append(text.substr(from, p - from));
    }
    from = pos = e == cp932::npos ? text.size() : e;
  }
  if (from < text.size()) {
    kept.push_back({form.size(), from});
    form.append(text.substr(from));
  }
  std::size_t firstLineEnd = 0;  // print form bytes the first-line rule removes
  if (form.compare(0, 2, "//") == 0) {
    const std::size_t end = cp932::Find(form, "\r\n", 1);
    firstLineEnd = end == cp932::npos ? form.size() : end + 2;
  }
  if (printFormOffset < 0) return 0;
  const std::size_t at = static_cast<std::size_t>(printFormOffset) + firstLineEnd;
  if (at >= form.size()) return static_cast<int>(text.size());
  const auto run = std::upper_bound(kept.begin(), kept.end(), at,
                                    [](std::size_t offset, const Kept& k) { return offset < k.formStart; }) - 1;
  return static_cast<int>(run->textStart + (at - run->formStart));
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
