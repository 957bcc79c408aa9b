// A save killed with SIGKILL at any point leaves a whole version of the file
// at its name and at name.bak, never one file under both names; the
// temporary files it was writing are removed by the next save or open of
// that file, and only when their writer has ended.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "document/DocumentFile.h"
#include "support/CaseName.h"
#include "support/TestView.h"

namespace {

namespace fs = std::filesystem;

std::string ReadAll(const fs::path& p) {
  std::ifstream f(p, std::ios::binary);
  if (!f) return "<missing>";
  std::stringstream s;
  s << f.rdbuf();
  return s.str();
}

std::vector<std::string> TempFiles(const fs::path& folder) {
  std::vector<std::string> names;
  for (const auto& e : fs::directory_iterator(folder))
    if (e.path().filename().string().find(".pivra-") != std::string::npos) names.push_back(e.path().filename());
  return names;
}

// A process id that has certainly ended: a child that exited and was reaped.
pid_t EndedPid() {
  const pid_t child = fork();
  if (child == 0) _exit(0);
  waitpid(child, nullptr, 0);
  return child;
}

TEST(InterruptedSave, KilledWritersLeaveWholeVersionsAndNoTemporaryFiles) {
  TempDir dir;
  const fs::path path = dir.path / "doc.txt";
  const fs::path bak = dir.path / "doc.txt.bak";
  std::string current = "first version\r\n";
  ASSERT_TRUE(docfile::WriteDocumentFile(path, current, false).Ok());
  std::string backup = "<missing>";
  std::mt19937 random(15);
  int killedMidSave = 0;
  for (int round = 1; round <= 24; ++round) {
    // A megabyte, so that the kill lands inside the save more often than not.
    const std::string next = std::string(1 << 20, static_cast<char>('A' + round % 26)) + std::to_string(round);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) _exit(docfile::WriteDocumentFile(path, next, true).Ok() ? 0 : 1);
    usleep(random() % 40000);
    kill(child, SIGKILL);
    int status = 0;
    waitpid(child, &status, 0);
    const bool killed = WIFSIGNALED(status);

    const std::string now = ReadAll(path);
    const std::string nowBak = ReadAll(bak);
    if (now == next) {
      EXPECT_EQ(nowBak, current) << "round " << round;
      backup = current;
      current = next;
    } else {
      ASSERT_EQ(now, current) << "round " << round;
      EXPECT_TRUE(nowBak == backup || nowBak == current) << "round " << round;
      backup = nowBak;
    }
    const std::size_t left = TempFiles(dir.path).size();
    if (killed && left > 0) ++killedMidSave;
    // The next open removes what the killed writer left.
    std::string bytes;
    docfile::ReadDocumentFile(path, bytes, 1048575);
    EXPECT_EQ(TempFiles(dir.path), std::vector<std::string>{}) << "round " << round;
  }
  // Not a requirement of the code, only of the test being useful.
  std::cout << killedMidSave << " of 24 writers were killed with a temporary file left\n";
}

bool OneFile(const fs::path& a, const fs::path& b) {
  struct stat sa {}, sb {};
  return ::stat(a.c_str(), &sa) == 0 && ::stat(b.c_str(), &sb) == 0 && sa.st_dev == sb.st_dev &&
         sa.st_ino == sb.st_ino;
}

// The step at which the writing child stops, as a kill there would.
docfile::SaveStep stopAt;

void StopHere(docfile::SaveStep step) {
  if (step == stopAt) _exit(0);
}

enum class Before { BackupExists, NoBackup, BackupIsTheDocument };

struct KillPointCase {
  const char* name;
  Before before;
  docfile::SaveStep step;
  bool newText;    // the name holds the new text afterwards (else the old one)
  bool oldAsBackup;  // name.bak holds the old text (else what it held before)
};

class SaveKillPoints : public ::testing::TestWithParam<KillPointCase> {};

TEST_P(SaveKillPoints, LeaveWholeVersionsInTwoFilesAndNothingAfterTheNextSave) {
  const KillPointCase& c = GetParam();
  TempDir dir;
  const fs::path path = dir.path / "doc.txt";
  const fs::path bak = dir.path / "doc.txt.bak";
  const std::string old = "old text\r\n";
  std::ofstream(path, std::ios::binary) << old;
  std::string oldBackup = "<missing>";
  if (c.before == Before::BackupExists) {
    oldBackup = "older text\r\n";
    std::ofstream(bak, std::ios::binary) << oldBackup;
  } else if (c.before == Before::BackupIsTheDocument) {
    // What a save stopped at the wrong moment by an earlier build left.
    ASSERT_EQ(::link(path.c_str(), bak.c_str()), 0);
    oldBackup = old;
  }

  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    stopAt = c.step;
    docfile::SetSaveStepHook(StopHere);
    docfile::WriteDocumentFile(path, "new text\r\n", true);
    _exit(1);  // the step was never reached
  }
  int status = 0;
  waitpid(child, &status, 0);
  ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the save did not reach the step";

  EXPECT_EQ(ReadAll(path), c.newText ? "new text\r\n" : old);
  EXPECT_EQ(ReadAll(bak), c.oldAsBackup ? old : oldBackup);
  EXPECT_FALSE(c.before != Before::BackupIsTheDocument && OneFile(path, bak));
  if (c.oldAsBackup) {
    EXPECT_FALSE(OneFile(path, bak));
    // Another program writing the document in place leaves the backup alone.
    std::ofstream(path, std::ios::binary | std::ios::trunc) << "written in place";
    EXPECT_EQ(ReadAll(bak), old);
  }

  const std::string before = ReadAll(path);
  ASSERT_TRUE(docfile::WriteDocumentFile(path, "third\r\n", true).Ok());
  EXPECT_EQ(ReadAll(path), "third\r\n");
  EXPECT_EQ(ReadAll(bak), before);
  EXPECT_FALSE(OneFile(path, bak));
  EXPECT_EQ(TempFiles(dir.path), std::vector<std::string>{});
}

