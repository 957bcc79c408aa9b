#include "editor/UndoStep.h"

#include "editor/EditorView.h"

UndoStep::UndoStep(EditorView& view, bool changed)
    : view_(view), changed_(changed), wasRecording_(view.History().autoSnapshot) {
  view_.History().autoSnapshot = false;
}

UndoStep::~UndoStep() {
  view_.History().autoSnapshot = wasRecording_;
  if (changed_ && wasRecording_) view_.PushUndoSnapshot();
}
