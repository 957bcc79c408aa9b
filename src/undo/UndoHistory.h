// UndoHistory: the editor's own list of whole-text snapshots.
//
// Every snapshot i (0..top) answers "the whole text at step i" together with
// the first visible line, the selection and the saved mark it had. Snapshot 0
// is the text the view was initialised with. `current` is the snapshot equal
// to the text shown; undo and redo move it; a push after an undo overwrites
// the snapshot at the new `current` but keeps the ones above it, so `top`
// never decreases.
//
// Storage (SnapshotStore.h has the details): a snapshot stores only the
// changed middle of its text against the snapshot before it, and every so
// often a full text held as shared, immutable chunks, so memory follows the
// size of the edits, not the text size times the number of steps. Copying a
// history (two panes) shares the stored snapshots instead of copying them.
// Undo and redo into the buffer the history last marked, untouched since,
// replace only the bytes the two snapshots do not share; any other buffer
// gets the whole text.
//
// Capacity: 65,535 snapshots. The push that would need a 65,536th drops the
// oldest one and goes on recording.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <utility>

class EditBuffer;
class SnapshotStore;

class UndoHistory {
 public:
  static constexpr std::uint32_t kCapacity = 65535;

  UndoHistory();
  ~UndoHistory();
  UndoHistory(const UndoHistory&);             // cheap: shares the stored snapshots
  UndoHistory& operator=(const UndoHistory&);  // cheap as well

  // Initialisation for a newly opened or created document: current = top = 0,
  // snapshot 0 = the buffer's text and selection, first visible line 0,
  // saved mark set, AutoSnapshot = 1.
  void Restart(const EditBuffer& buffer);

  // PushUndoSnapshot without its side effects on the document and focus: the
  // caller sets the document's modified flag (always true after a push).
  void Push(const EditBuffer& buffer);

  // Stores the buffer's selection into the current snapshot.
  void RecordSelection(const EditBuffer& buffer);

  // The change-notification rule. `backspaceOrDeleteDown` is the key state at
  // the moment of the notification. Returns true when it pushed a snapshot.
  bool OnChange(const EditBuffer& buffer, bool backspaceOrDeleteDown);
  // Whether OnChange would push a snapshot for the buffer as it is now: a
  // caller that completes the change first (the view's line ends) asks this,
  // completes it and pushes.
  bool RecordsChange(const EditBuffer& buffer, bool backspaceOrDeleteDown) const;

  // Undo: stores the buffer's selection into the snapshot it leaves, moves to
  // current - 1 and puts that snapshot into the buffer (text, first visible
  // line, selection, caret scrolled into view). Returns false at snapshot 0.
  bool Undo(EditBuffer& buffer);
  // Redo: the same upwards, without storing the selection it leaves.
  bool Redo(EditBuffer& buffer);
  // Puts the current snapshot back into the buffer (text, first visible
  // line, selection): takes back a change that must not stay, the history
  // unchanged.
  void Revert(EditBuffer& buffer) const { Restore(buffer, current_); }

  bool CanUndo() const { return current_ > 0; }
  bool CanRedo() const { return current_ < top_; }

  // After a save: only the current snapshot carries the saved mark.
  void MarkSaved();
  // True when the current snapshot is the text last saved or loaded; after
  // undo or redo the document's modified flag is the negation of this.
  bool CurrentIsSaved() const;

  // Idle pass with the mouse at rest and a non-empty selection: the current
  // snapshot takes the buffer's first visible line and selection.
  void TrackSelection(const EditBuffer& buffer);

  // Two panes: the history with the greater top wins; on equal top, `active`
  // (the pane running the idle pass) wins. Afterwards both are equal.
  static void Equalise(UndoHistory& active, UndoHistory& other);

  std::uint32_t Current() const { return current_; }
  std::uint32_t Top() const { return top_; }
  bool autoSnapshot = true;

  // Read access to any snapshot 0..top.
  std::string TextAt(std::uint32_t i) const;
  // The current snapshot's text.
  std::string CurrentText() const;
  int FirstVisibleLineAt(std::uint32_t i) const;
  std::pair<int, int> SelectionAt(std::uint32_t i) const;
  bool SavedMarkAt(std::uint32_t i) const;

  // Bytes held by the stored snapshots (for the memory benchmark).
  std::size_t MemoryBytes() const;

 private:
  static constexpr std::int64_t kNotSaved = -1;

  // Puts the current snapshot into the buffer, which held snapshot `from`
  // when it was last marked.
  void Restore(EditBuffer& buffer, std::uint32_t from) const;
  // Puts the current snapshot's text into a buffer that holds the text of
  // snapshot `from` untouched since the mark, replacing only the bytes the
  // two texts do not share. False, with nothing done, when that is not known
  // or not worth it.
  bool RestoreChangedSpan(EditBuffer& buffer, std::uint32_t from) const;
  // The buffer now holds the current snapshot's text: its edits from here
  // on tell the next Push which bytes to compare.
  void MarkCurrent(const EditBuffer& buffer) const;
  // Gives this history a store of its own before it changes one (the other
  // pane may share it).
  void MakeUnique();

  std::shared_ptr<SnapshotStore> store_;  // snapshots 0..top_
  std::uint32_t current_ = 0;
  std::uint32_t top_ = 0;
  // The one snapshot that carries the saved mark, or kNotSaved: marking a
  // snapshot clears all others, so at most one ever has it.
  std::int64_t saved_ = 0;
  // The buffer last marked as holding the current snapshot's text; a push
  // from any other buffer (the other pane, a copied history) compares whole.
  mutable const EditBuffer* markedBuffer_ = nullptr;
  // Its text revision at the mark: equal still, it holds that text exactly.
  mutable std::uint64_t markedRevision_ = 0;
};
