#include "buffer/GapText.h"

#include <algorithm>
#include <cstring>
#include <functional>
#include <utility>

namespace {

// The least the gap grows by: a text of a few bytes still types a line
// without reallocating at each key.
constexpr std::size_t kMinGapGrowth = 4096;

}  // namespace

void GapText::Adopt(std::string&& text) {
  storage_ = std::move(text);
  gapStart_ = storage_.size();
  storage_.resize(storage_.capacity());  // within the capacity: no reallocation
  gapLength_ = storage_.size() - gapStart_;
}

void GapText::Assign(std::string_view text) {
  // A fresh string: the old storage may be far larger than the new text, and
  // `text` may be a view of it.
  storage_ = std::string(text);
  gapStart_ = storage_.size();
  gapLength_ = 0;
}

void GapText::MoveGapTo(std::size_t pos) const {
  char* data = storage_.data();
  if (pos < gapStart_) {
    std::memmove(data + pos + gapLength_, data + pos, gapStart_ - pos);
  } else if (pos > gapStart_) {
    std::memmove(data + gapStart_, data + gapStart_ + gapLength_, pos - gapStart_);
  }
  gapStart_ = pos;
}

// Grows the gap, where it stands, to at least `atLeast` bytes plus room for
// more typing. The new storage is made at its exact size (growing the string
// itself would double its capacity) and filled once.
void GapText::WidenGap(std::size_t atLeast) {
  const std::size_t length = static_cast<std::size_t>(Size());
  const std::size_t newGap = atLeast + std::max(kMinGapGrowth, length / 8);
  const std::size_t after = length - gapStart_;
  std::string grown(length + newGap, '\0');
  std::memcpy(grown.data(), storage_.data(), gapStart_);
  std::memcpy(grown.data() + gapStart_ + newGap, storage_.data() + gapStart_ + gapLength_, after);
  storage_.swap(grown);
  gapLength_ = newGap;
}

void GapText::Replace(int begin, int end, std::string_view with) {
  // Bytes of this text (a caller copying a range of it over another) would
  // move with the gap: they are copied first.
  std::string own;
  const char* data = storage_.data();
  if (!with.empty() && !std::less<const char*>()(with.data(), data) &&
      std::less<const char*>()(with.data(), data + storage_.size())) {
    own.assign(with);
    with = own;
  }

  const auto b = static_cast<std::size_t>(begin);
  const auto e = static_cast<std::size_t>(end);
  // The removed bytes join the gap, from whichever of their ends it is nearer.
  if (gapStart_ >= e) {
    MoveGapTo(e);
    gapStart_ = b;
  } else {
    MoveGapTo(b);
  }
  gapLength_ += e - b;

  if (with.size() > gapLength_) WidenGap(with.size());
  if (!with.empty()) std::memcpy(storage_.data() + gapStart_, with.data(), with.size());
  gapStart_ += with.size();
  gapLength_ -= with.size();
}

std::string_view GapText::View(int begin, int end) const {
  const auto b = static_cast<std::size_t>(begin);
  const auto e = static_cast<std::size_t>(end);
  if (b < gapStart_ && e > gapStart_) MoveGapTo(gapStart_ - b <= e - gapStart_ ? b : e);
  const char* data = storage_.data();
  return {b < gapStart_ || b == e ? data + b : data + b + gapLength_, e - b};
}

std::string_view GapText::Contiguous() const {
  MoveGapTo(static_cast<std::size_t>(Size()));
  return {storage_.data(), static_cast<std::size_t>(Size())};
}

std::string GapText::Copy(int begin, int end) const {
  const auto b = static_cast<std::size_t>(begin);
  const auto e = static_cast<std::size_t>(end);
  const char* data = storage_.data();
  std::string out;
  out.reserve(e - b);
  if (b < gapStart_) out.append(data + b, std::min(e, gapStart_) - b);
  if (e > gapStart_) {
    const std::size_t from = std::max(b, gapStart_);
    out.append(data + from + gapLength_, e - from);
  }
  return out;
}
