#include "editor/EditorView.h"

#include <algorithm>
#include <string>

#include "settings/CommandLine.h"
#include "settings/SettingsStore.h"
#include "calc/CalcCommands.h"
#include "document/Document.h"
#include "document/CaretMemory.h"
#include "document/DocumentFile.h"
#include "editor/CommandTable.h"
#include "text/Cp932.h"
#include "editor/Navigation.h"

EditorView::EditorView(SettingsStore& settings, const CommandLine& commandLine, Document& doc, UiHost& host,
                       ClipboardPort& clipboard)
    : settings_(settings), commandLine_(commandLine), doc_(doc), host_(host), clipboard_(clipboard) {
  edit_.onChange = [this] { OnEditChange(); };
  edit_.SetWordWrap(true);  // the control is first created wrapping
  printColumns = settings_.GetInt("Settings", "ColNum", 1);
  printFontHeight = settings_.GetInt("PrintFont", "Height", -16);
  doc_.AddView(this);
}

EditorView::~EditorView() { doc_.RemoveView(this); }

// ---------------------------------------------------------------- document attachment

// Per-document start state, in this order: the path and its parts, the
// reset fields, table mode with its tab width (a .pvl file's directive line
// may change it), editor mode for other files, read-only log files, the
// update notification (which also gives a loaded text CR LF line ends), the
// remembered caret, and a fresh undo history.
void EditorView::OnInitialUpdate() {
  printMarginStep = settings_.GetInt("Settings", "PrintMargin", 1);
  filePath = doc_.PathName();
  docfile::SplitPath(filePath, fileFolder, fileTitle, fileExt, fileNameExt);

  tableSelection = {0, 0};
  cellRange = CellRange{};
  tableClipboard.rowCount = 0;
  tableClipboard.columnCount = 0;
  decimalPlaces = settings_.GetInt("Settings", "Sho", 1);
  keepCaretColumn = settings_.GetInt("Settings", "CaretPos", 1);
  wordWrap = 0;
  tableMode = 1;
  paneTableMode = 1;
  workText = edit_.GetText();

  lineNumberMode = 1;
  settings_.WriteInt("Settings", "Line", 1);
  tabWidth = settings_.GetInt("Settings", "RetuHaba", 8);
  if (IsPvlFile()) ApplyDirectiveLine();

  editorMode = settings_.GetInt("Settings", "Editmode", 0);
  if (editorMode == 1 && !IsPvlFile()) {
    tableMode = 0;
    lineNumberMode = 0;
    settings_.WriteInt("Settings", "Line", 0);
    wordWrap = 1;
    tabWidth = settings_.GetInt("Settings", "TabStops", 8);
  }
  ApplyTabStops();
  ApplyWordWrap(false);
  ApplyWordWrap(wordWrap != 0);

  if (IsLogFile()) {
    edit_.SetReadOnly(true);
    returnMark = 0;
  } else {
    edit_.SetReadOnly(false);
    returnMark = settings_.GetInt("Settings", "Enter", 1);
  }
  OnUpdate(0);

  RestoreRememberedCaret();
  caret_memory::ForgetVanishedRecentFiles(settings_);

  history_.Restart(edit_);
  calc.OnViewInitialised();
  doc_.SetModifiedFlag(false);
  caretColumnX = std::max(0, edit_.CaretPoint().x);
  drawingEnabled = true;
}

void EditorView::OnUpdate(int hint) {
  NormaliseLineEnds();
  lineNumberMode = settings_.GetInt("Settings", "Line", 0);
  switch (hint) {
    case 109:
      returnMark = settings_.GetInt("Settings", "Enter", 1);
      redrawColouring = true;
      ApplyWordWrap(false);
      break;
    case 204:
      ApplyWordWrap(wordWrap != 0);
      returnMark = settings_.GetInt("Settings", "Enter", 1);
      redrawColouring = true;
      break;
    case 707:  // the document was saved: the current undo step is the saved text
      history_.MarkSaved();
      break;
    case 777:  // New: the view starts over
      OnInitialUpdate();
      break;
    default:  // 0, 888 (reloaded) and others: the common steps only
      break;
  }
  if (commandLine_.CommandLineHas("-m0")) lineNumberMode = 0;
  ApplyLeftMargin();
  redrawLineNumbers = recreateCaret = redrawColouring = refreshImeMark = true;
}

// The gutter holds the label "  N:" for the largest line number shown, and the
// text starts one line height right of it.
void EditorView::ApplyLeftMargin() {
  if (lineNumberMode == 0 || edit_.IsReadOnly()) {
    lineNumberMode = 0;
    leftMargin = 10;
  } else {
    int n = edit_.LineCount();
    if (n < edit_.VisibleLineCount()) n = 20;
    const std::string label = "  " + std::to_string(n) + ":";
    leftMargin = static_cast<int>(label.size()) * edit_.Layout().AverageCharWidth() + LineHeight();
  }
  edit_.SetMargins(leftMargin, 0);
  const Rect client = edit_.ClientRect();
  const int top = (tableMode && lineNumberMode == 1) ? LineHeight() : 0;
  edit_.SetRect({client.left + leftMargin, client.top + top, client.right, client.bottom});
}

