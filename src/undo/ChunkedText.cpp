#include "undo/ChunkedText.h"

#include <algorithm>
#include <cassert>

#include "undo/TextDiff.h"

namespace {

// Cuts `length` bytes into the fewest chunks of at most chunkBytes, all of
// about the same size, so that no chunk is left tiny at the end.
// `appendBytes(out, from, to)` appends the bytes [from, to) of the run to out.
template <typename AppendBytes>
void AppendPieces(std::vector<ChunkedText::Chunk>& chunks, std::vector<std::size_t>& ends, std::size_t length,
                  std::size_t chunkBytes, const AppendBytes& appendBytes) {
  if (length == 0) return;
  const std::size_t count = (length + chunkBytes - 1) / chunkBytes;
  const std::size_t base = length / count;
  std::size_t extra = length % count;  // the first `extra` pieces take one byte more
  std::size_t pos = 0;
  std::size_t end = ends.empty() ? 0 : ends.back();
  for (std::size_t i = 0; i < count; ++i) {
    const std::size_t len = base + (extra > 0 ? 1 : 0);
    if (extra > 0) --extra;
    std::string piece;
    piece.reserve(len);
    appendBytes(piece, pos, pos + len);
    chunks.push_back(std::make_shared<const std::string>(std::move(piece)));
    pos += len;
    end += len;
    ends.push_back(end);
  }
}

}  // namespace

ChunkedText ChunkedText::FromText(std::string_view text, std::size_t chunkBytes) {
  ChunkedText result;
  const std::size_t count = (text.size() + chunkBytes - 1) / chunkBytes;
  result.chunks_.reserve(count);
  result.ends_.reserve(count);
  AppendPieces(result.chunks_, result.ends_, text.size(), chunkBytes,
               [&](std::string& out, std::size_t from, std::size_t to) { out.append(text.substr(from, to - from)); });
  result.size_ = text.size();
  return result;
}

void ChunkedText::Replace(std::size_t prefix, std::size_t suffix, std::string_view middle, std::size_t chunkBytes) {
  assert(prefix + suffix <= size_);
  if (middle.empty() && prefix + suffix == size_) return;  // nothing replaced: every chunk stays
  const std::size_t n = chunks_.size();
  const std::size_t changeEnd = size_ - suffix;  // end of the replaced bytes

  // Chunks [0, front) end at or before the change and chunks [back, n) start
  // at or after its end: they are kept as they are.
  std::size_t front = static_cast<std::size_t>(std::upper_bound(ends_.begin(), ends_.end(), prefix) - ends_.begin());
  std::size_t back = changeEnd == 0 ? 0
                                    : static_cast<std::size_t>(
                                          std::lower_bound(ends_.begin(), ends_.end(), changeEnd) - ends_.begin()) + 1;
  back = std::max(front, std::min(back, n));

  // The new bytes between the kept chunks. A middle shorter than half a chunk
  // takes in a neighbour, and so does a kept neighbour that short (left by a
  // text that was that short as a whole), so repeated small edits cannot wear
  // the chunks down to slivers.
  const std::size_t half = chunkBytes / 2;
  const auto chunkSize = [&](std::size_t k) { return chunks_[k]->size(); };
  const auto middleSize = [&] { return (prefix - ChunkStart(front)) + middle.size() + (ChunkStart(back) - changeEnd); };
  const auto frontShort = [&] { return front > 0 && chunkSize(front - 1) < half; };
  const auto backShort = [&] { return back < n && chunkSize(back) < half; };
  while ((middleSize() > 0 && middleSize() < half && (front > 0 || back < n)) || frontShort() || backShort()) {
    const bool takeFront =
        frontShort() || (!backShort() && front > 0 && (back == n || chunkSize(front - 1) <= chunkSize(back)));
    if (takeFront) {
      --front;
    } else {
      ++back;
    }
  }

  // The new chunks, cut from three runs: the kept bytes of the front chunk
  // taken in, `middle`, the kept bytes of the back chunk taken in.
  const std::size_t frontEnd = ChunkStart(front);
  const std::size_t backStart = ChunkStart(back);
  const std::size_t head = prefix - frontEnd;
  const std::size_t tail = backStart - changeEnd;
  std::vector<Chunk> pieces;
  std::vector<std::size_t> pieceEnds{frontEnd};  // a start to count from; dropped below
  AppendPieces(pieces, pieceEnds, head + middle.size() + tail, chunkBytes,
               [&](std::string& out, std::size_t from, std::size_t to) {
                 if (from < head) AppendRange(out, frontEnd + from, frontEnd + std::min(to, head));
                 const std::size_t midFrom = std::clamp(from, head, head + middle.size());
                 const std::size_t midTo = std::clamp(to, head, head + middle.size());
                 out.append(middle.substr(midFrom - head, midTo - midFrom));
                 if (to > head + middle.size()) {
                   const std::size_t tailFrom = std::max(from, head + middle.size()) - head - middle.size();
                   AppendRange(out, changeEnd + tailFrom, changeEnd + (to - head - middle.size()));
                 }
               });

  // Splice the new chunks into the row in place of [front, back); the chunks
  // after them move by the change in length.
  const std::size_t newSize = size_ - (changeEnd - prefix) + middle.size();
  const std::size_t replaced = back - front;
  if (pieces.size() > replaced) {
    chunks_.insert(chunks_.begin() + static_cast<std::ptrdiff_t>(back), pieces.size() - replaced, nullptr);
    ends_.insert(ends_.begin() + static_cast<std::ptrdiff_t>(back), pieces.size() - replaced, 0);
  } else if (pieces.size() < replaced) {
    const auto from = static_cast<std::ptrdiff_t>(front + pieces.size());
    chunks_.erase(chunks_.begin() + from, chunks_.begin() + static_cast<std::ptrdiff_t>(back));
    ends_.erase(ends_.begin() + from, ends_.begin() + static_cast<std::ptrdiff_t>(back));
  }
  for (std::size_t j = 0; j < pieces.size(); ++j) {
    chunks_[front + j] = std::move(pieces[j]);
    ends_[front + j] = pieceEnds[j + 1];
  }
  for (std::size_t k = front + pieces.size(); k < ends_.size(); ++k) ends_[k] = ends_[k] - size_ + newSize;
  size_ = newSize;
}

