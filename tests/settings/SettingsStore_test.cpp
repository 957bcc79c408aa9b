// SettingsStore against real files in a private temporary folder: round trips
// of awkward names, case rules, typed values, hand-edited and corrupt files,
// other processes writing at the same time, and writes that cannot succeed.
#include "settings/SettingsStore.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "support/TempDir.h"

namespace fs = std::filesystem;

namespace {

std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << bytes;
}

std::vector<std::string> Lines(const std::string& bytes) {
  std::vector<std::string> lines;
  std::istringstream in(bytes);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// Leftover temporary files would mean a failed write did not clean up.
std::vector<std::string> Entries(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

class SettingsStoreTest : public ::testing::Test {
 protected:
  TempDir temp_;
  std::string dir_ = temp_.path.string();
  std::string path_ = temp_.Path("Pivra.conf");
};

TEST_F(SettingsStoreTest, MissingStoreGivesDefaultsAndReadingCreatesNothing) {
  const std::string path = dir_ + "/Korvane/Pivra.conf";
  SettingsStore store(path);
  EXPECT_EQ(store.GetInt("Settings", "Line", 7), 7);
  EXPECT_EQ(store.GetString("Settings", "InstDir"), "");
  EXPECT_EQ(store.GetString("Settings", "InstDir", "none"), "none");
  store.DeleteValue("Settings", "Line");
  store.DeleteSection("Settings");
  EXPECT_FALSE(fs::exists(dir_ + "/Korvane"));
}

TEST_F(SettingsStoreTest, FirstWriteCreatesTheFolders) {
  const std::string path = dir_ + "/a/b/Korvane/Pivra.conf";
  {
    SettingsStore store(path);
    store.WriteInt("Settings", "Line", 1);
  }
  ASSERT_TRUE(fs::is_regular_file(path));
  EXPECT_EQ(SettingsStore(path).GetInt("Settings", "Line", 0), 1);
}

// Names and texts the program really produces (file paths, colour keys made
// of brackets and backslashes, CP932 bytes that are not UTF-8) and the
// characters the file format itself uses.
const std::vector<std::string> kAwkward = {
    "C:\\Users\\a\\doc.pvlcL",
    "/home/u/表計算/x.pvlcH",
    "\\[",
    "\\]",
    "[",
    "]",
    "[Settings]",
    "a=b==c",
    "key=int:5",
    " lead",
    "trail ",
    "  ",
    " ",
    "",
    "in ner",
    "line\nbreak",
    "cr\r\nlf",
    "tab\there\t",
    "back\\slash\\",
    "\\x41\\s\\n",
    "#hash",
    ";semi",
    "x#;",
    "\x95\x5c\x83\x65 cp932",
    "\xff\xfe\x80\xc0\xaf",
    "\xed\xa0\x80",
    "\x01\x1f\x7f",
    std::string("nul\0byte", 8),
    "ＭＳ ゴシック",
};

TEST_F(SettingsStoreTest, AwkwardNamesAndTextsRoundTripThroughTheFile) {
  {
    SettingsStore store(path_);
    for (std::size_t i = 0; i < kAwkward.size(); ++i) {
      store.WriteString("Caret", kAwkward[i], kAwkward[i]);
      store.WriteInt(kAwkward[i], "k", static_cast<std::int32_t>(i));
    }
  }
  SettingsStore fresh(path_);
  for (std::size_t i = 0; i < kAwkward.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(fresh.GetString("Caret", kAwkward[i], "missing"), kAwkward[i]);
    EXPECT_EQ(fresh.GetInt(kAwkward[i], "k", -1), static_cast<std::int32_t>(i));
  }
  // One line per value and per header, plus the comment at the top: no name
  // or text spilled over a line end.
  const std::string bytes = ReadBytes(path_);
  std::size_t comments = 0;
  for (const std::string& line : Lines(bytes)) comments += line.starts_with("#");
  EXPECT_EQ(Lines(bytes).size(), comments + 1 + kAwkward.size() + 2 * kAwkward.size());
  // Bytes that never occur in UTF-8 went to the file escaped.
  EXPECT_EQ(bytes.find('\xff'), std::string::npos);
  EXPECT_EQ(bytes.find('\xfe'), std::string::npos);
  EXPECT_EQ(bytes.find('\0'), std::string::npos);
}

TEST_F(SettingsStoreTest, IntegersRoundTripOverTheWholeRange) {
  const std::int32_t values[] = {INT32_MIN, INT32_MIN + 1, -1, 0, 1, 16777215, INT32_MAX};
  {
    SettingsStore store(path_);
    for (std::int32_t v : values) store.WriteInt("Colors", std::to_string(v), v);
  }
  SettingsStore fresh(path_);
  for (std::int32_t v : values) EXPECT_EQ(fresh.GetInt("Colors", std::to_string(v), 12345), v);
}

TEST_F(SettingsStoreTest, NamesIgnoreAsciiCaseOnlyAndKeepTheirFirstSpelling) {
  SettingsStore store(path_);
  store.WriteInt("Caret", "/Home/U/A.PVLcL", 5);
  EXPECT_EQ(store.GetInt("caret", "/home/u/a.pvlcl", 0), 5);
  store.WriteInt("CARET", "/HOME/u/a.pvlCL", 6);
  EXPECT_EQ(store.GetInt("Caret", "/Home/U/A.PVLcL", 0), 6);
  const std::string bytes = ReadBytes(path_);
  EXPECT_NE(bytes.find("[Caret]\n/Home/U/A.PVLcL=int:6\n"), std::string::npos) << bytes;
  EXPECT_EQ(bytes.find("CARET"), std::string::npos);
  EXPECT_EQ(bytes.find("HOME"), std::string::npos);

  // Beyond ASCII every byte counts: these pairs are different names.
  const std::pair<std::string, std::string> distinct[] = {
      {"Ä", "ä"}, {"Ａ", "ａ"}, {"\x82\x60", "\x82\x81"}, {"\xc0", "\xe0"}};
  for (const auto& [a, b] : distinct) {
    store.WriteInt("Colors", a, 1);
    store.WriteInt("Colors", b, 2);
    EXPECT_EQ(store.GetInt("Colors", a, 0), 1) << a;
    EXPECT_EQ(store.GetInt("Colors", b, 0), 2) << b;
  }
}

TEST_F(SettingsStoreTest, AValueReadAsTheOtherTypeGivesTheDefault) {
  SettingsStore store(path_);
  store.WriteString("Settings", "InstDir", "123");
  store.WriteInt("Settings", "Line", 2);
  EXPECT_EQ(store.GetInt("Settings", "InstDir", -7), -7);
  EXPECT_EQ(store.GetString("Settings", "Line", "def"), "def");
  // A write of the other type replaces the value and its type.
  store.WriteInt("Settings", "InstDir", 4);
  EXPECT_EQ(store.GetInt("Settings", "InstDir", -7), 4);
  EXPECT_EQ(store.GetString("Settings", "InstDir", "def"), "def");
}

TEST_F(SettingsStoreTest, DeleteValueAndDeleteSection) {
  SettingsStore store(path_);
  store.WriteInt("Caret", "a", 1);
  store.WriteInt("Caret", "b", 2);
  store.WriteString("CaretTemp", "a", "x");
  store.WriteInt("Settings", "Line", 1);

  store.DeleteValue("CARET", "A");
  EXPECT_EQ(store.GetInt("Caret", "a", -1), -1);
  EXPECT_EQ(store.GetInt("Caret", "b", -1), 2);
  EXPECT_EQ(store.GetString("CaretTemp", "a"), "x");

  const std::string before = ReadBytes(path_);
  store.DeleteValue("Caret", "a");
  store.DeleteValue("Nowhere", "a");
  store.DeleteSection("Nowhere");
  EXPECT_EQ(ReadBytes(path_), before);

  store.DeleteSection("caretTEMP");
  EXPECT_EQ(store.GetString("CaretTemp", "a", "gone"), "gone");
  EXPECT_EQ(store.GetInt("Caret", "b", -1), 2);
  EXPECT_EQ(ReadBytes(path_).find("CaretTemp"), std::string::npos);

  // A deleted section comes back empty when written again.
  store.WriteInt("CaretTemp", "c", 3);
  EXPECT_EQ(store.GetString("CaretTemp", "a", "gone"), "gone");
  EXPECT_EQ(SettingsStore(path_).GetInt("CaretTemp", "c", 0), 3);
}

// A file as a person or an older version might leave it. Everything that
// does not parse is skipped for reading and written back untouched.
const char kHandEdited[] =
    "# comment\n"
    "stray=int:1\n"
    "[Settings]\n"
    "Line=int:2\n"
    "  TabStops =  int: 4  \n"
    "Enter=str:x\\sy\\x41\n"
    "NoEquals\n"
    "Bad=int:12abc\n"
    "Big=int:2147483648\n"
    "Esc=str:a\\qb\n"
    "Untyped=5\n"
    "Crlf=int:3\r\n"
    "garbage \xff\xfe\x01 bytes=\n"
    "\n"
    "; about the next section\n"
    "[Broken\n"
    "Lost=int:9\n"
    "[settings]\n"
    "Extra=int:5\n"
    "Line=int:99\n"
    "[Empty]";

TEST_F(SettingsStoreTest, HandEditedFileReadsWhatParsesAndSkipsTheRest) {
  WriteBytes(path_, kHandEdited);
  SettingsStore store(path_);
  struct Case {
    const char* section;
    const char* key;
    std::optional<int> number;
    std::optional<std::string> text;
  } const cases[] = {
      {"", "stray", std::nullopt, std::nullopt},  // before any section
      {"Settings", "Line", 2, std::nullopt},      // the first of two wins
      {"Settings", "TabStops", 4, std::nullopt},
      {"Settings", "Enter", std::nullopt, "x yA"},
      {"Settings", "NoEquals", std::nullopt, std::nullopt},
      {"Settings", "Bad", std::nullopt, std::nullopt},
      {"Settings", "Big", std::nullopt, std::nullopt},
      {"Settings", "Esc", std::nullopt, std::nullopt},
      {"Settings", "Untyped", std::nullopt, std::nullopt},
      {"Settings", "Crlf", 3, std::nullopt},
      {"Broken", "Lost", std::nullopt, std::nullopt},
      {"[Broken", "Lost", std::nullopt, std::nullopt},
      {"Settings", "Lost", std::nullopt, std::nullopt},
      {"Settings", "Extra", 5, std::nullopt},  // a repeated section adds to the first
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.section) + "/" + c.key);
    EXPECT_EQ(store.GetInt(c.section, c.key, -1), c.number.value_or(-1));
    EXPECT_EQ(store.GetString(c.section, c.key, "?"), c.text.value_or("?"));
  }
}

