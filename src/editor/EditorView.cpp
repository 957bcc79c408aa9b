#include "editor/EditorView.h"

#include <algorithm>
#include <string>
#include <utility>

#include "editor/CommandTable.h"
#include "numbers/FormatNumber.h"
#include "settings/AppIdentity.h"
#include "settings/CommandLine.h"
#include "settings/SettingsStore.h"
#include "text/Cp932.h"
#include "text/LineEnds.h"

EditorView::EditorView(SettingsStore& settings, const CommandLine& commandLine, const CommandTable& commands,
                       ViewDocument& doc, UiHost& host, ClipboardPort& clipboard)
    : settings_(settings),
      commandLine_(commandLine),
      commands_(commands),
      doc_(doc),
      host_(host),
      clipboard_(clipboard) {
  edit_.onChange = [this] { OnEditChange(); };
  edit_.SetWordWrap(true);  // the control is first created wrapping
  edit_.SetLimitText(settings_.GetInt(setting::MaxTextBytes));
  print.columns = settings_.GetInt(setting::PrintColumns);
  print.fontHeight = settings_.GetInt(setting::PrintFontHeight);
  // A print font is stored when its height is, whatever the value: a stored
  // value reads the same whichever default is given.
  const auto storedAs = [&](std::int32_t fallback) {
    return settings_.GetInt(setting::PrintFontHeight.section, setting::PrintFontHeight.key, fallback);
  };
  print.fontChosen = storedAs(0) == storedAs(1);
  colours = ColourScheme::Load(settings_);
  doc_.AddView(this);
}

EditorView::~EditorView() { doc_.RemoveView(this); }

// ---------------------------------------------------------------- document attachment

// What a document's text needs of the view (its file's modes, directive line
// and remembered caret) is the document's to decide.
void EditorView::OnInitialUpdate() { doc_.InitialiseView(*this); }

void EditorView::OnUpdate(UpdateHint hint) {
  NormaliseLineEnds();
  modes.lineNumbers = static_cast<LineNumberMode>(settings_.GetInt(setting::LineNumbers));
  switch (hint) {
    case UpdateHint::SplitStarted:
      modes.returnMarks = settings_.GetInt(setting::ReturnMarks) == 1;
      redraw.colouring = true;
      ApplyWordWrap(false);
      break;
    case UpdateHint::WordWrap:
      ApplyWordWrap(modes.wordWrap);
      modes.returnMarks = settings_.GetInt(setting::ReturnMarks) == 1;
      redraw.colouring = true;
      break;
    case UpdateHint::Saved:  // the current undo step is the saved text
      history_.MarkSaved();
      break;
    case UpdateHint::DisplayFont:
      ++displayFontSerial;
      break;
    case UpdateHint::New:  // the view starts over
      OnInitialUpdate();
      break;
    default:  // None, Reloaded and others: the common steps only
      break;
  }
  if (commandLine_.CommandLineHas("-m0")) modes.lineNumbers = LineNumberMode::Off;
  ApplyLeftMargin();
  redraw.lineNumbers = redraw.caret = redraw.colouring = redraw.imeMark = true;
}

// The gutter holds the label "  N:" for the largest line number shown (the
// rows below the text are numbered too, so never less than the rows), and the
// text starts one line height right of it.
std::string EditorView::GutterLabel() const {
  const int n = std::max({edit_.LineCount(), edit_.ClientRect().Height() / std::max(1, LineHeight()), 20});
  return "  " + std::to_string(n) + ":";
}

void EditorView::ApplyLeftMargin() {
  if (modes.lineNumbers == LineNumberMode::Off || edit_.IsReadOnly()) {
    modes.lineNumbers = LineNumberMode::Off;
    gutterLabelLength = 0;
    leftMargin = 10;
  } else {
    const std::string label = GutterLabel();
    gutterLabelLength = static_cast<int>(label.size());
    int width = 0;
    for (const char c : label) width += edit_.Layout().CharWidth(std::string_view(&c, 1));
    leftMargin = width + LineHeight();
  }
  edit_.SetMargins(leftMargin, 0);
  const Rect client = edit_.ClientRect();
  const int top = (modes.table && modes.lineNumbers == LineNumberMode::Physical) ? LineHeight() : 0;
  edit_.SetRect({client.left + leftMargin, client.top + top, client.right, client.bottom});
}

