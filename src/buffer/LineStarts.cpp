#include "buffer/LineStarts.h"

#include <algorithm>
#include <cstring>

void LineStarts::Assign(std::string_view text) {
  starts_.assign(1, 0);
  const char* data = text.data();
  const char* end = data + text.size();
  for (const char* p = data; p < end;) {
    const void* lf = std::memchr(p, '\n', static_cast<std::size_t>(end - p));
    if (!lf) break;
    p = static_cast<const char*>(lf) + 1;
    starts_.push_back(static_cast<int>(p - data));
  }
  length_ = static_cast<int>(text.size());
}

LineStarts::Change LineStarts::Replace(std::string_view text, int start, int end, int insertedLength) {
  const int l0 = LineOf(start);
  const int l1 = LineOf(end);
  const bool hasFollowing = l1 + 1 < Count();
  const int oldRegionEnd = hasFollowing ? Start(l1 + 1) : length_;
  const int delta = insertedLength - (end - start);

  // Lines l0..l1 are scanned again in the new text; where the region ends at
  // a following line's start, that line exists already.
  const int regionBegin = Start(l0);
  const int regionEnd = oldRegionEnd + delta;
  std::vector<int> newStarts{regionBegin};
  for (int p = regionBegin; p < regionEnd;) {
    const void* lf = std::memchr(text.data() + p, '\n', static_cast<std::size_t>(regionEnd - p));
    if (!lf) break;
    p = static_cast<int>(static_cast<const char*>(lf) - text.data()) + 1;
    if (p == regionEnd && hasFollowing) break;
    newStarts.push_back(p);
  }

  // Lines l0..l1 become newStarts; the lines after them shift by delta.
  const auto first = starts_.begin() + l0;
  const int oldCount = l1 - l0 + 1;
  const int newCount = static_cast<int>(newStarts.size());
  for (auto it = starts_.begin() + l1 + 1; it != starts_.end(); ++it) *it += delta;
  if (newCount > oldCount) {
    starts_.insert(first + oldCount, static_cast<std::size_t>(newCount - oldCount), 0);
  } else if (newCount < oldCount) {
    starts_.erase(first + newCount, first + oldCount);
  }
  std::copy(newStarts.begin(), newStarts.end(), starts_.begin() + l0);
  length_ += delta;
  return {l0, oldCount, newCount};
}

int LineStarts::LineOf(int pos) const {
  const auto it = std::upper_bound(starts_.begin(), starts_.end(), pos);
  return std::max(0, static_cast<int>(it - starts_.begin()) - 1);
}
