#include "undo/SnapshotStore.h"

#include <algorithm>
#include <cassert>
#include <cstdint>
#include <unordered_set>

#include "undo/TextDiff.h"

namespace {

// Bytes a string holds on the heap beyond its own object.
std::size_t HeapBytes(const std::string& s) {
  static const std::size_t inlineCapacity = std::string().capacity();
  return s.capacity() > inlineCapacity ? s.capacity() + 1 : 0;
}

// Rough size of the control block make_shared puts in front of an object.
constexpr std::size_t kControlBlock = 16;

}  // namespace

SnapshotStore::SnapshotStore(std::string_view text0, SnapshotView view0, Options options)
    : options_(options) {
  assert(options_.keyframeInterval >= 1 && options_.chunkBytes >= 2);
  blocks_.push_back(std::make_shared<Block>());
  Entry& e = blocks_[0]->entries[0];
  e.keyframe = std::make_shared<const ChunkedText>(ChunkedText::FromText(text0, options_.chunkBytes));
  e.view = view0;
  size_ = 1;
  cache_ = *e.keyframe;
  cacheIndex_ = 0;
}

SnapshotStore::SnapshotStore(const SnapshotStore& other)
    : options_(other.options_),
      blocks_(other.blocks_),
      first_(other.first_),
      size_(other.size_),
      dropped_(other.dropped_) {}

const SnapshotStore::Entry& SnapshotStore::At(std::uint32_t i) const {
  assert(i < size_);
  const std::uint32_t slot = first_ + i;
  return blocks_[slot / kBlockEntries]->entries[slot % kBlockEntries];
}

SnapshotStore::Entry& SnapshotStore::MutableAt(std::uint32_t i) {
  assert(i < size_);
  const std::uint32_t slot = first_ + i;
  std::shared_ptr<Block>& block = blocks_[slot / kBlockEntries];
  if (block.use_count() > 1) block = std::make_shared<Block>(*block);
  return block->entries[slot % kBlockEntries];
}

bool SnapshotStore::OnKeyframeGrid(std::uint32_t i) const {
  return i == 0 || (dropped_ + i) % options_.keyframeInterval == 0;
}

std::uint32_t SnapshotStore::KeyframeAtOrBelow(std::uint32_t i) const {
  while (!At(i).keyframe) {
    assert(i > 0);
    --i;
  }
  return i;
}

SnapshotStore::Delta SnapshotStore::MakeDelta(std::size_t prefix, std::size_t suffix, std::string_view changed) const {
  // Only the bytes between the known ends are compared: for a keystroke, a
  // few bytes, however long the text.
  const std::size_t oldEnd = cache_.Size() - suffix;
  const std::size_t shorter = std::min(oldEnd - prefix, changed.size());
  const std::size_t samePrefix = cache_.CommonPrefixAt(prefix, changed.substr(0, shorter));
  const std::size_t sameSuffix = cache_.CommonSuffixBefore(oldEnd, changed.substr(changed.size() - (shorter - samePrefix)));
  Delta d;
  d.prefix = static_cast<std::uint32_t>(prefix + samePrefix);
  d.suffix = static_cast<std::uint32_t>(suffix + sameSuffix);
  const std::size_t removed = oldEnd - prefix - samePrefix - sameSuffix;
  const std::size_t inserted = changed.size() - samePrefix - sameSuffix;
  d.bytesKept = removed + inserted <= options_.largeChange;
  if (d.bytesKept) {
    cache_.AppendRange(d.removed, d.prefix, cache_.Size() - d.suffix);
    d.inserted.assign(changed.substr(samePrefix, inserted));
  }
  return d;
}

SnapshotStore::Delta SnapshotStore::MakeDelta(const ChunkedText& before, const ChunkedText& after, std::size_t prefix,
                                              std::size_t suffix) const {
  std::string removed;
  std::string inserted;
  before.AppendRange(removed, prefix, before.Size() - suffix);
  after.AppendRange(inserted, prefix, after.Size() - suffix);
  const textdiff::Span span = textdiff::CommonEnds(removed, inserted);
  Delta d;
  d.prefix = static_cast<std::uint32_t>(prefix + span.prefix);
  d.suffix = static_cast<std::uint32_t>(suffix + span.suffix);
  const std::size_t removedBytes = removed.size() - span.prefix - span.suffix;
  const std::size_t insertedBytes = inserted.size() - span.prefix - span.suffix;
  d.bytesKept = removedBytes + insertedBytes <= options_.largeChange;
  if (d.bytesKept) {
    d.removed.assign(removed, span.prefix, removedBytes);
    d.inserted.assign(inserted, span.prefix, insertedBytes);
  }
  return d;
}

