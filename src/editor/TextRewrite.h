// TextRewrite: the one way a table or calculation command writes the text, as
// exactly one undo step.
//
// A command builds what it writes first (a whole new text in one pass over the
// rows, table/TableGrid.h, or one line) and only then opens a TextRewrite. The
// object is the command's undo step (UndoStep.h), open from construction to
// destruction: whatever the command does to the control in between (the
// write, then placing the caret) ends in one snapshot, pushed when the object
// goes, so the caret the command leaves is the one the snapshot records. It
// writes in one of four ways:
//   - ReplaceText: the new text goes into the control at once. A text equal
//     to the old one (nothing to change, or an edit that removed an empty last
//     cell) changes nothing and returns false; the command ends there, and the
//     text, the caret and the undo history stay as they were.
//   - ReplaceRange: the same for a new text that differs from the old one in
//     one range only, given as that range and its new bytes: nothing else is
//     built or copied, and the control is left as ReplaceText would leave it.
//   - ReplaceTextAsTyped: the new text goes in as if each of its new cells had
//     been typed into the old text in turn (the scroll position is kept and
//     carried through the insertion points as typing would carry it).
//   - TypeAt: a piece of text typed into the control at a position (the caret
//     goes there and scrolls into view, and the text goes in as typed).
// The step counts as a change once one of them wrote. A new text handed over
// as a std::string rvalue (what a command built and no longer needs) becomes
// the control's text without a copy, so at no moment are there more than the
// old text and the new one; a text given by view is copied into the control
// once.
//
// A command that stands for typing (the in-line calculation after Enter, a new
// table) opens no step: TypeAsUser types its text the way the user would, and
// the control's change notification records it as it records a keystroke.
#pragma once

#include <concepts>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "editor/UndoStep.h"

class EditorView;

class TextRewrite {
 public:
  struct Options {
    // Record the user's selection in the current snapshot before the change,
    // so undo brings back the text together with the selection the user had.
    bool recordSelection = false;
    // Keep the first visible line, as edits typed into the control do
    // (SetText alone scrolls back to the top).
    bool keepScroll = false;
  };

  explicit TextRewrite(EditorView& view);
  TextRewrite(const TextRewrite&) = delete;
  TextRewrite& operator=(const TextRewrite&) = delete;

  EditorView& View() { return view_; }

  // Puts `text` into the control; false, touching nothing, when it equals the
  // control's text.
  bool ReplaceText(std::string_view text, Options options);
  bool ReplaceText(std::string_view text) { return ReplaceText(text, Options{}); }
  // A std::string rvalue (what the command built and needs no more) is handed
  // over to the control instead of copied.
  template <typename String>
    requires std::same_as<String, std::string>
  bool ReplaceText(String&& text, Options options) {
    return ReplaceOwnText(std::move(text), options);
  }
  template <typename String>
    requires std::same_as<String, std::string>
  bool ReplaceText(String&& text) {
    return ReplaceOwnText(std::move(text), Options{});
  }

  // ReplaceText of the control's text with bytes [start, end) replaced by
  // `with` (not a view into the control), without building that text.
  bool ReplaceRange(int start, int end, std::string_view with, Options options);
  bool ReplaceRange(int start, int end, std::string_view with) { return ReplaceRange(start, end, with, Options{}); }

  // Puts `text` into the control as if each cell of `typed` (position in the
  // new text, length) had been typed into the old text in turn: the first
  // visible line and the horizontal scroll are kept, the caret visits every
  // insertion point so the view scrolls as typing would, and ends after the
  // last one. `text` holds the cells of `typed` and so differs from the old text.
  void ReplaceTextAsTyped(std::string_view text, const std::vector<std::pair<int, int>>& typed);
  template <typename String>
    requires std::same_as<String, std::string>
  void ReplaceTextAsTyped(String&& text, const std::vector<std::pair<int, int>>& typed) {
    ReplaceOwnTextAsTyped(std::move(text), typed);
  }

  // Types `text` into the control at `pos`: the caret goes there and scrolls
  // into view, and the text replaces the empty selection.
  void TypeAt(int pos, std::string_view text);

  // Caret (empty selection) at pos, scrolled into view.
  void PlaceCaret(int pos);

  // Selects [start, end), scrolls the caret into view and types `text` over
  // the selection, outside any step.
  static void TypeAsUser(EditorView& view, int start, int end, std::string_view text);

  bool Changed() const { return step_.Changed(); }

 private:
  bool ReplaceOwnText(std::string&& text, Options options);
  void ReplaceOwnTextAsTyped(std::string&& text, const std::vector<std::pair<int, int>>& typed);
  template <typename Text>
  bool Replace(Text&& text, Options options);
  template <typename Text>
  void ReplaceAsTyped(Text&& text, const std::vector<std::pair<int, int>>& typed);

  EditorView& view_;
  UndoStep step_;
};
