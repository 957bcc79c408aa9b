// Paginating a CP932 text for printing and the preview, at 1 MB and at 64 MB
// side by side: lines of mixed single- and double-byte text with TABs (a
// table's rows), and Japanese prose in lines of 2 to 8 KB; on an A4 page at
// 600 dpi (4724 x 6783 printer pixels) in fixed cells of 50 x 100 pixels (a
// double-byte character 100 wide), margin step 1.
//
//   Paginate/MB/N       the table text of MB megabytes in N columns: every
//                       page start, as the preview computes them before it opens
//   PaginateProse/MB    the prose of MB megabytes in one column
//   PageRuns/MB         the runs of one page, as drawing a page asks for them
#include <benchmark/benchmark.h>

#include <map>
#include <random>
#include <string>

#include "platform/LineLayout.h"
#include "print/PrintPages.h"

namespace {

constexpr std::size_t kMegabyte = 1000000;

std::string TableText(std::size_t bytes) {
  // "表" (95 5C) and "ソ" (83 5C) carry a trail byte that is a backslash.
  const std::string row = "\x95\x5c\x8e\xa6\tvalue 12345\t\x83\x5c\x83\x74\x83\x67\tmore text here\t";
  std::string text;
  text.reserve(bytes + 128);
  while (text.size() < bytes) {
    text += row;
    text += std::to_string(text.size());
    text += "\r\n";
  }
  return text;
}

std::string ProseText(std::size_t bytes) {
  const char* chars[] = {"\x82\xA0", "\x82\xA2", "\x82\xA4", "\x95\x5C", "\x94\x5C", "\x93\xFA", "\x96\x7B", "\x8C\xEA"};
  std::mt19937 rng(932);
  std::string text;
  text.reserve(bytes + 16384);
  while (text.size() < bytes) {
    const std::size_t end = text.size() + 2048 + rng() % 6144;
    while (text.size() < end) {
      for (int n = 5 + static_cast<int>(rng() % 20); n > 0; --n) text += chars[rng() % 8];
      text += rng() % 3 == 0 ? "\x81\x42" : "\x81\x41";  // 。 or 、
    }
    text += "\r\n";
  }
  return text;
}

const std::string& Text(std::int64_t megabytes, bool prose = false) {
  static std::map<std::pair<std::int64_t, bool>, std::string> texts;
  std::string& text = texts[{megabytes, prose}];
  if (text.empty()) {
    const std::size_t bytes = static_cast<std::size_t>(megabytes) * kMegabyte;
    text = prose ? ProseText(bytes) : TableText(bytes);
  }
  return text;
}

void Run(benchmark::State& state, const std::string& text, int columns) {
  const FixedCellLayout font(50, 100);
  const PageSetup setup{{0, 0, 4724, 6783}, columns, 1, 400};
  int pages = 0;
  for (auto _ : state) {
    const PrintPages p(text, setup, font);
    pages = p.PageCount();
    benchmark::DoNotOptimize(pages);
  }
  state.counters["pages"] = pages;
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(text.size()));
}

void Paginate(benchmark::State& state) {
  Run(state, Text(state.range(0)), static_cast<int>(state.range(1)));
}
BENCHMARK(Paginate)->ArgNames({"MB", "columns"})->Args({1, 1})->Args({1, 4})->Args({64, 1})->Args({64, 4})
    ->Unit(benchmark::kMillisecond);

void PaginateProse(benchmark::State& state) { Run(state, Text(state.range(0), true), 1); }
BENCHMARK(PaginateProse)->ArgName("MB")->Arg(1)->Arg(64)->Unit(benchmark::kMillisecond);

void PageRuns(benchmark::State& state) {
  const FixedCellLayout font(50, 100);
  const PrintPages pages(Text(state.range(0)), {{0, 0, 4724, 6783}, 2, 1, 400}, font);
  for (auto _ : state) benchmark::DoNotOptimize(pages.PageRuns(pages.PageCount() / 2));
}
BENCHMARK(PageRuns)->ArgName("MB")->Arg(1)->Arg(64)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
