// Typing into the middle of a 1 MB CP932 text with word wrap on: the cost of
// one keystroke (text, logical line index and wrapped rows brought up to date).
#include <benchmark/benchmark.h>

#include <chrono>
#include <string>

#include "buffer/EditBuffer.h"

namespace {

std::string MegabyteOfText() {
  // Lines of mixed ASCII and double-byte text, some long enough to wrap.
  const std::string kanji = "\x95\x5C\x8C\x76\x8E\x5A\x82\xA0\x82\xA2";  // 表計算あい
  std::string text;
  int n = 0;
  while (text.size() < 1000000) {
    text += "row " + std::to_string(n) + "\t12.5\t" + kanji + "\t";
    if (n % 7 == 0) text += std::string(150, 'w') + " words that wrap " + kanji + kanji + kanji;
    text += "\r\n";
    ++n;
  }
  return text;
}

void BM_TypeIntoMiddleWrapped(benchmark::State& state) {
  const std::string text = MegabyteOfText();
  for (auto _ : state) {
    EditBuffer b;
    b.SetClientRect({0, 0, 80 * 8, 40 * 16});
    b.SetWordWrap(true);
    b.SetText(text);
    const int middle = static_cast<int>(text.size() / 2);
    b.SetSel(middle, middle);
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < 1000; ++i) b.TypeText(i % 10 == 9 ? "\x82\xA0" : "k");
    const std::chrono::duration<double> spent = std::chrono::steady_clock::now() - start;
    benchmark::DoNotOptimize(b.LineCount());
    state.SetIterationTime(spent.count() / 1000.0);  // one keystroke
  }
}
BENCHMARK(BM_TypeIntoMiddleWrapped)->UseManualTime()->Unit(benchmark::kMicrosecond)->Iterations(5);

void BM_SetTextWrapped(benchmark::State& state) {
  const std::string text = MegabyteOfText();
  EditBuffer b;
  b.SetClientRect({0, 0, 80 * 8, 40 * 16});
  b.SetWordWrap(true);
  for (auto _ : state) {
    b.SetText(text);
    benchmark::DoNotOptimize(b.LineCount());
  }
}
BENCHMARK(BM_SetTextWrapped)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
