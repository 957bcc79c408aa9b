// The end-to-end cases of tests/data/batch: each folder is one run of the
// built `pivraf --batch`, its script and expected results kept as files (the
// folder's README says how). The cases are found when the tests start, so a
// new case is a new folder; the folder's name is the test's name.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "support/BatchRun.h"

namespace {

namespace fs = std::filesystem;

const fs::path kCases = fs::path(PIVRA_TEST_DATA) / "batch";
constexpr std::string_view kExpected = "expected-";

std::string ReadFile(const fs::path& path) {
  std::ifstream f(path, std::ios::binary);
  std::stringstream s;
  s << f.rdbuf();
  return s.str();
}

std::string ReplaceAll(std::string text, std::string_view from, const std::string& to) {
  for (std::size_t p = 0; (p = text.find(from, p)) != std::string::npos; p += to.size()) text.replace(p, from.size(), to);
  return text;
}

std::vector<std::string> CaseNames() {
  std::vector<std::string> names;
  for (const fs::directory_entry& entry : fs::directory_iterator(kCases))
    if (entry.is_directory()) names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

class BatchCase : public ::testing::TestWithParam<std::string> {};

TEST_P(BatchCase, RunsAsExpected) {
  const fs::path folder = kCases / GetParam();
  ASSERT_TRUE(fs::is_regular_file(folder / "script")) << folder << " has no script";
  BatchRun b;
  const std::string dir = b.dir.path.string();
  std::string file;
  if (fs::exists(folder / "input")) {
    file = b.PathOf("input");
    fs::copy_file(folder / "input", file);
  }
  const BatchResult r = b.Run(ReplaceAll(ReadFile(folder / "script"), "$DIR", dir), file);

  const fs::path exitFile = folder / "expected-exit";
  const int exitCode = fs::exists(exitFile) ? std::stoi(ReadFile(exitFile)) : 0;
  EXPECT_EQ(r.exitCode, exitCode) << r.out;
  int compared = 0;
  for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
    const std::string name = entry.path().filename().string();
    if (!name.starts_with(kExpected) || name == "expected-exit") continue;
    ++compared;
    const std::string expected = ReplaceAll(ReadFile(entry.path()), "$DIR", dir);
    if (name == "expected-stdout") {
      EXPECT_EQ(r.out, expected) << "the printed output differs";
    } else {
      const std::string written = name.substr(kExpected.size());
      EXPECT_TRUE(fs::exists(b.PathOf(written))) << written << " was not written";
      EXPECT_EQ(b.Read(written), expected) << written << " differs";
    }
  }
  EXPECT_GT(compared, 0) << folder << " expects nothing: give it an expected-stdout or expected-NAME";
}

INSTANTIATE_TEST_SUITE_P(Folders, BatchCase, ::testing::ValuesIn(CaseNames()),
                         [](const ::testing::TestParamInfo<std::string>& info) { return info.param; });

}  // namespace
