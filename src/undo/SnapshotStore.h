// SnapshotStore: the texts and view states of the undo snapshots 0..Size()-1,
// stored as changes.
//
// Snapshot i > 0 keeps a Delta against snapshot i - 1:
//
//   text[i] = text[i-1][0, prefix) + inserted + text[i-1][size - suffix, size)
//
// and, while the change is small, the `removed` bytes as well, so a step can
// be undone in place. Some snapshots also keep a keyframe, their whole text as
// a ChunkedText:
//   - snapshot 0 always;
//   - every snapshot whose number, counted from the first snapshot ever stored
//     (dropped ones included), is a multiple of keyframeInterval;
//   - every snapshot whose change is large; such a delta keeps neither
//     `inserted` nor `removed` (the keyframe has the text, and the step back
//     goes forward from the keyframe before it instead).
// So any text is at most keyframeInterval deltas away from a keyframe, and a
// keyframe shares all unchanged chunks with the keyframe before it.
//
// Entries live in fixed-size blocks held by shared_ptr: copying a store (the
// second pane of a split window) copies a few hundred pointers, and changing
// an entry of a shared block copies only that block. Dropping the oldest
// snapshot advances `first_` inside the first block, so it moves nothing.
//
// A working copy of one snapshot's text, the cache, is kept as a ChunkedText
// with its index. Moving to a neighbouring snapshot applies one delta to it,
// which replaces the one or two chunks the delta touches and keeps the rest, so
// a keystroke copies a few kilobytes however long the text is. A keyframe is a
// copy of the cache's row of chunks when the cache holds its text: the chunks
// no edit has touched since the keyframe before stay shared with it. Text(i)
// puts the whole text together only when asked. The cache is not part of the
// store's value: a copy starts without one.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "undo/ChunkedText.h"

// What the view showed with a snapshot: restored with the text on undo/redo.
struct SnapshotView {
  int firstVisibleLine = 0;
  int selStart = 0;
  int selEnd = 0;
  bool operator==(const SnapshotView&) const = default;
};

// How the store is laid out; tests shrink the numbers to reach every path with
// small texts.
struct SnapshotStoreOptions {
  std::uint32_t keyframeInterval = 64;
  std::size_t chunkBytes = 8192;
  // A change of more bytes (inserted plus removed) is kept as a keyframe.
  std::size_t largeChange = 32768;
};

class SnapshotStore {
 public:
  using Options = SnapshotStoreOptions;

  explicit SnapshotStore(std::string_view text0 = {}, SnapshotView view0 = {}, Options options = {});
  SnapshotStore(const SnapshotStore& other);  // shares the blocks; no cache
  SnapshotStore& operator=(const SnapshotStore&) = delete;

  std::uint32_t Size() const { return size_; }

  // The text of snapshot i < Size(), put together.
  std::string Text(std::uint32_t i) const;
  // The same as chunks, without putting it together. The reference stays
  // valid until the next call on this store.
  const ChunkedText& TextChunks(std::uint32_t i) const;

  SnapshotView View(std::uint32_t i) const { return At(i).view; }
  void SetView(std::uint32_t i, const SnapshotView& view);

  // Stores `text` as snapshot i, 1 <= i <= Size(): i == Size() appends; a
  // smaller i replaces snapshot i and keeps those above it, whose texts stay
  // as they were.
  // `unchangedPrefix` and `unchangedSuffix` are bytes at the ends that
  // `text` is known to share with snapshot i - 1 (0 when not known); only the
  // bytes between them are compared.
  void Put(std::uint32_t i, std::string_view text, const SnapshotView& view, std::size_t unchangedPrefix = 0,
           std::size_t unchangedSuffix = 0);
  // The same, given only what changed: the text of snapshot i is that of
  // snapshot i - 1 with the bytes between its first `unchangedPrefix` and its
  // last `unchangedSuffix` bytes replaced by `changed`.
  // Requires unchangedPrefix + unchangedSuffix <= the size of snapshot i - 1.
  void PutChange(std::uint32_t i, std::size_t unchangedPrefix, std::size_t unchangedSuffix, std::string_view changed,
                 const SnapshotView& view);

  // Bytes at the start and at the end that the texts of snapshots a and b
  // share, as the deltas between them tell without comparing: prefix + suffix
  // never exceeds either text's size.
  struct SharedEnds {
    std::size_t prefix = 0;
    std::size_t suffix = 0;
  };
  SharedEnds SharedEndsBetween(std::uint32_t a, std::uint32_t b) const;

  // Forgets snapshot 0; snapshot i becomes i - 1. Requires Size() >= 2.
  void DropOldest();

  // Moves the cached text of `other` (which may be shared with other
  // histories) into this store, when both hold the same snapshots.
  void TakeCacheFrom(SnapshotStore& other);

  // Heap bytes held by the entries, deltas, keyframes (each distinct chunk
  // once) and the cache.
  std::size_t MemoryBytes() const;

  bool HasKeyframe(std::uint32_t i) const { return At(i).keyframe != nullptr; }

 private:
  struct Delta {
    std::uint32_t prefix = 0;
    std::uint32_t suffix = 0;
    bool bytesKept = true;  // false: a large change, `inserted`/`removed` empty
    std::string inserted;
    std::string removed;
  };
  struct Entry {
    std::shared_ptr<const Delta> delta;  // null for snapshot 0
    std::shared_ptr<const ChunkedText> keyframe;
    SnapshotView view;
  };
  static constexpr std::uint32_t kBlockEntries = 256;
  struct Block {
    std::array<Entry, kBlockEntries> entries;
  };

  const Entry& At(std::uint32_t i) const;
  Entry& MutableAt(std::uint32_t i);  // copies the block when it is shared
  bool OnKeyframeGrid(std::uint32_t i) const;
  std::uint32_t KeyframeAtOrBelow(std::uint32_t i) const;
  // The delta from the cache's text to the text that keeps its bytes outside
  // [prefix, size - suffix) and has `changed` between them.
  Delta MakeDelta(std::size_t prefix, std::size_t suffix, std::string_view changed) const;
  // The delta between two texts known to agree outside [prefix, size - suffix).
  Delta MakeDelta(const ChunkedText& before, const ChunkedText& after, std::size_t prefix, std::size_t suffix) const;
  // Brings the cache to snapshot i by the cheapest route.
  void MoveCache(std::uint32_t i) const;
  void StepForward() const;
  void StepBack() const;

  Options options_;
  std::vector<std::shared_ptr<Block>> blocks_;
  std::uint32_t first_ = 0;  // slot of snapshot 0 in blocks_[0]
  std::uint32_t size_ = 0;
  std::uint64_t dropped_ = 0;  // snapshots dropped so far; fixes the keyframe grid

  static constexpr std::int64_t kNoCache = -1;
  mutable ChunkedText cache_;
  mutable std::int64_t cacheIndex_ = kNoCache;
};
