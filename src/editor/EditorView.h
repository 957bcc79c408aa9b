// EditorView: the view of one pane: the text control, its modes and every
// command that acts on the text.
//
// The view owns its EditBuffer and undo history and holds the modes of the
// pane (table mode, editor mode, word wrap, tab width, line-number mode), the
// table selection and cell block, and the idle-pass redraw requests. It knows
// the rest of the program only through references given at construction: the
// settings store, the document, the UI host (dialogs and message boxes) and the
// clipboard. Nothing here draws; the window reads the view's state and paints.
//
// Input arrives as the control would get it: key down, character, key up, mouse
// button down, move and release. Key down looks up accelerators first; a
// change reported by the buffer goes to the undo history at once.
#pragma once

#include <set>
#include <string>
#include <utility>

#include "editor/CalcState.h"
#include "buffer/EditBuffer.h"
#include "platform/UiHost.h"
#include "undo/UndoHistory.h"
#include "editor/TableClipboard.h"

class SettingsStore;
class CommandLine;
class Document;

// Windows virtual-key codes, the key names of the accelerator table.
namespace vk {
constexpr int Back = 0x08, Tab = 0x09, Return = 0x0D, Shift = 0x10, Control = 0x11, Menu = 0x12;
constexpr int Prior = 0x21, Next = 0x22, End = 0x23, Home = 0x24, Left = 0x25, Up = 0x26, Right = 0x27,
              Down = 0x28, Insert = 0x2D, Delete = 0x2E, ImeProcess = 0xE5;
constexpr int F3 = 0x72, F6 = 0x75;
}  // namespace vk

// A block of table cells, all bounds inclusive; empty is (0, 0, -1, -1).
struct CellRange {
  int firstCol = 0;
  int firstRow = 0;
  int lastCol = -1;
  int lastRow = -1;
  int Columns() const { return lastCol - firstCol + 1; }
  int Rows() const { return lastRow - firstRow + 1; }
  bool operator==(const CellRange&) const = default;
};

class EditorView {
 public:
  EditorView(SettingsStore& settings, const CommandLine& commandLine, Document& doc, UiHost& host,
             ClipboardPort& clipboard);

  EditBuffer& Edit() { return edit_; }
  const EditBuffer& Edit() const { return edit_; }
  UndoHistory& History() { return history_; }
  Document& Doc() { return doc_; }
  SettingsStore& Settings() { return settings_; }
  UiHost& Host() { return host_; }
  ClipboardPort& Clipboard() { return clipboard_; }
  const CommandLine& Commands() const { return commandLine_; }

  ~EditorView();  // leaves the document's view list

  // ---- document attachment and update hints
  void OnInitialUpdate();
  void OnUpdate(int hint);

  // ---- document-dependent settings (src/document/OpenTimeSettings.cpp)
  bool IsPvlFile() const;  // extension exactly ".pvl" or ".PVL"
  bool IsLogFile() const;  // extension exactly ".log" or ".LOG"
  void ApplyDirectiveLine();
  void RefreshDirectiveLine();                      // start of printing a .pvl file
  void StripCommentLines();                         // then the text's print form
  void RestoreAfterPrinting(bool textOnly = false);  // end of printing; textOnly when nothing was printed
  void NormaliseLineEnds();
  void SaveCaretPosition();

  // ---- command routing. Execute runs the command when it exists and its
  // enable rule allows it.
  enum class CommandResult { Done, Disabled, Unknown };
  CommandResult Execute(int id);
  bool IsEnabled(int id);
  bool IsChecked(int id);
  int ContextMenuResource() const { return tableMode ? 321 : 119; }

  // ---- input, in the order the control receives it
  bool OnKeyDown(int key, bool ctrl, bool shift, bool alt);  // true when an accelerator took it
  void OnChar(std::string_view cp932);                       // typed text; "\r" is Enter, "\b" Backspace
  void OnKeyUp(int key);
  void OnLButtonDown(int x, int y, bool shift);
  void OnMouseMove(int x, int y);
  void OnLButtonUp();
  void OnLButtonDblClk();  // selects the word at the caret the first click placed
  bool IsKeyDown(int key) const { return keysDown_.count(key) != 0; }

  // The idle pass; mouseAtRest tells whether the cursor is where it was at
  // the previous pass.
  void OnIdle(bool mouseAtRest);

  // ---- undo protocol of the commands that change the text themselves
  void PushUndoSnapshot();
  void RecordSelectionInSnapshot() { history_.RecordSelection(edit_); }
  void SetAutoSnapshot(bool on) { history_.autoSnapshot = on; }

  // ---- view commands
  void Undo();
  void Redo();
  void CutCommand();
  void CopyCommand();
  void PasteCommand();
  void SelectAllCommand();
  void ToggleTableMode();
  void ToggleEditorMode();
  void ToggleReadOnly();
  void TogglePhysicalLineNumbers();
  void ToggleLogicalLineNumbers();

  // Sets TableSelection and CellRange from the control's selection and asks
  // for the block to be highlighted.
  void ComputeCellRange();

  // ---- modes and state (the names the rest of the program uses)
  int tableMode = 1;
  int paneTableMode = 1;
  int editorMode = 0;
  int wordWrap = 0;
  int tabWidth = 8;
  int lineNumberMode = 1;
  int leftMargin = 10;
  int returnMark = 1;
  int decimalPlaces = 1;
  int insertMode = 1;  // 1 insert, 0 overwrite
  int caretColumnX = 0;
  int keepCaretColumn = 1;  // "Settings"/"CaretPos", read when a document is attached
  // Input method: its open state as last read, and the caret position taken
  // at each key down while it is open in overwrite mode (the start of the
  // text it is composing).
  int imeOpen = 0;
  int imeStartPos = 0;
  std::pair<int, int> tableSelection{0, 0};
  CellRange cellRange;
  std::string workText;
  TableClipboard tableClipboard;
  CalcState calc;
  std::string filePath, fileFolder, fileTitle, fileExt, fileNameExt;  // file system bytes
  // Print layout, also carried by the directive line of a .pvl file.
  int printColumns = 1;
  int printMarginStep = 1;
  int printFontHeight = -16;  // height of the print font; 0 = none

  // Idle-pass redraw requests.
  bool redrawLineNumbers = false;
  bool redrawColouring = false;
  bool recreateCaret = false;
  bool refreshImeMark = false;
  bool drawingEnabled = false;

  // The block the last mouse release highlighted, in client coordinates;
  // empty (Width() <= 0) when none. The window inverts it until the next repaint.
  Rect blockHighlight;

  int LineHeight() const { return edit_.Layout().LineHeight(); }

 private:
  void OnEditChange();
  void ApplyTabStops();
  void ApplyWordWrap(bool wrap);
  void ApplyLeftMargin();
  void RestoreRememberedCaret();

  SettingsStore& settings_;
  const CommandLine& commandLine_;
  Document& doc_;
  UiHost& host_;
  ClipboardPort& clipboard_;
  EditBuffer edit_;
  UndoHistory history_;
  std::set<int> keysDown_;
  bool mouseDown_ = false;
};
