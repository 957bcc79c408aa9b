// Splitting the window over a 1 MB CP932 text: the second pane is made, set
// up for the document, given the text, scrolled and given the history of the
// first. The goal is well under 30 ms a split. Removing the split again is
// outside the measured time.
//
// Cases: row and column split, in table mode (no wrap) and with word wrap on
// (an editor-mode document).
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "BenchTables.h"
#include "app/PaneSplitter.h"
#include "text/Cp932.h"

namespace {

// About 1 MB of table rows with Japanese names and numbers.
std::string JapaneseTable() {
  const std::string row = cp932::FromUtf8("表計算\t佐藤\t82\t75.5\t鈴木一郎\t91\t=SUM\tメモ：ソ予能\r\n");
  std::string text;
  while (text.size() + row.size() <= 1000000) text += row;
  return text;
}

void Split(benchmark::State& state) {
  const bool columns = state.range(0) == 1;
  const bool wrap = state.range(1) == 1;
  benchtables::ViewFixture f("pivra-split-bench", JapaneseTable());
  if (wrap) f.view->Execute(32809);  // table mode off: the text wraps
  f.view->Edit().SetSel(400000, 400000);
  f.view->Edit().ScrollCaret();
  PaneSplitter splitter(f.app->Doc(), *f.view, [&] {
    std::unique_ptr<EditorView> pane = f.app->CreateView(f.host, f.clipboard);
    pane->Edit().SetLayout(&f.layout);
    return pane;
  });
  for (auto _ : state) {
    if (columns) {
      splitter.ToggleColumnSplit();
    } else {
      splitter.ToggleRowSplit();
    }
    state.PauseTiming();
    splitter.ActivatePane(0);
    splitter.Unsplit();
    splitter.ReleaseRemovedPanes();
    state.ResumeTiming();
  }
  state.counters["text_bytes"] = static_cast<double>(f.view->Edit().GetTextLength());
}

BENCHMARK(Split)
    ->ArgNames({"columns", "wrap"})
    ->Args({0, 0})
    ->Args({1, 0})
    ->Args({0, 1})
    ->Args({1, 1})
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
