// The undo history under a full session on a 1 MB CP932 text: 65,535
// one-character edits, each pushed as a snapshot (the last one at capacity),
// then undo, redo and reads of arbitrary snapshots.
//
// Reported per run (counters):
//   push_mean_us / _p99 / _max    time of UndoHistory::Push alone
//   history_MB                    MemoryBytes() after the session
//   rss_growth_MB / peak_rss_MB   process resident set growth and high-water mark
//   undo_mean_us / _p99 / _max    Undo including the buffer's SetText
//   redo_mean_us / redo_max_us    Redo likewise
//   textat_mean_us / _p99 / _max  TextAt of random snapshots (a copy of 1 MB)
//   split_push_mean_us            Push plus two Equalise calls with two panes
//   settext_us                    the buffer's own SetText of 1 MB, for reference
//
// BM_UndoAt64MB does the same kind of work on a 64 MB table (51-byte rows of
// 10 cells): 1,000 typed letters in the middle, each pushed, then 1,000
// undos, and a whole-text command undone. Counters:
//   push_p50_us / _p99 / _max     Push alone
//   undo_p50_us                   Undo of one typed letter, with the buffer's SetText
//   heap_growth_MB                allocator bytes in use above those after Restart,
//                                 the most seen during the edits and undos
//   history_growth_MB             the history's own MemoryBytes growth
//   command_undo_ms               Undo of a command that changed every row
//   command_textat_ms             of which: putting the old text together
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <numeric>
#include <random>
#include <string>
#include <vector>

#include "buffer/EditBuffer.h"
#include "undo/UndoHistory.h"

