#include "table/TableRewrite.h"

#include <utility>

#include "editor/EditorView.h"

namespace table_rewrite {

TableRewrite::TableRewrite(EditorView& view, std::string text, Options options)
    : view_(view), changed_(text != view.Edit().Text()), step_(view, changed_) {
  if (!changed_) return;
  EditBuffer& edit = view.Edit();
  if (options.recordSelection) view.RecordSelectionInSnapshot();
  const int firstVisible = edit.FirstVisibleLine();
  view.workText = std::move(text);
  edit.SetText(view.workText);
  if (options.keepScroll) edit.LineScroll(0, firstVisible);
}

void TableRewrite::PlaceCaret(int pos) {
  view_.Edit().SetSel(pos, pos);
  view_.Edit().ScrollCaret();
}

void SetTextAsTyped(EditorView& view, const std::string& text, const std::vector<std::pair<int, int>>& typed) {
  EditBuffer& edit = view.Edit();
  const int firstVisible = edit.FirstVisibleLine();
  const int hScroll = edit.HorizontalScroll();
  edit.SetText(text);
  edit.LineScroll(0, firstVisible);
  edit.SetHorizontalScroll(hScroll);
  if (typed.empty()) return;
  std::vector<int> points;
  points.reserve(typed.size());
  for (const auto& [pos, length] : typed) points.push_back(pos);
  edit.ScrollCaretThrough(points);
  const int caret = typed.back().first + typed.back().second;
  edit.SetSel(caret, caret);
}

}  // namespace table_rewrite