TEST_F(SettingsStoreTest, ChangesLeaveTheRestOfTheFileByteForByte) {
  WriteBytes(path_, kHandEdited);
  SettingsStore store(path_);
  const std::string original = std::string(kHandEdited) + "\n";  // every line gets its LF

  // A new key goes after the section's last line of content.
  store.WriteInt("SETTINGS", "New", 1);
  std::string expected = original;
  const std::string anchor = "bytes=\n";
  expected.insert(expected.find(anchor) + anchor.size(), "New=int:1\n");
  EXPECT_EQ(ReadBytes(path_), expected);

  // Updating a duplicated key rewrites the first line and drops the second.
  store.WriteInt("Settings", "line", 7);
  expected.replace(expected.find("Line=int:2\n"), 11, "Line=int:7\n");
  expected.erase(expected.find("Line=int:99\n"), 12);
  EXPECT_EQ(ReadBytes(path_), expected);

  // A hand-formatted line is only re-rendered when its value changes.
  store.WriteInt("Settings", "TabStops", 8);
  expected.replace(expected.find("  TabStops =  int: 4  \n"), 23, "TabStops=int:8\n");
  EXPECT_EQ(ReadBytes(path_), expected);

  store.WriteInt("Empty", "k", 1);
  expected += "k=int:1\n";
  EXPECT_EQ(ReadBytes(path_), expected);
}

