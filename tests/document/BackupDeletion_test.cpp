// Deleting the backup files of the document's folder.
#include "document/BackupDeletion.h"

#include <gtest/gtest.h>

#include "document/DocFixture.h"
#include "editor/CommandIds.h"

namespace {

struct BackupFolder : DocFixture {
  std::string folder;  // with its trailing "/"
  BackupFolder() {
    std::filesystem::create_directory(Path("docs"));
    folder = Path("docs") + "/";
    File("docs/memo.txt", "memo");
    File("docs/memo.txt.bak", "old memo");
    File("docs/table.pvl.bak", "old table");
    File("docs/keep.BAK", "other case");
    File("docs/keep.bak~", "not a backup name");
    std::filesystem::create_directory(Path("docs/sub"));
    File("docs/sub/deep.bak", "not in the folder itself");
    File("top.bak", "outside the folder");
    EXPECT_TRUE(Open(Path("docs/memo.txt")));
    host.messages.clear();
  }
  std::vector<std::string> Left() { return Listing(Path("docs")); }
};

TEST(BackupDeletion, DisabledWhenUntitledOrNoBackups) {
  DocFixture f;
  f.File("x.bak", "b");
  EXPECT_FALSE(f.view->IsEnabled(cmd::DeleteBackupFiles));  // untitled: no folder
  EXPECT_EQ(f.view->Execute(cmd::DeleteBackupFiles), EditorView::CommandResult::Disabled);
  ASSERT_TRUE(f.Open(f.File("a.txt", "a")));
  EXPECT_TRUE(f.view->IsEnabled(cmd::DeleteBackupFiles));
  ::unlink(f.Path("x.bak").c_str());
  EXPECT_FALSE(f.view->IsEnabled(cmd::DeleteBackupFiles));
}

TEST(BackupDeletion, CancelDeletesNothing) {
  BackupFolder f;
  f.host.answers.push_back(MsgResult::Cancel);
  f.view->Execute(cmd::DeleteBackupFiles);
  ASSERT_EQ(f.host.messages.size(), 1u);
  EXPECT_EQ(f.host.messages[0].caption, "Pivra");
  EXPECT_EQ(f.host.messages[0].text, f.folder +
                                          " \nにある全てのバックアップファイルを削除します。\n1つずつ確認しながら削除しますか？\n"
                                          "「いいえ」を選択すると確認せずに全て消します。");
  EXPECT_EQ(f.Left().size(), 6u);
}

TEST(BackupDeletion, NoDeletesAllMatchingNamesInTheFolderOnly) {
  BackupFolder f;
  f.host.answers.push_back(MsgResult::No);
  f.view->Execute(cmd::DeleteBackupFiles);
  EXPECT_EQ(f.Left(), (std::vector<std::string>{"keep.BAK", "keep.bak~", "memo.txt", "sub"}));
  EXPECT_TRUE(FileExists(f.Path("docs/sub/deep.bak")));
  EXPECT_TRUE(FileExists(f.Path("top.bak")));
  EXPECT_EQ(f.LastMessage(), f.folder + " \nにある全てのバックアップファイル（2 個）の削除に成功しました！");
  EXPECT_FALSE(f.view->IsEnabled(cmd::DeleteBackupFiles));
}

TEST(BackupDeletion, OneByOneAnsweringNoKeepsAll) {
  BackupFolder f;
  f.host.answers = {MsgResult::Yes, MsgResult::No, MsgResult::No};
  f.view->Execute(cmd::DeleteBackupFiles);
  ASSERT_EQ(f.host.messages.size(), 4u);
  EXPECT_EQ(f.host.messages[1].text.substr(f.host.messages[1].text.find('\n')), "\nこのファイルを削除しますか？");
  EXPECT_EQ(f.LastMessage(), f.folder + " \nにある 0 個のバックアップファイルを削除しました！");
  EXPECT_EQ(f.Left().size(), 6u);
}

TEST(BackupDeletion, OneByOneYesThenCancelStopsWithoutSummary) {
  BackupFolder f;
  f.host.answers = {MsgResult::Yes, MsgResult::Yes, MsgResult::Cancel};
  f.view->Execute(cmd::DeleteBackupFiles);
  EXPECT_EQ(f.host.messages.size(), 3u);
  EXPECT_EQ(f.Left().size(), 5u);  // the first one asked about is gone
}

TEST(BackupDeletion, AFolderNamedBakEndsTheRun) {
  BackupFolder f;
  ::unlink(f.Path("docs/table.pvl.bak").c_str());
  std::filesystem::create_directory(f.Path("docs/folder.bak"));
  f.host.answers.push_back(MsgResult::No);
  f.view->Execute(cmd::DeleteBackupFiles);
  const auto& m = f.host.messages;
  ASSERT_GE(m.size(), 3u);
  EXPECT_EQ(m[m.size() - 2].text, "Failed to delete backup files");
  // The summary counts only what was deleted before the failure.
  const bool memoFirst = !FileExists(f.Path("docs/memo.txt.bak"));
  EXPECT_EQ(f.LastMessage(),
            f.folder + " \nにある " + (memoFirst ? "1" : "0") + " 個のバックアップファイルを削除しました！");
  EXPECT_TRUE(FileExists(f.Path("docs/folder.bak")));
}

TEST(BackupDeletion, TheDocumentsOwnFileIsNeverACandidate) {
  DocFixture f;
  const std::string own = f.File("recovered.txt.bak", "being read");
  ASSERT_TRUE(f.Open(own));
  EXPECT_FALSE(f.view->IsEnabled(cmd::DeleteBackupFiles));
  f.File("other.bak", "x");
  f.host.answers.push_back(MsgResult::No);
  f.view->Execute(cmd::DeleteBackupFiles);
  EXPECT_TRUE(FileExists(own));
  EXPECT_FALSE(FileExists(f.Path("other.bak")));
}

}  // namespace
