// UndoStep: a command's change to the text recorded as exactly one undo step.
//
// While a step is open the control's changes are not recorded one by one
// (the automatic snapshots are off); when it closes, recording goes back to
// what it was and, when the step changed the text, one snapshot of the result
// is pushed (which also marks the document modified). A step that changed
// nothing leaves the history as it was. A step opened inside another pushes
// nothing: the outer one records the change.
#pragma once

class EditorView;

class UndoStep {
 public:
  explicit UndoStep(EditorView& view, bool changed = true);
  ~UndoStep();
  UndoStep(const UndoStep&) = delete;
  UndoStep& operator=(const UndoStep&) = delete;

  void SetChanged(bool changed) { changed_ = changed; }

 private:
  EditorView& view_;
  bool changed_;
  bool wasRecording_;
};
