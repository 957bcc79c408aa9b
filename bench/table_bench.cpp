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
//   NumberColumn                  cmd::InsertRankColumn: running numbers on all rows
//
// Each iteration starts from the original text with a fresh undo history.
#include <benchmark/benchmark.h>

#include <functional>
#include <string>

#include "BenchTables.h"
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

  // The original text, a fresh history, the whole table as the block and a
  // selection over it.
  void Reset() {
    view->Edit().SetText(Table());
    view->History().Restart(view->Edit());
    view->cellRange = CellRange{0, 0, kColumns - 1, kRows - 1};
    view->tableSelection = {0, static_cast<int>(Table().size()) - 2};
    view->Edit().SetSel(0, 0);
  }
};

void RunCommand(benchmark::State& state, int id, std::function<void(DialogData&)> fill = {}) {
  Bench b;
  b.host.fill = std::move(fill);
  for (auto _ : state) {
    state.PauseTiming();
    b.Reset();
    state.ResumeTiming();
    b.view->Execute(id);
    benchmark::DoNotOptimize(b.view->Edit().GetTextLength());
  }
  state.counters["text_bytes"] = static_cast<double>(Table().size());
}

void Sort(DialogData& d, bool byValue) {
  d.Set(1007, "3");
  d.Set(1001, "1");
  d.Set(1117, std::to_string(kRows));
  d.Set(1006, "1");
  d.Set(1031, byValue ? "1" : "0");
}

void Rank(DialogData& d, bool rank) {
  d.Set(1007, "3");
  d.Set(1001, "1");
  d.Set(1117, std::to_string(kRows));
  d.Set(1028, rank ? "1" : "0");
}

void ColumnSums(benchmark::State& s) { RunCommand(s, cmd::ColumnSumBelow); }
void ColumnAverages(benchmark::State& s) { RunCommand(s, cmd::ColumnAverageBelow); }
void RowSums(benchmark::State& s) { RunCommand(s, cmd::RowSumRight); }
void RowAverages(benchmark::State& s) { RunCommand(s, cmd::RowAverageRight); }
void SortByValue(benchmark::State& s) { RunCommand(s, cmd::SortRows, [](DialogData& d) { Sort(d, true); }); }
void SortByText(benchmark::State& s) { RunCommand(s, cmd::SortRows, [](DialogData& d) { Sort(d, false); }); }
void RankColumn(benchmark::State& s) { RunCommand(s, cmd::InsertRankColumn, [](DialogData& d) { Rank(d, true); }); }
void NumberColumn(benchmark::State& s) { RunCommand(s, cmd::InsertRankColumn, [](DialogData& d) { Rank(d, false); }); }

}  // namespace

BENCHMARK(ColumnSums)->Unit(benchmark::kMillisecond);
BENCHMARK(ColumnAverages)->Unit(benchmark::kMillisecond);
BENCHMARK(RowSums)->Unit(benchmark::kMillisecond);
BENCHMARK(RowAverages)->Unit(benchmark::kMillisecond);
BENCHMARK(SortByValue)->Unit(benchmark::kMillisecond);
BENCHMARK(SortByText)->Unit(benchmark::kMillisecond);
BENCHMARK(RankColumn)->Unit(benchmark::kMillisecond);
BENCHMARK(NumberColumn)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