void EditorView::ApplyTabStops() { edit_.SetTabStops(tabWidth * 4); }

// Switching wrap keeps the first visible line (by the text it starts with)
// and the selection.
void EditorView::ApplyWordWrap(bool wrap) {
  if (edit_.IsWordWrap() == wrap) return;
  const int firstChar = edit_.LineIndex(edit_.FirstVisibleLine());
  const int anchor = edit_.Anchor();
  const int caret = edit_.Caret();
  edit_.SetWordWrap(wrap);
  edit_.SetSel(anchor, caret);
  edit_.LineScroll(0, edit_.LineFromChar(std::max(0, firstChar)) - edit_.FirstVisibleLine());
}

// ---------------------------------------------------------------- commands

EditorView::CommandResult EditorView::Execute(int id) {
  const CommandEntry* entry = CommandTable::Get().Find(id);
  if (!entry || !entry->run) return CommandResult::Unknown;
  if (entry->enabled && !entry->enabled(*this)) return CommandResult::Disabled;
  entry->run(*this);
  return CommandResult::Done;
}

bool EditorView::IsEnabled(int id) {
  const CommandEntry* entry = CommandTable::Get().Find(id);
  if (!entry) return false;
  return !entry->enabled || entry->enabled(*this);
}

bool EditorView::IsChecked(int id) {
  const CommandEntry* entry = CommandTable::Get().Find(id);
  return entry && entry->checked && entry->checked(*this);
}

void EditorView::PushUndoSnapshot() {
  history_.Push(edit_);
  doc_.SetModifiedFlag(true);
}

void EditorView::Undo() {
  if (!history_.Undo(edit_)) return;
  if (tableMode && lineNumberMode == 1) redrawLineNumbers = true;
  doc_.SetModifiedFlag(!history_.CurrentIsSaved());
}

void EditorView::Redo() {
  if (!history_.Redo(edit_)) return;
  doc_.SetModifiedFlag(!history_.CurrentIsSaved());
}

// A cut that the control refuses (read-only, nothing selected) changes nothing,
// so it records no undo step and leaves the document unmodified.
void EditorView::CutCommand() {
  if (edit_.Cut(clipboard_)) PushUndoSnapshot();
}

void EditorView::CopyCommand() { edit_.Copy(clipboard_); }
void EditorView::PasteCommand() { edit_.Paste(clipboard_); }
void EditorView::SelectAllCommand() { edit_.SelectAll(); }

void EditorView::ToggleTableMode() {
  lineNumberMode = 0;
  if (tableMode) {
    wordWrap = 1;
    tableMode = 0;
    settings_.WriteInt("Settings", "Line", 0);
    tabWidth = settings_.GetInt("Settings", "TabStops", 8);
    paneTableMode = 0;
  } else {
    wordWrap = 0;
    tableMode = 1;
    TogglePhysicalLineNumbers();
    tabWidth = settings_.GetInt("Settings", "RetuHaba", 8);
  }
  ApplyTabStops();
  ApplyWordWrap(wordWrap != 0);
  ApplyLeftMargin();
  redrawLineNumbers = redrawColouring = true;
}

void EditorView::ToggleEditorMode() {
  editorMode = editorMode ? 0 : 1;
  settings_.WriteInt("Settings", "Editmode", editorMode);
}

void EditorView::ToggleReadOnly() {
  if (edit_.IsReadOnly()) {
    edit_.SetReadOnly(false);
    drawingEnabled = true;
    returnMark = settings_.GetInt("Settings", "Enter", 1);
  } else {
    edit_.SetReadOnly(true);
    returnMark = 0;
  }
  redrawColouring = redrawLineNumbers = true;
}

void EditorView::TogglePhysicalLineNumbers() {
  if (tableMode && lineNumberMode == 1) return;  // table mode always shows them
  lineNumberMode = lineNumberMode == 1 ? 0 : 1;
  settings_.WriteInt("Settings", "Line", lineNumberMode);
  redrawLineNumbers = true;
}

void EditorView::ToggleLogicalLineNumbers() {
  if (tableMode) return;
  lineNumberMode = lineNumberMode == 2 ? 0 : 2;
  settings_.WriteInt("Settings", "Line", lineNumberMode);
  redrawLineNumbers = true;
}

