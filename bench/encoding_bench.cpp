// UTF-8 documents: the conversion on open and on save, and the table
// commands on a table that came from a UTF-8 file.
//
//   DecodeUtf8File      file_text::Decode on about 1 MB of CP932 text (a
//                       kanji label and numbers on each row, LF line ends)
//                       as UTF-8 bytes: detection and conversion
//   EncodeUtf8File      file_text::Encode of the same text held with CR LF
//                       back to UTF-8 with LF line ends
//   DecodeKanjiFile / EncodeKanjiFile
//                       the same on 1 MB of kanji and kana alone (100
//                       characters a line), every character converted
//   OpenUtf8Table       Document::OpenDocumentFile of the 1 MB numeric table
//                       written as UTF-8 (one kanji header row): reading,
//                       conversion, line ends, view set-up
//   SaveUtf8Table       Document::OnSaveDocument of that table after an edit,
//                       without a backup
//   SaveUtf8TableWithBackup
//                       the same with the default backup (a copy of the old
//                       file under "<name>.bak")
//   ColumnSumsUtf8 / SortByValueUtf8
//                       cmd::ColumnSumBelow and cmd::SortRows on the table
//                       opened from the UTF-8 file
#include <benchmark/benchmark.h>

#include <fstream>
#include <functional>
#include <string>

#include "BenchTables.h"
#include "document/FileText.h"
#include "editor/CommandIds.h"
#include "text/Cp932.h"

namespace {

using benchtables::kColumns;
using benchtables::kRows;

// About 1 MB of CP932: each row a label of four kanji, then numbers.
const std::string& MixedText() {
  static const std::string text = [] {
    const char* kanji[] = {"\x95\x5C", "\x8C\x76", "\x8E\x5A", "\x93\xFA", "\x96\x7B", "\x8C\xEA"};
    std::string t;
    for (int r = 0; t.size() < 1000000; ++r) {
      for (int k = 0; k < 4; ++k) t += kanji[(r + k) % 6];
      t += "\t12.3\t45.6\t" + std::to_string(r) + "\n";
    }
    return t;
  }();
  return text;
}

const std::string& KanjiText() {
  static const std::string text = [] {
    std::string t;
    while (t.size() < 1000000) {
      for (int i = 0; i < 20; ++i) t += "\x95\x5C\x8C\x76\x8E\x5A\x82\xA0\x83\x41";  // 表計算あア
      t += "\n";
    }
    return t;
  }();
  return text;
}

void Decode(benchmark::State& state, const std::string& text) {
  const std::string bytes = cp932::ToUtf8(text);
  for (auto _ : state) {
    file_text::Loaded loaded = file_text::Decode(bytes, file_text::ReadAs::Detect);
    benchmark::DoNotOptimize(loaded.text.data());
  }
  state.counters["text_bytes"] = static_cast<double>(text.size());
  state.counters["file_bytes"] = static_cast<double>(bytes.size());
}

void Encode(benchmark::State& state, const std::string& text) {
  const std::string held = cp932::ReplaceAll(text, "\n", "\r\n");
  const file_text::FileForm form{file_encoding::Encoding::Utf8, 0, file_text::LineEnds::Lf};
  for (auto _ : state) {
    file_text::Encoded encoded = file_text::Encode(held, form);
    benchmark::DoNotOptimize(encoded.bytes.data());
  }
  state.counters["text_bytes"] = static_cast<double>(held.size());
}

void DecodeUtf8File(benchmark::State& state) { Decode(state, MixedText()); }
void EncodeUtf8File(benchmark::State& state) { Encode(state, MixedText()); }
void DecodeKanjiFile(benchmark::State& state) { Decode(state, KanjiText()); }
void EncodeKanjiFile(benchmark::State& state) { Encode(state, KanjiText()); }

// The numeric table below a kanji header row, as a UTF-8 file.
struct Utf8Table : benchtables::ViewFixture {
  std::string path;
  Utf8Table() : ViewFixture("pivra-bench-utf8") {
    path = (dir / "table.txt").string();
    const std::string text = "\x95\x5C\r\n" + benchtables::NumericTable(2024);
    std::ofstream(path, std::ios::binary) << cp932::ToUtf8(text);
  }
  Document& Doc() { return app->Doc(); }
};

void OpenUtf8Table(benchmark::State& state) {
  Utf8Table t;
  for (auto _ : state) benchmark::DoNotOptimize(t.Doc().OpenDocumentFile(t.path));
}

void SaveUtf8Table(benchmark::State& state) {
  Utf8Table t;
  // The document reads the backup setting when it is made, so it is turned
  // off on the document itself: the save is measured without a backup copy.
  t.Doc().backupEnabled = 0;
  t.Doc().OpenDocumentFile(t.path);
  t.view->TypeKeys("1");
  for (auto _ : state) benchmark::DoNotOptimize(t.Doc().OnSaveDocument(t.path));
}

// The same save with the backup the setting asks for by default: the old
// file is copied to "<name>.bak" first.
void SaveUtf8TableWithBackup(benchmark::State& state) {
  Utf8Table t;
  t.Doc().OpenDocumentFile(t.path);
  t.view->TypeKeys("1");
  for (auto _ : state) benchmark::DoNotOptimize(t.Doc().OnSaveDocument(t.path));
}

void RunOnUtf8Table(benchmark::State& state, int id, std::function<void(DialogData&)> fill = {}) {
  Utf8Table t;
  t.host.fill = std::move(fill);
  for (auto _ : state) {
    state.PauseTiming();
    t.Doc().OpenDocumentFile(t.path);
    // The numbers below the header row.
    t.view->cellRange = CellRange{0, 1, kColumns - 1, kRows};
    t.view->tableSelection = {4, t.view->Edit().GetTextLength() - 2};
    state.ResumeTiming();
    t.view->Execute(id);
    benchmark::DoNotOptimize(t.view->Edit().GetTextLength());
  }
}

void ColumnSumsUtf8(benchmark::State& s) { RunOnUtf8Table(s, cmd::ColumnSumBelow); }
void SortByValueUtf8(benchmark::State& s) {
  // By the fourth column's values, rows 2 to the last (below the header).
  RunOnUtf8Table(s, cmd::SortRows, [](DialogData& d) {
    d.Set(1007, "3");
    d.Set(1001, "2");
    d.Set(1117, std::to_string(kRows + 1));
    d.Set(1006, "1");
    d.Set(1031, "1");
  });
}

}  // namespace

BENCHMARK(DecodeUtf8File)->Unit(benchmark::kMillisecond);
BENCHMARK(EncodeUtf8File)->Unit(benchmark::kMillisecond);
BENCHMARK(DecodeKanjiFile)->Unit(benchmark::kMillisecond);
BENCHMARK(EncodeKanjiFile)->Unit(benchmark::kMillisecond);
BENCHMARK(OpenUtf8Table)->Unit(benchmark::kMillisecond);
BENCHMARK(SaveUtf8Table)->Unit(benchmark::kMillisecond);
BENCHMARK(SaveUtf8TableWithBackup)->Unit(benchmark::kMillisecond);
BENCHMARK(ColumnSumsUtf8)->Unit(benchmark::kMillisecond);
BENCHMARK(SortByValueUtf8)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
