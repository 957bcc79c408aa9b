// ChunkedText: a text held as a row of shared, immutable chunks.
//
//   chunks_[0] | chunks_[1] | ... | chunks_[n-1]     concatenated = the text
//   ends_[k] = bytes in chunks_[0..k]                ends_[n-1] = size_
//
// Invariants: no chunk is empty; ends_ holds the running sum of the chunk
// sizes, one entry per chunk, so it rises strictly and its last entry is
// size_; with one chunkBytes used throughout, every chunk holds at most
// chunkBytes bytes and, when the text holds at least chunkBytes / 2, at least
// chunkBytes / 2 (a shorter text is a single chunk).
//
// A chunk never changes once made; the row does. Replace cuts anew only the
// chunks a change touches (and a short neighbour) and keeps every other chunk
// as it is, so a copy of the row taken before the change still shares them.
// The undo history uses that twice: its working copy of a text takes a
// keystroke by replacing one or two chunks of a few kilobytes, however long
// the text, and a full text it keeps for later is a copy of that row, which
// costs a vector of pointers and no bytes of text.
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

  // Replaces the bytes [prefix, Size() - suffix) by `middle` in place.
  // Requires prefix + suffix <= Size().
  void Replace(std::size_t prefix, std::size_t suffix, std::string_view middle, std::size_t chunkBytes);
  // A copy of this text changed as Replace changes it.
  ChunkedText Splice(std::size_t prefix, std::size_t suffix, std::string_view middle,
                     std::size_t chunkBytes) const;

  std::size_t Size() const { return size_; }
  const std::vector<Chunk>& Chunks() const { return chunks_; }

  // Replaces the contents of `out` by the text.
  void CopyTo(std::string& out) const;
  std::string ToString() const;
  // Appends the bytes [from, to) of the text to `out`; to <= Size().
  void AppendRange(std::string& out, std::size_t from, std::size_t to) const;

  // How many leading bytes of `bytes` equal the text from `from` on.
  std::size_t CommonPrefixAt(std::size_t from, std::string_view bytes) const;
  // How many trailing bytes of `bytes` equal the text just before `end`.
  std::size_t CommonSuffixBefore(std::size_t end, std::string_view bytes) const;
  // Whether the text holds `bytes` at `from`.
  bool HoldsAt(std::size_t from, std::string_view bytes) const {
    return from <= size_ && bytes.size() <= size_ - from && CommonPrefixAt(from, bytes) == bytes.size();
  }

 private:
  // The chunk holding byte `pos` < Size().
  std::size_t ChunkAt(std::size_t pos) const;
  std::size_t ChunkStart(std::size_t k) const { return k == 0 ? 0 : ends_[k - 1]; }

  std::vector<Chunk> chunks_;
  std::vector<std::size_t> ends_;
  std::size_t size_ = 0;
};