void EditorView::ApplyTabStops() {
  // The width comes from settings or a directive line already checked; the
  // clamp keeps the product in range whatever set it.
  edit_.SetTabStops(std::clamp(modes.tabWidth, 1, EditBuffer::kMaxTabUnits / 4) * 4);
}

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
  const CommandEntry* entry = commands_.Find(id);
  if (!entry || !entry->run) return CommandResult::Unknown;
  if (entry->enabled && !entry->enabled(*this)) return CommandResult::Disabled;
  entry->run(*this);
  return CommandResult::Done;
}

bool EditorView::IsEnabled(int id) {
  const CommandEntry* entry = commands_.Find(id);
  if (!entry) return false;
  return !entry->enabled || entry->enabled(*this);
}

bool EditorView::IsChecked(int id) {
  const CommandEntry* entry = commands_.Find(id);
  return entry && entry->checked && entry->checked(*this);
}

// Every change a command or the user makes ends here or in OnEditChange, so
// this is the one check that keeps the text openable: a text past the size
// limit could be saved but never opened again. The current snapshot still
// holds the text before the change, which is put back.
bool EditorView::RefuseOversizedText() {
  if (edit_.GetTextLength() <= edit_.LimitText()) return false;
  history_.Revert(edit_);
  host_.MessageBox(app_identity::kAppName, TextTooLongMessage(), MsgButtons::Ok, MsgIcon::Exclamation);
  return true;
}

std::string EditorView::TextTooLongMessage() const {
  return "文字数が上限（" + numbers::GroupedDigits(edit_.LimitText()) + " バイト）を超えるため、この変更は行いません。";
}

void EditorView::PushUndoSnapshot() {
  if (RefuseOversizedText()) return;
  NormaliseLineEndsOfChange();
  history_.Push(edit_);
  doc_.SetModifiedFlag(true);
}

