#include "undo/TextDiff.h"

#include <algorithm>
#include <cstring>

namespace textdiff {

namespace {
// Large enough for memcmp to run at memory speed, small enough that the byte
// loop after a mismatch costs nothing.
constexpr std::size_t kBlock = 256;
}  // namespace

std::size_t CommonPrefix(const char* a, const char* b, std::size_t n) {
  std::size_t i = 0;
  while (i + kBlock <= n && std::memcmp(a + i, b + i, kBlock) == 0) i += kBlock;
  while (i < n && a[i] == b[i]) ++i;
  return i;
}

std::size_t CommonSuffix(const char* aEnd, const char* bEnd, std::size_t n) {
  std::size_t i = 0;
  while (i + kBlock <= n && std::memcmp(aEnd - i - kBlock, bEnd - i - kBlock, kBlock) == 0) i += kBlock;
  while (i < n && aEnd[-1 - static_cast<std::ptrdiff_t>(i)] == bEnd[-1 - static_cast<std::ptrdiff_t>(i)]) ++i;
  return i;
}

Span CommonEnds(std::string_view before, std::string_view after) {
  const std::size_t shorter = std::min(before.size(), after.size());
  Span span;
  span.prefix = CommonPrefix(before.data(), after.data(), shorter);
  span.suffix = CommonSuffix(before.data() + before.size(), after.data() + after.size(), shorter - span.prefix);
  return span;
}

Span CommonEnds(std::string_view before, std::string_view after, Span known) {
  const std::size_t shorter = std::min(before.size(), after.size());
  known.prefix = std::min(known.prefix, shorter);
  known.suffix = std::min(known.suffix, shorter - known.prefix);
  Span span;
  span.prefix = known.prefix + CommonPrefix(before.data() + known.prefix, after.data() + known.prefix,
                                            shorter - known.prefix - known.suffix);
  const std::size_t suffixRoom = shorter - span.prefix - known.suffix;
  span.suffix = known.suffix + CommonSuffix(before.data() + before.size() - known.suffix,
                                            after.data() + after.size() - known.suffix, suffixRoom);
  return span;
}

}  // namespace textdiff