TEST_F(SettingsStoreTest, AStoreSeesWhatAnotherWrote) {
  SettingsStore reader(path_);
  SettingsStore writer(path_);
  EXPECT_EQ(reader.GetInt("Settings", "wndX", -1), -1);
  // Same size every time and in quick succession, so timestamps may agree
  // between versions.
  for (int i = 0; i < 50; ++i) {
    writer.WriteInt("Settings", "wndX", i % 10);
    ASSERT_EQ(reader.GetInt("Settings", "wndX", -1), i % 10) << i;
  }
  writer.DeleteSection("Settings");
  EXPECT_EQ(reader.GetInt("Settings", "wndX", -1), -1);
  writer.WriteString("Find", "List1", "abc");
  EXPECT_EQ(reader.GetString("Find", "List1"), "abc");
  fs::remove(path_);
  EXPECT_EQ(reader.GetString("Find", "List1", "gone"), "gone");
}

TEST_F(SettingsStoreTest, ProcessesWritingAtOnceLoseNothing) {
  constexpr int kChildren = 4;
  constexpr int kKeys = 200;
  std::vector<pid_t> children;
  for (int c = 0; c < kChildren; ++c) {
    const pid_t pid = fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
      // The child shares one section with the others and has one of its own
      // (written less often: every write costs an fsync).
      SettingsStore store(path_);
      int status = 0;
      for (int k = 0; k < kKeys; ++k) {
        const std::string key = "/home/u/f" + std::to_string(c) + "-" + std::to_string(k) + ".pvlcL";
        store.WriteInt("Caret", key, c * 1000 + k);
        if (k % 4 == 0) store.WriteString("Child" + std::to_string(c), std::to_string(k), key);
        if (store.GetInt("Caret", key, -1) != c * 1000 + k) status = 1;
      }
      store.WriteInt("Settings", "wndX", c);
      _exit(status);
    }
    children.push_back(pid);
  }
  for (pid_t pid : children) {
    int status = 0;
    ASSERT_EQ(waitpid(pid, &status, 0), pid);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  }
  SettingsStore store(path_);
  int missing = 0;
  for (int c = 0; c < kChildren; ++c) {
    for (int k = 0; k < kKeys; ++k) {
      const std::string key = "/home/u/f" + std::to_string(c) + "-" + std::to_string(k) + ".pvlcL";
      missing += store.GetInt("caret", key, -1) != c * 1000 + k;
      if (k % 4 == 0) missing += store.GetString("Child" + std::to_string(c), std::to_string(k)) != key;
    }
  }
  EXPECT_EQ(missing, 0);
  const int last = store.GetInt("Settings", "wndX", -1);
  EXPECT_TRUE(last >= 0 && last < kChildren) << last;
  EXPECT_EQ(Entries(dir_), (std::vector<std::string>{"Pivra.conf", "Pivra.conf.lock"}));
}

