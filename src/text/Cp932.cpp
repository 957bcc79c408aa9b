// Cp932: stepping, searching and conversion over CP932 byte strings.
//
// Finding a boundary without walking from the start of the text: a byte that
// is not a lead byte always ends a character (it is either a character of its
// own or a trail byte), so the byte after it is a boundary. Before looking at a
// position we therefore back up over the run of lead-capable bytes in front of
// it (never past the known boundary the caller gave) and step forward from
// there. In ASCII or ordinary Japanese text that run is a byte or two, so the
// searches cost a memchr/memcmp plus a few steps per candidate; and because a
// search never backs up past the point it has already passed, the work stays
// linear even in text made only of lead-capable bytes.
//
// Undecodable input: a code the code page does not hold (including the single
// bytes 0x80, 0xA0 and 0xFD-0xFF, see Cp932Table.h) is reported as such, one
// report per byte, and the bytes themselves are never altered.
#include "text/Cp932.h"

#include <algorithm>
#include <cstring>

#include "text/Cp932Table.h"
#include "text/Utf8.h"

namespace cp932 {

namespace {

unsigned char ByteAt(std::string_view text, std::size_t pos) { return static_cast<unsigned char>(text[pos]); }

// A boundary at or before pos (pos < text.size()) that is no earlier than the
// known boundary `from`: the byte after the last non-lead byte before pos.
std::size_t SyncPoint(std::string_view text, std::size_t pos, std::size_t from) {
  while (pos > from && IsLead(ByteAt(text, pos - 1))) --pos;
  return pos;
}

// The match of needle at the boundary i must also end on a boundary: only its
// last character can differ, when the needle ends in a lead byte that the text
// follows with a trail byte.
struct NeedleShape {
  std::size_t lastStart = 0;  // offset of the needle's last character
  std::size_t lastLen = 0;
};

NeedleShape ShapeOf(std::string_view needle) {
  NeedleShape shape;
  for (std::size_t p = 0; p < needle.size(); p = Next(needle, p)) shape.lastStart = p;
  shape.lastLen = needle.size() - shape.lastStart;
  return shape;
}

unsigned char FoldAscii(unsigned char b) { return b >= 'A' && b <= 'Z' ? static_cast<unsigned char>(b + 32) : b; }

// A needle prepared for matching: with ASCII folding, the bytes of its
// single-byte characters are lower-cased and compared folded; the bytes of its
// double-byte characters (whose trail bytes may look like letters) always
// compare exactly.
struct Pattern {
  std::string_view needle;
  NeedleShape shape;
  bool folded = false;
  std::string lowered;       // folded only
  std::vector<bool> folds;   // folded only: the byte is a letter of a single-byte character

