// The column and block commands on tables whose rows hold many cells, with a
// block about as wide as the rows (dragged from cell 1 of the first row into
// the second-last cell of the last row),
// through the view as the menu runs them.
//
//   <Command>_OneRow       one row of 100,000 one-digit cells (200 KB)
//   <Command>_ManyRows     20,000 rows of 50 one-digit cells (2 MB)
//
// for cmd::InsertBlankCells, cmd::ClearBlock, cmd::InsertBlankColumn,
// cmd::DeleteColumn, cmd::CutColumn and cmd::CutBlock. Each iteration starts
// from the original text with a fresh undo history and the block selected by
// a mouse drag. The counters show the bytes the run added or removed, so a
// run that did nothing shows.
#include <benchmark/benchmark.h>

#include <string>

#include "BenchTables.h"
#include "editor/CommandIds.h"

namespace {

struct Shape {
  int rows;
  int cells;
};
constexpr Shape kOneRow{1, 100000};
constexpr Shape kManyRows{20000, 50};

std::string Table(const Shape& shape) {
  std::string t;
  for (int r = 0; r < shape.rows; ++r) {
    for (int c = 0; c < shape.cells; ++c) {
      t += static_cast<char>('0' + (r * 7 + c) % 10);
      t += c + 1 < shape.cells ? "\t" : "\r\n";
    }
  }
  return t;
}

void Run(benchmark::State& state, int id, const Shape& shape) {
  const std::string text = Table(shape);
  // From the start of cell 1 of the first row into cell cells - 2 of the last.
  const int rowBytes = 2 * shape.cells;
  const int s = 2;
  const int e = (shape.rows - 1) * rowBytes + 2 * (shape.cells - 2) + 1;
  benchtables::ViewFixture f("pivra-long-row-bench", text);
  for (auto _ : state) {
    state.PauseTiming();
    f.view->Edit().SetText(text);
    f.view->History().Restart(f.view->Edit());
    f.view->Edit().SetSel(s, e);
    f.view->OnMouseRelease();
    state.ResumeTiming();
    f.view->Execute(id);
    benchmark::DoNotOptimize(f.view->Edit().GetTextLength());
  }
  state.counters["text_bytes"] = static_cast<double>(text.size());
  state.counters["block_cols"] = f.view->cellRange.Columns();
  state.counters["delta_bytes"] = static_cast<double>(f.view->Edit().GetTextLength()) - static_cast<double>(text.size());
}

#define LONG_ROW_BENCH(Command)                                                          \
  void Command##_OneRow(benchmark::State& s) { Run(s, cmd::Command, kOneRow); }          \
  void Command##_ManyRows(benchmark::State& s) { Run(s, cmd::Command, kManyRows); }      \
  BENCHMARK(Command##_OneRow)->Unit(benchmark::kMillisecond);                            \
  BENCHMARK(Command##_ManyRows)->Unit(benchmark::kMillisecond);

LONG_ROW_BENCH(InsertBlankCells)
LONG_ROW_BENCH(ClearBlock)
LONG_ROW_BENCH(InsertBlankColumn)
LONG_ROW_BENCH(DeleteColumn)
LONG_ROW_BENCH(CutColumn)
LONG_ROW_BENCH(CutBlock)

}  // namespace

BENCHMARK_MAIN();