// A process id that has certainly ended: a child that exited and was reaped.
pid_t EndedPid() {
  const pid_t child = fork();
  if (child == 0) _exit(0);
  waitpid(child, nullptr, 0);
  return child;
}

// A writer killed with SIGKILL before its rename leaves "<store>.tmp.<pid>";
// the next read or write of the store removes it, and only it.
TEST_F(SettingsStoreTest, TemporaryFilesOfEndedWritersAreRemovedByTheNextReadOrWrite) {
  const std::string dead = std::to_string(EndedPid());
  const std::string live = std::to_string(getppid());  // running, and not this process, whose own writes use its name
  const std::vector<std::pair<std::string, bool>> files = {
      {"Pivra.conf.tmp." + dead, true},
      {"Pivra.conf.tmp." + live, false},        // a writer still running
      {"Other.conf.tmp." + dead, false},        // another store's
      {"Pivra.conf.tmp." + dead + "x", false},  // not a name a writer makes
      {"Pivra.conf.tmp.", false},
  };
  for (const bool byWrite : {false, true}) {
    SCOPED_TRACE(byWrite ? "write" : "read");
    WriteBytes(path_, "[Settings]\nLine=int:2\n");
    for (const auto& [name, removed] : files) WriteBytes(dir_ + "/" + name, "[Settings]\nLine=int:");
    SettingsStore store(path_);
    if (byWrite) {
      store.WriteInt("Settings", "Line", 1);
    } else {
      EXPECT_EQ(store.GetInt("Settings", "Line", -1), 2);
    }
    for (const auto& [name, removed] : files) EXPECT_EQ(!fs::exists(dir_ + "/" + name), removed) << name;
  }
}

