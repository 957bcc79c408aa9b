// InputMethodText: the caret's logical line as an input method sees it, and
// the input method's edits applied to the view's text.
//
// An input method counts in UTF-16 code units within the text around the
// caret (its surrounding text); the text here is CP932 bytes. The surrounding
// text is the caret's logical line without its line break. Every CP932
// character is one UTF-16 unit (the code page holds only characters of the
// Basic Multilingual Plane); a byte or pair that does not decode is one
// U+FFFD. Of a very long line only the part around the caret is told. Units are turned into byte offsets by walking the line character by
// character, so a converted position is always a character boundary, and a
// position the line does not reach converts to nothing.
//
// A commit is one undo step: the selection, the range the input method asks
// to replace (relative to the caret as it is once the selection is gone) and
// the committed text go in together, so one undo brings back the text and the
// selection as they were before the commit.
#pragma once

#include <optional>
#include <string>
#include <string_view>

class EditorView;

class InputMethodText {
 public:
  // Of a longer line, the input method is told this many bytes at most on
  // either side of the caret.
  static constexpr int kSurroundingBytes = 4096;

  // What the input method is told of the text around the caret.
  struct Surrounding {
    std::u16string text;  // the caret's logical line, without its line break (or its part around the caret)
    int cursor = 0;       // the caret, in UTF-16 units from the line's start
    int anchor = 0;       // the selection's other end, cut to the line
  };

  explicit InputMethodText(EditorView& view) : view_(view) {}

  Surrounding AroundCaret() const;
  // The whole selection (it may run over several lines) as UTF-16.
  std::u16string Selection() const;

  // Applies what an input method commits: the selection, then
  // `replaceLength` units starting `replaceStart` units from the caret
  // (negative: before it), give way to `utf8Commit`. A range that leaves the
  // caret's line is not replaced (the commit still goes in at the caret).
  // In overwrite mode a commit that replaced nothing takes the place of what
  // follows it, as a commit always has. Returns whether the text changed;
  // a read-only text changes never.
  bool Commit(std::string_view utf8Commit, int replaceStart, int replaceLength);

  // CP932 text as UTF-16, and its length in UTF-16 units.
  static std::u16string ToUtf16(std::string_view cp932);
  static int Utf16Length(std::string_view cp932);
  // The byte offset in `cp932` after its first `units` UTF-16 units; nothing
  // when the text is shorter.
  static std::optional<std::size_t> ByteOffsetOfUnits(std::string_view cp932, int units);

 private:
  // The caret's logical line: its first byte and the byte of its line break
  // (or the end of the text).
  std::pair<int, int> CaretLine() const;

  EditorView& view_;
};