void SnapshotStore::StepForward() const {
  const Entry& e = At(static_cast<std::uint32_t>(cacheIndex_ + 1));
  if (e.delta->bytesKept) {
    cache_.Replace(e.delta->prefix, e.delta->suffix, e.delta->inserted, options_.chunkBytes);
  } else {
    cache_ = *e.keyframe;
  }
  ++cacheIndex_;
}

void SnapshotStore::StepBack() const {
  const Delta& d = *At(static_cast<std::uint32_t>(cacheIndex_)).delta;
  assert(d.bytesKept);
  cache_.Replace(d.prefix, d.suffix, d.removed, options_.chunkBytes);
  --cacheIndex_;
}

void SnapshotStore::MoveCache(std::uint32_t i) const {
  if (cacheIndex_ == i) return;
  // Cost in steps, a step being one delta applied to the cache; loading a
  // keyframe copies its row of chunk pointers and counts as one step too.
  enum class Start { KeyframeBelow, Cache, KeyframeAbove };
  Start start = Start::KeyframeBelow;
  std::uint32_t from = KeyframeAtOrBelow(i);
  std::uint64_t best = (i - from) + 1;

  if (cacheIndex_ != kNoCache) {
    const auto c = static_cast<std::uint32_t>(cacheIndex_);
    if (c < i && i - c <= best) {
      start = Start::Cache;
      best = i - c;
    } else if (c > i && c - i <= best) {
      bool reversible = true;  // every step back needs its removed bytes
      for (std::uint32_t j = i + 1; j <= c && reversible; ++j) reversible = At(j).delta->bytesKept;
      if (reversible) {
        start = Start::Cache;
        best = c - i;
      }
    }
  }
  for (std::uint32_t j = i + 1; j < size_ && (j - i) + 1 < best; ++j) {
    const Entry& e = At(j);
    if (!e.delta->bytesKept) break;
    if (e.keyframe) {
      start = Start::KeyframeAbove;
      from = j;
      break;
    }
  }

  if (start != Start::Cache) {
    cache_ = *At(from).keyframe;
    cacheIndex_ = from;
  }
  while (cacheIndex_ < i) StepForward();
  while (cacheIndex_ > i) StepBack();
}

std::string SnapshotStore::Text(std::uint32_t i) const { return TextChunks(i).ToString(); }

const ChunkedText& SnapshotStore::TextChunks(std::uint32_t i) const {
  MoveCache(i);
  return cache_;
}

SnapshotStore::SharedEnds SnapshotStore::SharedEndsBetween(std::uint32_t a, std::uint32_t b) const {
  if (a == b) return {TextChunks(a).Size(), 0};
  // Every text between them agrees with its neighbour outside its delta's
  // span, so all of them agree outside the union of the spans.
  SharedEnds ends{SIZE_MAX, SIZE_MAX};
  for (std::uint32_t j = std::min(a, b) + 1; j <= std::max(a, b); ++j) {
    const Delta& d = *At(j).delta;
    ends.prefix = std::min<std::size_t>(ends.prefix, d.prefix);
    ends.suffix = std::min<std::size_t>(ends.suffix, d.suffix);
  }
  return ends;
}

void SnapshotStore::SetView(std::uint32_t i, const SnapshotView& view) {
  // Only a real change may copy a shared block: the idle pass calls this often.
  if (At(i).view != view) MutableAt(i).view = view;
}

void SnapshotStore::Put(std::uint32_t i, std::string_view text, const SnapshotView& view,
                        std::size_t unchangedPrefix, std::size_t unchangedSuffix) {
  assert(i >= 1 && i <= size_);
  MoveCache(i - 1);
  const std::size_t shorter = std::min(cache_.Size(), text.size());
  unchangedPrefix = std::min(unchangedPrefix, shorter);
  unchangedSuffix = std::min(unchangedSuffix, shorter - unchangedPrefix);
  PutChange(i, unchangedPrefix, unchangedSuffix,
            text.substr(unchangedPrefix, text.size() - unchangedPrefix - unchangedSuffix), view);
}

