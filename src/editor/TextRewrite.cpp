#include "editor/TextRewrite.h"

#include <algorithm>
#include <utility>

#include "editor/EditorView.h"

TextRewrite::TextRewrite(EditorView& view) : view_(view), step_(view, UndoStep::Start::Unchanged) {}

// `Text` is a std::string_view (copied into the control) or a std::string
// rvalue (handed over).
template <typename Text>
bool TextRewrite::Replace(Text&& text, Options options) {
  EditBuffer& edit = view_.Edit();
  if (std::string_view(text) == std::string_view(edit.Text())) return false;
  step_.SetChanged(true);
  if (options.recordSelection) view_.RecordSelectionInSnapshot();
  const int firstVisible = edit.FirstVisibleLine();
  edit.SetText(std::forward<Text>(text));
  if (options.keepScroll) edit.LineScroll(0, firstVisible);
  return true;
}

bool TextRewrite::ReplaceText(std::string_view text, Options options) { return Replace(text, options); }

bool TextRewrite::ReplaceRange(int start, int end, std::string_view with, Options options) {
  EditBuffer& edit = view_.Edit();
  end = std::clamp(end, 0, edit.GetTextLength());
  start = std::clamp(start, 0, end);
  if (edit.Slice(start, end) == with) return false;
  step_.SetChanged(true);
  if (options.recordSelection) view_.RecordSelectionInSnapshot();
  const int firstVisible = edit.FirstVisibleLine();
  edit.RewriteRange(start, end, with);
  if (options.keepScroll) edit.LineScroll(0, firstVisible);
  return true;
}

bool TextRewrite::ReplaceOwnText(std::string&& text, Options options) { return Replace(std::move(text), options); }

void TextRewrite::ReplaceTextAsTyped(std::string_view text, const std::vector<std::pair<int, int>>& typed) {
  ReplaceAsTyped(text, typed);
}

void TextRewrite::ReplaceOwnTextAsTyped(std::string&& text, const std::vector<std::pair<int, int>>& typed) {
  ReplaceAsTyped(std::move(text), typed);
}

template <typename Text>
void TextRewrite::ReplaceAsTyped(Text&& text, const std::vector<std::pair<int, int>>& typed) {
  step_.SetChanged(true);
  EditBuffer& edit = view_.Edit();
  const int firstVisible = edit.FirstVisibleLine();
  const int hScroll = edit.HorizontalScroll();
  edit.SetText(std::forward<Text>(text));
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

void TextRewrite::TypeAt(int pos, std::string_view text) {
  step_.SetChanged(true);
  TypeAsUser(view_, pos, pos, text);
}

void TextRewrite::TypeAsUser(EditorView& view, int start, int end, std::string_view text) {
  EditBuffer& edit = view.Edit();
  edit.SetSel(start, end);
  edit.ScrollCaret();
  edit.ReplaceSel(text);
}

void TextRewrite::PlaceCaret(int pos) {
  view_.Edit().SetSel(pos, pos);
  view_.Edit().ScrollCaret();
}
