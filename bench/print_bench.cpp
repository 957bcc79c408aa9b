// Paginating a 1 MB CP932 text for printing and the preview: 20,000 lines of
// mixed single- and double-byte text with TABs, on an A4 page at 600 dpi
// (4724 x 6783 printer pixels) in fixed cells of 50 x 100 pixels (a double-byte
// character 100 wide), margin step 1.
//
//   Paginate/N      the whole text in N columns: every page start, as the
//                   preview computes them before it opens
//   PageRuns        the runs of one page, as drawing a page asks for them
#include <benchmark/benchmark.h>

#include <string>

#include "platform/LineLayout.h"
#include "print/PrintPages.h"

namespace {

std::string MegabyteText() {
  // "表" (95 5C) and "ソ" (83 5C) carry a trail byte that is a backslash.
  const std::string row = "\x95\x5c\x8e\xa6\tvalue 12345\t\x83\x5c\x83\x74\x83\x67\tmore text here\t";
  std::string text;
  while (text.size() < 1000000) {
    text += row;
    text += std::to_string(text.size());
    text += "\r\n";
  }
  return text;
}

const std::string& Text() {
  static const std::string text = MegabyteText();
  return text;
}

void Paginate(benchmark::State& state) {
  const FixedCellLayout font(50, 100);
  const PageSetup setup{{0, 0, 4724, 6783}, static_cast<int>(state.range(0)), 1, 400};
  int pages = 0;
  for (auto _ : state) {
    const PrintPages p(Text(), setup, font);
    pages = p.PageCount();
    benchmark::DoNotOptimize(pages);
  }
  state.counters["pages"] = pages;
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(Text().size()));
}
BENCHMARK(Paginate)->Arg(1)->Arg(4)->Unit(benchmark::kMillisecond);

void PageRuns(benchmark::State& state) {
  const FixedCellLayout font(50, 100);
  const PrintPages pages(Text(), {{0, 0, 4724, 6783}, 2, 1, 400}, font);
  for (auto _ : state) benchmark::DoNotOptimize(pages.PageRuns(pages.PageCount() / 2));
}
BENCHMARK(PageRuns)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
