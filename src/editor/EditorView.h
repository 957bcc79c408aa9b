// EditorView: the view of one pane: the text control, its modes and every
// command that acts on the text.
//
// The view owns its EditBuffer and undo history and holds the modes of the
// pane (ViewModes), the print layout, the table selection and cell block,
// and the idle-pass redraw requests (RedrawRequests). A subsystem keeps its
// own state of the view (the table clipboard, the calculation's pending
// formula, the find bars) as an Extension made on first use. It knows
// the rest of the program only through references given at construction: the
// settings store, the command line, the command table, the document (as a
// ViewDocument), the UI host (dialogs and message boxes) and the clipboard.
// Nothing here draws; the window reads the view's state and paints.
//
// Input arrives as the control would get it: key down, character, key up, mouse
// button down, move and release (EditorViewInput.cpp). Key down looks up
// accelerators first; a change reported by the buffer goes to the undo history
// at once.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <utility>

#include "buffer/EditBuffer.h"
#include "editor/ImeState.h"
#include "editor/KeyCodes.h"
#include "editor/PrintLayout.h"
#include "editor/RedrawRequests.h"
#include "editor/ViewExtension.h"
#include "editor/ViewDocument.h"
#include "editor/ViewEnums.h"
#include "editor/ViewModes.h"
#include "platform/UiHost.h"
#include "settings/ColourScheme.h"
#include "undo/UndoHistory.h"

