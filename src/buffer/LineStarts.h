// LineStarts: where each logical line of a text starts, kept up to date edit
// by edit.
//
// A logical line runs from the start of the text, or the byte after an LF, up
// to and including the next LF (or the end of the text); a CR is an ordinary
// byte here, so a lone CR does not end a line and CR LF ends one at its LF.
// The index holds
//   starts_      the byte offset of each logical line i, starts_.Value(i):
//                0 for line 0, then every offset just after an LF, in
//                ascending order (a Partitioning: a shift of every later
//                start is applied lazily);
//   length_      the length of the text it describes.
// Invariant: after Assign or Replace, starts_ and length_ describe exactly the
// text given last. There is always at least one line (an empty text has one).
//
// Replace re-scans only the logical lines the edit touched and shifts the
// starts after them by the edit's change of length. The shift moves the
// Partitioning's step point from the previous edit to this one, so typing in
// a text of a million lines touches one line's bytes and a few starts, not
// every start after the caret.
// The text itself is its owner's; every call that reads bytes is given them.
// An edit's lines are read as one range of the text's GapText, so keeping the
// index up to date never makes the whole text one run.
#pragma once

#include <string_view>
#include <vector>

#include "buffer/GapText.h"
#include "buffer/Partitioning.h"

class LineStarts {
 public:
  // Which lines an edit rewrote: lines [first, first + removed) of the text
  // before it are lines [first, first + inserted) after it; the lines before
  // them are unchanged and the lines after them keep their order.
  struct Change {
    int first = 0;
    int removed = 0;
    int inserted = 0;
  };

  // Indexes `text` from scratch.
  void Assign(std::string_view text);
  // Brings the index up to date after bytes [start, end) of the text it
  // describes were replaced by `insertedLength` bytes; `text` is the text
  // after the edit.
  Change Replace(const GapText& text, int start, int end, int insertedLength);

  LineStarts() { starts_.Assign({0}); }

  int Count() const { return starts_.Count(); }
  int Start(int line) const { return starts_.Value(line); }
  // Where the line ends, its line break included: the next line's start, or
  // the text's length for the last line.
  int End(int line) const { return line + 1 < Count() ? Start(line + 1) : length_; }
  // The line that holds byte `pos` (a position at a line's start belongs to
  // that line); 0 for a negative position, the last line past the end.
  int LineOf(int pos) const;
  int TextLength() const { return length_; }

 private:
  Partitioning starts_;
  int length_ = 0;
};
