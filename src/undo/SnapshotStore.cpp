#include "undo/SnapshotStore.h"

#include <cassert>
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
  cache_.assign(text0);
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

SnapshotStore::Delta SnapshotStore::MakeDelta(std::string_view before, std::string_view after,
                                              textdiff::Span known) const {
  const textdiff::Span span = textdiff::CommonEnds(before, after, known);
  Delta d;
  d.prefix = static_cast<std::uint32_t>(span.prefix);
  d.suffix = static_cast<std::uint32_t>(span.suffix);
  const std::size_t removed = before.size() - span.prefix - span.suffix;
  const std::size_t inserted = after.size() - span.prefix - span.suffix;
  d.bytesKept = removed + inserted <= options_.largeChange;
  if (d.bytesKept) {
    d.removed.assign(before.substr(span.prefix, removed));
    d.inserted.assign(after.substr(span.prefix, inserted));
  }
  return d;
}

std::shared_ptr<const ChunkedText> SnapshotStore::MakeKeyframe(std::uint32_t i, std::string_view text) const {
  const ChunkedText& base = *At(KeyframeAtOrBelow(i - 1)).keyframe;
  return std::make_shared<const ChunkedText>(base.Rebased(text, options_.chunkBytes));
}

void SnapshotStore::StepForward() const {
  const Entry& e = At(static_cast<std::uint32_t>(cacheIndex_ + 1));
  if (e.delta->bytesKept) {
    cache_.replace(e.delta->prefix, cache_.size() - e.delta->suffix - e.delta->prefix, e.delta->inserted);
  } else {
    e.keyframe->CopyTo(cache_);
  }
  ++cacheIndex_;
}

void SnapshotStore::StepBack() const {
  const Delta& d = *At(static_cast<std::uint32_t>(cacheIndex_)).delta;
  assert(d.bytesKept);
  cache_.replace(d.prefix, cache_.size() - d.suffix - d.prefix, d.removed);
  --cacheIndex_;
}

void SnapshotStore::MoveCache(std::uint32_t i) const {
  if (cacheIndex_ == i) return;
  // Cost in steps, a step being one delta applied in place; loading a keyframe
  // copies the whole text and counts as one step too.
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
    At(from).keyframe->CopyTo(cache_);
    cacheIndex_ = from;
  }
  while (cacheIndex_ < i) StepForward();
  while (cacheIndex_ > i) StepBack();
}

const std::string& SnapshotStore::Text(std::uint32_t i) const {
  MoveCache(i);
  return cache_;
}

void SnapshotStore::SetView(std::uint32_t i, const SnapshotView& view) {
  // Only a real change may copy a shared block: the idle pass calls this often.
  if (At(i).view != view) MutableAt(i).view = view;
}

void SnapshotStore::Put(std::uint32_t i, std::string_view text, const SnapshotView& view,
                        std::size_t unchangedPrefix, std::size_t unchangedSuffix) {
  assert(i >= 1 && i <= size_);
  std::string own;
  if (!text.empty() && text.data() >= cache_.data() && text.data() <= cache_.data() + cache_.size()) {
    own.assign(text);  // the cache is about to move under it
    text = own;
  }

  MoveCache(i - 1);
  auto delta = std::make_shared<const Delta>(MakeDelta(cache_, text, {unchangedPrefix, unchangedSuffix}));

  // Replacing snapshot i under a snapshot i + 1: that one's delta was taken
  // against the old text[i], so it is taken again against the new one. Its
  // own text, and every keyframe, stays as it was.
  const bool rebase = i + 1 < size_;
  if (rebase) {
    StepForward();  // old text[i]
    StepForward();  // text[i + 1]
    MutableAt(i + 1).delta = std::make_shared<const Delta>(MakeDelta(text, cache_));
  }
  if (i == size_) {
    if (first_ + size_ == blocks_.size() * kBlockEntries) blocks_.push_back(std::make_shared<Block>());
    ++size_;
  }

  Entry& e = MutableAt(i);
  e.delta = delta;
  e.view = view;
  e.keyframe = (OnKeyframeGrid(i) || !delta->bytesKept) ? MakeKeyframe(i, text) : nullptr;

  if (rebase) {
    // The cache holds text[i + 1], still valid.
    if (!At(i + 1).delta->bytesKept && !At(i + 1).keyframe) MutableAt(i + 1).keyframe = MakeKeyframe(i + 1, cache_);
  } else if (delta->bytesKept) {
    cache_.replace(delta->prefix, cache_.size() - delta->suffix - delta->prefix, delta->inserted);
    cacheIndex_ = i;
  } else {
    cache_.assign(text);
    cacheIndex_ = i;
  }
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
  if (cacheIndex_ != kNoCache) cacheIndex_ = cacheIndex_ == 0 ? kNoCache : cacheIndex_ - 1;
}

void SnapshotStore::TakeCacheFrom(SnapshotStore& other) {
  cache_ = std::move(other.cache_);
  cacheIndex_ = other.cacheIndex_;
  other.cache_.clear();
  other.cacheIndex_ = kNoCache;
}

std::size_t SnapshotStore::MemoryBytes() const {
  std::size_t total = sizeof(*this) + blocks_.capacity() * sizeof(blocks_[0]) +
                      blocks_.size() * (sizeof(Block) + kControlBlock) + HeapBytes(cache_);
  std::unordered_set<const void*> chunksSeen;
  for (std::uint32_t i = 0; i < size_; ++i) {
    const Entry& e = At(i);
    if (e.delta) {
      total += sizeof(Delta) + kControlBlock + HeapBytes(e.delta->inserted) + HeapBytes(e.delta->removed);
    }
    if (e.keyframe) {
      total += sizeof(ChunkedText) + kControlBlock + e.keyframe->Chunks().capacity() * sizeof(ChunkedText::Chunk);
      for (const ChunkedText::Chunk& c : e.keyframe->Chunks()) {
        if (chunksSeen.insert(c.get()).second) total += sizeof(std::string) + kControlBlock + HeapBytes(*c);
      }
    }
  }
  return total;
}
