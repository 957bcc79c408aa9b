#include "buffer/LineStarts.h"

#include <algorithm>
#include <cstring>
#include <utility>
#include <vector>

void LineStarts::Assign(std::string_view text) {
  std::vector<int> starts{0};
  const char* data = text.data();
  const char* end = data + text.size();
  for (const char* p = data; p < end;) {
    const void* lf = std::memchr(p, '\n', static_cast<std::size_t>(end - p));
    if (!lf) break;
    p = static_cast<const char*>(lf) + 1;
    starts.push_back(static_cast<int>(p - data));
  }
  starts_.Assign(std::move(starts));
  length_ = static_cast<int>(text.size());
}

LineStarts::Change LineStarts::Replace(const GapText& text, int start, int end, int insertedLength) {
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
  const std::string_view region = text.View(regionBegin, regionEnd);
  for (int p = regionBegin; p < regionEnd;) {
    const char* from = region.data() + (p - regionBegin);
    const void* lf = std::memchr(from, '\n', static_cast<std::size_t>(regionEnd - p));
    if (!lf) break;
    p += static_cast<int>(static_cast<const char*>(lf) - from) + 1;
    if (p == regionEnd && hasFollowing) break;
    newStarts.push_back(p);
  }

  // Lines l0..l1 become newStarts; the lines after them shift by delta.
  const int oldCount = l1 - l0 + 1;
  const int newCount = static_cast<int>(newStarts.size());
  starts_.Shift(l1 + 1, delta);
  if (newCount > oldCount) {
    starts_.Insert(l0 + oldCount, newCount - oldCount, 0);
  } else if (newCount < oldCount) {
    starts_.Erase(l0 + newCount, oldCount - newCount);
  }
  for (int i = 0; i < newCount; ++i) starts_.SetValue(l0 + i, newStarts[static_cast<std::size_t>(i)]);
  length_ += delta;
  return {l0, oldCount, newCount};
}

int LineStarts::LineOf(int pos) const {
  return std::max(0, starts_.UpperBound(pos) - 1);
}
