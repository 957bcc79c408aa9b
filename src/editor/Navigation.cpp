#include "editor/Navigation.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <string>
#include <string_view>
#include <vector>

#include "settings/AppIdentity.h"
#include "settings/SettingsStore.h"
#include "editor/EditorView.h"
#include "text/Cp932.h"

namespace navigation {

namespace {

void CaretTo(EditBuffer& e, int pos) {
  e.SetSel(pos, pos);
  e.ScrollCaret();
}

int CaretLine(const EditBuffer& e) { return e.LineFromChar(e.Caret()); }

// A screen is the rows of the whole client area, in table mode too, where the
// ruler covers the top row of it (36 without a line height to divide by).
int ScreenRows(const EditorView& view) {
  const int lineHeight = view.LineHeight();
  if (lineHeight <= 0) return 36;
  return std::max(1, view.Edit().ClientRect().Height() / lineHeight);
}

// A word ends at a character of `ascii` or at one of the fourteen full-width
// characters that end a word in every kind of file.
std::size_t FindDelimiter(std::string_view text, std::string_view ascii) {
  static const std::string fullWidth = cp932::FromUtf8("　）｝」』（｛「『、。，．？");
  return cp932::FindFirstOf(text, std::string(ascii) + fullWidth);
}

bool IsSourceFile(const std::string& ext) {
  return ext == ".cpp" || ext == ".h" || ext == ".CPP" || ext == ".H" || ext == ".tex" || ext == ".TEX";
}

}  // namespace

void TextStart(EditorView& view) { CaretTo(view.Edit(), 0); }

void TextEnd(EditorView& view) { CaretTo(view.Edit(), view.Edit().GetTextLength()); }

void LineStart(EditorView& view) { CaretTo(view.Edit(), view.Edit().LineIndex(-1)); }

// On a wrapped line the end of a display row is the start of the next one, so
// the caret stops one byte before it to stay on its row.
void LineEnd(EditorView& view) {
  EditBuffer& e = view.Edit();
  int end = e.LineIndex(-1) + e.LineLength(-1);
  if (e.LineFromChar(end) != CaretLine(e)) --end;
  CaretTo(e, end);
}

void ScreenDown(EditorView& view) {
  EditBuffer& e = view.Edit();
  const int rows = ScreenRows(view);
  const int line = CaretLine(e);
  if (e.LineCount() - line < rows + 1) {
    e.SetSel(e.GetTextLength(), e.GetTextLength());
  } else {
    e.LineScroll(0, rows);
    e.SetSel(e.LineIndex(line + rows), e.LineIndex(line + rows));
  }
  e.ScrollCaret();
}

void ScreenUp(EditorView& view) {
  EditBuffer& e = view.Edit();
  const int rows = ScreenRows(view);
  const int line = CaretLine(e);
  if (line >= rows) {
    e.LineScroll(0, -rows);
    e.SetSel(e.LineIndex(line - rows), e.LineIndex(line - rows));
  } else {
    e.SetSel(0, 0);
  }
  e.ScrollCaret();
}

DialogData JumpToLineDialog(const SettingsStore& settings) {
  DialogData d;
  d.templateId = 314;
  d.caption = "指定行ジャンプ";
  d.okLabel = "ジャンプ";
  d.cancelLabel = "キャンセル";
  d.controls = {
      MakeEdit(kJumpLineNumberId, "行番号",
               std::to_string(static_cast<unsigned>(settings.GetInt(setting::JumpLineNumber))), true)
          .Named("line-number"),
      MakeCheck(kJumpLogicalLinesId, "論理行", settings.GetInt(setting::JumpCountsLogicalLines) != 0)
          .Named("logical-lines"),
  };
  return d;
}

void JumpToLine(EditorView& view) {
  SettingsStore& settings = view.Settings();
  DialogData d = JumpToLineDialog(settings);
  if (!view.Host().RunDialog(d)) return;

  const std::string text = d.Text(kJumpLineNumberId);
  unsigned long long n = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), n);
  if (ec != std::errc() || end != text.data() + text.size() || n < 1 || n > 4294967295ULL) {
    view.Host().MessageBox(app_identity::kAppName, "1 から 4294967295 までの整数を入力してください。", MsgButtons::Ok,
                           MsgIcon::Exclamation);
    return;
  }
  EditBuffer& e = view.Edit();
  const bool countLogical = e.IsWordWrap() && d.Value(kJumpLogicalLinesId) == 1;
  int pos;
  long long target;
  if (!countLogical) {
    pos = n - 1 > static_cast<unsigned long long>(INT_MAX) ? -1 : e.LineIndex(static_cast<int>(n - 1));
    target = static_cast<long long>(n);
  } else {
    pos = n <= 1 ? 0 : n - 1 < static_cast<unsigned long long>(e.LogicalLineCount()) ? e.LogicalLineStart(static_cast<int>(n - 1)) : e.GetTextLength();
    target = e.LineFromChar(pos);
  }
  if (pos == -1) pos = e.GetTextLength();
  const int top = e.FirstVisibleLine();
  CaretTo(e, pos);
  if (top + 5 < target) e.LineScroll(0, 5);
  if (top >= target) e.LineScroll(0, -5);
  settings.WriteInt(setting::JumpLineNumber, target > INT_MAX ? INT_MAX : static_cast<int>(target));
  settings.WriteInt(setting::JumpCountsLogicalLines, d.Value(kJumpLogicalLinesId));
}

