// UndoStep: a command's change to the text recorded as exactly one undo step.
//
// While a step is open the control's changes are not recorded one by one
// (the automatic snapshots are off); when it closes, recording goes back to
// what it was and, when the step changed the text, one snapshot of the result
// is pushed (which also marks the document modified). A step that changed
// nothing leaves the history as it was. A step opened inside another pushes
// nothing: the outer one records the change.
//
// Table and calculation commands write through TextRewrite (TextRewrite.h),
// which holds their step; a step of its own is for the editor's other commands.
#pragma once

class EditorView;

class UndoStep {
 public:
  // Whether the step counts as a change from the start: Changed for a command
  // that is about to change the text, Unchanged for one that learns on the way
  // whether it did and says so with SetChanged.
  enum class Start { Changed, Unchanged };

  explicit UndoStep(EditorView& view, Start start = Start::Changed);
  ~UndoStep();
  UndoStep(const UndoStep&) = delete;
  UndoStep& operator=(const UndoStep&) = delete;

  void SetChanged(bool changed) { changed_ = changed; }
  bool Changed() const { return changed_; }

 private:
  EditorView& view_;
  bool changed_;
  bool wasRecording_;
};
