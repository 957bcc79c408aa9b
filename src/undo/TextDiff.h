// TextDiff: the common prefix and suffix of two byte ranges.
//
// The undo history stores each snapshot as "the text before it with the bytes
// between a kept prefix and a kept suffix replaced". The typical snapshot
// differs from its neighbour in one character somewhere in a text of up to a
// megabyte, so both scans compare whole blocks with memcmp first and only look
// at single bytes inside the block that differs.
#pragma once

#include <cstddef>
#include <string_view>

namespace textdiff {

// Number of leading bytes that a[0..n) and b[0..n) have in common.
std::size_t CommonPrefix(const char* a, const char* b, std::size_t n);

// Number of trailing bytes that the n bytes before aEnd and the n bytes
// before bEnd have in common.
std::size_t CommonSuffix(const char* aEnd, const char* bEnd, std::size_t n);

// The prefix and suffix that `before` and `after` share, the suffix counted
// only in the bytes the prefix leaves, so prefix + suffix never exceeds the
// shorter length.
struct Span {
  std::size_t prefix = 0;
  std::size_t suffix = 0;
};
Span CommonEnds(std::string_view before, std::string_view after);
// The same when `known` ends are already known to be shared: only the bytes
// between them are compared. The span found is a valid one, though it may
// split the shared bytes between prefix and suffix differently.
Span CommonEnds(std::string_view before, std::string_view after, Span known);

}  // namespace textdiff