// Comments are not added to or removed from text the user cannot edit.
void AddComment(EditorView& view) {
  EditBuffer& e = view.Edit();
  if (e.IsReadOnly()) return;
  const auto [s, en] = e.GetSel();
  if (s < en) {
    const std::string selected = e.Copy(s, en);
    e.ReplaceSel("//" + cp932::ReplaceAll(selected, "\n", "\n//"));
    return;
  }
  const int caret = e.Caret();
  CaretTo(e, e.LineIndex(-1));
  e.ReplaceSel("//");
  CaretTo(e, caret + 2);
}

void RemoveComment(EditorView& view) {
  EditBuffer& e = view.Edit();
  if (e.IsReadOnly()) return;
  const auto [s, en] = e.GetSel();
  if (s >= en) return;
  e.ReplaceSel(cp932::ReplaceAll(e.Slice(s, en), "//", ""));
}

void SelectWord(EditorView& view) {
  EditBuffer& e = view.Edit();
  const int pos = e.CaretPosition().second;
  const std::string_view text = e.Text();
  const std::size_t lf = pos > 0 ? cp932::FindLast(text, '\n', static_cast<std::size_t>(pos)) : cp932::npos;
  const int col = pos - (lf == cp932::npos ? 0 : static_cast<int>(lf) + 1);
  const std::string line = e.GetLogicalLine(-1).first;
  if (col < 0 || col > static_cast<int>(line.size())) return;
  const std::string_view after = std::string_view(line).substr(static_cast<std::size_t>(col));
  const bool source = IsSourceFile(view.Doc().FileExt());

  static constexpr std::string_view kPlain = " \t\\";
  static constexpr std::string_view kSourceForward = "/*=-)]}><{[(,.;:? $\"`'\t\\";
  static constexpr std::string_view kSourceBackward = "/*=-([{<>}]) ,.;:?$\"`'\t";

  const std::size_t forward = FindDelimiter(after, source ? kSourceForward : kPlain);
  const int end = pos + static_cast<int>(forward == std::string_view::npos ? after.size() : forward);

  const std::string before = cp932::Reverse(std::string_view(line).substr(0, static_cast<std::size_t>(col)));
  const std::size_t backward = FindDelimiter(before, source ? kSourceBackward : kPlain);
  const int n = backward == std::string_view::npos ? col : static_cast<int>(backward);
  const std::size_t backslash = cp932::Find(before, '\\');
  const int l = backslash == cp932::npos ? 0 : static_cast<int>(backslash) + 1;
  const int start = (0 < l && l < n) ? pos - l : pos - n;
  e.SetSel(start, end);
  e.ScrollCaret();
}

}  // namespace navigation
