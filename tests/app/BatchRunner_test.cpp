// The batch runner's own parts: its verb table against the README, and the
// scripted user interface. Whole runs of scripts are the cases of
// tests/data/batch (BatchCases_test.cpp).
#include "app/BatchRunner.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

#include "app/ScriptedUiHost.h"
#include "support/BatchRun.h"

namespace {

// The first cells of the verb table in the README's "Batch mode" section. Rows
// after a blank line count too (Markdown would show them as a paragraph): they
// are marked by an empty cell in front of them.
std::vector<std::string> ReadmeVerbCells() {
  std::ifstream readme(std::filesystem::path(PIVRA_TEST_DATA).parent_path().parent_path() / "README.md");
  std::vector<std::string> cells;
  bool inSection = false, inTable = false, blank = false;
  for (std::string line; std::getline(readme, line);) {
    if (line.starts_with("## ")) inSection = line == "## Batch mode";
    if (!inSection) continue;
    if (!inTable) {
      inTable = line.starts_with("| Verb |");
      continue;
    }
    if (line.empty()) {
      blank = true;
      continue;
    }
    if (!line.starts_with("|")) break;
    if (line.starts_with("|---")) continue;
    if (blank) cells.emplace_back();
    blank = false;
    std::size_t end = 1;  // the cell ends at the first '|' not written "\|"
    while ((end = line.find('|', end)) != std::string::npos && line[end - 1] == '\\') ++end;
    cells.push_back(line.substr(1, end == std::string::npos ? end : end - 1));
  }
  return cells;
}

// Each row of the README's verb table names its verbs in code spans
// (`setint SECTION KEY N`, `setstr SECTION KEY TEXT`); the rows name exactly
// the runner's verbs, and no row is there twice.
TEST(BatchVerbs, ReadmeTableNamesExactlyTheRunnersVerbs) {
  const std::vector<std::string> cells = ReadmeVerbCells();
  ASSERT_FALSE(cells.empty()) << "README.md has no verb table under \"## Batch mode\"";
  std::set<std::string> verbs;
  for (const BatchRunner::Verb& verb : BatchRunner::Verbs()) verbs.emplace(verb.name);
  std::set<std::string> named;
  for (const std::string& cell : cells) {
    if (cell.empty()) {
      ADD_FAILURE() << "a blank line splits the verb table";
      continue;
    }
    EXPECT_EQ(std::count(cells.begin(), cells.end(), cell), 1) << "row listed twice:" << cell;
    std::size_t spans = 0;
    for (std::size_t open = cell.find('`'); open != std::string::npos; open = cell.find('`', open + 1)) {
      const std::size_t close = cell.find('`', open + 1);
      ASSERT_NE(close, std::string::npos) << cell;
      const std::string span = cell.substr(open + 1, close - open - 1);
      const std::string verb = span.substr(0, span.find(' '));
      EXPECT_TRUE(verbs.contains(verb)) << "the README names `" << verb << "`, which is no verb of the runner";
      named.insert(verb);
      ++spans;
      open = close;
    }
    EXPECT_GT(spans, 0u) << "row names no verb:" << cell;
  }
  for (const std::string& verb : verbs) EXPECT_TRUE(named.contains(verb)) << "the README has no row for " << verb;
}

TEST(BatchVerbs, EachIsDeclaredOnceWithUsageAndHandler) {
  std::set<std::string_view> names;
  for (const BatchRunner::Verb& verb : BatchRunner::Verbs()) {
    EXPECT_TRUE(names.insert(verb.name).second) << verb.name;
    EXPECT_FALSE(verb.usage.empty()) << verb.name;
    EXPECT_NE(verb.run, nullptr) << verb.name;
  }
}

TEST(ScriptedHost, BeepsAddressesAndProgramsArePrintedNotDone) {
  std::ostringstream out;
  ScriptedUiHost host(out);
  UiHost& ui = host;
  ui.Beep();
  EXPECT_TRUE(ui.OpenAddress("https://example.org/search?q=%E8%A1%A8"));
  EXPECT_TRUE(ui.StartProgram("xterm", {"-e", "sh"}, "/tmp/a b"));
  EXPECT_EQ(out.str(),
            "beep\n"
            "open: https://example.org/search?q=%E8%A1%A8\n"
            "start: xterm -e sh in /tmp/a b\n");
}

// A blank in a file dialog's path is written with the TEXT escapes.
TEST(BatchCommand, PathTakesTheTextEscapes) {
  BatchRun b;
  const BatchResult r = b.Run("type abc\ncommand 57604 path=" + b.PathOf("my\\x20notes.txt") + "\n");
  EXPECT_EQ(r.exitCode, 0) << r.out;
  EXPECT_EQ(b.Read("my notes.txt"), "abc");
  const BatchResult bad = b.Run("command 57604 path=" + b.PathOf("bad\\q.txt") + "\n");
  EXPECT_EQ(bad.exitCode, 2);
  EXPECT_EQ(bad.out, "error: line 1: unknown escape \\q\n");
}

}  // namespace
