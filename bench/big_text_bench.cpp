// The editor at 1 MB and at 64 MB in one run, with the size limit raised
// ("Settings"/"MaxTextBytes" at its largest), through the view and the
// document as the user drives them. Two texts of each size:
//   table   rows of 10 cells like "1.23", TAB between them, CR LF after each
//           (51 bytes a row: 1,300,000 rows make 64 MB);
//   prose   Japanese sentences (kana, kanji, "、" and "。") in long lines of
//           2 to 8 KB, CR LF after each.
// Each line printed is one figure at both sizes and the target it is held
// against. Times are wall-clock milliseconds (a keystroke's: the median and
// the 99th percentile of many), except the table commands, which are the
// thread's CPU time beside the one-pass lower bound of LowerBound.h measured
// in the same run. Memory figures come from the allocator (bytes in use) and
// the process's peak resident size; this process also holds its own copies
// of the texts, so the editor's peak alone is peak_memory_bench's figure.
//
// Run it alone: `build/bench/big_text_bench` (two or three minutes);
// `--quick` measures the 1 MB texts only, `--keystrokes` the 64 MB table's
// open, typing and caret moves only, `--table` the table commands alone at
// both sizes (either for a profiler).
#include <malloc.h>
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "BenchTables.h"
#include "BigTexts.h"
#include "BigView.h"
#include "LowerBound.h"
#include "editor/CommandIds.h"
#include "editor/KeyCodes.h"
#include "find/SearchBars.h"
#include "settings/SettingsKeys.h"

namespace {

constexpr int kCells = bigtexts::kTableCells;
using bigtexts::Prose;
using bigtexts::Table;

double Ms(std::chrono::steady_clock::time_point since) {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - since).count();
}

template <typename F>
double TimeMs(F&& f) {
  const auto t0 = std::chrono::steady_clock::now();
  f();
  return Ms(t0);
}

std::size_t HeapInUse() {
  const struct mallinfo2 m = mallinfo2();
  return m.uordblks + m.hblkhd;
}

double PeakResidentMB() {
  rusage u{};
  getrusage(RUSAGE_SELF, &u);
  return static_cast<double>(u.ru_maxrss) / 1024.0;
}

using benchtables::BigView;

struct Row {
  std::string name;
  std::string target;
  std::vector<std::string> figures;
};
std::vector<Row> rows;

void Report(const std::string& name, const std::string& target, const std::string& figure) {
  for (Row& r : rows)
    if (r.name == name) {
      r.figures.push_back(figure);
      return;
    }
  rows.push_back({name, target, {figure}});
}

std::string Fmt(const char* format, double a, double b = 0.0) {
  char buf[96];
  std::snprintf(buf, sizeof buf, format, a, b);
  return buf;
}

std::string TempFile(const std::string& name, const std::string& bytes) {
  const std::string path = (std::filesystem::temp_directory_path() / name).string();
  FILE* f = std::fopen(path.c_str(), "wb");
  std::fwrite(bytes.data(), 1, bytes.size(), f);
  std::fclose(f);
  return path;
}

