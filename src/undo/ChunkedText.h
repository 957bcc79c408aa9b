// ChunkedText: an immutable text held as a row of shared, immutable chunks.
//
//   chunks_[0] | chunks_[1] | ... | chunks_[n-1]     concatenated = the text
//
// Invariants: no chunk is empty; size_ is the sum of the chunk sizes; with one
// chunkBytes used throughout, every chunk holds at most chunkBytes bytes and,
// when the text holds at least chunkBytes / 2, at least chunkBytes / 2 (a
// shorter text is a single chunk).
//
// The undo history keeps a full text every few dozen snapshots. Two such texts
// differ only around the places edited between them, so a new one is made from
// an older one by Splice or Rebased: every chunk that lies wholly outside the
// changed range is shared, and only the chunks around the change are cut
// anew. A keyframe of a 1 MB text then costs a few chunks plus a vector of
// pointers, not a megabyte.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class ChunkedText {
 public:
  using Chunk = std::shared_ptr<const std::string>;

  ChunkedText() = default;

  // `text` cut into chunks of at most chunkBytes.
  static ChunkedText FromText(std::string_view text, std::size_t chunkBytes);

  // This text with the bytes [prefix, Size() - suffix) replaced by `middle`.
  // Requires prefix + suffix <= Size().
  ChunkedText Splice(std::size_t prefix, std::size_t suffix, std::string_view middle,
                     std::size_t chunkBytes) const;

  // A chunked copy of `text` that shares every chunk of this one lying wholly
  // in the prefix or suffix the two texts have in common.
  ChunkedText Rebased(std::string_view text, std::size_t chunkBytes) const;

  std::size_t Size() const { return size_; }
  const std::vector<Chunk>& Chunks() const { return chunks_; }

  // Replaces the contents of `out` by the text.
  void CopyTo(std::string& out) const;
  std::string ToString() const;

 private:
  // Appends the bytes [from, to) of the text to `out`.
  void AppendRange(std::string& out, std::size_t from, std::size_t to) const;
  std::size_t CommonPrefix(std::string_view text) const;
  std::size_t CommonSuffix(std::string_view text, std::size_t limit) const;

  std::vector<Chunk> chunks_;
  std::size_t size_ = 0;
};
