// Scripts name commands and dialog controls: `command NAME` and
// `command ID` do the same, a control's name sets the control its id sets,
// an unknown name is a script error, and `--batch --list-commands` lists the
// command table with every command's name.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "app/AllCommands.h"
#include "editor/CommandIds.h"
#include "editor/CommandTable.h"
#include "support/BatchRun.h"
#include "support/CaseName.h"

namespace {

TEST(CommandNames, EveryCommandOfTheProgramHasAUniqueWellFormedName) {
  const CommandTable& t = AllCommands();
  ASSERT_FALSE(t.Entries().empty());
  for (const auto& [id, entry] : t.Entries()) {
    EXPECT_TRUE(IsCommandName(entry.name)) << id << " \"" << entry.name << "\"";
    const CommandEntry* named = t.FindByName(entry.name);
    ASSERT_NE(named, nullptr) << entry.name;
    EXPECT_EQ(named->id, id) << entry.name;  // no other command has the name
  }
}

TEST(CommandNames, NamesOfKnownCommands) {
  const std::pair<int, const char*> cases[] = {
      {cmd::ColumnSumBelow, "sum-columns-below"}, {cmd::RowAverageLeft, "average-rows-left"},
      {cmd::SortRows, "sort-rows"},               {cmd::InsertRankColumn, "insert-rank-column"},
      {cmd::Undo, "undo"},                        {cmd::FileSave, "file-save"},
      {cmd::FileSaveAs, "file-save-as"},          {cmd::CreateTable, "create-table"},
      {cmd::RecentFileFirst, "open-recent-file-1"}, {cmd::PrintMargin4, "print-margin-4"},
      {cmd::BarFindNext, "bar-find-next"},        {cmd::SplitRows, "split-rows"},
  };
  for (const auto& [id, name] : cases) {
    ASSERT_NE(AllCommands().Find(id), nullptr) << id;
    EXPECT_EQ(AllCommands().Find(id)->name, name) << id;
  }
}

// The same script twice, a command and its dialog's controls written with
// numbers in one and with names in the other: the output and the text written
// are the same.
struct NameCase {
  const char* setup;  // lines before the command
  const char* byId;
  const char* byName;
};

const NameCase kNameCases[] = {
    {"type 10\\t20\\n30\\t40\\n\ndrag 0 11\n", "command 32955", "command sum-columns-below"},
    {"type 10\\t20\\n30\\t40\\n\ndrag 0 11\n", "command 32956", "command average-rows-right"},
    {"type abc\n", "command 32789", "command undo"},
    {"type abc\ncommand 32789\n", "command 32788", "command redo"},
    {"", "command 32809", "command toggle-table-mode"},
    {"", "command 32955", "command sum-columns-below"},  // disabled: prints the id either way
    {"type 3\\n1\\n2\\n\n", "command 32960 1001=1 1117=3 1006=0 1031=1",
     "command sort-rows from-row=1 to-row=3 descending=0 by-value=1"},
    {"type 3\\n1\\n2\\n\n", "command 33098 1007=0 1001=1 1117=3 1028=1",
     "command insert-rank-column column=0 from-row=1 to-row=3 rank=1"},
    {"", "command 32811 1001=2 1117=3 1119=1", "command create-table rows=2 columns=3 numbers-from-one=1"},
    {"", "command 32811 1032=1 cancel", "command create-table header-row=1 cancel"},
    {"type 1\\t2\\n3\\t4\\n\n", "command 32971 1114=0 1111=2 1008=1",
     "command two-column-arithmetic-right first-column=0 operation=2 second-column=1"},
    {"", "command 32813 1033=2", "command change-rounding-place decimal-place=2"},
    {"type abc\\nabc\\n\n", "command 32815 1000=2", "command jump-to-line line-number=2"},
    // The find and replace bars, open between commands, take names too.
    {"type abc Abc abc\nselect 0 0\ncommand find\n", "command 32844 32842=abc 32847=1",
     "command bar-find-next search=abc find-case=1"},
    {"type cat Cat cat\ncommand 32841 32842=cat 32843=dog\n", "command 32850 32848=1 32843=cow",
     "command bar-replace-all replace-case=1 replacement=cow"},
};

class CommandByName : public ::testing::TestWithParam<NameCase> {};

TEST_P(CommandByName, DoesWhatTheIdDoes) {
  const NameCase& c = GetParam();
  std::string outputs[2];
  std::string texts[2];
  for (int i = 0; i < 2; ++i) {
    BatchRun b;
    const std::string script = std::string(c.setup) + (i == 0 ? c.byId : c.byName) + "\nstate\nwrite " +
                               b.PathOf("out.txt") + "\n";
    const BatchResult r = b.Run(script);
    EXPECT_EQ(r.exitCode, 0) << script << r.out;
    outputs[i] = r.out;
    texts[i] = b.Read("out.txt");
  }
  EXPECT_EQ(outputs[1], outputs[0]);
  EXPECT_EQ(texts[1], texts[0]);
}

INSTANTIATE_TEST_SUITE_P(Batch, CommandByName, ::testing::ValuesIn(kNameCases),
                         [](const auto& info) { return CaseName(info.index, info.param.byName); });

// `pivraf --batch --list-commands` over a fresh settings file: stdout and the exit code.
BatchResult ListCommands() { return BatchRun().RunProgram("--batch --list-commands"); }

TEST(ListCommands, OneLinePerCommandWithIdNameCaptionAndState) {
  const BatchResult r = ListCommands();
  ASSERT_EQ(r.exitCode, 0) << r.out;
  std::vector<std::string> lines;
  std::istringstream in(r.out);
  for (std::string line; std::getline(in, line);) lines.push_back(line);

  const CommandTable& t = AllCommands();
  ASSERT_EQ(lines.size(), t.Entries().size());
  // In the order of the ids, each line the command's own id and name.
  auto entry = t.Entries().begin();
  for (const std::string& line : lines) {
    const std::string head = std::to_string(entry->first) + "\t" + entry->second.name + "\t";
    EXPECT_EQ(line.substr(0, head.size()), head) << line;
    EXPECT_TRUE(line.ends_with("\tenabled") || line.ends_with("\tdisabled")) << line;
    EXPECT_EQ(std::count(line.begin(), line.end(), '\t'), 3) << line;
    ++entry;
  }

  // A fresh untitled document: nothing to undo or save, no block to sum.
  const char* const known[] = {
      "57600\tfile-new\t新規作成(&N)\tenabled",
      "57603\tfile-save\t上書き保存(&S)\tdisabled",
      "32789\tundo\t元に戻す (&Z)\tdisabled",
      "32955\tsum-columns-below\t和・下＝列の和を下へ\tdisabled",
      "32960\tsort-rows\t行の並べ替え\tenabled",
      "32826\tadd-comment-slashes\t// 付加\tenabled",
      "57640\tfind-next\t\tenabled",
  };
  for (const char* line : known)
    EXPECT_NE(std::find(lines.begin(), lines.end(), line), lines.end()) << line << "\n" << r.out;
}

}  // namespace