// Open, first paint, save; keystrokes in the middle with wrap off and on;
// caret moves; find and replace.
void TextFigures(const std::string& kind, const std::string& text) {
  const std::string path = TempFile("pivra-big-bench-" + kind + ".txt", text);
  for (const bool wrap : {false, true}) {
    BigView v(wrap);
    EditorView& view = *v.view;
    EditBuffer& e = view.Edit();
    const std::string suffix = std::string(wrap ? " wrap on" : " wrap off");
    const double open = TimeMs([&] {
      v.app->Doc().OpenDocumentFile(path);
      v.Paint();
    });
    if (e.GetTextLength() != static_cast<int>(text.size())) std::printf("! %s not opened\n", kind.c_str());
    Report(kind + ": open + first paint" + suffix, "<= 1000 ms", Fmt("%.1f ms", open));
    if (!wrap) {
      const double save = TimeMs([&] { v.app->Doc().OnSaveDocument(path); });
      Report(kind + ": save", "<= 500 ms", Fmt("%.1f ms", save));
    }

    // Keystrokes in the middle: one letter each, the key pressed and released,
    // then what the repaint computes.
    e.SetSel(static_cast<int>(text.size() / 2), static_cast<int>(text.size() / 2));
    e.ScrollCaret();
    std::vector<double> keys;
    for (int i = 0; i < 400; ++i) {
      const bool back = i % 5 == 4;
      keys.push_back(TimeMs([&] { v.TypeKey(back); }));
    }
    // 320 letters typed and 80 taken back: the text grew by 240 bytes.
    if (e.GetTextLength() != static_cast<int>(text.size()) + 240) std::printf("! %s: keystrokes not all taken\n", kind.c_str());
    std::sort(keys.begin(), keys.end());
    Report(kind + ": keystroke" + suffix, "median <= 2, p99 <= 8 ms",
           Fmt("%.2f / %.2f ms", keys[keys.size() / 2], keys[keys.size() * 99 / 100]));

    // Caret moves from the middle: each the worst of 20.
    const auto worst = [&](auto&& step) {
      double most = 0.0;
      for (int i = 0; i < 20; ++i) most = std::max(most, TimeMs([&] {
                                                     step();
                                                     v.Paint();
                                                   }));
      return most;
    };
    const auto press = [&](int k, bool ctrl = false) {
      view.PressKey(k, ctrl, false, false);
      view.OnKeyUp(k);
    };
    Report(kind + ": caret down" + suffix, "<= 2 ms", Fmt("%.3f ms", worst([&] { press(key::Down); })));
    Report(kind + ": page down" + suffix, "<= 2 ms", Fmt("%.3f ms", worst([&] { press(key::PageDown); })));
    std::mt19937 rng(7);
    Report(kind + ": jump to line" + suffix, "<= 2 ms", Fmt("%.3f ms", worst([&] {
                                                              const int line = static_cast<int>(rng() % static_cast<unsigned>(e.LineCount()));
                                                              const int pos = e.LineIndex(line);
                                                              e.SetSel(pos, pos);
                                                              e.ScrollCaret();
                                                            })));
    Report(kind + ": scroll to end" + suffix, "<= 2 ms", Fmt("%.3f ms", worst([&] {
                                                               press(key::Home, true);
                                                               press(key::End, true);
                                                             })));
  }

  // Find next across 60 MB (the same share of a 1 MB text): the only match
  // near the end, searched from the top through the find bar.
  {
    BigView v(false);
    EditorView& view = *v.view;
    std::string t = text;
    const std::size_t at = t.size() - t.size() / 16;
    const std::size_t pos = at - at % 2;
    t.replace(pos, 6, "Needle");
    view.Edit().SetText(t);
    view.Execute(cmd::Find);
    find::SearchBars& bars = find::BarsOf(view);
    bars.findBar->search.edit = "needle";
    double best = 1e30;
    for (int i = 0; i < 5; ++i) {
      view.Edit().SetSel(0, 0);
      best = std::min(best, TimeMs([&] { view.Execute(cmd::BarFindNext); }));
    }
    if (view.Edit().GetSel().first != static_cast<int>(pos)) std::printf("! %s: match not found\n", kind.c_str());
    Report(kind + ": find next across 15/16 of the text", "<= 30 ms at 64 MB", Fmt("%.2f ms", best));
  }
  std::filesystem::remove(path);
}

// Replace all of one match a 64th of the text (1,000,000 at 64 MB), one undo step.
void ReplaceFigures(std::size_t bytes) {
  std::string text;
  text.reserve(bytes + 64);
  const std::size_t matches = bytes / 64;
  for (std::size_t i = 0; i < matches; ++i) text += "abc" + std::string(59, 'x') + "\r\n";
  BigView v(false);
  EditorView& view = *v.view;
  view.Edit().SetText(text);
  view.History().Restart(view.Edit());
  view.Execute(cmd::Replace);
  find::SearchBars& bars = find::BarsOf(view);
  bars.replaceBar->search.edit = "abc";
  bars.replaceBar->replacement.edit = "xyzw";
  view.Edit().SetSel(0, 0);
  const double ms = TimeMs([&] { view.Execute(cmd::BarReplaceAll); });
  const bool done = view.Edit().GetTextLength() == static_cast<int>(text.size() + matches);
  Report("replace all (a match in every 64 bytes)", "<= 1000 ms at 1,048,576",
         Fmt("%.1f ms", ms) + (done ? "" : " (not all replaced!)") +
             Fmt(", %.0f undo step", static_cast<double>(view.History().Current())));
}

