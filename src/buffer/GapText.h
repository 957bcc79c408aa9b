// GapText: a byte string kept with a gap at the place it was last edited, so
// that typing in the middle of a large text moves only the bytes between one
// edit and the next instead of every byte after the caret.
//
//   storage_  [0, gapStart_)                      the text's bytes before the gap
//             [gapStart_, gapStart_ + gapLength_) the gap: unused bytes
//             [gapStart_ + gapLength_, size)      the text's bytes after it
// Invariant: 0 <= gapStart_ <= Size(), gapLength_ >= 0 and
// storage_.size() == Size() + gapLength_. Byte i of the text is storage_[i]
// before the gap and storage_[i + gapLength_] after it.
//
// An edit moves the gap to where it happens (a memmove of the bytes between
// the old place and the new) and fills or widens it; the gap grows by an
// eighth of the text when an insertion does not fit, so a run of typing
// reallocates rarely. Reading a range moves the gap only when the range
// straddles it, and then to the range's nearer end: reading the line just
// typed in costs that line's bytes, not the text's. The gap is an inner
// detail, so the reading calls are const; a view they return stays valid
// until the next edit or the next View call that moves the gap.
// Reading moves bytes, so two threads may not read one GapText at once.
// Positions are byte offsets in 0..Size(); Size() stays below 2^31.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

class GapText {
 public:
  GapText() = default;
  // Adopts the string's storage: the gap starts at the end, in the string's
  // spare capacity, so taking a freshly read file copies nothing.
  explicit GapText(std::string&& text) { Adopt(std::move(text)); }

  void Adopt(std::string&& text);
  void Assign(std::string_view text);

  int Size() const { return static_cast<int>(storage_.size() - gapLength_); }
  bool Empty() const { return Size() == 0; }
  char At(int pos) const {
    const std::size_t p = static_cast<std::size_t>(pos);
    return storage_[p < gapStart_ ? p : p + gapLength_];
  }

  // Replaces bytes [begin, end) with `with`; Insert and Erase are its two halves.
  void Replace(int begin, int end, std::string_view with);
  void Insert(int pos, std::string_view bytes) { Replace(pos, pos, bytes); }
  void Erase(int begin, int end) { Replace(begin, end, {}); }

  // Bytes [begin, end) as one run (the gap moved out of them when they
  // straddle it).
  std::string_view View(int begin, int end) const;
  // The whole text as one run: the gap moved to the end. No View moves it
  // again, so the run stays valid until the next edit.
  std::string_view Contiguous() const;
  // A copy of bytes [begin, end), read from both sides of the gap without moving it.
  std::string Copy(int begin, int end) const;

 private:
  void MoveGapTo(std::size_t pos) const;
  void WidenGap(std::size_t atLeast);

  mutable std::string storage_;
  mutable std::size_t gapStart_ = 0;
  std::size_t gapLength_ = 0;
};
