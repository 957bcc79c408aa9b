// The table commands on a 1 MB table of 20,000 rows and 10 numeric columns,
// through the view as the menu runs them: reading the text, rebuilding it,
// SetText, the caret move and the undo snapshot.
//
//   ColumnSums / ColumnAverages   cmd::ColumnSumBelow / cmd::ColumnAverageBelow on
//                                 the whole 10 x 20,000 block
//   RowSums / RowAverages         cmd::RowSumRight / cmd::RowAverageRight on the
//                                 same block
//   SortByValue / SortByText      cmd::SortRows on all rows, by the fourth column
//   RankColumn                    cmd::InsertRankColumn: rank on all rows, by the
//                                 fourth column
//   RankFirstColumn               the same by the first column (the rank cell
//                                 goes in front of the row)
//   NumberColumn                  cmd::InsertRankColumn: running numbers on all rows
//   TransformColumn               cmd::ColumnSlopeOffsetRight on the first column
//   CombineColumns                cmd::TwoColumnArithmeticRight on the first and
//                                 last columns
//
// Each iteration starts from the original text with a fresh undo history.
// Besides the usual times, each benchmark reports the thread CPU time of the
// command (cpu_ms), the lower bound of its kind measured in the same run
// (bound_ms, see LowerBound.h: the column-sum pass for the sums and averages,
// the key sort for sorting and ranking) and their ratio.
#include <benchmark/benchmark.h>

#include <functional>
#include <string>

#include "BenchTables.h"
#include "LowerBound.h"
#include "editor/CommandIds.h"

namespace {

using benchtables::kColumns;
using benchtables::kRows;

const std::string& Table() {
  static const std::string text = benchtables::NumericTable(2024);
  return text;
}

struct Bench : benchtables::ViewFixture {
  Bench() : ViewFixture("pivra-bench", Table()) {}

  // The original text, a fresh history, the block (by default the whole
  // table) and a selection over the table.
  void Reset(const CellRange& block) {
    view->Edit().SetText(Table());
    view->History().Restart(view->Edit());
    view->cellRange = block;
    view->tableSelection = {0, static_cast<int>(Table().size()) - 2};
    view->Edit().SetSel(0, 0);
  }
};

enum class Bound { None, ColumnSums, SortKeys, SortFirstKeys };

double BoundSeconds(Bound bound) {
  switch (bound) {
    case Bound::ColumnSums:
      return lowerbound::FastestSeconds([] { benchmark::DoNotOptimize(lowerbound::ColumnSums(Table(), kColumns)); }, 40);
    case Bound::SortKeys:
      return lowerbound::FastestSeconds([] { benchmark::DoNotOptimize(lowerbound::SortedKeys(Table(), 3)); }, 40);
    case Bound::SortFirstKeys:
      return lowerbound::FastestSeconds([] { benchmark::DoNotOptimize(lowerbound::SortedKeys(Table(), 0)); }, 40);
    case Bound::None: break;
  }
  return 0.0;
}

const CellRange kWholeTable{0, 0, kColumns - 1, kRows - 1};

void RunCommand(benchmark::State& state, int id, Bound bound, std::function<void(DialogData&)> fill = {},
                const CellRange& block = kWholeTable) {
  Bench b;
  b.host.fill = std::move(fill);
  double seconds = 0.0;
  for (auto _ : state) {
    state.PauseTiming();
    b.Reset(block);
    state.ResumeTiming();
    const double t0 = lowerbound::ThreadSeconds();
    b.view->Execute(id);
    seconds += lowerbound::ThreadSeconds() - t0;
    benchmark::DoNotOptimize(b.view->Edit().GetTextLength());
  }
  state.counters["text_bytes"] = static_cast<double>(Table().size());
  state.counters["delta_bytes"] = static_cast<double>(b.view->Edit().GetTextLength()) - static_cast<double>(Table().size());
  const double cpu = seconds / static_cast<double>(state.iterations());
  state.counters["cpu_ms"] = cpu * 1e3;
  if (bound != Bound::None) {
    const double lower = BoundSeconds(bound);
    state.counters["bound_ms"] = lower * 1e3;
    state.counters["ratio"] = cpu / lower;
  }
}

void Sort(DialogData& d, bool byValue) {
  d.Set(1007, "3");
  d.Set(1001, "1");
  d.Set(1117, std::to_string(kRows));
  d.Set(1006, "1");
  d.Set(1031, byValue ? "1" : "0");
}

void Rank(DialogData& d, bool rank, const char* column = "3") {
  d.Set(1007, column);
  d.Set(1001, "1");
  d.Set(1117, std::to_string(kRows));
  d.Set(1028, rank ? "1" : "0");
}

void ColumnSums(benchmark::State& s) { RunCommand(s, cmd::ColumnSumBelow, Bound::ColumnSums); }
void ColumnAverages(benchmark::State& s) { RunCommand(s, cmd::ColumnAverageBelow, Bound::ColumnSums); }
void RowSums(benchmark::State& s) { RunCommand(s, cmd::RowSumRight, Bound::ColumnSums); }
void RowAverages(benchmark::State& s) { RunCommand(s, cmd::RowAverageRight, Bound::ColumnSums); }
void SortByValue(benchmark::State& s) {
  RunCommand(s, cmd::SortRows, Bound::SortKeys, [](DialogData& d) { Sort(d, true); });
}
void SortByText(benchmark::State& s) {
  RunCommand(s, cmd::SortRows, Bound::SortKeys, [](DialogData& d) { Sort(d, false); });
}
void RankColumn(benchmark::State& s) {
  RunCommand(s, cmd::InsertRankColumn, Bound::SortKeys, [](DialogData& d) { Rank(d, true); });
}
void RankFirstColumn(benchmark::State& s) {
  RunCommand(s, cmd::InsertRankColumn, Bound::SortFirstKeys, [](DialogData& d) { Rank(d, true, "0"); });
}
void NumberColumn(benchmark::State& s) {
  RunCommand(s, cmd::InsertRankColumn, Bound::None, [](DialogData& d) { Rank(d, false); });
}
void TransformColumn(benchmark::State& s) {
  RunCommand(s, cmd::ColumnSlopeOffsetRight, Bound::None, {}, CellRange{0, 0, 0, kRows - 1});
}
void CombineColumns(benchmark::State& s) { RunCommand(s, cmd::TwoColumnArithmeticRight, Bound::None); }

}  // namespace

BENCHMARK(ColumnSums)->Unit(benchmark::kMillisecond);
BENCHMARK(ColumnAverages)->Unit(benchmark::kMillisecond);
BENCHMARK(RowSums)->Unit(benchmark::kMillisecond);
BENCHMARK(RowAverages)->Unit(benchmark::kMillisecond);
BENCHMARK(SortByValue)->Unit(benchmark::kMillisecond);
BENCHMARK(SortByText)->Unit(benchmark::kMillisecond);
BENCHMARK(RankColumn)->Unit(benchmark::kMillisecond);
BENCHMARK(RankFirstColumn)->Unit(benchmark::kMillisecond);
BENCHMARK(NumberColumn)->Unit(benchmark::kMillisecond);
BENCHMARK(TransformColumn)->Unit(benchmark::kMillisecond);
BENCHMARK(CombineColumns)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