// The table commands, as table_bench runs them, on the whole table.
void TableFigures(const std::string& text) {
  const int tableRows = static_cast<int>(text.size() / 51);
  BigView v(false);
  EditorView& view = *v.view;
  view.modes.table = true;
  const auto run = [&](int id, const std::function<void(DialogData&)>& fill, const CellRange& block) {
    view.Edit().SetText(text);
    view.History().Restart(view.Edit());
    view.cellRange = block;
    view.tableSelection = {0, static_cast<int>(text.size()) - 2};
    view.Edit().SetSel(0, 0);
    v.host.fill = fill;
    const double t0 = lowerbound::ThreadSeconds();
    view.Execute(id);
    return (lowerbound::ThreadSeconds() - t0) * 1e3;
  };
  const CellRange whole{0, 0, kCells - 1, tableRows - 1};
  const double sumBound = lowerbound::FastestSeconds([&] { benchmark::DoNotOptimize(lowerbound::ColumnSums(text, kCells)); }, 3) * 1e3;
  const double sortBound = lowerbound::FastestSeconds([&] { benchmark::DoNotOptimize(lowerbound::SortedKeys(text, 3)); }, 3) * 1e3;
  const double sums = run(cmd::ColumnSumBelow, {}, whole);
  const bool summed = view.Edit().GetTextLength() > static_cast<int>(text.size());
  Report("table: column sums (cpu / bound)", "<= 3x bound", Fmt("%.0f / %.0f ms", sums, sumBound) + Fmt(" = %.1fx", sums / sumBound) + (summed ? "" : " (not done!)"));
  const double undo = TimeMs([&] { view.Execute(cmd::Undo); });
  Report("table: undo of column sums", "<= 100 ms", Fmt("%.1f ms", undo) + (view.Edit().GetTextLength() == static_cast<int>(text.size()) ? "" : " (not undone!)"));
  const double sort = run(cmd::SortRows, [&](DialogData& d) {
    d.Set(1007, "3");
    d.Set(1001, "1");
    d.Set(1117, std::to_string(tableRows));
    d.Set(1006, "1");
    d.Set(1031, "1");
  }, whole);
  Report("table: row sort (cpu / bound)", "<= 3x bound", Fmt("%.0f / %.0f ms", sort, sortBound) + Fmt(" = %.1fx", sort / sortBound));
  const double rank = run(cmd::InsertRankColumn, [&](DialogData& d) {
    d.Set(1007, "3");
    d.Set(1001, "1");
    d.Set(1117, std::to_string(tableRows));
    d.Set(1028, "1");
  }, whole);
  Report("table: rank (cpu / bound)", "<= 3x bound", Fmt("%.0f / %.0f ms", rank, sortBound) + Fmt(" = %.1fx", rank / sortBound));
}

// 1,000 typed edits in the middle, then 1,000 undos: the heap above the text.
void MemoryFigures(const std::string& text) {
  BigView v(false);
  EditorView& view = *v.view;
  view.Edit().SetText(text);
  view.History().Restart(view.Edit());
  const std::size_t before = HeapInUse();
  std::size_t most = before;
  view.Edit().SetSel(static_cast<int>(text.size() / 2), static_cast<int>(text.size() / 2));
  for (int i = 0; i < 1000; ++i) {
    view.PressKey('A', false, false, false, "a");
    view.OnKeyUp('A');
    if (i % 100 == 0) most = std::max(most, HeapInUse());
  }
  for (int i = 0; i < 1000; ++i) {
    view.Execute(cmd::Undo);
    if (i % 100 == 0) most = std::max(most, HeapInUse());
  }
  most = std::max(most, HeapInUse());
  const bool back = view.Edit().Text() == text;
  Report("1,000 edits + 1,000 undos: heap above the text", "<= 64 MB",
         Fmt("%.1f MB", static_cast<double>(most - std::min(most, before)) / 1048576.0) + (back ? "" : " (undo incomplete!)"));
}

void PrintRows(const std::vector<std::string>& sizes) {
  std::printf("%-48s", "figure");
  for (const std::string& s : sizes) std::printf("  %-26s", s.c_str());
  std::printf("  target\n");
  for (const Row& r : rows) {
    std::printf("%-48s", r.name.c_str());
    for (const std::string& f : r.figures) std::printf("  %-26s", f.c_str());
    for (std::size_t i = r.figures.size(); i < sizes.size(); ++i) std::printf("  %-26s", "");
    std::printf("  %s\n", r.target.c_str());
  }
}

}  // namespace

int main(int argc, char** argv) {
  const bool quick = argc > 1 && std::strcmp(argv[1], "--quick") == 0;
  const bool keystrokes = argc > 1 && std::strcmp(argv[1], "--keystrokes") == 0;
  const bool tableOnly = argc > 1 && std::strcmp(argv[1], "--table") == 0;
  std::vector<std::size_t> sizes{1u << 20};
  if (!quick) sizes.push_back(64u << 20);
  if (keystrokes) {
    // The 64 MB table's open, typing and moves alone, for a profiler.
    TextFigures("table", Table(64u << 20));
    PrintRows({"64 MB"});
    return 0;
  }
  if (tableOnly) {
    // The table commands alone, at both sizes.
    for (const std::size_t bytes : sizes) TableFigures(Table(bytes));
    PrintRows({"1 MB", "64 MB"});
    return 0;
  }
  for (const std::size_t bytes : sizes) {
    std::printf("%zu MB ...\n", bytes >> 20);
    std::fflush(stdout);
    const std::string table = Table(bytes);
    TextFigures("table", table);
    TextFigures("prose", Prose(bytes));
    ReplaceFigures(bytes);
    TableFigures(table);
    MemoryFigures(table);
    Report("peak resident so far (bench texts included)", "peak_memory_bench", Fmt("%.0f MB", PeakResidentMB()));
  }
  PrintRows(quick ? std::vector<std::string>{"1 MB"} : std::vector<std::string>{"1 MB", "64 MB"});
  return 0;
}
