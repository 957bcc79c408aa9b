// Setting a view up for its document: the view's start state for the file
// (table or editor mode, tab width, read-only log files), the directive line
// of .pvl files, and the caret remembered per file.
#include "document/ViewAttachment.h"

#include <algorithm>

#include "document/CaretMemory.h"
#include "document/DirectiveLine.h"
#include "editor/EditorView.h"
#include "settings/SettingsStore.h"
#include "calc/CalcState.h"
#include "table/TableClipboard.h"

namespace view_attachment {

bool IsPvlFile(const EditorView& view) { return view.Doc().FileExt() == ".pvl" || view.Doc().FileExt() == ".PVL"; }
bool IsLogFile(const EditorView& view) { return view.Doc().FileExt() == ".log" || view.Doc().FileExt() == ".LOG"; }

void ApplyDirectiveLine(EditorView& view) {
  const DirectiveValues v = ReadDirectiveLine(view.Edit().GetLogicalLine(0).first);
  if (v.tabWidth) view.modes.tabWidth = *v.tabWidth;
  if (v.columns) view.print.columns = *v.columns;
  // The print font is made from printFontHeight whenever it is needed, so a
  // new height is all it takes to rebuild it.
  // A height that differs from the view's is the file's own print font.
  if (v.fontHeight && *v.fontHeight != view.print.fontHeight) {
    view.print.fontHeight = *v.fontHeight;
    view.print.fontChosen = true;
  }
  if (v.marginStep) view.print.marginStep = *v.marginStep;
}

void SaveCaretPosition(EditorView& view) {
  const std::string& path = view.Doc().PathName();
  if (path.empty()) return;
  caret_memory::Save(view.Settings(), path, view.Edit().GetSel().first, view.Edit().FirstVisibleLine());
}

namespace {

void RestoreRememberedCaret(EditorView& view) {
  if (view.Edit().GetTextLength() <= 1 || view.Doc().PathName().empty()) return;
  const auto [pos, firstLine] = caret_memory::Load(view.Settings(), view.Doc().PathName());
  view.Edit().LineScroll(0, firstLine);
  view.Edit().SetSel(pos, pos);
  view.Edit().ScrollCaret();
}

}  // namespace

// Per-document start state, in this order: the print margin, the reset
// fields, table mode with its tab width (a .pvl file's directive line
// may change it), editor mode for other files than .pvl and CSV ones, read-only log files, the
// update notification (which also gives a loaded text CR LF line ends), the
// remembered caret, and a fresh undo history.
void InitialiseView(EditorView& view, bool records) {
  view.print.marginStep = view.Settings().GetInt(setting::PrintMarginStep);

  view.tableSelection = {0, 0};
  view.cellRange = CellRange{};
  view.Extension<TableClipboard>().rowCount = 0;
  view.Extension<TableClipboard>().columnCount = 0;
  view.decimalPlaces = view.Settings().GetInt(setting::DecimalPlaces);
  view.modes.keepCaretColumn = view.Settings().GetInt(setting::KeepCaretColumn) == 1;
  view.modes.wordWrap = false;
  view.modes.table = true;
  view.modes.paneTable = true;

  view.modes.lineNumbers = LineNumberMode::Physical;
  view.Settings().WriteInt(setting::LineNumbers, 1);
  view.modes.tabWidth = view.Settings().GetInt(setting::TableColumnWidth);
  if (IsPvlFile(view)) ApplyDirectiveLine(view);

  view.modes.editor = view.Settings().GetInt(setting::EditorModeAtStart) == 1;
  if (view.modes.editor && !IsPvlFile(view) && !records) {
    view.modes.table = false;
    view.modes.lineNumbers = LineNumberMode::Off;
    view.Settings().WriteInt(setting::LineNumbers, 0);
    view.modes.wordWrap = true;
    view.modes.tabWidth = view.Settings().GetInt(setting::TextTabWidth);
  }
  view.ApplyTabStops();
  view.ApplyWordWrap(false);
  view.ApplyWordWrap(view.modes.wordWrap);

  if (IsLogFile(view)) {
    view.Edit().SetReadOnly(true);
    view.modes.returnMarks = false;
  } else {
    view.Edit().SetReadOnly(false);
    view.modes.returnMarks = view.Settings().GetInt(setting::ReturnMarks) == 1;
  }
  // A text that holds substitutes for characters of the file is only shown.
  if (view.Doc().IsLossy()) view.Edit().SetReadOnly(true);
  view.OnUpdate(UpdateHint::None);

  RestoreRememberedCaret(view);
  caret_memory::ForgetVanishedRecentFiles(view.Settings());

  view.History().Restart(view.Edit());
  view.Extension<CalcState>().OnViewInitialised();
  view.Doc().SetModifiedFlag(false);
  view.caretColumnX = std::max(0, view.Edit().CaretPoint().x);
  view.redraw.drawingEnabled = true;
}

}  // namespace view_attachment