namespace {

using Clock = std::chrono::steady_clock;

double MicrosSince(Clock::time_point start) {
  return std::chrono::duration<double, std::micro>(Clock::now() - start).count();
}

// VmRSS or VmHWM of this process in MB.
double ProcStatusMB(const char* key) {
  std::FILE* f = std::fopen("/proc/self/status", "r");
  if (!f) return 0;
  char line[256];
  double kb = 0;
  while (std::fgets(line, sizeof line, f)) {
    if (std::strncmp(line, key, std::strlen(key)) == 0) kb = std::atof(line + std::strlen(key) + 1);
  }
  std::fclose(f);
  return kb / 1024.0;
}

// Lines of about 60 bytes: ASCII words and numbers, TABs and double-byte
// characters (表 95 5C among them), CR LF at the end.
std::string MegabyteOfCp932() {
  const char* kanji[] = {"\x95\x5C", "\x8C\x76", "\x8E\x5A", "\x82\xA0", "\x82\xA2", "\x93\xFA"};
  std::mt19937 rng(42);
  std::string text;
  while (text.size() < (1u << 20) - 64) {
    std::string line = "r" + std::to_string(text.size() % 99991) + "\t";
    while (line.size() < 58) {
      if (rng() % 3 == 0) {
        line += kanji[rng() % 6];
      } else {
        line += static_cast<char>('a' + rng() % 26);
      }
    }
    text += line + "\r\n";
  }
  return text;
}

// Timings of one kind of call. The maximum on a shared machine is mostly
// preemption (a scheduler tick is 4 ms), so the 99th percentile is reported too.
struct Stat {
  std::vector<double> us;
  void Add(double t) { us.push_back(t); }
  double Mean() const { return us.empty() ? 0 : std::accumulate(us.begin(), us.end(), 0.0) / us.size(); }
  double Max() const { return us.empty() ? 0 : *std::max_element(us.begin(), us.end()); }
  double P99() {
    if (us.empty()) return 0;
    const auto k = us.begin() + static_cast<std::ptrdiff_t>(us.size() * 99 / 100);
    std::nth_element(us.begin(), k, us.end());
    return *k;
  }
};

// A position near `point` that starts a character; the point wanders slowly
// through the text the way a typist's caret does.
int NearPoint(const EditBuffer& b, std::mt19937& rng, int& point) {
  point = std::clamp(point + static_cast<int>(rng() % 41) - 20, 0, b.GetTextLength());
  const int line = b.LineFromChar(point);
  return b.LineIndex(line) + static_cast<int>(rng() % 8);
}

void BM_UndoSession(benchmark::State& state) {
  const std::string text = MegabyteOfCp932();
  for (auto _ : state) {
    EditBuffer buffer;
    buffer.SetText(text);
    const double rssBefore = ProcStatusMB("VmRSS:");
    UndoHistory history;
    history.Restart(buffer);

    std::mt19937 rng(7);
    int point = buffer.GetTextLength() / 3;
    Stat push;
    for (std::uint32_t i = 0; i < UndoHistory::kCapacity; ++i) {
      const int at = NearPoint(buffer, rng, point);
      if (rng() % 2) {
        buffer.SetSel(at, at);
      } else {
        buffer.SetSel(at, at + 1);  // replace the ASCII character there
      }
      buffer.TypeText(std::string(1, static_cast<char>('A' + i % 26)));
      const auto start = Clock::now();
      history.Push(buffer);
      push.Add(MicrosSince(start));
      point += 1;
    }
    const double historyMB = static_cast<double>(history.MemoryBytes()) / (1 << 20);
    const double rssAfter = ProcStatusMB("VmRSS:");

    // Undo and redo runs of random length from random places.
    Stat undo;
    Stat redo;
    for (int run = 0; run < 40; ++run) {
      const int steps = 1 + static_cast<int>(rng() % 60);
      for (int k = 0; k < steps; ++k) {
        const auto start = Clock::now();
        if (!history.Undo(buffer)) break;
        undo.Add(MicrosSince(start));
      }
      const int back = static_cast<int>(rng() % (steps + 1));
      for (int k = 0; k < back; ++k) {
        const auto start = Clock::now();
        if (!history.Redo(buffer)) break;
        redo.Add(MicrosSince(start));
      }
    }

    // The first 1 MB string this process touches pays its page faults
    // (about 3 ms here); that is the allocator, not the history.
    benchmark::DoNotOptimize(history.TextAt(0).data());
    Stat textAt;
    for (int k = 0; k < 400; ++k) {
      const auto i = static_cast<std::uint32_t>(rng() % (history.Top() + 1));
      const auto start = Clock::now();
      const std::string t = history.TextAt(i);
      textAt.Add(MicrosSince(start));
      benchmark::DoNotOptimize(t.data());
    }

    // Two panes: the idle pass equalises after every push, so each push finds
    // its store shared and must first take a copy of its own.
    Stat splitPush;
    UndoHistory otherPane = history;
    for (int k = 0; k < 2000; ++k) {
      const int at = NearPoint(buffer, rng, point);
      buffer.SetSel(at, at);
      buffer.TypeText("s");
      const auto start = Clock::now();
      history.Push(buffer);
      UndoHistory::Equalise(history, otherPane);
      UndoHistory::Equalise(history, otherPane);  // the next idle pass: nothing to do
      splitPush.Add(MicrosSince(start));
    }

    const auto start = Clock::now();
    buffer.SetText(text);
    const double setText = MicrosSince(start);

    state.counters["push_mean_us"] = push.Mean();
    state.counters["push_p99_us"] = push.P99();
    state.counters["push_max_us"] = push.Max();
    state.counters["history_MB"] = historyMB;
    state.counters["rss_growth_MB"] = rssAfter - rssBefore;
    state.counters["peak_rss_MB"] = ProcStatusMB("VmHWM:");
    state.counters["undo_mean_us"] = undo.Mean();
    state.counters["undo_p99_us"] = undo.P99();
    state.counters["undo_max_us"] = undo.Max();
    state.counters["redo_mean_us"] = redo.Mean();
    state.counters["redo_max_us"] = redo.Max();
    state.counters["textat_mean_us"] = textAt.Mean();
    state.counters["textat_p99_us"] = textAt.P99();
    state.counters["textat_max_us"] = textAt.Max();
    state.counters["split_push_mean_us"] = splitPush.Mean();
    state.counters["settext_us"] = setText;
  }
}
BENCHMARK(BM_UndoSession)->Iterations(1)->Unit(benchmark::kSecond);

// Table commands rewrite a whole column: each snapshot changes a few bytes in
// every line of the 1 MB text. Memory per snapshot follows that change.
void BM_UndoWholeTextCommands(benchmark::State& state) {
  const std::string text = MegabyteOfCp932();
  for (auto _ : state) {
    EditBuffer buffer;
    buffer.SetText(text);
    UndoHistory history;
    history.Restart(buffer);
    const std::size_t before = history.MemoryBytes();
    std::string t = text;
    Stat push;
    constexpr int kCommands = 100;
    for (int c = 0; c < kCommands; ++c) {
      // Rewrite the first character of every line.
      for (std::size_t pos = 0; pos < t.size();) {
        t[pos] = static_cast<char>('0' + c % 10);
        const std::size_t lf = t.find('\n', pos);
        if (lf == std::string::npos) break;
        pos = lf + 1;
      }
      buffer.SetText(t);
      const auto start = Clock::now();
      history.Push(buffer);
      push.Add(MicrosSince(start));
    }
    Stat undo;
    while (history.CanUndo()) {
      const auto start = Clock::now();
      history.Undo(buffer);
      undo.Add(MicrosSince(start));
    }
    state.counters["push_mean_us"] = push.Mean();
    state.counters["MB_per_command"] =
        static_cast<double>(history.MemoryBytes() - before) / kCommands / (1 << 20);
    state.counters["undo_mean_us"] = undo.Mean();
    state.counters["undo_max_us"] = undo.Max();
  }
}
BENCHMARK(BM_UndoWholeTextCommands)->Iterations(1)->Unit(benchmark::kSecond);

std::size_t HeapInUse() {
  const struct mallinfo2 m = mallinfo2();
  return m.uordblks + m.hblkhd;
}

std::string TableOf(std::size_t bytes) {
  std::mt19937 rng(64);
  std::string t;
  t.reserve(bytes + 64);
  char cell[4] = {'0', '.', '0', '0'};
  while (t.size() + 51 <= bytes) {
    for (int c = 0; c < 10; ++c) {
      const unsigned v = rng() % 1000;
      cell[0] = static_cast<char>('0' + v / 100);
      cell[2] = static_cast<char>('0' + v / 10 % 10);
      cell[3] = static_cast<char>('0' + v % 10);
      t.append(cell, 4);
      t += c + 1 < 10 ? "\t" : "\r\n";
    }
  }
  return t;
}

void BM_UndoAt64MB(benchmark::State& state) {
  const std::string text = TableOf(64u << 20);
  for (auto _ : state) {
    EditBuffer buffer;
    buffer.SetLimitText(EditBuffer::kMaxTextLimit);
    buffer.SetText(text);
    UndoHistory history;
    history.Restart(buffer);
    const std::size_t heapBefore = HeapInUse();
    const std::size_t historyBefore = history.MemoryBytes();
    std::size_t heapMost = heapBefore;

    const int middle = static_cast<int>(text.size() / 2);
    buffer.SetSel(middle, middle);
    Stat push;
    for (int i = 0; i < 1000; ++i) {
      buffer.TypeText(std::string(1, static_cast<char>('a' + i % 26)));
      const auto start = Clock::now();
      history.Push(buffer);
      push.Add(MicrosSince(start));
      if (i % 100 == 0) heapMost = std::max(heapMost, HeapInUse());
    }
    const std::size_t historyAfter = history.MemoryBytes();
    Stat undo;
    for (int i = 0; i < 1000; ++i) {
      const auto start = Clock::now();
      history.Undo(buffer);
      undo.Add(MicrosSince(start));
      if (i % 100 == 0) heapMost = std::max(heapMost, HeapInUse());
    }
    heapMost = std::max(heapMost, HeapInUse());
    if (buffer.Text() != text) state.SkipWithError("undo did not restore the text");

    // A command that rewrote a cell in every row, pushed, then undone.
    std::string changed = text;
    for (std::size_t pos = 0; pos < changed.size(); pos += 51) changed[pos] = 'x';
    buffer.SetText(changed);
    history.Push(buffer);
    history.TextAt(history.Current());  // where the cache is after a push
    const auto textAtStart = Clock::now();
    benchmark::DoNotOptimize(history.TextAt(history.Current() - 1).data());
    const double textAt = MicrosSince(textAtStart) / 1000.0;
    history.TextAt(history.Current());
    const auto undoStart = Clock::now();
    history.Undo(buffer);
    const double commandUndo = MicrosSince(undoStart) / 1000.0;
    if (buffer.Text() != text) state.SkipWithError("the command was not undone");

    std::sort(push.us.begin(), push.us.end());
    std::sort(undo.us.begin(), undo.us.end());
    state.counters["push_p50_us"] = push.us[push.us.size() / 2];
    state.counters["push_p99_us"] = push.P99();
    state.counters["push_max_us"] = push.Max();
    state.counters["undo_p50_us"] = undo.us[undo.us.size() / 2];
    state.counters["heap_growth_MB"] = static_cast<double>(heapMost - heapBefore) / (1 << 20);
    state.counters["history_growth_MB"] = static_cast<double>(historyAfter - historyBefore) / (1 << 20);
    state.counters["command_undo_ms"] = commandUndo;
    state.counters["command_textat_ms"] = textAt;
  }
}
BENCHMARK(BM_UndoAt64MB)->Iterations(1)->Unit(benchmark::kSecond);

}  // namespace

BENCHMARK_MAIN();
