// The command table's names: their form, their uniqueness and the lookup by
// name, on small tables of the test's own.
#include "editor/CommandTable.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

TEST(CommandName, FormIsLowerCaseWordsJoinedByHyphens) {
  const std::pair<const char*, bool> cases[] = {
      {"undo", true},          {"sort-rows", true},   {"print-columns-2", true}, {"reopen-as-utf8", true},
      {"", false},             {"Sort-rows", false},  {"sort_rows", false},      {"sort rows", false},
      {"-sort", false},        {"sort-", false},      {"sort--rows", false},     {"2-columns", false},
      {"sum-columns-below\n", false}, {"ソート", false},
  };
  for (const auto& [name, wellFormed] : cases) EXPECT_EQ(IsCommandName(name), wellFormed) << name;
}

TEST(CommandTableNames, FindByNameReturnsTheEntryOrNull) {
  CommandTable t;
  t.Add({.id = 10, .name = "first-command", .mainCaption = "一"});
  t.Add({.id = 20, .name = "second-command"});
  ASSERT_NE(t.FindByName("first-command"), nullptr);
  EXPECT_EQ(t.FindByName("first-command")->id, 10);
  EXPECT_EQ(t.FindByName("first-command")->mainCaption, "一");
  EXPECT_EQ(t.FindByName("second-command")->id, 20);
  EXPECT_EQ(t.FindByName("third-command"), nullptr);
  EXPECT_EQ(t.FindByName(""), nullptr);
  EXPECT_EQ(t.FindByName("10"), nullptr);
}

TEST(CommandTableNames, AddRefusesADoubledOrMalformedName) {
  CommandTable t;
  t.Add({.id = 10, .name = "sort-rows"});
  EXPECT_THROW(t.Add({.id = 11, .name = "sort-rows"}), std::logic_error);
  EXPECT_THROW(t.Add({.id = 12}), std::logic_error);
  EXPECT_THROW(t.Add({.id = 13, .name = "Sort"}), std::logic_error);
  // The refused entries left the table as it was.
  EXPECT_EQ(t.Entries().size(), 1u);
  EXPECT_EQ(t.FindByName("sort-rows")->id, 10);
}

TEST(CommandTableNames, AnEntryReplacedUnderItsIdFreesItsOldName) {
  CommandTable t;
  t.Add({.id = 10, .name = "old-name"});
  t.Add({.id = 10, .name = "new-name"});
  EXPECT_EQ(t.FindByName("old-name"), nullptr);
  EXPECT_EQ(t.FindByName("new-name")->id, 10);
  t.Add({.id = 11, .name = "old-name"});
  EXPECT_EQ(t.FindByName("old-name")->id, 11);
}

}  // namespace
