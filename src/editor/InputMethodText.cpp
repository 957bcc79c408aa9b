#include "editor/InputMethodText.h"

#include <algorithm>

#include "editor/EditorView.h"
#include "editor/UndoStep.h"
#include "text/Cp932.h"

namespace {

constexpr char16_t kReplacementCharacter = 0xFFFD;

}  // namespace

std::u16string InputMethodText::ToUtf16(std::string_view cp932) {
  std::u16string out;
  out.reserve(cp932.size());
  for (std::size_t pos = 0; pos < cp932.size();) {
    const cp932::DecodedChar c = cp932::DecodeAt(cp932, pos);
    out.push_back(c.ok && c.codePoint <= 0xFFFF ? static_cast<char16_t>(c.codePoint) : kReplacementCharacter);
    pos += std::max<std::size_t>(1, c.len);
  }
  return out;
}

int InputMethodText::Utf16Length(std::string_view cp932) {
  int units = 0;
  for (std::size_t pos = 0; pos < cp932.size(); pos = cp932::Next(cp932, pos)) ++units;
  return units;
}

std::optional<std::size_t> InputMethodText::ByteOffsetOfUnits(std::string_view cp932, int units) {
  if (units < 0) return std::nullopt;
  std::size_t pos = 0;
  for (int u = 0; u < units; ++u) {
    if (pos >= cp932.size()) return std::nullopt;
    pos = cp932::Next(cp932, pos);
  }
  return pos;
}

// Read from the line index and the line's own bytes: the input method asks
// at every key, and the whole text must not be made one run for it.
std::pair<int, int> InputMethodText::CaretLine() const {
  const EditBuffer& e = view_.Edit();
  const int line = e.LogicalLineFromChar(e.Caret());
  const int start = e.LogicalLineStart(line);
  if (line + 1 >= e.LogicalLineCount()) return {start, e.GetTextLength()};
  int end = e.LogicalLineStart(line + 1) - 1;  // at the LF
  if (end > start && e.At(end - 1) == '\r') --end;
  return {start, end};
}

InputMethodText::Surrounding InputMethodText::AroundCaret() const {
  const EditBuffer& e = view_.Edit();
  // Plain variables, not a structured binding: the lambda below captures them.
  const std::pair<int, int> caretLine = CaretLine();
  const int lineStart = caretLine.first;
  const std::string_view lineBytes = e.Slice(caretLine.first, caretLine.second);
  int start = caretLine.first;
  int end = caretLine.second;
  const int caret = e.Caret();
  // A very long line is told in part: the input method asks again at every
  // caret move, and needs no more than the words around the caret.
  if (caret - start > kSurroundingBytes)
    start = lineStart + static_cast<int>(cp932::SnapBack(lineBytes, static_cast<std::size_t>(caret - kSurroundingBytes - lineStart), 0));
  if (end - caret > kSurroundingBytes) {
    std::size_t pos = static_cast<std::size_t>(caret - lineStart);
    while (pos < static_cast<std::size_t>(caret + kSurroundingBytes - lineStart)) pos = cp932::Next(lineBytes, pos);
    end = lineStart + static_cast<int>(pos);
  }
  const std::string_view line = lineBytes.substr(static_cast<std::size_t>(start - lineStart), static_cast<std::size_t>(end - start));
  auto unitsTo = [&](int pos) {
    pos = std::clamp(pos, start, end);
    return Utf16Length(line.substr(0, static_cast<std::size_t>(pos - start)));
  };
  return {ToUtf16(line), unitsTo(caret), unitsTo(e.Anchor())};
}

std::u16string InputMethodText::Selection() const {
  const EditBuffer& e = view_.Edit();
  const auto [start, end] = e.GetSel();
  return ToUtf16(e.Slice(start, end));
}

bool InputMethodText::Commit(std::string_view utf8Commit, int replaceStart, int replaceLength) {
  EditBuffer& e = view_.Edit();
  if (e.IsReadOnly()) return false;
  if (utf8Commit.empty() && replaceStart == 0 && replaceLength <= 0) return false;
  // Undo brings the selection back as it was, the reconverted word selected.
  view_.RecordSelectionInSnapshot();
  UndoStep step(view_, UndoStep::Start::Unchanged);
  bool replaced = false;
  if (const auto [s, en] = e.GetSel(); s != en) {
    e.ReplaceSel("");
    replaced = true;
  }
  if (replaceStart != 0 || replaceLength > 0) {
    const auto [start, end] = CaretLine();
    const std::string_view line = e.Slice(start, end);
    const int cursor = Utf16Length(line.substr(0, static_cast<std::size_t>(e.Caret() - start)));
    const auto from = ByteOffsetOfUnits(line, cursor + replaceStart);
    const auto to = replaceLength < 0 ? std::nullopt : ByteOffsetOfUnits(line, cursor + replaceStart + replaceLength);
    if (from && to) {
      e.SetSel(start + static_cast<int>(*from), start + static_cast<int>(*to));
      if (*to > *from) {
        e.ReplaceSel("");
        replaced = true;
      }
    }
  }
  const int lengthBefore = e.GetTextLength();
  const int caretBefore = e.Caret();
  if (!utf8Commit.empty()) {
    const std::string committed = cp932::FromUtf8(utf8Commit);
    // What the commit replaced is gone already: in overwrite mode it does not
    // take the place of what follows as well.
    const bool overwrite = !view_.modes.insert;
    if (replaced && overwrite) view_.modes.insert = true;
    view_.OnImeCommit(committed);
    if (replaced && overwrite) view_.modes.insert = false;
  }
  const bool changed = replaced || e.GetTextLength() != lengthBefore || e.Caret() != caretBefore;
  step.SetChanged(changed);
  e.ScrollCaret();
  return changed;
}
