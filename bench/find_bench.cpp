// Find and replace on a 1 MB CP932 text, through the bars' commands as the
// user presses them.
//
//   BM_FindNextFarMatch            次を検索 from the top, the only match 900 KB
//                                  away (case-insensitive, as the find bar opens;
//                                  and case-sensitive)
//   BM_ReplaceAll26000             全置換 of 26,000 matches, including SetText
//                                  and the undo snapshot; each run swaps the
//                                  text back and forth between two words
//   BM_ReplaceAllOnePassLowerBound the same replacement as one plain byte scan
//                                  (std::string_view::find and append), with no
//                                  character rules: what no replacement can beat
//   BM_ReplaceAllCharacterAware    the character-aware replacement alone
#include <benchmark/benchmark.h>

#include <random>
#include <string>
#include <string_view>

#include "BenchTables.h"
#include "editor/CommandIds.h"
#include "find/SearchBars.h"
#include "text/Cp932.h"

namespace {

// Lines of about 40 bytes of ASCII words, numbers and double-byte characters
// (表 95 5C among them), CR LF at the end: `lines` of them, each ending in
// `word`, or (lines 0) lines without it up to `size` bytes. The filler has no
// letters a search below looks for.
std::string Text(std::size_t size, const std::string& word, int lines) {
  const char* kanji[] = {"\x95\x5C", "\x8C\x76", "\x8E\x5A", "\x82\xA0", "\x82\xA2", "\x93\xFA"};
  std::mt19937 rng(932);
  std::string text;
  for (int line = 0; lines > 0 ? line < lines : text.size() < size; ++line) {
    std::string row = "r" + std::to_string(line) + "\t";
    while (row.size() < 33) {
      if (rng() % 3 == 0) {
        row += kanji[rng() % 6];
      } else {
        row += std::to_string(rng() % 1000) + " ";
      }
    }
    text += row + word + "\r\n";
  }
  if (lines == 0) text.resize(size);
  return text;
}

void BM_FindNextFarMatch(benchmark::State& state) {
  const bool caseSensitive = state.range(0) != 0;
  std::string text = Text(1 << 20, "", 0);
  text.replace(900 * 1024, 6, "Needle");
  benchtables::ViewFixture f("pivra-find-bench", text);
  EditorView& view = *f.view;
  view.Execute(cmd::Find);
  find::SearchBars& bars = find::BarsOf(view);
  bars.findBar->search.edit = "needle";
  if (caseSensitive) bars.findBar->search.edit = "Needle";
  bars.findCaseSensitive = caseSensitive ? 1 : 0;
  for (auto _ : state) {
    view.Edit().SetSel(0, 0);
    view.Execute(cmd::BarFindNext);
    benchmark::DoNotOptimize(view.Edit().GetSel());
  }
  if (view.Edit().GetSel().first != 900 * 1024) state.SkipWithError("the match was not found");
}
BENCHMARK(BM_FindNextFarMatch)->Arg(0)->Arg(1)->ArgName("case_sensitive")->Unit(benchmark::kMicrosecond);

constexpr int kMatches = 26000;  // one a line: about 1 MB

void BM_ReplaceAll26000(benchmark::State& state) {
  const std::string text = Text(0, "abc", kMatches);
  benchtables::ViewFixture f("pivra-find-bench", text);
  EditorView& view = *f.view;
  if (cp932::Count(text, "abc") != kMatches) state.SkipWithError("wrong number of matches");
  view.Execute(cmd::Replace);
  find::SearchBars& bars = find::BarsOf(view);
  bool forward = true;
  for (auto _ : state) {
    bars.searchText.clear();
    bars.replaceBar->search.edit = forward ? "abc" : "xyz";
    bars.replaceBar->replacement.edit = forward ? "xyz" : "abc";
    view.Edit().SetSel(0, 0);
    view.Execute(cmd::BarReplaceAll);
    forward = !forward;
  }
  state.counters["text_MB"] = static_cast<double>(text.size()) / (1 << 20);
  if (cp932::Count(view.Edit().Text(), forward ? "abc" : "xyz") != kMatches) state.SkipWithError("not all replaced");
}
BENCHMARK(BM_ReplaceAll26000)->Unit(benchmark::kMillisecond);

void BM_ReplaceAllOnePassLowerBound(benchmark::State& state) {
  const std::string text = Text(0, "abc", kMatches);
  for (auto _ : state) {
    const std::string_view in(text);
    std::string out;
    out.reserve(in.size());
    std::size_t copied = 0;
    for (std::size_t m = in.find("abc"); m != std::string_view::npos; m = in.find("abc", copied)) {
      out.append(in, copied, m - copied);
      out.append("xyz");
      copied = m + 3;
    }
    out.append(in, copied);
    benchmark::DoNotOptimize(out.data());
  }
}
BENCHMARK(BM_ReplaceAllOnePassLowerBound)->Unit(benchmark::kMillisecond);

void BM_ReplaceAllCharacterAware(benchmark::State& state) {
  const std::string text = Text(0, "abc", kMatches);
  for (auto _ : state) benchmark::DoNotOptimize(cp932::ReplaceAll(text, "abc", "xyz"));
}
BENCHMARK(BM_ReplaceAllCharacterAware)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
