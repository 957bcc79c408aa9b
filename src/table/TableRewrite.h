// TableRewrite: how a column or block command writes its rebuilt text back so
// that the change is exactly one undo step.
//
// The command first builds the whole new text (one pass over the rows, see
// TableGrid.h) and only then touches the control: a TableRewrite records the
// user's selection in the current snapshot when the command asks for it, opens
// an undo step and puts the new text into WorkText and the control; the
// command then places the caret; the step closes with the object and pushes
// the one snapshot. When the new text equals the old one (nothing to change,
// or an edit that removed an empty last cell), nothing happens, Changed() is
// false and the command ends there: the text, the caret and the undo history
// stay as they were.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "editor/UndoStep.h"

class EditorView;

namespace table_rewrite {

struct Options {
  bool recordSelection = false;  // RecordSelectionInSnapshot before the change
  // Keep the first visible line, as edits typed into the control do (SetText
  // alone scrolls back to the top).
  bool keepScroll = false;
};

class TableRewrite {
 public:
  TableRewrite(EditorView& view, std::string text, Options options);
  bool Changed() const { return changed_; }
  // Caret (empty selection) at pos, scrolled into view.
  void PlaceCaret(int pos);

 private:
  EditorView& view_;
  bool changed_;
  UndoStep step_;
};

// Puts `text` into the control as if each cell of `typed` (position in the new
// text, length) had been typed into the old text in turn: the first visible
// line and horizontal scroll are kept, the caret visits every insertion point
// so the view scrolls as typing would, and ends after the last one.
void SetTextAsTyped(EditorView& view, const std::string& text, const std::vector<std::pair<int, int>>& typed);

}  // namespace table_rewrite
