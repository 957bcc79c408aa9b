// The settings store over a large file (10 MB of valid values, and 1.7 MB of
// small sections): parsing and writing back, and a store opened as start-up
// opens it, reading values and writing a few dozen (start-up writes the
// line-number mode, the recent files and the pruned caret memory). Every
// step must stay linear in the size of the file: a write after the first
// costs one serialisation and one file write, never a new parse.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "settings/SettingsStore.h"
#include "settings/SettingsText.h"

namespace {

std::string ManyValues(std::size_t bytes) {
  std::string text = "[Settings]\n";
  for (int i = 0; text.size() < bytes; ++i) text += "Key" + std::to_string(i) + "=str:value number " + std::to_string(i) + "\n";
  return text;
}

std::string ManySections(std::size_t bytes) {
  std::string text;
  for (int i = 0; text.size() < bytes; ++i) text += "[Section " + std::to_string(i) + "]\nk=int:" + std::to_string(i) + "\n";
  return text;
}

std::string StorePath(const std::string& text) {
  static const std::string folder = [] {
    std::string tmpl = (std::filesystem::temp_directory_path() / "pivra-settings-bench-XXXXXX").string();
    return std::string(mkdtemp(tmpl.data()));
  }();
  const std::string path = folder + "/Pivra.conf";
  std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
  return path;
}

void BM_ParseAndSerialize(benchmark::State& state, std::string (*make)(std::size_t)) {
  const std::string file = make(static_cast<std::size_t>(state.range(0)) << 20);
  for (auto _ : state) {
    SettingsText text;
    text.Parse(file);
    benchmark::DoNotOptimize(text.Serialize());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * file.size()));
}
BENCHMARK_CAPTURE(BM_ParseAndSerialize, values, ManyValues)->Arg(1)->Arg(3)->Arg(10)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ParseAndSerialize, sections, ManySections)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

// A store opened on the file, 20 reads and `writes` writes, as start-up does.
void BM_StartupReadsAndWrites(benchmark::State& state, std::string (*make)(std::size_t)) {
  const std::string file = make(static_cast<std::size_t>(state.range(0)) << 20);
  const int writes = static_cast<int>(state.range(1));
  for (auto _ : state) {
    state.PauseTiming();
    const std::string path = StorePath(file);
    state.ResumeTiming();
    SettingsStore store(path);
    for (int i = 0; i < 20; ++i) benchmark::DoNotOptimize(store.GetInt("Settings", "Key" + std::to_string(i), 0));
    for (int i = 0; i < writes; ++i) store.WriteInt("Caret", "/home/user/file" + std::to_string(i % 16) + "cL", i);
  }
}
BENCHMARK_CAPTURE(BM_StartupReadsAndWrites, values, ManyValues)
    ->Args({10, 1})
    ->Args({10, 40})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);
BENCHMARK_CAPTURE(BM_StartupReadsAndWrites, sections, ManySections)
    ->Args({2, 1})
    ->Args({2, 40})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