using docfile::SaveStep;
const KillPointCase kKillPoints[] = {
    {"new text written", Before::BackupExists, SaveStep::TempWritten, false, false},
    {"backup copy written", Before::BackupExists, SaveStep::BackupTempWritten, false, false},
    {"backup replaced", Before::BackupExists, SaveStep::BackupReplaced, false, true},
    {"document replaced", Before::BackupExists, SaveStep::DocumentReplaced, true, true},
    {"first backup, new text written", Before::NoBackup, SaveStep::TempWritten, false, false},
    {"first backup, copy written", Before::NoBackup, SaveStep::BackupTempWritten, false, false},
    {"first backup, replaced", Before::NoBackup, SaveStep::BackupReplaced, false, true},
    {"first backup, document replaced", Before::NoBackup, SaveStep::DocumentReplaced, true, true},
    {"joined files, new text written", Before::BackupIsTheDocument, SaveStep::TempWritten, false, false},
    {"joined files, backup copy written", Before::BackupIsTheDocument, SaveStep::BackupTempWritten, false, false},
    {"joined files, backup replaced", Before::BackupIsTheDocument, SaveStep::BackupReplaced, false, true},
    {"joined files, document replaced", Before::BackupIsTheDocument, SaveStep::DocumentReplaced, true, true},
};

INSTANTIATE_TEST_SUITE_P(Steps, SaveKillPoints, ::testing::ValuesIn(kKillPoints),
                         [](const auto& info) { return CaseName(info.index, info.param.name); });

TEST(InterruptedSave, ASaveMakesABackupOfItsOwnWithTheOldFilesTimes) {
  TempDir dir;
  const fs::path path = dir.path / "doc.txt";
  std::ofstream(path, std::ios::binary) << "old";
  const struct timespec times[2] = {{1000000000, 0}, {1000000000, 0}};
  ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
  ASSERT_TRUE(docfile::WriteDocumentFile(path, "new", true).Ok());
  struct stat st {};
  ASSERT_EQ(::stat((dir.path / "doc.txt.bak").c_str(), &st), 0);
  EXPECT_EQ(st.st_mtim.tv_sec, 1000000000);
  EXPECT_EQ(st.st_nlink, 1u);
}

struct StaleCase {
  const char* name;
  std::string file;  // {dead} and {live} stand for a process id
  bool removed;
};

std::string Fill(std::string s, pid_t dead) {
  for (const auto& [key, pid] : {std::pair<std::string, pid_t>{"{dead}", dead}, {"{live}", getpid()}}) {
    const std::size_t at = s.find(key);
    if (at != std::string::npos) s.replace(at, key.size(), std::to_string(pid));
  }
  return s;
}

class StaleTempFiles : public ::testing::TestWithParam<StaleCase> {};

TEST_P(StaleTempFiles, OnlyThoseOfEndedWritersOfThisFileGo) {
  TempDir dir;
  const fs::path path = dir.path / "doc.txt";
  std::ofstream(path) << "text";
  const fs::path file = dir.path / Fill(GetParam().file, EndedPid());
  std::ofstream(file) << "partial";
  ASSERT_TRUE(docfile::WriteDocumentFile(path, "new", true).Ok());
  EXPECT_EQ(!fs::exists(file), GetParam().removed);
  EXPECT_EQ(ReadAll(path), "new");
}

const StaleCase kStaleCases[] = {
    {"ended writer", ".doc.txt.pivra-{dead}-Ab12Cd", true},
    {"ended writer of the backup", ".doc.txt.bak.pivra-{dead}-0", true},
    {"running writer", ".doc.txt.pivra-{live}-Ab12Cd", false},
    {"another document", ".other.txt.pivra-{dead}-Ab12Cd", false},
    {"a name without a writer", ".doc.txt.pivra-Ab12Cd", false},
    {"a longer name", ".doc.txt2.pivra-{dead}-Ab12Cd", false},
};

INSTANTIATE_TEST_SUITE_P(Names, StaleTempFiles, ::testing::ValuesIn(kStaleCases),
                         [](const auto& info) { return CaseName(info.index, info.param.name); });

}  // namespace