  Pattern(std::string_view n, bool foldAscii) : needle(n), shape(ShapeOf(n)) {
    if (!foldAscii) return;
    lowered.assign(n);
    folds.assign(n.size(), false);
    for (std::size_t p = 0; p < n.size(); p = Next(n, p)) {
      const unsigned char b = ByteAt(n, p);
      if (CharLen(n, p) == 1 && ((b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z'))) {
        folds[p] = true;
        lowered[p] = static_cast<char>(FoldAscii(b));
        folded = true;
      }
    }
  }

  bool MatchesAt(std::string_view text, std::size_t i) const {
    for (std::size_t j = 0; j < lowered.size(); ++j) {
      const unsigned char t = ByteAt(text, i + j);
      if ((folds[j] ? FoldAscii(t) : t) != static_cast<unsigned char>(lowered[j])) return false;
    }
    return true;
  }
};

// First match of a non-empty needle starting in [from, limit), or npos.
std::size_t FindBefore(std::string_view text, const Pattern& pattern, std::size_t from, std::size_t limit) {
  const std::string_view needle = pattern.needle;
  limit = std::min(limit, text.size());
  if (from >= limit || needle.size() > text.size() - from) return npos;
  // Only the bytes a match starting before `limit` can cover.
  const std::string_view window = text.substr(0, std::min(text.size(), limit - 1 + needle.size()));
  // Folded: candidates are the places of the first byte in either case; the
  // next place of each case is kept, so the text is scanned once.
  const char lower = pattern.folded ? pattern.lowered[0] : 0;
  const char upper = pattern.folded && pattern.folds[0] ? static_cast<char>(lower - 32) : lower;
  std::size_t nextLower = 0, nextUpper = 0;
  bool started = false;
  std::size_t pos = from;  // always a boundary
  while (pos < limit) {
    std::size_t i;
    if (!pattern.folded) {
      i = window.find(needle, pos);
    } else {
      if (!started || (nextLower != npos && nextLower < pos)) nextLower = window.find(lower, pos);
      if (!started || (nextUpper != npos && nextUpper < pos)) nextUpper = window.find(upper, pos);
      started = true;
      i = std::min(nextLower, nextUpper);
      if (i != npos && needle.size() > window.size() - i) i = npos;
    }
    if (i == npos) return npos;
    std::size_t k = SyncPoint(text, i, pos);
    while (k < i) k += CharLen(text, k);
    if (k != i) {  // the candidate starts on a trail byte
      pos = k;
      continue;
    }
    if ((!pattern.folded || pattern.MatchesAt(text, i)) && CharLen(text, i + pattern.shape.lastStart) == pattern.shape.lastLen)
      return i;
    pos = Next(text, i);
  }
  return npos;
}

std::size_t FindBefore(std::string_view text, std::string_view needle, std::size_t from, std::size_t limit) {
  return FindBefore(text, Pattern(needle, false), from, limit);
}

// A byte that is neither a lead nor a trail byte can only ever be a whole
// character, so every occurrence of it is a match.
bool StandsAlone(unsigned char b) { return !IsLead(b) && !IsTrail(b); }

}  // namespace

std::size_t CharLen(std::string_view text, std::size_t pos) {
  if (pos >= text.size()) return 0;
  if (IsLead(ByteAt(text, pos)) && pos + 1 < text.size() && IsTrail(ByteAt(text, pos + 1))) return 2;
  return 1;
}

std::size_t Next(std::string_view text, std::size_t pos) {
  if (pos >= text.size()) return text.size();
  return pos + CharLen(text, pos);
}

std::size_t Prev(std::string_view text, std::size_t pos, std::size_t from) {
  pos = std::min(pos, text.size());
  if (pos <= from) return from;
  std::size_t p = SyncPoint(text, pos - 1, from);
  for (std::size_t q = Next(text, p); q < pos; q = Next(text, q)) p = q;
  return p;
}

std::size_t SnapBack(std::string_view text, std::size_t pos, std::size_t from) {
  pos = std::min(pos, text.size());
  if (pos <= from) return pos;  // nothing known before `from`; leave pos alone
  std::size_t p = SyncPoint(text, pos, from);
  for (std::size_t q = Next(text, p); q <= pos && q != p; q = Next(text, q)) p = q;
  return p;
}

std::size_t Find(std::string_view text, char c, std::size_t from) {
  if (from >= text.size()) return npos;
  if (StandsAlone(static_cast<unsigned char>(c))) {
    const void* hit = std::memchr(text.data() + from, c, text.size() - from);
    return hit ? static_cast<std::size_t>(static_cast<const char*>(hit) - text.data()) : npos;
  }
  return FindBefore(text, std::string_view(&c, 1), from, text.size());
}

std::size_t Find(std::string_view text, std::string_view needle, std::size_t from) {
  if (needle.empty()) return from <= text.size() ? from : npos;
  if (needle.size() == 1) return Find(text, needle[0], from);
  return FindBefore(text, needle, from, text.size());
}

std::size_t Find(std::string_view text, std::string_view needle, std::size_t from, Case letters) {
  const Pattern pattern(needle, letters == Case::Insensitive);
  if (!pattern.folded) return Find(text, needle, from);
  return FindBefore(text, pattern, from, text.size());
}

std::size_t FindLast(std::string_view text, char c, std::size_t before, std::size_t origin) {
  if (StandsAlone(static_cast<unsigned char>(c))) {
    for (std::size_t i = std::min(before, text.size()); i > origin;)
      if (text[--i] == c) return i;
    return npos;
  }
  return FindLast(text, std::string_view(&c, 1), before, origin);
}

// Searched in blocks from the right: each block is scanned forward from a
// boundary found just before it, and the first block (from the right) that
// holds a match gives the answer. Blocks double in size, so a far-away match
// costs O(n log n) at worst rather than a scan per byte.
std::size_t FindLast(std::string_view text, std::string_view needle, std::size_t before, std::size_t origin) {
  return FindLast(text, needle, before, origin, Case::Sensitive);
}

std::size_t FindLast(std::string_view text, std::string_view needle, std::size_t before, std::size_t origin,
                     Case letters) {
  std::size_t hi = std::min(before, text.size());  // matches must start before hi
  if (origin >= hi) return npos;
  if (needle.empty()) return SnapBack(text, hi - 1, origin);
  const Pattern pattern(needle, letters == Case::Insensitive);
  if (!pattern.folded && needle.size() == 1 && StandsAlone(static_cast<unsigned char>(needle[0])))
    return FindLast(text, needle[0], before, origin);
  std::size_t block = 4096;
  while (true) {
    const std::size_t lo = hi - origin > block ? hi - block : origin;
    const std::size_t start = SyncPoint(text, lo, origin);
    std::size_t last = npos;
    for (std::size_t m = FindBefore(text, pattern, start, hi); m != npos; m = FindBefore(text, pattern, Next(text, m), hi))
      last = m;
    if (last != npos) return last;
    if (start <= origin) return npos;
    hi = start;
    block *= 2;
  }
}

std::size_t FindFirstOf(std::string_view text, std::string_view set, std::size_t from) {
  for (std::size_t p = from; p < text.size(); p = Next(text, p)) {
    const std::size_t len = CharLen(text, p);
    if ((len == 1 ? Find(set, text[p]) : Find(set, text.substr(p, len))) != npos) return p;
  }
  return npos;
}

int TabsBeforeInLine(std::string_view text, std::size_t pos) {
  pos = std::min(pos, text.size());
  const std::size_t lf = FindLast(text, '\n', pos);
  const std::size_t start = lf == npos ? 0 : lf + 1;
  return static_cast<int>(Count(text.substr(start, pos - start), "\t"));
}

std::size_t Count(std::string_view text, std::string_view needle) {
  if (needle.empty()) return 0;
  std::size_t n = 0;
  for (std::size_t m = Find(text, needle, 0); m != npos; m = Find(text, needle, m + needle.size())) ++n;
  return n;
}

std::string RemoveAll(std::string_view text, char c) { return ReplaceAll(text, std::string_view(&c, 1), {}); }

std::string ReplaceAll(std::string_view text, std::string_view needle, std::string_view replacement) {
  if (needle.empty()) return std::string(text);
  std::string out;
  out.reserve(text.size());
  std::size_t copied = 0;
  for (std::size_t m = Find(text, needle, 0); m != npos; m = Find(text, needle, copied)) {
    out.append(text, copied, m - copied);
    out.append(replacement);
    copied = m + needle.size();
  }
  out.append(text, copied);
  return out;
}

std::string Reverse(std::string_view text) {
  std::string out(text.size(), '\0');
  std::size_t end = text.size();
  for (std::size_t p = 0; p < text.size();) {
    const std::size_t len = CharLen(text, p);
    end -= len;
    std::memcpy(out.data() + end, text.data() + p, len);
    p += len;
  }
  return out;
}

std::int32_t ToUnicode(std::uint16_t code) {
  std::uint16_t u = table::kUnmapped;
  if (code <= 0xFF) {
    u = table::kSingleByte[code];
  } else {
    const unsigned char lead = static_cast<unsigned char>(code >> 8);
    const unsigned trail = code & 0xFF;
    if (IsLead(lead) && IsTrail(static_cast<unsigned char>(trail)))
      u = table::kDoubleByte[table::LeadRow(lead)][trail - table::kTrailFirst];
  }
  return u == table::kUnmapped ? -1 : static_cast<std::int32_t>(u);
}

std::int32_t FromUnicode(char32_t cp) {
  if (cp < 0x80) return static_cast<std::int32_t>(cp);
  if (cp > 0xFFFF) return -1;
  const table::ReversePair* first = table::kFromUnicode;
  const table::ReversePair* last = first + table::kFromUnicodeCount;
  const table::ReversePair* it = std::lower_bound(
      first, last, cp, [](const table::ReversePair& pair, char32_t value) { return pair.unicode < value; });
  if (it == last || it->unicode != cp) return -1;
  return it->code;
}

DecodedChar DecodeAt(std::string_view text, std::size_t pos) {
  DecodedChar d{pos, 0, 0, false};
  const std::size_t len = CharLen(text, pos);
  if (len == 0) return d;
  d.len = static_cast<std::uint8_t>(len);
  const std::uint16_t code =
      len == 2 ? static_cast<std::uint16_t>(ByteAt(text, pos) << 8 | ByteAt(text, pos + 1)) : ByteAt(text, pos);
  const std::int32_t u = ToUnicode(code);
  if (u >= 0) {
    d.codePoint = static_cast<char32_t>(u);
    d.ok = true;
  }
  return d;
}

std::string ToUtf8(std::string_view cp932Text, std::vector<std::size_t>* badBytes) {
  std::string out;
  out.reserve(cp932Text.size() + cp932Text.size() / 2);
  std::size_t p = 0;
  while (p < cp932Text.size()) {
    if (ByteAt(cp932Text, p) < 0x80) {
      out += cp932Text[p++];
      continue;
    }
    const DecodedChar d = DecodeAt(cp932Text, p);
    if (d.ok) {
      utf8::Append(out, d.codePoint);
    } else {
      for (std::size_t i = 0; i < d.len; ++i) {
        utf8::Append(out, U'\uFFFD');
        if (badBytes) badBytes->push_back(p + i);
      }
    }
    p += d.len;
  }
  return out;
}

// Malformed UTF-8 is read as Unicode recommends: each maximal prefix of a
// valid sequence, and each byte that cannot start one, becomes one "?".
std::string FromUtf8(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  for (std::size_t p = 0; p < utf8.size();) {
    const utf8::Decoded d = utf8::DecodeAt(utf8, p);
    p += d.length;
    if (!d.ok) {
      out += '?';
      continue;
    }
    if (d.codePoint < 0x80) {
      out += static_cast<char>(d.codePoint);
      continue;
    }
    const std::int32_t code = FromUnicode(d.codePoint);
    if (code < 0) {
      out += '?';
    } else if (code > 0xFF) {
      out += static_cast<char>(code >> 8);
      out += static_cast<char>(code & 0xFF);
    } else {
      out += static_cast<char>(code);
    }
  }
  return out;
}

}  // namespace cp932
