#include "table/TableRewrite.h"

#include <utility>

#include "editor/EditorView.h"

namespace table_rewrite {

bool Begin(EditorView& view, std::string text, Options options) {
  EditBuffer& edit = view.Edit();
  if (text == edit.Text()) return false;
  if (options.recordSelection) view.RecordSelectionInSnapshot();
  view.SetAutoSnapshot(false);
  const int firstVisible = edit.FirstVisibleLine();
  view.workText = std::move(text);
  edit.SetText(view.workText);
  if (options.keepScroll) edit.LineScroll(0, firstVisible);
  return true;
}

void PlaceCaret(EditorView& view, int pos) {
  view.Edit().SetSel(pos, pos);
  view.Edit().ScrollCaret();
}

void Finish(EditorView& view) {
  view.SetAutoSnapshot(true);
  view.PushUndoSnapshot();
}

void SetTextAsTyped(EditorView& view, const std::string& text, const std::vector<std::pair<int, int>>& typed) {
  EditBuffer& edit = view.Edit();
  const int firstVisible = edit.FirstVisibleLine();
  const int hScroll = edit.HorizontalScroll();
  edit.SetText(text);
  edit.LineScroll(0, firstVisible);
  edit.SetHorizontalScroll(hScroll);
  for (const auto& [pos, length] : typed) {
    edit.SetSel(pos, pos);
    edit.ScrollCaret();
  }
  if (typed.empty()) return;
  const int caret = typed.back().first + typed.back().second;
  edit.SetSel(caret, caret);
}

}  // namespace table_rewrite