// A real kill: the writer is stopped at a random moment of many writes.
TEST_F(SettingsStoreTest, WritersKilledMidWriteLeaveNothingAfterTheNextWrite) {
  for (int round = 0; round < 8; ++round) {
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      SettingsStore store(path_);
      for (int i = 0;; ++i) store.WriteString("Settings", "Big", std::string(100000 + i % 7, 'x'));
    }
    usleep(20000 + round * 5000);
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
    SettingsStore store(path_);
    store.WriteInt("Settings", "Line", round);
    EXPECT_EQ(store.GetInt("Settings", "Line", -1), round);
    EXPECT_EQ(Entries(dir_), (std::vector<std::string>{"Pivra.conf", "Pivra.conf.lock"})) << round;
  }
}

TEST_F(SettingsStoreTest, WriteIntoAPathThatCannotBeAFolderFailsSilently) {
  // The store's folder is a regular file, so neither mkdir nor open can work.
  const std::string blocker = dir_ + "/Korvane";
  WriteBytes(blocker, "not a folder");
  SettingsStore store(blocker + "/Pivra.conf");
  store.WriteInt("Settings", "Line", 1);
  store.WriteString("Settings", "InstDir", "/opt");
  EXPECT_EQ(store.GetInt("Settings", "Line", -1), -1);
  EXPECT_EQ(ReadBytes(blocker), "not a folder");
  EXPECT_EQ(Entries(dir_), std::vector<std::string>{"Korvane"});
}

TEST_F(SettingsStoreTest, AStoreThatIsNotAFileIsEmptyAndNeverReplaced) {
  // Reading fails, so a write must not put a one-value file in its place.
  fs::create_directory(path_);
  WriteBytes(path_ + "/inside", "kept");
  SettingsStore store(path_);
  EXPECT_EQ(store.GetInt("Settings", "Line", -1), -1);
  store.WriteInt("Settings", "Line", 1);
  store.DeleteSection("Settings");
  EXPECT_TRUE(fs::is_directory(path_));
  EXPECT_EQ(ReadBytes(path_ + "/inside"), "kept");
  EXPECT_EQ(Entries(dir_), (std::vector<std::string>{"Pivra.conf", "Pivra.conf.lock"}));
}

