// The column and block commands on tables whose rows hold many cells, with a
// block about as wide as the rows (dragged from cell 1 of the first row into
// the second-last cell of the last row), through the view as the menu runs
// them.
//
//   <Command>_OneRow       one row of 100,000 one-digit cells (200 KB)
//   <Command>_ManyRows     20,000 rows of 50 cells, the first holding a digit
//                          and the others empty (1,040,000 bytes: 20,000 x 50
//                          cells only fit the 1 MB text limit when nearly all
//                          are empty)
//   <Command>_HalfRows     10,000 rows of 50 one-digit cells (1,010,000 bytes)
//   <Command>_RoomRows     10,000 rows of 50 cells, the first holding a digit
//                          (520,000 bytes: room for the commands that add a
//                          block's width of cells to every row)
//
// for the drag itself (SelectBlock: the mouse release that works out the
// block), and for cmd::InsertBlankCells, cmd::ClearBlock, cmd::InsertBlankColumn,
// cmd::DeleteColumn, cmd::CutColumn and cmd::CutBlock. Each iteration starts
// from the original text with a fresh undo history and the block selected by
// a mouse drag. The counters show the bytes the run added or removed, so a
// run that did nothing shows: a command that would take the text past the
// limit is refused (inserting 47 blank cells into every row of a 1 MB table
// is), and then it times the refusal.
#include <benchmark/benchmark.h>

#include <string>

#include "BenchTables.h"
#include "editor/CommandIds.h"

namespace {

struct Shape {
  int rows;
  int cells;
  bool sparse;  // only the first cell of a row holds a digit
};
constexpr Shape kOneRow{1, 100000, false};
constexpr Shape kManyRows{20000, 50, true};
constexpr Shape kHalfRows{10000, 50, false};
constexpr Shape kRoomRows{10000, 50, true};

std::string Table(const Shape& shape) {
  std::string t;
  for (int r = 0; r < shape.rows; ++r) {
    for (int c = 0; c < shape.cells; ++c) {
      if (!shape.sparse || c == 0) t += static_cast<char>('0' + (r * 7 + c) % 10);
      t += c + 1 < shape.cells ? "\t" : "\r\n";
    }
  }
  return t;
}

// Where the block drag starts and ends: the start of cell 1 of the first row,
// and inside cell cells - 2 of the last.
int CellStart(const Shape& shape, int row, int cell) {
  const int rowBytes = shape.sparse ? shape.cells + 2 : 2 * shape.cells;
  if (shape.sparse) return row * rowBytes + (cell == 0 ? 0 : cell + 1);
  return row * rowBytes + 2 * cell;
}

void Run(benchmark::State& state, int id, const Shape& shape) {
  const std::string text = Table(shape);
  const int s = CellStart(shape, 0, 1);
  const int e = CellStart(shape, shape.rows - 1, shape.cells - 2) + (shape.sparse ? 0 : 1);
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
  void Command##_HalfRows(benchmark::State& s) { Run(s, cmd::Command, kHalfRows); }      \
  void Command##_RoomRows(benchmark::State& s) { Run(s, cmd::Command, kRoomRows); }      \
  BENCHMARK(Command##_OneRow)->Unit(benchmark::kMillisecond);                            \
  BENCHMARK(Command##_ManyRows)->Unit(benchmark::kMillisecond);                          \
  BENCHMARK(Command##_HalfRows)->Unit(benchmark::kMillisecond);                          \
  BENCHMARK(Command##_RoomRows)->Unit(benchmark::kMillisecond);

// The block drag itself: the release works out the block's cells.
void SelectBlock(benchmark::State& state, const Shape& shape) {
  const std::string text = Table(shape);
  benchtables::ViewFixture f("pivra-long-row-bench", text);
  for (auto _ : state) {
    f.view->Edit().SetSel(CellStart(shape, 0, 1), CellStart(shape, shape.rows - 1, shape.cells - 2) + (shape.sparse ? 0 : 1));
    f.view->OnMouseRelease();
    benchmark::DoNotOptimize(f.view->cellRange.Columns());
  }
  state.counters["block_cols"] = f.view->cellRange.Columns();
}
void SelectBlock_OneRow(benchmark::State& s) { SelectBlock(s, kOneRow); }
void SelectBlock_ManyRows(benchmark::State& s) { SelectBlock(s, kManyRows); }
void SelectBlock_HalfRows(benchmark::State& s) { SelectBlock(s, kHalfRows); }
BENCHMARK(SelectBlock_OneRow)->Unit(benchmark::kMillisecond);
BENCHMARK(SelectBlock_ManyRows)->Unit(benchmark::kMillisecond);
BENCHMARK(SelectBlock_HalfRows)->Unit(benchmark::kMillisecond);

LONG_ROW_BENCH(InsertBlankCells)
LONG_ROW_BENCH(ClearBlock)
LONG_ROW_BENCH(InsertBlankColumn)
LONG_ROW_BENCH(DeleteColumn)
LONG_ROW_BENCH(CutColumn)
LONG_ROW_BENCH(CutBlock)

}  // namespace

BENCHMARK_MAIN();
