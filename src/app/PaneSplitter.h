// PaneSplitter: the main window's panes: one view, or two views of the same
// document split into two rows or two columns.
//
// Pane 0 is the upper (or left) pane; pane 1, while split, the lower (or
// right) one. Each pane is an EditorView with its own copy of the text; the
// document's view list holds exactly the live panes, the most recently
// synchronised one first, so the document reads and writes the text of the
// pane the user last worked in. Every rule of splitting lives here (which pane
// goes, where each pane scrolls to, where the caret goes, how the modified
// flag and the undo history carry over, how the panes are kept alike by the
// idle pass); the window only lays out what this class decides.
//
// Geometry: the panes share a client area of the frame. A row split gives the
// upper pane half the area's lines less 5 pixels, a column split the left
// pane half the width less 18 pixels; any later resize makes both halves
// equal. Pane sizes are applied to the views' buffers here, so the rules work
// without a window; the window's own widgets refine them to their viewports.
//
// Lifetime: a pane that is removed leaves the document at once (and
// onPaneRemoved is told), but its view is released only by
// ReleaseRemovedPane(s), since the command that removes it may be running
// inside it. The first view is
// given by whoever builds the window and stays theirs; panes made later are
// made by the factory and owned here.
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "platform/Geometry.h"

class Document;
class EditorView;

class PaneSplitter {
 public:
  enum class Split { None, Rows, Columns };
  using ViewFactory = std::function<std::unique_ptr<EditorView>()>;

  // `first` is the one pane until the window is split; it stays the caller's.
  PaneSplitter(Document& doc, EditorView& first, ViewFactory factory);
  ~PaneSplitter();
  PaneSplitter(const PaneSplitter&) = delete;
  PaneSplitter& operator=(const PaneSplitter&) = delete;

  // The splitter that shows `doc`, or nullptr (the frame's commands find
  // their splitter from the view they are run on).
  static PaneSplitter* Of(const Document& doc);

  Split State() const { return split_; }
  int PaneCount() const { return static_cast<int>(panes_.size()); }
  EditorView& Pane(int index) const { return *panes_[static_cast<std::size_t>(index)]; }
  EditorView& Active() const { return Pane(active_); }
  int ActiveIndex() const { return active_; }
  EditorView* LastActivePane() const { return lastActive_; }
  // Lines of pane 0 when it was last split (the gutter is sized for them).
  int SplitLineCount() const { return splitLineCount_; }

  // ---- the commands
  void ToggleRowSplit();     // cmd::SplitRows
  void ToggleColumnSplit();  // cmd::SplitColumns
  // Removes any split before the current file is left (New, Open, recent
  // files, a dropped file).
  void Unsplit();
  // Remembers the caret of the document's file: of the active pane, or,
  // when that is a read-only upper pane, of the other pane, which becomes
  // active, with the caret taken as the start of its first visible line.
  void SaveCaretPosition();
  // F6 and Shift+F6: the other pane becomes the active one.
  void ActivateOtherPane();

  // The user moved into pane `index` (the window's focus change): it becomes
  // the active pane and the panes are synchronised. The window, which moved
  // the focus itself, is not told.
  void ActivatePane(int index);
  // When the active pane is not the one last synchronised: the document's
  // first view becomes the active pane and, when the texts differ, the active
  // pane takes the other's text at its own scroll position, with the caret
  // at the start of its first visible line. The modified flag is kept. Not
  // while not split, in print preview or while pane 0 is read-only.
  void SynchronisePanes();

  // The idle pass of the active pane. While split (and the other pane's text
  // is not read-only) the other pane first follows this one: with the mouse
  // at rest its table mode, word wrap and tab width; always its undo history,
  // which becomes the longer of the two (the active one's when they are as
  // long); the insert mode is the process's, so it follows always.
  void OnIdle(bool mouseAtRest);

  // The client area the panes share, in pixels; while split, both halves
  // become equal.
  void SetClientSize(int width, int height);
  // The rectangle of each pane in the client area.
  Rect PaneRect(int index) const;

  // Releases the panes removed since the last call, or one of them.
  void ReleaseRemovedPanes();
  void ReleaseRemovedPane(EditorView* view);

  // The window's hooks: a pane was added (make its widget), is being removed
  // (drop its widget; the view stays valid until it is released), the
  // layout changed (pane sizes, or the active pane the focus should follow).
  std::function<void(EditorView&)> onPaneAdded;
  std::function<void(EditorView&)> onPaneRemoved;
  std::function<void()> onLayoutChanged;

 private:
  int HalfLines() const;
  void RemovePane(int index);
  EditorView& AddPane(int firstPaneSize);
  void SendHint(int hint, EditorView* except = nullptr);
  void ApplyGeometry();
  void AlignOtherPane(EditorView& active, EditorView& other);
  void LayoutChanged();

  Document& doc_;
  ViewFactory factory_;
  EditorView* borrowed_;                        // the caller's first view
  std::vector<EditorView*> panes_;              // pane 0, then pane 1 while split
  std::vector<std::unique_ptr<EditorView>> owned_;    // panes made by the factory
  std::vector<std::unique_ptr<EditorView>> removed_;  // removed, not yet released
  Split split_ = Split::None;
  int active_ = 0;
  EditorView* lastActive_ = nullptr;
  int splitLineCount_ = 0;
  int width_ = 640;
  int height_ = 640;
  int firstPaneSize_ = 0;  // height (rows) or width (columns) of pane 0 while split
};