void EditorView::ComputeCellRange() {
  const auto [s, e] = edit_.GetSel();
  tableSelection = {s, e};
  blockHighlight = Rect{};
  if (s >= e) {
    cellRange = CellRange{};
    return;
  }
  const std::string_view text = edit_.Text();
  auto rowAndColumn = [&](int pos, int& row, int& col) {
    row = edit_.LogicalLineFromChar(pos);
    const int lineStart = edit_.LogicalLineStart(row);
    col = static_cast<int>(cp932::Count(text.substr(static_cast<std::size_t>(lineStart),
                                                    static_cast<std::size_t>(pos - lineStart)),
                                        "\t"));
  };
  rowAndColumn(s, cellRange.firstRow, cellRange.firstCol);
  rowAndColumn(e, cellRange.lastRow, cellRange.lastCol);
  // A selection that ends right after a cell's TAB ends in that cell.
  if (cellRange.firstCol < cellRange.lastCol && text[static_cast<std::size_t>(e) - 1] == '\t') --cellRange.lastCol;

  const Point ps = edit_.PosFromChar(s);
  const Point pe = edit_.PosFromChar(e);
  if (cellRange.lastCol >= cellRange.firstCol && ps.x < pe.x) blockHighlight = {ps.x, ps.y, pe.x, pe.y + LineHeight()};
}

// ---------------------------------------------------------------- input

void EditorView::OnEditChange() {
  const bool erasing = IsKeyDown(vk::Back) || IsKeyDown(vk::Delete);
  if (history_.OnChange(edit_, erasing)) doc_.SetModifiedFlag(true);
}

bool EditorView::OnKeyDown(int key, bool ctrl, bool shift, bool alt) {
  keysDown_.insert(key);
  if (const int id = CommandTable::Get().CommandForKey(key, ctrl, shift, alt)) {
    Execute(id);
    return true;
  }
  using M = EditBuffer::Move;
  switch (key) {
    case vk::Left: edit_.MoveCaret(M::Left, shift); break;
    case vk::Right: edit_.MoveCaret(M::Right, shift); break;
    case vk::Up: edit_.MoveCaret(M::Up, shift); break;
    case vk::Down: edit_.MoveCaret(M::Down, shift); break;
    case vk::Home: edit_.MoveCaret(ctrl ? M::TextStart : M::Home, shift); break;
    case vk::End: edit_.MoveCaret(ctrl ? M::TextEnd : M::End, shift); break;
    case vk::Prior: edit_.MoveCaret(M::PageUp, shift); break;
    case vk::Next: edit_.MoveCaret(M::PageDown, shift); break;
    case vk::Delete: edit_.DeleteChar(); break;
    case vk::Insert:
      if (!ctrl && !shift && !alt) insertMode = insertMode ? 0 : 1;
      break;
    default: break;
  }
  blockHighlight = Rect{};
  return false;
}

void EditorView::OnChar(std::string_view ch) {
  if (ch.empty()) return;
  blockHighlight = Rect{};
  const unsigned char first = static_cast<unsigned char>(ch[0]);
  if (ch == "\b") {
    edit_.Backspace();
    return;
  }
  if (ch == "\r" || ch == "\n") {
    edit_.TypeText("\r\n");
    return;
  }
  if (first < 0x20 && ch != "\t") return;  // other control characters are not text
  if (!insertMode && ch != "\t" && !edit_.IsReadOnly()) {
    // Overwrite: the typed character takes the place of the one at the caret,
    // never of a line break.
    const int pos = edit_.CaretPosition().second;
    const std::string_view text = edit_.Text();
    if (pos < edit_.GetTextLength() && text[static_cast<std::size_t>(pos)] != '\r' &&
        text[static_cast<std::size_t>(pos)] != '\n') {
      edit_.SetSel(pos, pos + static_cast<int>(cp932::CharLen(text, static_cast<std::size_t>(pos))));
      edit_.ScrollCaret();
      edit_.ReplaceSel("");
    }
  }
  edit_.TypeText(ch);
}

void EditorView::OnKeyUp(int key) {
  keysDown_.erase(key);
  OnCalcKeyUp(*this, key);
}

void EditorView::OnLButtonDown(int x, int y, bool shift) {
  blockHighlight = Rect{};
  mouseDown_ = true;
  edit_.MoveCaretToPoint(x, y, shift);
}

void EditorView::OnMouseMove(int x, int y) {
  if (mouseDown_) edit_.MoveCaretToPoint(x, y, true);
}

void EditorView::OnLButtonUp() {
  mouseDown_ = false;
  if (keepCaretColumn) caretColumnX = std::max(0, edit_.CaretPoint().x);
  if (!edit_.IsReadOnly()) refreshImeMark = true;
  if (tableMode) ComputeCellRange();
}

void EditorView::OnLButtonDblClk() { navigation::SelectWord(*this); }

void EditorView::OnIdle(bool mouseAtRest) {
  if (mouseAtRest) history_.TrackSelection(edit_);
  if (lineNumberMode == 0 && leftMargin != 10) OnUpdate(0);
}
