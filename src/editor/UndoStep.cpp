#include "editor/UndoStep.h"

#include "editor/EditorView.h"

UndoStep::UndoStep(EditorView& view, Start start)
    : view_(view), changed_(start == Start::Changed), wasRecording_(view.History().autoSnapshot) {
  view_.History().autoSnapshot = false;
}

UndoStep::~UndoStep() {
  view_.History().autoSnapshot = wasRecording_;
  if (changed_ && wasRecording_) view_.PushUndoSnapshot();
}
