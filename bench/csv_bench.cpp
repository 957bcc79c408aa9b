// Comma-separated documents against the same table as TAB text, in one run:
//
//   OpenCsv / OpenTabText     Document::OpenDocumentFile of a table of N rows
//                             of 10 fields (20,000 rows: about 1.1 MB of CSV,
//                             a third of the fields quoted because they hold
//                             a comma; 1 MB of TAB text): reading, the CSV
//                             conversion, view set-up
//   SaveCsv / SaveTabText     Document::OnSaveDocument of that table after
//                             one cell was typed over, without a backup:
//                             every row but one written back as it was read
//   ReadCsv / WriteCsv        csv::Read and csv::Write alone on the same text
//
// The row counts 5,000, 10,000 and 20,000 show that each grows linearly.
#include <benchmark/benchmark.h>

#include <fstream>
#include <string>

#include "BenchTables.h"
#include "text/Csv.h"

namespace {

// The table as CSV (CR LF) and as TAB text: fields 1, 4 and 7 hold a comma.
std::string TableText(int rows, bool csv) {
  std::string t;
  for (int r = 0; r < rows; ++r) {
    for (int c = 0; c < 10; ++c) {
      if (c > 0) t += csv ? ',' : '\t';
      if (c % 3 == 1) {
        const std::string cell = std::to_string(r % 100) + "," + std::to_string((r * 7 + c * 37) % 1000);
        t += csv ? "\"" + cell + "\"" : cell;
      } else {
        t += std::to_string((r * 13 + c * 101) % 1000);
      }
    }
    t += "\r\n";
  }
  return t;
}

struct TableFile : benchtables::ViewFixture {
  std::string path;
  TableFile(int rows, bool csv) : ViewFixture("pivra-bench-csv") {
    path = (dir / (csv ? "table.csv" : "table.txt")).string();
    std::ofstream(path, std::ios::binary) << TableText(rows, csv);
  }
  Document& Doc() { return app->Doc(); }
};

void Open(benchmark::State& state, bool csv) {
  TableFile t(static_cast<int>(state.range(0)), csv);
  for (auto _ : state) benchmark::DoNotOptimize(t.Doc().OpenDocumentFile(t.path));
  state.counters["text_bytes"] = static_cast<double>(t.view->Edit().GetTextLength());
}

void Save(benchmark::State& state, bool csv) {
  TableFile t(static_cast<int>(state.range(0)), csv);
  t.Doc().backupEnabled = 0;
  t.Doc().OpenDocumentFile(t.path);
  t.view->Edit().SetSel(0, 0);
  t.view->TypeKeys("1");
  for (auto _ : state) benchmark::DoNotOptimize(t.Doc().OnSaveDocument(t.path));
}

void OpenCsv(benchmark::State& state) { Open(state, true); }
void OpenTabText(benchmark::State& state) { Open(state, false); }
void SaveCsv(benchmark::State& state) { Save(state, true); }
void SaveTabText(benchmark::State& state) { Save(state, false); }

void ReadCsv(benchmark::State& state) {
  const std::string text = TableText(static_cast<int>(state.range(0)), true);
  for (auto _ : state) {
    csv::Table table = csv::Read(text);
    benchmark::DoNotOptimize(table.rows.data());
  }
  state.counters["file_bytes"] = static_cast<double>(text.size());
}

void WriteCsv(benchmark::State& state) {
  const csv::Table table = csv::Read(TableText(static_cast<int>(state.range(0)), true));
  for (auto _ : state) {
    std::string bytes = csv::Write(table.rows, table.form);
    benchmark::DoNotOptimize(bytes.data());
  }
}

}  // namespace

BENCHMARK(OpenCsv)->Unit(benchmark::kMillisecond)->Arg(5000)->Arg(10000)->Arg(20000);
BENCHMARK(OpenTabText)->Unit(benchmark::kMillisecond)->Arg(5000)->Arg(10000)->Arg(20000);
BENCHMARK(SaveCsv)->Unit(benchmark::kMillisecond)->Arg(5000)->Arg(10000)->Arg(20000);
BENCHMARK(SaveTabText)->Unit(benchmark::kMillisecond)->Arg(5000)->Arg(10000)->Arg(20000);
BENCHMARK(ReadCsv)->Unit(benchmark::kMillisecond)->Arg(5000)->Arg(10000)->Arg(20000);
BENCHMARK(WriteCsv)->Unit(benchmark::kMillisecond)->Arg(5000)->Arg(10000)->Arg(20000);

BENCHMARK_MAIN();
