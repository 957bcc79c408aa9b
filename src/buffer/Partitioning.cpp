#include "buffer/Partitioning.h"

#include <algorithm>
#include <utility>

void Partitioning::Assign(std::vector<int> values) {
  stored_ = std::move(values);
  stepFrom_ = Count();
  stepLength_ = 0;
}

void Partitioning::ApplyStep(int from, int to) {
  for (int i = from; i < to; ++i) stored_[static_cast<std::size_t>(i)] += stepLength_;
}

void Partitioning::UnapplyStep(int from, int to) {
  for (int i = from; i < to; ++i) stored_[static_cast<std::size_t>(i)] -= stepLength_;
}

void Partitioning::Shift(int from, int delta) {
  if (delta == 0) return;
  if (stepLength_ == 0) {
    stepFrom_ = from;
    stepLength_ = delta;
    return;
  }
  // Moving the step point costs the entries between it and `from`; applying
  // the pending step to everything after it costs those entries instead.
  const int distance = from >= stepFrom_ ? from - stepFrom_ : stepFrom_ - from;
  if (distance > Count() - stepFrom_) {
    ApplyStep(stepFrom_, Count());
    stepFrom_ = from;
    stepLength_ = delta;
    return;
  }
  if (from >= stepFrom_) {
    ApplyStep(stepFrom_, from);
  } else {
    UnapplyStep(from, stepFrom_);
  }
  stepFrom_ = from;
  stepLength_ += delta;
}

void Partitioning::Insert(int at, int count, int value) {
  if (count <= 0) return;
  // New entries at or after the step point join the pending range.
  const bool pending = at >= stepFrom_;
  stored_.insert(stored_.begin() + at, static_cast<std::size_t>(count), pending ? value - stepLength_ : value);
  if (!pending) stepFrom_ += count;
}

void Partitioning::Erase(int at, int count) {
  if (count <= 0) return;
  // The entries after the removed ones keep their side of the step point.
  if (at + count <= stepFrom_) {
    stepFrom_ -= count;
  } else if (at < stepFrom_) {
    stepFrom_ = at;
  }
  stored_.erase(stored_.begin() + at, stored_.begin() + at + count);
}

int Partitioning::UpperBound(int value) const {
  int lo = 0;
  int hi = Count();
  while (lo < hi) {
    const int mid = lo + (hi - lo) / 2;
    if (Value(mid) <= value) {
      lo = mid + 1;
    } else {
      hi = mid;
    }
  }
  return lo;
}