void EditorView::Undo() {
  if (!history_.Undo(edit_)) return;
  if (modes.table && modes.lineNumbers == LineNumberMode::Physical) redraw.lineNumbers = true;
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
void EditorView::PasteCommand() {
  if (!edit_.Paste(clipboard_) && !edit_.IsReadOnly() && !clipboard_.GetText().empty()) {
    // Refused only because the text would pass the size limit.
    host_.MessageBox(app_identity::kAppName, TextTooLongMessage(), MsgButtons::Ok, MsgIcon::Exclamation);
    return;
  }
  edit_.ScrollCaret();  // as typing does, the pasted text's end is shown
}
void EditorView::SelectAllCommand() { edit_.SelectAll(); }

void EditorView::ToggleTableMode() {
  modes.lineNumbers = LineNumberMode::Off;
  if (modes.table) {
    modes.wordWrap = true;
    modes.table = false;
    settings_.WriteInt(setting::LineNumbers, 0);
    modes.tabWidth = settings_.GetInt(setting::TextTabWidth);
    modes.paneTable = false;
  } else {
    modes.wordWrap = false;
    modes.table = true;
    TogglePhysicalLineNumbers();
    modes.tabWidth = settings_.GetInt(setting::TableColumnWidth);
  }
  ApplyTabStops();
  ApplyWordWrap(modes.wordWrap);
  ApplyLeftMargin();
  redraw.lineNumbers = redraw.colouring = true;
}

void EditorView::ToggleEditorMode() {
  modes.editor = !modes.editor;
  settings_.WriteInt(setting::EditorModeAtStart, modes.editor);
}

void EditorView::ToggleReadOnly() {
  if (edit_.IsReadOnly()) {
    edit_.SetReadOnly(false);
    redraw.drawingEnabled = true;
    modes.returnMarks = settings_.GetInt(setting::ReturnMarks) == 1;
  } else {
    edit_.SetReadOnly(true);
    modes.returnMarks = false;
  }
  redraw.colouring = redraw.lineNumbers = true;
}

void EditorView::TogglePhysicalLineNumbers() {
  if (modes.table && modes.lineNumbers == LineNumberMode::Physical) return;  // table mode always shows them
  modes.lineNumbers = modes.lineNumbers == LineNumberMode::Physical ? LineNumberMode::Off : LineNumberMode::Physical;
  settings_.WriteInt(setting::LineNumbers, static_cast<int>(modes.lineNumbers));
  redraw.lineNumbers = true;
}

void EditorView::ToggleLogicalLineNumbers() {
  if (modes.table) return;
  modes.lineNumbers = modes.lineNumbers == LineNumberMode::Logical ? LineNumberMode::Off : LineNumberMode::Logical;
  settings_.WriteInt(setting::LineNumbers, static_cast<int>(modes.lineNumbers));
  redraw.lineNumbers = true;
}

void EditorView::ComputeCellRange() {
  const auto [s, e] = edit_.GetSel();
  tableSelection = {s, e};
  fixedBlock_ = FixedBlock{};
  if (s >= e) {
    cellRange = CellRange{};
    return;
  }
  const std::string_view text = edit_.Text();
  auto rowAndColumn = [&](int pos, int& row, int& col) {
    row = edit_.LogicalLineFromChar(pos);
    col = cp932::TabsBeforeInLine(text, static_cast<std::size_t>(pos));
  };
  rowAndColumn(s, cellRange.firstRow, cellRange.firstCol);
  rowAndColumn(e, cellRange.lastRow, cellRange.lastCol);
  // A selection that ends right after a cell's TAB ends in that cell.
  if (cellRange.firstCol < cellRange.lastCol && text[static_cast<std::size_t>(e) - 1] == '\t') --cellRange.lastCol;

  if (cellRange.lastCol >= cellRange.firstCol) fixedBlock_ = FixedBlock{true, edit_.TextRevision(), {s, e}, std::nullopt};
}

bool EditorView::HasFixedBlock() const {
  return fixedBlock_.fixed && fixedBlock_.textRevision == edit_.TextRevision() && fixedBlock_.selection == edit_.GetSel();
}

// The walk over the block's rows is done once for a fixed block and kept
// while the block's cells and the widths the walk used stay the same; each
// paint only places the kept extent on the screen.
Rect EditorView::BlockHighlight() const {
  if (!HasFixedBlock()) return Rect{};
  const BlockExtent::Key key{cellRange, edit_.Advance(0, "\t"), edit_.Layout().AverageCharWidth()};
  if (!fixedBlock_.extent || fixedBlock_.extent->key != key) fixedBlock_.extent = CellBlockExtent(cellRange, key);
  return ScreenRectOf(*fixedBlock_.extent);
}

Rect EditorView::CellBlockRect(const CellRange& cells) const {
  return ScreenRectOf(CellBlockExtent(cells, {cells, 0, 0}));
}

EditorView::BlockExtent EditorView::CellBlockExtent(const CellRange& cells, const BlockExtent::Key& key) const {
  BlockExtent extent{key};
  if (cells.Columns() <= 0 || cells.Rows() <= 0 || cells.firstRow >= edit_.LogicalLineCount()) return extent;
  const std::string_view text = edit_.Text();
  const int lastRow = std::min(cells.lastRow, edit_.LogicalLineCount() - 1);
  int left = -1;
  int right = -1;
  for (int row = cells.firstRow; row <= lastRow; ++row) {
    const int begin = edit_.LogicalLineStart(row);
    const int end = row + 1 < edit_.LogicalLineCount() ? edit_.LogicalLineStart(row + 1) : edit_.GetTextLength();
    // x of the start of the block's first column and of the cell after its
    // last, walking the row as the control lays it out.
    int x = 0;
    int col = 0;
    int rowLeft = cells.firstCol == 0 ? 0 : -1;
    int rowRight = -1;
    for (int pos = begin; pos < end && rowRight < 0;) {
      const int len = static_cast<int>(cp932::CharLen(text, static_cast<std::size_t>(pos)));
      const std::string_view ch = text.substr(static_cast<std::size_t>(pos), static_cast<std::size_t>(len));
      if (ch == "\r" || ch == "\n") break;
      x = edit_.Advance(x, ch);
      pos += len;
      if (ch != "\t") continue;
      ++col;
      if (col == cells.firstCol) rowLeft = x;
      if (col == cells.lastCol + 1) rowRight = x;
    }
    // The row's last cell reaches the next tab stop, as would the cells it lacks.
    while (rowRight < 0) {
      x = edit_.Advance(x, "\t");
      ++col;
      if (col == cells.firstCol) rowLeft = x;
      if (col == cells.lastCol + 1) rowRight = x;
    }
    left = left < 0 ? rowLeft : std::min(left, rowLeft);
    right = std::max(right, rowRight);
  }
  extent.left = left;
  extent.right = right;
  extent.lastRow = lastRow;
  extent.valid = true;
  return extent;
}

Rect EditorView::ScreenRectOf(const BlockExtent& extent) const {
  if (!extent.valid) return Rect{};
  const CellRange& cells = extent.key.cells;
  const int left = extent.left;
  const int right = extent.right;
  const int lastRow = extent.lastRow;
  const Rect format = edit_.GetRect();
  const int lh = LineHeight();
  const int firstLine = edit_.LineFromChar(edit_.LogicalLineStart(cells.firstRow));
  const int lastLine = lastRow + 1 < edit_.LogicalLineCount()
                           ? edit_.LineFromChar(edit_.LogicalLineStart(lastRow + 1)) - 1
                           : edit_.LineCount() - 1;
  const int x0 = format.left - edit_.HorizontalScroll();
  const int y0 = format.top - edit_.FirstVisibleLine() * lh;
  const Rect block{std::max(format.left, x0 + left), std::max(format.top, y0 + firstLine * lh),
                   std::min(format.right, x0 + right), std::min(format.bottom, y0 + (lastLine + 1) * lh)};
  if (block.Width() <= 0 || block.Height() <= 0) return Rect{};
  return block;
}

// A change that leaves no CR LF in a text whose line ends had been given CR LF
// (or that had none) is given CR LF at once, before its snapshot is taken, so
// the conversion is part of the change's undo step and never depends on when
// the next update notification comes. A text the rule left as it was (past
// the size limit with CR LF) stays so.
// Runs on every recorded keystroke, so it searches bytes directly: CR and LF
// are never the second byte of a double-byte character.
void EditorView::NormaliseLineEndsOfChange() {
  if (edit_.ContainsCrLf()) return;  // the usual case, at once
  if (edit_.LogicalLineCount() == 1 && edit_.Text().find('\r') == std::string_view::npos) return;  // no line end
  const std::string before = history_.CurrentText();
  const bool beforeHadLineEnds = before.find_first_of("\r\n") != std::string_view::npos;
  const bool beforeHeldLoneLineEndsOnly = beforeHadLineEnds && before.find("\r\n") == std::string_view::npos;
  if (!beforeHeldLoneLineEndsOnly) NormaliseLineEnds();
}

// A text that CR LF would push past the control's limit keeps its line ends:
// saved as it is, the file can always be opened again. The selection (its
// anchor and caret, each moved past the bytes added before it), the first
// visible line and the horizontal scroll stay where they were: a change the
// user typed leaves the caret where typing put it.
void EditorView::NormaliseLineEnds() {
  // Most texts hold CR LF; they are not copied.
  if (cp932::Find(edit_.Text(), "\r\n") != cp932::npos) return;
  std::string text = edit_.GetText();
  if (!line_ends::NormaliseDocument(text) || text.size() > static_cast<std::size_t>(edit_.LimitText())) return;
  // The old text had no CR LF, so the converted byte (LF or CR) is the one of
  // them it held: each gained one byte, and neither can be the second byte of
  // a double-byte character.
  const std::string_view old = edit_.Text();
  const char converted = cp932::Find(old, '\n') != cp932::npos ? '\n' : '\r';
  const auto moved = [&](int pos) {
    const auto end = old.begin() + std::clamp(pos, 0, static_cast<int>(old.size()));
    return pos + static_cast<int>(std::count(old.begin(), end, converted));
  };
  const int anchor = moved(edit_.Anchor()), caret = moved(edit_.Caret());
  const int firstVisible = edit_.FirstVisibleLine();
  const int hScroll = edit_.HorizontalScroll();
  edit_.SetText(std::move(text));
  edit_.LineScroll(0, firstVisible);
  edit_.SetHorizontalScroll(hScroll);
  edit_.SetSel(anchor, caret);
}
