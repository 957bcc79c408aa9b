// The calculation's hook into the view's key release.
#pragma once

class EditorView;

// Runs after the view has processed a key release (overwrite after an input
// method commit, caret column, and the in-line calculation on Enter).
void OnCalcKeyUp(EditorView& view, int key);
