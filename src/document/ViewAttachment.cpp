// Setting a view up for its document: the view's start state for the file
// (table or editor mode, tab width, read-only log files), the directive line
// of .pvl files and their print form, and the caret remembered per file.
#include "document/ViewAttachment.h"

#include <algorithm>

#include "document/CaretMemory.h"
#include "document/DirectiveLine.h"
#include "document/Document.h"
#include "document/DocumentFile.h"
#include "editor/EditorView.h"
#include "settings/SettingsStore.h"

namespace view_attachment {

bool IsPvlFile(const EditorView& view) { return view.fileExt == ".pvl" || view.fileExt == ".PVL"; }
bool IsLogFile(const EditorView& view) { return view.fileExt == ".log" || view.fileExt == ".LOG"; }

void ApplyDirectiveLine(EditorView& view) {
  const DirectiveValues v = ReadDirectiveLine(view.Edit().GetLogicalLine(0).first);
  if (v.tabWidth) view.tabWidth = *v.tabWidth;
  if (v.columns) view.printColumns = *v.columns;
  // The print font is made from printFontHeight whenever it is needed, so a
  // new height is all it takes to rebuild it.
  if (v.fontHeight && *v.fontHeight != view.printFontHeight) view.printFontHeight = *v.fontHeight;
  if (v.marginStep) view.printMarginStep = *v.marginStep;
}

void RefreshDirectiveLine(EditorView& view) {
  view.tableSelection = view.Edit().GetSel();
  std::string text = view.Edit().GetText();
  const std::string line =
      FormatDirectiveLine(view.tabWidth, view.printFontHeight, view.printColumns, view.printMarginStep);
  if (!PutDirectiveLine(text, line)) return;
  // A longer directive line must not take the text past the size limit (it
  // could then be saved but not opened again): the old line stays.
  if (text.size() > static_cast<std::size_t>(EditBuffer::kTextLimit)) return;
  view.Edit().SetText(text);
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
  if (textOnly || doc.IsModified()) return;
  // An unmodified document is saved so that the refreshed directive line
  // reaches the file.
  if (doc.OnSaveDocument(view.filePath)) {
    std::int64_t t = 0;
    if (docfile::LastWriteTime(view.filePath, t)) doc.lastKnownFileTime = t;
  }
}

void SaveCaretPosition(EditorView& view) {
  const std::string& path = view.Doc().PathName();
  if (path.empty()) return;
  caret_memory::Save(view.Settings(), path, view.Edit().GetSel().first, view.Edit().FirstVisibleLine());
}

namespace {

void RestoreRememberedCaret(EditorView& view) {
  if (view.Edit().GetTextLength() <= 1 || view.filePath.empty()) return;
  const auto [pos, firstLine] = caret_memory::Load(view.Settings(), view.filePath);
  view.Edit().LineScroll(0, firstLine);
  view.Edit().SetSel(pos, pos);
  view.Edit().ScrollCaret();
}

}  // namespace

// Per-document start state, in this order: the path and its parts, the
// reset fields, table mode with its tab width (a .pvl file's directive line
// may change it), editor mode for other files, read-only log files, the
// update notification (which also gives a loaded text CR LF line ends), the
// remembered caret, and a fresh undo history.
void InitialiseView(EditorView& view) {
  view.printMarginStep = view.Settings().GetInt(setting::PrintMarginStep);
  view.filePath = view.Doc().PathName();
  docfile::SplitPath(view.filePath, view.fileFolder, view.fileTitle, view.fileExt, view.fileNameExt);

  view.tableSelection = {0, 0};
  view.cellRange = CellRange{};
  view.tableClipboard.rowCount = 0;
  view.tableClipboard.columnCount = 0;
  view.decimalPlaces = view.Settings().GetInt(setting::DecimalPlaces);
  view.keepCaretColumn = view.Settings().GetInt(setting::KeepCaretColumn);
  view.wordWrap = 0;
  view.tableMode = 1;
  view.paneTableMode = 1;

  view.lineNumberMode = 1;
  view.Settings().WriteInt(setting::LineNumbers, 1);
  view.tabWidth = view.Settings().GetInt(setting::TableColumnWidth);
  if (IsPvlFile(view)) ApplyDirectiveLine(view);

  view.editorMode = view.Settings().GetInt(setting::EditorModeAtStart);
  if (view.editorMode == 1 && !IsPvlFile(view)) {
    view.tableMode = 0;
    view.lineNumberMode = 0;
    view.Settings().WriteInt(setting::LineNumbers, 0);
    view.wordWrap = 1;
    view.tabWidth = view.Settings().GetInt(setting::TextTabWidth);
  }
  view.ApplyTabStops();
  view.ApplyWordWrap(false);
  view.ApplyWordWrap(view.wordWrap != 0);

  if (IsLogFile(view)) {
    view.Edit().SetReadOnly(true);
    view.returnMark = 0;
  } else {
    view.Edit().SetReadOnly(false);
    view.returnMark = view.Settings().GetInt(setting::ReturnMarks);
  }
  // A text that holds substitutes for characters of the file is only shown.
  if (const auto* doc = dynamic_cast<const Document*>(&view.Doc()); doc && doc->IsLossy())
    view.Edit().SetReadOnly(true);
  view.OnUpdate(UpdateHint::None);

  RestoreRememberedCaret(view);
  caret_memory::ForgetVanishedRecentFiles(view.Settings());

  view.History().Restart(view.Edit());
  view.calc.OnViewInitialised();
  view.Doc().SetModifiedFlag(false);
  view.caretColumnX = std::max(0, view.Edit().CaretPoint().x);
  view.drawingEnabled = true;
}

}  // namespace view_attachment
