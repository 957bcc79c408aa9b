// Column sums with the Japanese number reading, against the plain reading and
// the one-pass lower bound, on tables of 20,000 rows and 10 columns:
//
//   ColumnSumsPlain         cmd::ColumnSumBelow on the numeric table of
//                           table_bench (1.2, 4.5, ...), the plain reading
//   ColumnSumsJapanese      the same with the Japanese reading on: plain ASCII
//                           cells take its short path
//   ColumnSumsJapaneseWide  the Japanese reading on a table of full-width,
//                           separated, ▲ and 万 numbers (４５, 1,234, ▲１, 3万)
//
// Each reports the thread CPU time of the command (cpu_ms), the lower bound of
// column sums on the numeric table (bound_ms, LowerBound.h: one pass that
// splits the cells and parses them with std::from_chars) and their ratio;
// the wide table's bound on its own bytes is wide_bound_ms.
#include <benchmark/benchmark.h>

#include <random>
#include <string>

#include "BenchTables.h"
#include "LowerBound.h"
#include "editor/CommandIds.h"
#include "settings/SettingsKeys.h"

namespace {

using benchtables::kColumns;
using benchtables::kRows;

const std::string& AsciiTable() {
  static const std::string text = benchtables::NumericTable(2024);
  return text;
}

// Full-width two-digit numbers in four columns, separated thousands in two,
// ▲ and a full-width digit in two, a digit and 万 in two: 51 bytes a row,
// 1,020,000 bytes in all, so the row of sums still fits the text limit.
const std::string& WideTable() {
  static const std::string text = [] {
    static const char* const kWideDigits[] = {"\x82\x4F", "\x82\x50", "\x82\x51", "\x82\x52", "\x82\x53",
                                              "\x82\x54", "\x82\x55", "\x82\x56", "\x82\x57", "\x82\x58"};
    std::mt19937 rng(2024);
    std::string t;
    t.reserve(static_cast<std::size_t>(kRows) * 51);
    for (int r = 0; r < kRows; ++r) {
      for (int c = 0; c < kColumns; ++c) {
        const unsigned v = rng();
        switch (c % 5) {
          case 0:
          case 1:
            t += kWideDigits[1 + v % 9];
            t += kWideDigits[v / 9 % 10];
            break;
          case 2:
            t += std::to_string(1 + v % 9) + "," + std::to_string(100 + v / 9 % 900);
            break;
          case 3:
            t += "\x81\xA3";  // ▲
            t += kWideDigits[1 + v % 9];
            break;
          default:
            t += std::to_string(1 + v % 9) + "\x96\x9C";  // 万
        }
        t += c + 1 < kColumns ? "\t" : "\r\n";
      }
    }
    return t;
  }();
  return text;
}

void RunColumnSums(benchmark::State& state, const std::string& table, bool japanese) {
  benchtables::ViewFixture b("pivra-numbers-bench", table);
  b.settings->WriteInt(setting::JapaneseNumbers, japanese ? 1 : 0);
  double seconds = 0.0;
  for (auto _ : state) {
    state.PauseTiming();
    b.view->Edit().SetText(table);
    b.view->History().Restart(b.view->Edit());
    b.view->cellRange = CellRange{0, 0, kColumns - 1, kRows - 1};
    b.view->tableSelection = {0, static_cast<int>(table.size()) - 2};
    b.view->Edit().SetSel(0, 0);
    state.ResumeTiming();
    const double t0 = lowerbound::ThreadSeconds();
    b.view->Execute(cmd::ColumnSumBelow);
    seconds += lowerbound::ThreadSeconds() - t0;
    benchmark::DoNotOptimize(b.view->Edit().GetTextLength());
  }
  const double cpu = seconds / static_cast<double>(state.iterations());
  const double bound = lowerbound::FastestSeconds(
      [] { benchmark::DoNotOptimize(lowerbound::ColumnSums(AsciiTable(), kColumns)); }, 40);
  state.counters["text_bytes"] = static_cast<double>(table.size());
  state.counters["cpu_ms"] = cpu * 1e3;
  state.counters["bound_ms"] = bound * 1e3;
  state.counters["ratio"] = cpu / bound;
  if (&table != &AsciiTable())
    state.counters["wide_bound_ms"] =
        1e3 * lowerbound::FastestSeconds([&] { benchmark::DoNotOptimize(lowerbound::ColumnSums(table, kColumns)); }, 40);
}

void ColumnSumsPlain(benchmark::State& s) { RunColumnSums(s, AsciiTable(), false); }
void ColumnSumsJapanese(benchmark::State& s) { RunColumnSums(s, AsciiTable(), true); }
void ColumnSumsJapaneseWide(benchmark::State& s) { RunColumnSums(s, WideTable(), true); }

}  // namespace

BENCHMARK(ColumnSumsPlain)->Unit(benchmark::kMillisecond);
BENCHMARK(ColumnSumsJapanese)->Unit(benchmark::kMillisecond);
BENCHMARK(ColumnSumsJapaneseWide)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