ChunkedText ChunkedText::Splice(std::size_t prefix, std::size_t suffix, std::string_view middle,
                                std::size_t chunkBytes) const {
  ChunkedText result = *this;
  result.Replace(prefix, suffix, middle, chunkBytes);
  return result;
}

void ChunkedText::CopyTo(std::string& out) const {
  out.clear();
  out.reserve(size_);
  for (const Chunk& c : chunks_) out.append(*c);
}

std::string ChunkedText::ToString() const {
  std::string out;
  CopyTo(out);
  return out;
}

std::size_t ChunkedText::ChunkAt(std::size_t pos) const {
  assert(pos < size_);
  return static_cast<std::size_t>(std::upper_bound(ends_.begin(), ends_.end(), pos) - ends_.begin());
}

void ChunkedText::AppendRange(std::string& out, std::size_t from, std::size_t to) const {
  assert(to <= size_);
  if (from >= to) return;
  for (std::size_t k = ChunkAt(from); from < to; ++k) {
    const std::size_t take = std::min(to, ends_[k]) - from;
    out.append(*chunks_[k], from - ChunkStart(k), take);
    from += take;
  }
}

std::size_t ChunkedText::CommonPrefixAt(std::size_t from, std::string_view bytes) const {
  std::size_t matched = 0;
  if (from >= size_) return 0;
  for (std::size_t k = ChunkAt(from); k < chunks_.size() && matched < bytes.size(); ++k) {
    const std::size_t offset = from + matched - ChunkStart(k);
    const std::size_t n = std::min(chunks_[k]->size() - offset, bytes.size() - matched);
    const std::size_t same = textdiff::CommonPrefix(chunks_[k]->data() + offset, bytes.data() + matched, n);
    matched += same;
    if (same < n) break;
  }
  return matched;
}

std::size_t ChunkedText::CommonSuffixBefore(std::size_t end, std::string_view bytes) const {
  assert(end <= size_);
  std::size_t matched = 0;
  if (end == 0) return 0;
  for (std::size_t k = ChunkAt(end - 1) + 1; k-- > 0 && matched < bytes.size();) {
    const std::size_t within = end - matched - ChunkStart(k);  // bytes of chunk k before the point reached
    const std::size_t n = std::min(within, bytes.size() - matched);
    const std::size_t same =
        textdiff::CommonSuffix(chunks_[k]->data() + within, bytes.data() + bytes.size() - matched, n);
    matched += same;
    if (same < n) break;
  }
  return matched;
}