void SnapshotStore::PutChange(std::uint32_t i, std::size_t unchangedPrefix, std::size_t unchangedSuffix,
                              std::string_view changed, const SnapshotView& view) {
  assert(i >= 1 && i <= size_);
  MoveCache(i - 1);
  assert(unchangedPrefix + unchangedSuffix <= cache_.Size());
  auto delta = std::make_shared<const Delta>(MakeDelta(unchangedPrefix, unchangedSuffix, changed));
  const std::size_t insertedFrom = delta->prefix - unchangedPrefix;
  const std::string_view inserted =
      changed.substr(insertedFrom, changed.size() - insertedFrom - (delta->suffix - unchangedSuffix));
  const bool keyframe = OnKeyframeGrid(i) || !delta->bytesKept;

  if (i + 1 < size_) {
    // Replacing snapshot i under a snapshot i + 1: that one's delta was taken
    // against the old text[i], so it is taken again against the new one. Its
    // own text, and every keyframe, stays as it was. The three texts involved
    // agree with text[i - 1] outside the spans of the three deltas, so only
    // the bytes inside their union are compared.
    ChunkedText text = cache_.Splice(delta->prefix, delta->suffix, inserted, options_.chunkBytes);
    const Delta& oldDelta = *At(i).delta;
    const Delta& nextDelta = *At(i + 1).delta;
    const std::size_t prefix = std::min({delta->prefix, oldDelta.prefix, nextDelta.prefix});
    const std::size_t suffix = std::min({delta->suffix, oldDelta.suffix, nextDelta.suffix});
    StepForward();  // old text[i]
    StepForward();  // text[i + 1]
    MutableAt(i + 1).delta = std::make_shared<const Delta>(MakeDelta(text, cache_, prefix, suffix));
    Entry& e = MutableAt(i);
    e.delta = delta;
    e.view = view;
    e.keyframe = keyframe ? std::make_shared<const ChunkedText>(std::move(text)) : nullptr;
    // The cache holds text[i + 1], still valid.
    if (!At(i + 1).delta->bytesKept && !At(i + 1).keyframe) {
      MutableAt(i + 1).keyframe = std::make_shared<const ChunkedText>(cache_);
    }
    return;
  }

  if (i == size_) {
    if (first_ + size_ == blocks_.size() * kBlockEntries) blocks_.push_back(std::make_shared<Block>());
    ++size_;
  }
  cache_.Replace(delta->prefix, delta->suffix, inserted, options_.chunkBytes);
  cacheIndex_ = i;
  Entry& e = MutableAt(i);
  e.delta = delta;
  e.view = view;
  e.keyframe = keyframe ? std::make_shared<const ChunkedText>(cache_) : nullptr;
}

void SnapshotStore::DropOldest() {
  assert(size_ >= 2);
  // Snapshot 1 becomes the oldest, which must hold its whole text.
  if (!At(1).keyframe) {
    const Delta& d = *At(1).delta;
    MutableAt(1).keyframe = std::make_shared<const ChunkedText>(
        At(0).keyframe->Splice(d.prefix, d.suffix, d.inserted, options_.chunkBytes));
  }
  MutableAt(1).delta.reset();
  if (blocks_[0].use_count() == 1) blocks_[0]->entries[first_] = Entry{};  // free it now

  ++first_;
  --size_;
  ++dropped_;
  if (first_ == kBlockEntries) {
    blocks_.erase(blocks_.begin());
    first_ = 0;
  }
  if (cacheIndex_ == 0) {
    cache_ = ChunkedText();  // the text of a snapshot no longer stored
    cacheIndex_ = kNoCache;
  } else if (cacheIndex_ != kNoCache) {
    --cacheIndex_;
  }
}

void SnapshotStore::TakeCacheFrom(SnapshotStore& other) {
  cache_ = std::move(other.cache_);
  cacheIndex_ = other.cacheIndex_;
  other.cache_ = ChunkedText();
  other.cacheIndex_ = kNoCache;
}

std::size_t SnapshotStore::MemoryBytes() const {
  std::size_t total =
      sizeof(*this) + blocks_.capacity() * sizeof(blocks_[0]) + blocks_.size() * (sizeof(Block) + kControlBlock);
  std::unordered_set<const void*> chunksSeen;
  // A row of chunks, and each chunk the first time any row holds it.
  const auto addRow = [&](const ChunkedText& text) {
    total += text.Chunks().capacity() * (sizeof(ChunkedText::Chunk) + sizeof(std::size_t));
    for (const ChunkedText::Chunk& c : text.Chunks()) {
      if (chunksSeen.insert(c.get()).second) total += sizeof(std::string) + kControlBlock + HeapBytes(*c);
    }
  };
  addRow(cache_);
  for (std::uint32_t i = 0; i < size_; ++i) {
    const Entry& e = At(i);
    if (e.delta) {
      total += sizeof(Delta) + kControlBlock + HeapBytes(e.delta->inserted) + HeapBytes(e.delta->removed);
    }
    if (e.keyframe) {
      total += sizeof(ChunkedText) + kControlBlock;
      addRow(*e.keyframe);
    }
  }
  return total;
}