class SettingsStore;
class CommandLine;
class CommandTable;

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
  EditorView(SettingsStore& settings, const CommandLine& commandLine, const CommandTable& commands,
             ViewDocument& doc, UiHost& host, ClipboardPort& clipboard);

  EditBuffer& Edit() { return edit_; }
  const EditBuffer& Edit() const { return edit_; }
  UndoHistory& History() { return history_; }
  ViewDocument& Doc() { return doc_; }
  const ViewDocument& Doc() const { return doc_; }
  SettingsStore& Settings() { return settings_; }
  UiHost& Host() { return host_; }
  ClipboardPort& Clipboard() { return clipboard_; }
  const CommandLine& Args() const { return commandLine_; }
  const CommandTable& Commands() const { return commands_; }

  ~EditorView();  // leaves the document's view list

  // ---- document attachment and update hints
  void OnInitialUpdate();
  void OnUpdate(UpdateHint hint);

  // ---- text steps of the update hints and the document's set-up
  // Gives a text without CR LF CR LF line ends (LineEnds.h), keeping the
  // selection and the scroll position.
  void NormaliseLineEnds();
  // The same for the change about to be recorded as an undo step, so that the
  // conversion is part of that step.
  void NormaliseLineEndsOfChange();
  // Tab stops from modes.tabWidth; word wrap switched keeping the first visible
  // line and the selection.
  void ApplyTabStops();
  void ApplyWordWrap(bool wrap);

  // ---- command routing. Execute runs the command when it exists and its
  // enable rule allows it.
  enum class CommandResult { Done, Disabled, Unknown };
  CommandResult Execute(int id);
  bool IsEnabled(int id);
  bool IsChecked(int id);
  ContextMenu ContextMenuResource() const { return modes.table ? ContextMenu::Table : ContextMenu::Edit; }

  // ---- input, in the order the control receives it
  bool OnKeyDown(int key, bool ctrl, bool shift, bool alt);  // true when an accelerator took it
  void OnChar(std::string_view cp932);                       // typed text; "\r" is Enter, "\b" Backspace
  void OnKeyUp(int key);
  // One key press as the keyboard delivers it: key down (an accelerator takes
  // the key first), then the text the key types, unless an accelerator took it
  // or Ctrl or Alt changes it. Enter, Backspace and TAB type "\r", "\b" and
  // "\t"; other keys type `text` (CP932, "" for none). The caret is kept in
  // view after typing. True when an accelerator took the key; the release is
  // OnKeyUp, as the keyboard sends it.
  bool PressKey(int key, bool ctrl, bool shift, bool alt, std::string_view text = {});
  // Typing: each character pressed and released as its key ("\r" or "\n" is
  // Enter, "\b" Backspace, "\t" TAB, a letter or digit its own key).
  void TypeKeys(std::string_view cp932Text);
  static int KeyOfCharacter(std::string_view ch);
  // Text the input method commits. In insert mode it is typed as one change;
  // in overwrite mode it is inserted whole and then takes the place of as
  // many bytes after it as it occupies, within its line.
  void OnImeCommit(std::string_view cp932Text);
  void OnMousePress(int x, int y, bool shift);
  void OnMouseMove(int x, int y);
  void OnMouseRelease();
  void OnDoubleClick();  // selects the word at the caret the first click placed
  bool IsKeyDown(int key) const { return keysDown_.count(key) != 0; }

  // The idle pass; mouseAtRest tells whether the cursor is where it was at
  // the previous pass.
  void OnIdle(bool mouseAtRest);

  // ---- undo: a command that changes the text itself records its change
  // through an UndoStep (editor/UndoStep.h), which pushes the one snapshot.
  void PushUndoSnapshot();
  // Takes back a change that made the text longer than the control's size
  // limit (the current snapshot goes back into the control) and says so;
  // false when the text is within the limit.
  bool RefuseOversizedText();
  // The message of every change refused for the size limit, naming the limit.
  std::string TextTooLongMessage() const;
  void RecordSelectionInSnapshot() { history_.RecordSelection(edit_); }

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
  // The client rectangle the cells of `cells` cover, cut to the formatting
  // rectangle (never over the gutter or the ruler row); empty when none of it
  // is in view. A cell runs from where it starts (the row's start, or the tab
  // stop its TAB reached) to where the next cell starts; cells a row lacks
  // are one tab stop wide. Rows whose cells stand at different stops give the
  // rectangle around all of them. Rows are the table's lines, laid out
  // without word wrap as table mode shows them.
  Rect CellBlockRect(const CellRange& cells) const;

  // ---- modes and state (the names the rest of the program uses)
  ViewModes modes;
  int leftMargin = 10;
  // Characters of the gutter label "  N:" the margin was last sized for.
  int gutterLabelLength = 0;
  int decimalPlaces = 1;  // of the numbers the table and calculation commands write
  int caretColumnX = 0;   // the x that vertical moves keep (modes.keepCaretColumn)
  ImeState ime;
  std::pair<int, int> tableSelection{0, 0};
  CellRange cellRange;
  PrintLayout print;  // also carried by the directive line of a .pvl file

  // Colours of the text and of the overlay, read when the view is built and
  // changed only by the colour dialog.
  ColourScheme colours;
  // Counts the display font changes the view was told of; the window builds
  // a new font when it moves on.
  int displayFontSerial = 0;

  RedrawRequests redraw;

  // The cell block the window inverts, in client coordinates: the cells of
  // cellRange as the last mouse release in table mode fixed them, where they
  // stand now, for as long as the text and the selection are those of that
  // release and no key or click came since; empty (Width() <= 0) otherwise.
  // Nothing of it is remembered as pixels: each paint asks again, so once the
  // text changes no part of the old block stays on screen.
  Rect BlockHighlight() const;
  // Whether that block is fixed now (also when it is scrolled out of view).
  // The selection is then shown by the block alone: the window draws none of
  // the plain selection, whose run of bytes covers cells outside the block.
  bool HasFixedBlock() const;

  int LineHeight() const { return edit_.Layout().LineHeight(); }

  // The view's state of the subsystem that owns T, made on first use.
  template <class T>
  T& Extension() {
    static const char key = 0;  // one address per T
    std::unique_ptr<ViewExtension>& slot = extensions_[&key];
    if (!slot) slot = std::make_unique<T>();
    return static_cast<T&>(*slot);
  }

 private:
  void OnEditChange();
  void TypeOrBeep(std::string_view cp932Text);
  void ApplyLeftMargin();
  // The gutter label for the largest number the gutter shows, and its width.
  std::string GutterLabel() const;
  // Key-release steps of the view itself, before the subsystems' handlers.
  // In overwrite mode, a text the input method committed with Enter takes the
  // place of as many bytes after it as it occupies, never beyond its line.
  void OverwriteAfterImeCommit(int key);
  // With caret-column keeping on, typing and horizontal keys remember the
  // caret's x for the vertical moves that follow.
  void RememberCaretColumn(int key);

  SettingsStore& settings_;
  const CommandLine& commandLine_;
  const CommandTable& commands_;
  ViewDocument& doc_;
  UiHost& host_;
  ClipboardPort& clipboard_;
  EditBuffer edit_;
  UndoHistory history_;
  // What the last mouse release in table mode fixed the block for; the block
  // shows while the text and the selection are still these.
  // The block's columns as x from the start of a row, and its last row,
  // found by walking its rows; `key` says what the walk depended on besides
  // the text (the cells, a TAB's width, the average character width).
  struct BlockExtent {
    struct Key {
      CellRange cells;
      int tabWidth = 0;
      int charWidth = 0;
      bool operator==(const Key&) const = default;
    };
    Key key;
    bool valid = false;  // false: no row of the block is in the text
    int left = 0;
    int right = 0;
    int lastRow = 0;
  };
  BlockExtent CellBlockExtent(const CellRange& cells, const BlockExtent::Key& key) const;
  Rect ScreenRectOf(const BlockExtent& extent) const;

  struct FixedBlock {
    bool fixed = false;
    std::uint64_t textRevision = 0;
    std::pair<int, int> selection{0, 0};
    mutable std::optional<BlockExtent> extent;  // kept from the last paint
  };
  FixedBlock fixedBlock_;
  std::set<int> keysDown_;
  bool mouseDown_ = false;
  std::map<const void*, std::unique_ptr<ViewExtension>> extensions_;
};
