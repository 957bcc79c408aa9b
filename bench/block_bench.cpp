// The column and block commands on a 1 MB table of 20,000 rows and 10
// numeric columns, through the view as the menu runs them: reading the text,
// one pass over the rows, SetText, the caret and the undo snapshot.
//
//   InsertBlankColumn      cmd::InsertBlankColumn with the caret in the fourth
//                          column, every row
//   DeleteColumn           cmd::DeleteColumn: the fourth column of every row
//   CutColumn              cmd::CutColumn: copy and delete the fourth column
//   InsertCopiedColumn     cmd::InsertCopiedColumn: a copied column back into
//                          every row
//   BlockCopyPaste         cmd::CopyBlock then cmd::PasteBlock: 1,000 rows x 5
//                          columns
//   DeleteBlock            cmd::DeleteBlock on 1,000 x 5 cells
//   RepeatedPaste          cmd::PasteBlockRepeated: a 2 x 2 block repeated over
//                          1,000 x 5 cells
//   ClearBlock             cmd::ClearBlock on 1,000 x 5 cells
//   DeviationColumn        cmd::DeviationScoresRight: a computed column inserted
//                          over all 20,000 rows
//
// Each iteration starts from the original text with a fresh undo history.
#include <benchmark/benchmark.h>

#include <functional>
#include <string>

#include "BenchTables.h"
#include "editor/CommandIds.h"

namespace {

using benchtables::kRows;

const std::string& Table() {
  static const std::string text = benchtables::NumericTable(7);
  return text;
}

// Offset of the start of cell (col, row) of the table.
int CellStart(int col, int row) {
  const std::string& t = Table();
  std::size_t p = 0;
  for (int r = 0; r < row; ++r) p = t.find('\n', p) + 1;
  for (int c = 0; c < col; ++c) p = t.find('\t', p) + 1;
  return static_cast<int>(p);
}

struct Bench : benchtables::ViewFixture {
  Bench() : ViewFixture("pivra-block-bench", Table()) {}

  // The original text, a fresh history, the given block (empty: none) and
  // the selection as a mouse release leaves it.
  void Reset(const CellRange& block, int selStart, int selEnd) {
    view->Edit().SetText(Table());
    view->History().Restart(view->Edit());
    view->cellRange = block;
    view->Edit().SetSel(selStart, selEnd);
    view->tableSelection = {selStart, selEnd};
  }
};

// The 1,000 x 5 block of the benchmarks: rows 9,000 to 9,999, columns 2 to 6.
const CellRange kBlock{2, 9000, 6, 9999};
int BlockStart() { return CellStart(kBlock.firstCol, kBlock.firstRow); }
int BlockEnd() { return CellStart(kBlock.lastCol, kBlock.lastRow) + 2; }

void Run(benchmark::State& state, const std::function<void(Bench&)>& reset, const std::function<void(Bench&)>& run) {
  Bench b;
  for (auto _ : state) {
    state.PauseTiming();
    reset(b);
    state.ResumeTiming();
    run(b);
    benchmark::DoNotOptimize(b.view->Edit().GetTextLength());
  }
  state.counters["text_bytes"] = static_cast<double>(Table().size());
  // Bytes the last run added or removed, and its undo steps (1 for every
  // command that changes the text), so a run that did nothing shows.
  state.counters["delta_bytes"] = static_cast<double>(b.view->Edit().GetTextLength()) - static_cast<double>(Table().size());
  state.counters["undo_steps"] = static_cast<double>(b.view->History().Current());
}

void Caret(Bench& b, int col, int row) {
  const int p = CellStart(col, row) + 1;  // inside the cell
  b.Reset(CellRange{}, p, p);
}

void BM_InsertBlankColumn(benchmark::State& state) {
  Run(state, [](Bench& b) { Caret(b, 3, 0); }, [](Bench& b) { b.view->Execute(cmd::InsertBlankColumn); });
}
void BM_DeleteColumn(benchmark::State& state) {
  Run(state, [](Bench& b) { Caret(b, 3, 0); }, [](Bench& b) { b.view->Execute(cmd::DeleteColumn); });
}
void BM_CutColumn(benchmark::State& state) {
  Run(state, [](Bench& b) { Caret(b, 3, 0); }, [](Bench& b) { b.view->Execute(cmd::CutColumn); });
}
void BM_InsertCopiedColumn(benchmark::State& state) {
  Run(
      state,
      [](Bench& b) {
        Caret(b, 3, 0);
        b.view->Execute(cmd::CopyColumn);  // copy the fourth column of all rows
        Caret(b, 7, 0);
      },
      [](Bench& b) { b.view->Execute(cmd::InsertCopiedColumn); });
}
void BM_BlockCopyPaste(benchmark::State& state) {
  Run(
      state, [](Bench& b) { b.Reset(kBlock, BlockStart(), BlockEnd()); },
      [](Bench& b) {
        b.view->Execute(cmd::CopyBlock);
        const int p = CellStart(1, 15000);  // right after the first TAB of row 15,000
        b.view->Edit().SetSel(p, p);
        b.view->Execute(cmd::PasteBlock);
      });
}
void BM_DeleteBlock(benchmark::State& state) {
  Run(
      state, [](Bench& b) { b.Reset(kBlock, BlockStart(), BlockEnd()); },
      [](Bench& b) { b.view->Execute(cmd::DeleteBlock); });
}
void BM_RepeatedPaste(benchmark::State& state) {
  Run(
      state,
      [](Bench& b) {
        b.Reset(CellRange{0, 0, 1, 1}, 0, CellStart(1, 1) + 1);
        b.view->Execute(cmd::CopyBlock);  // a 2 x 2 block
        b.Reset(kBlock, BlockStart(), BlockEnd());
      },
      [](Bench& b) { b.view->Execute(cmd::PasteBlockRepeated); });
}
void BM_ClearBlock(benchmark::State& state) {
  Run(
      state, [](Bench& b) { b.Reset(kBlock, BlockStart(), BlockEnd()); },
      [](Bench& b) { b.view->Execute(cmd::ClearBlock); });
}
void BM_DeviationColumn(benchmark::State& state) {
  Run(
      state,
      [](Bench& b) {
        b.Reset(CellRange{3, 0, 3, kRows - 1}, CellStart(3, 0), CellStart(3, kRows - 1) + 2);
      },
      [](Bench& b) { b.view->Execute(cmd::DeviationScoresRight); });
}

BENCHMARK(BM_InsertBlankColumn)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DeleteColumn)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CutColumn)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_InsertCopiedColumn)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BlockCopyPaste)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DeleteBlock)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RepeatedPaste)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ClearBlock)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DeviationColumn)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