TEST_F(SettingsStoreTest, ReadOnlyFolderKeepsTheOldFile) {
  if (geteuid() == 0) GTEST_SKIP() << "permissions do not stop root";
  {
    SettingsStore store(path_);
    store.WriteInt("Settings", "Line", 1);
  }
  const std::string before = ReadBytes(path_);
  ASSERT_EQ(chmod(dir_.c_str(), 0555), 0);
  SettingsStore store(path_);
  store.WriteInt("Settings", "Line", 2);
  store.WriteInt("Settings", "New", 2);
  EXPECT_EQ(store.GetInt("Settings", "Line", -1), 1);
  EXPECT_EQ(store.GetInt("Settings", "New", -1), -1);
  EXPECT_EQ(ReadBytes(path_), before);
  EXPECT_EQ(Entries(dir_), (std::vector<std::string>{"Pivra.conf", "Pivra.conf.lock"}));
}

TEST_F(SettingsStoreTest, UnreadableFileIsEmptyAndNeverReplaced) {
  if (geteuid() == 0) GTEST_SKIP() << "permissions do not stop root";
  WriteBytes(path_, "[Settings]\nLine=int:2\n");
  ASSERT_EQ(chmod(path_.c_str(), 0), 0);
  SettingsStore store(path_);
  EXPECT_EQ(store.GetInt("Settings", "Line", -1), -1);
  store.WriteInt("Settings", "Other", 3);
  ASSERT_EQ(chmod(path_.c_str(), 0600), 0);
  EXPECT_EQ(ReadBytes(path_), "[Settings]\nLine=int:2\n");
}

TEST_F(SettingsStoreTest, RewriteKeepsTheFileMode) {
  WriteBytes(path_, "[Settings]\n");
  ASSERT_EQ(chmod(path_.c_str(), 0640), 0);
  SettingsStore store(path_);
  store.WriteInt("Settings", "Line", 1);
  struct stat st {};
  ASSERT_EQ(stat(path_.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0640u);
}

class SettingsStorePathTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* name : kNames) {
      const char* value = std::getenv(name);
      saved_.push_back(value ? std::optional<std::string>(value) : std::nullopt);
    }
  }
  void TearDown() override {
    for (std::size_t i = 0; i < std::size(kNames); ++i) Set(kNames[i], saved_[i]);
  }
  static void Set(const char* name, const std::optional<std::string>& value) {
    if (value) {
      setenv(name, value->c_str(), 1);
    } else {
      unsetenv(name);
    }
  }

  static constexpr const char* kNames[] = {"PIVRA_CONFIG", "XDG_CONFIG_HOME", "HOME"};
  std::vector<std::optional<std::string>> saved_;
};

TEST_F(SettingsStorePathTest, DefaultPathFollowsTheEnvironment) {
  struct Case {
    std::optional<std::string> config, xdg, home;
    std::string expected;
  } const cases[] = {
      {"/t/my.conf", "/xdg", "/home/u", "/t/my.conf"},
      {"", "/xdg", "/home/u", "/xdg/Korvane/Pivra.conf"},
      {std::nullopt, "/xdg", "/home/u", "/xdg/Korvane/Pivra.conf"},
      {std::nullopt, std::nullopt, "/home/u", "/home/u/.config/Korvane/Pivra.conf"},
      {std::nullopt, "", "/home/u", "/home/u/.config/Korvane/Pivra.conf"},
      {std::nullopt, "relative/dir", "/home/u", "/home/u/.config/Korvane/Pivra.conf"},
  };
  for (const Case& c : cases) {
    Set("PIVRA_CONFIG", c.config);
    Set("XDG_CONFIG_HOME", c.xdg);
    Set("HOME", c.home);
    EXPECT_EQ(SettingsStore::DefaultPath(), c.expected);
  }
}

TEST_F(SettingsStorePathTest, DefaultConstructorUsesPivraConfig) {
  const TempDir dir;
  const std::string path = dir.Path("sub/test.conf");
  Set("PIVRA_CONFIG", path);
  {
    SettingsStore store;
    EXPECT_EQ(store.Path(), path);
    store.WriteInt("Settings", "Reg", 0);
  }
  EXPECT_EQ(SettingsStore(path).GetInt("Settings", "Reg", 1), 0);
}

}  // namespace
