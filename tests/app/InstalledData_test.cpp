// Where the program looks for the files it ships with: its own folder, then
// ../share/pivraf beside it, then the user's and the system's XDG data
// folders, each variable read afresh and relative entries skipped.
#include "app/InstalledData.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <optional>

#include "support/CaseName.h"
#include "support/TempDir.h"

namespace {

// Sets (or with nullptr unsets) an environment variable for one scope.
class ScopedVariable {
 public:
  ScopedVariable(const char* name, const char* value) : name_(name) {
    if (const char* old = std::getenv(name)) saved_ = old;
    if (value) ::setenv(name, value, 1);
    else ::unsetenv(name);
  }
  ~ScopedVariable() {
    if (saved_) ::setenv(name_, saved_->c_str(), 1);
    else ::unsetenv(name_);
  }
  ScopedVariable(const ScopedVariable&) = delete;
  ScopedVariable& operator=(const ScopedVariable&) = delete;

 private:
  const char* name_;
  std::optional<std::string> saved_;
};

struct SearchCase {
  const char* name;
  const char* programFolder;
  const char* home;
  const char* dataHome;  // nullptr: unset
  const char* dataDirs;  // nullptr: unset
  std::vector<std::string> folders;
};

class SearchOrder : public ::testing::TestWithParam<SearchCase> {};

TEST_P(SearchOrder, ProgramFolderThenShareBesideItThenXdgFolders) {
  const SearchCase& c = GetParam();
  const ScopedVariable home("HOME", c.home);
  const ScopedVariable dataHome("XDG_DATA_HOME", c.dataHome);
  const ScopedVariable dataDirs("XDG_DATA_DIRS", c.dataDirs);
  EXPECT_EQ(installed_data::SearchFolders(c.programFolder), c.folders);
}

INSTANTIATE_TEST_SUITE_P(
    InstalledData, SearchOrder,
    ::testing::Values(
        SearchCase{"Defaults", "/usr/bin", "/home/u", nullptr, nullptr,
                   {"/usr/bin", "/usr/share/pivraf", "/home/u/.local/share/pivraf", "/usr/local/share/pivraf"}},
        SearchCase{"BuildFolder", "/src/pivra/build", "/home/u", "/data", "/opt/share:/usr/share",
                   {"/src/pivra/build", "/src/pivra/share/pivraf", "/data/pivraf", "/opt/share/pivraf",
                    "/usr/share/pivraf"}},
        SearchCase{"RelativeEntriesSkipped", "/opt/p/bin", "/home/u", "rel/data", "share::/b/:also/rel",
                   {"/opt/p/bin", "/opt/p/share/pivraf", "/home/u/.local/share/pivraf", "/b/pivraf"}},
        SearchCase{"EmptyVariablesAreDefaults", "/opt/p/bin", "/home/u", "", "",
                   {"/opt/p/bin", "/opt/p/share/pivraf", "/home/u/.local/share/pivraf", "/usr/local/share/pivraf",
                    "/usr/share/pivraf"}}),
    [](const auto& info) { return CaseName(info.index, info.param.name); });

struct HoldingCase {
  const char* name;
  std::vector<std::string> filesAt;  // folders under the temporary root holding the file
  const char* found;                 // folder under the root, "" for none
};

class Holding : public ::testing::TestWithParam<HoldingCase> {};

TEST_P(Holding, TheFirstFolderWithTheFileWins) {
  const HoldingCase& c = GetParam();
  TempDir root;
  for (const std::string& folder : c.filesAt) {
    std::filesystem::create_directories(root.path / folder);
    std::ofstream(root.path / folder / "HelpPvl.log") << "x";
  }
  // A folder of the same name is not the file.
  std::filesystem::create_directories(root.path / "home/data/pivraf/HelpPvl.log");
  const ScopedVariable dataHome("XDG_DATA_HOME", (root.path / "home/data").c_str());
  const ScopedVariable dataDirs("XDG_DATA_DIRS", (root.path.string() + "/sys1:" + root.path.string() + "/sys2").c_str());
  const std::string found = installed_data::FolderHolding("HelpPvl.log", (root.path / "prefix/bin").string());
  EXPECT_EQ(found, *c.found ? (root.path / c.found).string() : std::string());
}

INSTANTIATE_TEST_SUITE_P(
    InstalledData, Holding,
    ::testing::Values(HoldingCase{"BesideTheProgram", {"prefix/bin", "prefix/share/pivraf"}, "prefix/bin"},
                      HoldingCase{"InstalledShare", {"prefix/share/pivraf", "sys1/pivraf"}, "prefix/share/pivraf"},
                      HoldingCase{"SecondSystemFolder", {"sys2/pivraf"}, "sys2/pivraf"},
                      HoldingCase{"Nowhere", {}, ""}),
    [](const auto& info) { return CaseName(info.index, info.param.name); });

}  // namespace
