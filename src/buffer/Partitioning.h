// Partitioning: an ascending list of int positions (line starts, row counts
// before each line) where an edit adds the same amount to every position
// after some index, applied lazily.
//
// The list is held as
//   stored_[i]   position i, less stepLength_ when i >= stepFrom_;
//   stepFrom_    the first index whose stored value still lacks stepLength_
//                (0..Count());
//   stepLength_  the amount those positions still lack.
// So Value(i) == stored_[i] + (i >= stepFrom_ ? stepLength_ : 0), and the
// values are what the caller set. Shift(from, delta) adds delta to the values
// from `from` on by moving the step point there: it touches only the entries
// between the old step point and the new one, so a run of edits close
// together (typing) costs a few entries each instead of every entry after the
// edit. An edit far from the last one applies the pending step at once when
// that is the cheaper side. This is the shape of Scintilla's Partitioning.
// Invariant: 0 <= stepFrom_ <= stored_.size(); the values are ascending
// whenever the caller's are (they are not checked).
#pragma once

#include <vector>

class Partitioning {
 public:
  // Starts as the given values, nothing pending.
  void Assign(std::vector<int> values);

  int Count() const { return static_cast<int>(stored_.size()); }
  int Value(int i) const {
    const int v = stored_[static_cast<std::size_t>(i)];
    return i >= stepFrom_ ? v + stepLength_ : v;
  }
  int Back() const { return Value(Count() - 1); }
  void SetValue(int i, int value) {
    stored_[static_cast<std::size_t>(i)] = i >= stepFrom_ ? value - stepLength_ : value;
  }

  // Adds delta to the values at index `from` and after.
  void Shift(int from, int delta);
  // Inserts `count` entries at index `at`, each of value `value`; the caller
  // sets them right after so the list stays ascending.
  void Insert(int at, int count, int value);
  // Removes entries [at, at + count).
  void Erase(int at, int count);

  // The first index whose value is greater than `value` (Count() when none):
  // std::upper_bound over the values.
  int UpperBound(int value) const;

 private:
  // Adds stepLength_ to the stored entries [from, to), which leaves them
  // outside the pending range.
  void ApplyStep(int from, int to);
  // Subtracts stepLength_ from the stored entries [from, to), which takes them
  // into the pending range.
  void UnapplyStep(int from, int to);

  std::vector<int> stored_;
  int stepFrom_ = 0;
  int stepLength_ = 0;
};
