#include "undo/ChunkedText.h"

#include <algorithm>
#include <cassert>

#include "undo/TextDiff.h"

namespace {

// Cuts `bytes` into the fewest pieces of at most chunkBytes, all of about the
// same size, so that no piece is left tiny at the end.
void AppendPieces(std::vector<ChunkedText::Chunk>& chunks, std::string_view bytes, std::size_t chunkBytes) {
  if (bytes.empty()) return;
  const std::size_t count = (bytes.size() + chunkBytes - 1) / chunkBytes;
  const std::size_t base = bytes.size() / count;
  std::size_t extra = bytes.size() % count;  // the first `extra` pieces take one byte more
  std::size_t pos = 0;
  for (std::size_t i = 0; i < count; ++i) {
    const std::size_t len = base + (extra > 0 ? 1 : 0);
    if (extra > 0) --extra;
    chunks.push_back(std::make_shared<const std::string>(bytes.substr(pos, len)));
    pos += len;
  }
}

}  // namespace

ChunkedText ChunkedText::FromText(std::string_view text, std::size_t chunkBytes) {
  ChunkedText result;
  result.chunks_.reserve((text.size() + chunkBytes - 1) / chunkBytes);
  AppendPieces(result.chunks_, text, chunkBytes);
  result.size_ = text.size();
  return result;
}

ChunkedText ChunkedText::Splice(std::size_t prefix, std::size_t suffix, std::string_view middle,
                                std::size_t chunkBytes) const {
  assert(prefix + suffix <= size_);
  const std::size_t n = chunks_.size();
  const std::size_t changeEnd = size_ - suffix;  // end of the replaced bytes

  // Whole chunks before the change and after it are kept as they are.
  std::size_t front = 0;  // chunks kept at the front
  std::size_t frontEnd = 0;
  while (front < n && frontEnd + chunks_[front]->size() <= prefix) frontEnd += chunks_[front++]->size();
  std::size_t back = 0;  // chunks kept at the back
  std::size_t backStart = size_;
  while (back < n - front && backStart - chunks_[n - 1 - back]->size() >= changeEnd) {
    backStart -= chunks_[n - 1 - back++]->size();
  }

  // The new bytes between the kept chunks. A middle shorter than half a chunk
  // takes in a neighbour, and so does a kept neighbour that short (left by a
  // text that was that short as a whole), so repeated small edits cannot wear
  // the chunks down to slivers.
  const std::size_t half = chunkBytes / 2;
  auto middleSize = [&] { return (prefix - frontEnd) + middle.size() + (backStart - changeEnd); };
  auto frontShort = [&] { return front > 0 && chunks_[front - 1]->size() < half; };
  auto backShort = [&] { return back > 0 && chunks_[n - back]->size() < half; };
  while ((middleSize() > 0 && middleSize() < half && (front > 0 || back > 0)) || frontShort() || backShort()) {
    const bool takeFront = frontShort() || (!backShort() && front > 0 &&
                                            (back == 0 || chunks_[front - 1]->size() <= chunks_[n - back]->size()));
    if (takeFront) {
      frontEnd -= chunks_[--front]->size();
    } else {
      backStart += chunks_[n - back--]->size();
    }
  }

  std::string bytes;
  bytes.reserve(middleSize());
  AppendRange(bytes, frontEnd, prefix);
  bytes.append(middle);
  AppendRange(bytes, changeEnd, backStart);

  ChunkedText result;
  result.chunks_.reserve(front + back + bytes.size() / chunkBytes + 1);
  result.chunks_.insert(result.chunks_.end(), chunks_.begin(), chunks_.begin() + front);
  AppendPieces(result.chunks_, bytes, chunkBytes);
  result.chunks_.insert(result.chunks_.end(), chunks_.end() - back, chunks_.end());
  result.size_ = size_ - (changeEnd - prefix) + middle.size();
  return result;
}

ChunkedText ChunkedText::Rebased(std::string_view text, std::size_t chunkBytes) const {
  const std::size_t prefix = CommonPrefix(text);
  const std::size_t suffix = CommonSuffix(text, std::min(size_, text.size()) - prefix);
  return Splice(prefix, suffix, text.substr(prefix, text.size() - suffix - prefix), chunkBytes);
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

void ChunkedText::AppendRange(std::string& out, std::size_t from, std::size_t to) const {
  std::size_t offset = 0;
  for (const Chunk& c : chunks_) {
    if (from >= to) return;
    const std::size_t end = offset + c->size();
    if (from < end) {
      const std::size_t take = std::min(to, end) - from;
      out.append(*c, from - offset, take);
      from += take;
    }
    offset = end;
  }
}

std::size_t ChunkedText::CommonPrefix(std::string_view text) const {
  std::size_t offset = 0;
  for (const Chunk& c : chunks_) {
    const std::size_t n = std::min(c->size(), text.size() - offset);
    const std::size_t same = textdiff::CommonPrefix(c->data(), text.data() + offset, n);
    offset += same;
    if (same < c->size()) break;
  }
  return offset;
}

std::size_t ChunkedText::CommonSuffix(std::string_view text, std::size_t limit) const {
  std::size_t matched = 0;
  for (auto it = chunks_.rbegin(); it != chunks_.rend() && matched < limit; ++it) {
    const std::string& c = **it;
    const std::size_t n = std::min(c.size(), limit - matched);
    const std::size_t same =
        textdiff::CommonSuffix(c.data() + c.size(), text.data() + text.size() - matched, n);
    matched += same;
    if (same < c.size()) break;
  }
  return matched;
}
