// The document file on disk: reading limits, safe writing with backups,
// line ends, paths.
#include "document/DocumentFile.h"

#include <gtest/gtest.h>

#include "document/DocFixture.h"

namespace {

TEST(ReadDocumentFile, SizeLimitIsTheTextControlsLimit) {
  TempDir dir;
  const std::string ok = dir.Path("ok.txt");
  const std::string big = dir.Path("big.txt");
  WriteBytes(ok, std::string(1048575, 'a'));
  WriteBytes(big, std::string(1048576, 'a'));
  std::string bytes;
  EXPECT_EQ(docfile::ReadDocumentFile(ok, bytes, 1048575).status, docfile::ReadStatus::Ok);
  EXPECT_EQ(bytes.size(), 1048575u);
  EXPECT_EQ(docfile::ReadDocumentFile(big, bytes, 1048575).status, docfile::ReadStatus::TooLarge);
}

TEST(ReadDocumentFile, RefusesNulBytesFoldersAndMissingFiles) {
  TempDir dir;
  const std::string nul = dir.Path("nul.txt");
  WriteBytes(nul, std::string("ab\0cd", 5));
  std::string bytes;
  EXPECT_EQ(docfile::ReadDocumentFile(nul, bytes, 1048575).status, docfile::ReadStatus::HasNul);
  EXPECT_EQ(docfile::ReadDocumentFile(dir.path.string(), bytes, 1048575).status, docfile::ReadStatus::NotAFile);
  const docfile::ReadResult missing = docfile::ReadDocumentFile(dir.Path("none"), bytes, 1048575);
  EXPECT_EQ(missing.status, docfile::ReadStatus::CannotOpen);
  EXPECT_EQ(missing.error, ENOENT);
}

TEST(ReadDocumentFile, BytesComeAsTheyAre) {
  TempDir dir;
  const std::string path = dir.Path("bom.txt");
  const std::string bytes = "\xEF\xBB\xBFutf8 \xE3\x81\x82\r\n\xFF\x80";
  WriteBytes(path, bytes);
  std::string read;
  ASSERT_EQ(docfile::ReadDocumentFile(path, read, 1048575).status, docfile::ReadStatus::Ok);
  EXPECT_EQ(read, bytes);
}

TEST(WriteDocumentFile, BackupHoldsThePreviousVersionAndPermissionsStay) {
  TempDir dir;
  const std::string path = dir.Path("memo.txt");
  WriteBytes(path, "one");
  ::chmod(path.c_str(), 0640);
  ASSERT_TRUE(docfile::WriteDocumentFile(path, "two", true).Ok());
  EXPECT_EQ(ReadBytes(path), "two");
  EXPECT_EQ(ReadBytes(path + ".bak"), "one");
  ASSERT_TRUE(docfile::WriteDocumentFile(path, "three", true).Ok());
  EXPECT_EQ(ReadBytes(path + ".bak"), "two");  // an existing backup is replaced
  struct stat st {};
  ::stat(path.c_str(), &st);
  EXPECT_EQ(st.st_mode & 07777, 0640u);
  // Nothing else is left in the folder.
  EXPECT_EQ(Listing(dir.path.string()), (std::vector<std::string>{"memo.txt", "memo.txt.bak"}));
}

TEST(WriteDocumentFile, NewFileGetsTheUsualModeAndNoBackup) {
  TempDir dir;
  const std::string path = dir.Path("new.pvl");
  const mode_t mask = ::umask(022);
  ASSERT_TRUE(docfile::WriteDocumentFile(path, "x", true).Ok());
  ::umask(mask);
  struct stat st {};
  ::stat(path.c_str(), &st);
  EXPECT_EQ(st.st_mode & 07777, 0644u);
  EXPECT_FALSE(FileExists(path + ".bak"));
}

TEST(WriteDocumentFile, BackupThatCannotBeMadeDoesNotStopTheSave) {
  TempDir dir;
  const std::string path = dir.Path("memo.txt");
  WriteBytes(path, "old");
  std::filesystem::create_directories(path + ".bak/inner");  // a folder in the backup's place
  const docfile::WriteResult r = docfile::WriteDocumentFile(path, "new", true);
  EXPECT_TRUE(r.Ok());
  EXPECT_TRUE(r.backupFailed);
  EXPECT_EQ(ReadBytes(path), "new");
  EXPECT_TRUE(std::filesystem::is_directory(path + ".bak"));
}

TEST(WriteDocumentFile, SymbolicLinkIsWrittenThrough) {
  TempDir dir;
  const std::string real = dir.Path("real.txt");
  const std::string link = dir.Path("link.txt");
  WriteBytes(real, "old");
  ASSERT_EQ(::symlink("real.txt", link.c_str()), 0);
  ASSERT_TRUE(docfile::WriteDocumentFile(link, "new", true).Ok());
  EXPECT_TRUE(std::filesystem::is_symlink(link));
  EXPECT_EQ(ReadBytes(real), "new");
  EXPECT_EQ(ReadBytes(link + ".bak"), "old");
}

TEST(WriteDocumentFile, FailedWriteLeavesTheFileAndNoLeftovers) {
  TempDir dir;
  const std::string path = dir.Path("memo.txt");
  WriteBytes(path, "original");
  docfile::WriteResult r;
  {
    FileSizeLimit limit(4);
    r = docfile::WriteDocumentFile(path, "a text longer than four bytes", true);
  }
  EXPECT_EQ(r.stage, docfile::WriteStage::WriteTemp);
  EXPECT_EQ(r.error, EFBIG);
  EXPECT_EQ(ReadBytes(path), "original");
  EXPECT_EQ(Listing(dir.path.string()), std::vector<std::string>{"memo.txt"});
}

// A file written a piece at a time is the pieces in order; a source that
// fails midway leaves the file, no backup and no temporary file.
TEST(WriteDocumentFile, PiecesAreWrittenInOrderAndAFailedSourceLeavesTheFile) {
  TempDir dir;
  const std::string path = dir.Path("memo.txt");
  WriteBytes(path, "original");
  for (const bool fails : {true, false}) {
    const std::vector<std::string> given = {"one ", "", "two ", "three"};
    std::size_t next = 0;
    const docfile::WriteResult r = docfile::WriteDocumentFile(
        path,
        [&](std::string_view& piece) {
          if (next == given.size()) return fails ? docfile::PieceStatus::Failed : docfile::PieceStatus::End;
          piece = given[next++];
          return docfile::PieceStatus::Piece;
        },
        true);
    if (fails) {
      EXPECT_EQ(r.stage, docfile::WriteStage::SourceFailed);
      EXPECT_EQ(ReadBytes(path), "original");
      EXPECT_EQ(Listing(dir.path.string()), std::vector<std::string>{"memo.txt"});
    } else {
      EXPECT_TRUE(r.Ok());
      EXPECT_EQ(ReadBytes(path), "one two three");
      EXPECT_EQ(ReadBytes(path + ".bak"), "original");
    }
  }
}

TEST(WriteDocumentFile, FolderThatIsAFileFailsBeforeAnythingIsWritten) {
  TempDir dir;
  const std::string notFolder = dir.Path("plain");
  WriteBytes(notFolder, "I am a file");
  const docfile::WriteResult r = docfile::WriteDocumentFile(notFolder + "/memo.txt", "x", false);
  EXPECT_EQ(r.stage, docfile::WriteStage::CreateTemp);
  EXPECT_EQ(r.error, ENOTDIR);
  EXPECT_EQ(ReadBytes(notFolder), "I am a file");
}

TEST(DocumentPaths, DisplayFullAndSplit) {
  EXPECT_EQ(docfile::DisplayPath("/home/me/\xE8\xA1\xA8.txt"), "/home/me/表.txt");  // UTF-8 stays
  EXPECT_EQ(docfile::DisplayPath("/home/me/\x95\x5C.txt"), "/home/me/表.txt");      // CP932 name decoded
  EXPECT_EQ(docfile::FullPath("/a/./b/../c//d.txt"), "/a/c/d.txt");
  EXPECT_EQ(docfile::FullPath(""), "");
  const std::string cwd = std::filesystem::current_path().string();
  EXPECT_EQ(docfile::FullPath("x/../y.pvl"), cwd + "/y.pvl");

  std::string folder, title, ext, nameExt;
  docfile::SplitPath("/tmp/dir/Table.Pvl", folder, title, ext, nameExt);
  EXPECT_EQ(folder, "/tmp/dir/");
  EXPECT_EQ(title, "Table");
  EXPECT_EQ(ext, ".Pvl");
  EXPECT_EQ(nameExt, "Table.Pvl");
  docfile::SplitPath("/tmp/.profile", folder, title, ext, nameExt);
  EXPECT_EQ(title, ".profile");
  EXPECT_EQ(ext, "");
  docfile::SplitPath("", folder, title, ext, nameExt);
  EXPECT_EQ(folder, "");
}

}  // namespace
