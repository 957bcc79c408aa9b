#include "document/PrintForm.h"

#include <cstdint>
#include <utility>

#include "document/DirectiveLine.h"
#include "document/Document.h"
#include "document/DocumentFile.h"
#include "editor/EditorView.h"
#include "editor/TextRewrite.h"
#include "editor/ViewExtension.h"

namespace print_form {

namespace {

// What RefreshDirectiveLine leaves for RestoreAfterPrinting: whether the text
// was the saved one before the refresh, so that the file is brought up to date
// afterwards even though the refresh itself made the document modified.
struct PrintFormState : ViewExtension {
  bool saveAfterPrinting = false;
};

}  // namespace

void RefreshDirectiveLine(EditorView& view) {
  view.tableSelection = view.Edit().GetSel();
  // A read-only text (a log file, a file with characters the editor cannot
  // hold) is printed as it is shown and never saved by printing.
  view.Extension<PrintFormState>().saveAfterPrinting = !view.Doc().IsModified() && !view.Edit().IsReadOnly();
  if (view.Edit().IsReadOnly()) return;
  std::string text = view.Edit().GetText();
  const std::string line =
      FormatDirectiveLine(view.modes.tabWidth, view.print.fontHeight, view.print.columns, view.print.marginStep);
  if (!PutDirectiveLine(text, line)) return;
  // A longer directive line must not take the text past the size limit (it
  // could then be saved but not opened again): the old line stays.
  if (text.size() > static_cast<std::size_t>(view.Edit().LimitText())) return;
  // The refreshed line is an undo step of its own: undo after a later edit
  // gives back the text with the refreshed line, and undo of the refresh
  // gives back the text as it was before printing.
  TextRewrite rewrite(view);
  rewrite.ReplaceText(text);
  // The same byte offsets as before: the selection is not shifted by the line.
  view.Edit().SetSel(view.tableSelection.first, view.tableSelection.second);
  view.Edit().ScrollCaret();
}

std::string StripCommentLines(EditorView& view) {
  std::string text = view.Edit().GetText();
  std::string work = text;
  if (::StripCommentLines(work) > 0) view.Edit().SetText(work);
  return text;
}

void RestoreAfterPrinting(EditorView& view, Document& doc, std::string_view text, bool textOnly) {
  view.Edit().SetText(text);
  view.Edit().SetSel(view.tableSelection.first, view.tableSelection.second);
  view.Edit().ScrollCaret();
  bool& save = view.Extension<PrintFormState>().saveAfterPrinting;
  const bool wasSaved = std::exchange(save, false);
  if (textOnly || !wasSaved) return;
  // A document that was unmodified before printing is saved so that the
  // refreshed directive line reaches the file (the save marks the refresh's
  // undo step as the saved text).
  if (doc.OnSaveDocument(view.Doc().PathName())) {
    std::int64_t t = 0;
    if (docfile::LastWriteTime(view.Doc().PathName(), t)) doc.lastKnownFileTime = t;
  }
}

}  // namespace print_form
