// CP932 stepping, character-aware search and conversion on arbitrary bytes.
//
// Input: a needle of up to 4 bytes, then the text. The reference for every
// property is the list of character boundaries found by stepping from 0.
#include <set>
#include <vector>

#include "FuzzSupport.h"
#include "text/Cp932.h"
#include "text/Utf8.h"

namespace {

constexpr std::size_t kMaxText = 4096;

bool MatchAt(const std::string& text, const std::string& needle, const std::set<std::size_t>& bounds, std::size_t i) {
  return bounds.count(i) && text.compare(i, needle.size(), needle) == 0 && i + needle.size() <= text.size() &&
         bounds.count(i + needle.size());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzInput in(data, size);
  const std::string needle = in.Bytes(4);
  std::string text = in.Rest();
  if (text.size() > kMaxText) text.resize(kMaxText);

  std::vector<std::size_t> order;
  for (std::size_t p = 0; p < text.size(); p = cp932::Next(text, p)) {
    const std::size_t len = cp932::CharLen(text, p);
    FUZZ_CHECK(len == 1 || len == 2);
    FUZZ_CHECK(cp932::Next(text, p) == p + len);
    order.push_back(p);
  }
  order.push_back(text.size());
  const std::set<std::size_t> bounds(order.begin(), order.end());
  for (std::size_t k = 1; k < order.size(); ++k) FUZZ_CHECK(cp932::Prev(text, order[k]) == order[k - 1]);
  for (std::size_t pos = 0, k = 0; pos <= text.size(); ++pos) {
    while (k + 1 < order.size() && order[k + 1] <= pos) ++k;
    FUZZ_CHECK(cp932::SnapBack(text, pos) == order[k]);
  }

  if (!needle.empty()) {
    // Forward: first match from a few starting boundaries.
    for (std::size_t from : {std::size_t{0}, order[order.size() / 2]}) {
      std::size_t expected = cp932::npos;
      for (std::size_t b : order)
        if (b >= from && MatchAt(text, needle, bounds, b)) {
          expected = b;
          break;
        }
      FUZZ_CHECK(cp932::Find(text, needle, from) == expected);
      if (needle.size() == 1) FUZZ_CHECK(cp932::Find(text, needle[0], from) == expected);
    }
    // Backward: last match starting before `before`.
    for (std::size_t before : {text.size(), order[order.size() / 3]}) {
      std::size_t expected = cp932::npos;
      for (std::size_t b : order)
        if (b < before && MatchAt(text, needle, bounds, b)) expected = b;
      FUZZ_CHECK(cp932::FindLast(text, needle, before) == expected);
      if (needle.size() == 1) FUZZ_CHECK(cp932::FindLast(text, needle[0], before) == expected);
    }
    std::size_t count = 0;
    for (std::size_t p = cp932::Find(text, needle); p != cp932::npos; p = cp932::Find(text, needle, p + needle.size()))
      ++count;
    FUZZ_CHECK(cp932::Count(text, needle) == count);
    const std::string replaced = cp932::ReplaceAll(text, needle, "");
    FUZZ_CHECK(replaced.size() == text.size() - count * needle.size());
    const std::string removed = cp932::RemoveAll(text, needle[0]);
    FUZZ_CHECK(removed.size() <= text.size());
  }

  FUZZ_CHECK(cp932::Reverse(text).size() == text.size());
  const std::size_t set = cp932::FindFirstOf(text, needle);
  FUZZ_CHECK(set == cp932::npos || bounds.count(set));
  for (std::size_t p : order)
    if (p < text.size()) FUZZ_CHECK(cp932::TabsBeforeInLine(text, p) >= 0);

  // Conversion: CP932 -> UTF-8 gives valid UTF-8; characters that decoded
  // come back as the same bytes unless the code page holds them twice.
  std::vector<std::size_t> bad;
  const std::string utf8 = cp932::ToUtf8(text, &bad);
  FUZZ_CHECK(utf8::IsValid(utf8));
  const std::string back = cp932::FromUtf8(utf8);
  if (bad.empty()) FUZZ_CHECK(cp932::ToUtf8(back) == utf8);
  // Any byte string read as UTF-8 gives CP932 text that converts to valid UTF-8.
  FUZZ_CHECK(utf8::IsValid(cp932::ToUtf8(cp932::FromUtf8(text))));
  return 0;
}
