// The view's document-dependent operations: the directive line of .pvl
// files, the text's print form, line ends of a loaded text and the caret
// remembered per file. The view's initial update and update hints call them.
#include "settings/SettingsStore.h"
#include "document/Document.h"
#include "document/CaretMemory.h"
#include "document/DirectiveLine.h"
#include "document/DocumentFile.h"
#include "text/LineEnds.h"
#include "editor/EditorView.h"

bool EditorView::IsPvlFile() const { return fileExt == ".pvl" || fileExt == ".PVL"; }
bool EditorView::IsLogFile() const { return fileExt == ".log" || fileExt == ".LOG"; }

void EditorView::ApplyDirectiveLine() {
  const DirectiveValues v = ReadDirectiveLine(edit_.GetLogicalLine(0).first);
  if (v.tabWidth) tabWidth = *v.tabWidth;
  if (v.columns) printColumns = *v.columns;
  // The print font is made from printFontHeight whenever it is needed, so a
  // new height is all it takes to rebuild it.
  if (v.fontHeight && *v.fontHeight != printFontHeight) printFontHeight = *v.fontHeight;
  if (v.marginStep) printMarginStep = *v.marginStep;
}

void EditorView::RefreshDirectiveLine() {
  tableSelection = edit_.GetSel();
  workText = edit_.GetText();
  const std::string line = FormatDirectiveLine(tabWidth, printFontHeight, printColumns, printMarginStep);
  if (!PutDirectiveLine(workText, line)) return;
  edit_.SetText(workText);
  // The same byte offsets as before: the selection is not shifted by the line.
  edit_.SetSel(tableSelection.first, tableSelection.second);
  edit_.ScrollCaret();
}

void EditorView::StripCommentLines() {
  workText = edit_.GetText();
  std::string work = workText;
  if (::StripCommentLines(work) > 0) edit_.SetText(work);
}

void EditorView::RestoreAfterPrinting(bool textOnly) {
  edit_.SetText(workText);
  edit_.SetSel(tableSelection.first, tableSelection.second);
  edit_.ScrollCaret();
  if (textOnly || doc_.IsModified()) return;
  // An unmodified document is saved so that the refreshed directive line
  // reaches the file.
  if (doc_.OnSaveDocument(filePath)) {
    std::int64_t t = 0;
    if (docfile::LastWriteTime(filePath, t)) doc_.lastKnownFileTime = t;
  }
}

// A text that CR LF would push past the control's limit keeps its line ends:
// saved as it is, the file can always be opened again.
void EditorView::NormaliseLineEnds() {
  std::string text = edit_.GetText();
  if (docfile::NormaliseLineEnds(text) && static_cast<int>(text.size()) <= EditBuffer::kTextLimit) edit_.SetText(text);
}

void EditorView::SaveCaretPosition() {
  const std::string& path = doc_.PathName();
  if (path.empty()) return;
  caret_memory::Save(settings_, path, edit_.GetSel().first, edit_.FirstVisibleLine());
}

void EditorView::RestoreRememberedCaret() {
  if (edit_.GetTextLength() <= 1 || filePath.empty()) return;
  const auto [pos, firstLine] = caret_memory::Load(settings_, filePath);
  edit_.LineScroll(0, firstLine);
  edit_.SetSel(pos, pos);
  edit_.ScrollCaret();
}
