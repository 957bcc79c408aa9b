// The document through its commands: open, save with backups, Save As,
// failures that must lose nothing, the recent files, dropped files and
// outside changes.
#include "document/Document.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "document/DocFixture.h"
#include "settings/SettingsKeys.h"
#include "document/RecentFileList.h"
#include "editor/CommandIds.h"
#include "document/DocumentCommands.h"

namespace {

// ---------------------------------------------------------------- reading

struct OpenCase {
  const char* name;
  std::string file;
  std::string shown;
};

class OpenLineEnds : public ::testing::TestWithParam<OpenCase> {};

TEST_P(OpenLineEnds, ShownWithCrLfAndNotModified) {
  DocFixture f;
  ASSERT_TRUE(f.Open(f.File("a.txt", GetParam().file)));
  EXPECT_EQ(f.Text(), GetParam().shown);
  EXPECT_FALSE(f.doc->IsModified());
  EXPECT_FALSE(f.view->IsEnabled(cmd::FileSave));
  // Saving after an edit writes what is shown.
  f.Type("x");
  EXPECT_TRUE(f.view->IsEnabled(cmd::FileSave));
  f.view->Execute(cmd::FileSave);
  EXPECT_EQ(ReadBytes(f.Path("a.txt")), "x" + GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(Cases, OpenLineEnds,
                         ::testing::Values(OpenCase{"LfOnly", "1\n2\n", "1\r\n2\r\n"},
                                           OpenCase{"CrOnly", "1\r2\r", "1\r\n2\r\n"},
                                           OpenCase{"MixedUntouched", "1\r\n2\n3", "1\r\n2\n3"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(DocumentOpen, SizeLimitAtTheLastByte) {
  DocFixture f;
  ASSERT_TRUE(f.Open(f.File("ok.txt", std::string(1048575, 'a'))));
  EXPECT_EQ(f.Edit().GetTextLength(), 1048575);
  EXPECT_TRUE(f.host.messages.empty());

  EXPECT_FALSE(f.Open(f.File("big.txt", std::string(1048576, 'a'))));
  EXPECT_EQ(f.LastMessage(), "ファイルが大きすぎて開けません。\nこのファイルは 1,048,576 バイトです。上限（現在 1,048,575 バイト）は設定ファイルの [Settings] MaxTextBytes で 1,073,741,823 バイトまで上げられます。");
  EXPECT_EQ(f.host.messages.back().caption, "Pivra");
  EXPECT_EQ(f.doc->PathName(), f.Path("ok.txt"));  // the previous document stays
  EXPECT_EQ(f.Edit().GetTextLength(), 1048575);
}

// With "Settings"/"MaxTextBytes" raised, a file up to the new limit opens,
// in CP932 and in UTF-8, and one byte more is refused naming both sizes.
TEST(DocumentOpen, ARaisedLimitOpensLargerFiles) {
  constexpr int kLimit = 1'500'000;
  DocFixture f([](SettingsStore& s) { s.WriteInt(setting::MaxTextBytes, kLimit); });
  ASSERT_EQ(f.Edit().LimitText(), kLimit);
  ASSERT_TRUE(f.Open(f.File("ok.txt", std::string(kLimit, 'a'))));
  EXPECT_EQ(f.Edit().GetTextLength(), kLimit);
  EXPECT_TRUE(f.host.messages.empty());
  EXPECT_FALSE(f.Open(f.File("big.txt", std::string(kLimit + 1, 'a'))));
  EXPECT_EQ(f.LastMessage(), "ファイルが大きすぎて開けません。\nこのファイルは 1,500,001 バイトです。上限（現在 1,500,000 バイト）は設定ファイルの [Settings] MaxTextBytes で 1,073,741,823 バイトまで上げられます。");
  EXPECT_EQ(f.Edit().GetTextLength(), kLimit);

  // 500,000 kanji: 1,500,000 bytes of UTF-8 and 1,000,000 of CP932.
  std::string utf8 = "\xEF\xBB\xBF";
  for (int i = 0; i < 500'000; ++i) utf8 += "\xE8\xA1\xA8";
  ASSERT_TRUE(f.Open(f.File("utf8.txt", utf8)));
  EXPECT_EQ(f.Edit().GetTextLength(), 1'000'000);
  // Half-width katakana: one CP932 byte from three of UTF-8, one past the limit.
  std::string katakana;
  for (int i = 0; i <= kLimit; ++i) katakana += "\xEF\xBD\xB1";
  EXPECT_FALSE(f.Open(f.File("katakana.txt", katakana)));
  EXPECT_EQ(f.LastMessage(), "ファイルが大きすぎて開けません。\nこのファイルは 4,500,003 バイトです。上限（現在 1,500,000 バイト）は設定ファイルの [Settings] MaxTextBytes で 1,073,741,823 バイトまで上げられます。");
  EXPECT_EQ(f.Edit().GetTextLength(), 1'000'000);
}

TEST(DocumentOpen, LineEndsThatWouldPassTheLimitStayAsTheyAre) {
  DocFixture f;
  std::string lines;
  while (lines.size() < 1048575 - 10) lines += "123456789\n";
  ASSERT_TRUE(f.Open(f.File("many.txt", lines)));
  EXPECT_EQ(f.Text(), lines);  // CR LF would not fit: saved back, it opens again
  ASSERT_TRUE(f.Open(f.File("few.txt", "1\n2\n")));
  EXPECT_EQ(f.Text(), "1\r\n2\r\n");
}

TEST(DocumentOpen, Utf8WithByteOrderMarkIsWrittenBackByteForByte) {
  DocFixture f;
  const std::string bytes = "\xEF\xBB\xBF\xE8\xA1\xA8\tcell\r\n\xE3\x81\x82";
  ASSERT_TRUE(f.Open(f.File("utf8.txt", bytes)));
  EXPECT_EQ(f.Text(), "\x95\x5C\tcell\r\n\x82\xA0");  // held as CP932
  f.Edit().SetSel(0, 0);
  f.Type("x");
  f.Type("\b");
  ASSERT_TRUE(DocumentCommands(*f.doc).OnFileSave());
  EXPECT_EQ(ReadBytes(f.Path("utf8.txt")), bytes);
}

TEST(DocumentOpen, FailedOpenKeepsThePreviousDocument) {
  DocFixture f;
  ASSERT_TRUE(f.Open(f.File("first.txt", "first")));
  f.Type("edited ");
  const std::string text(f.Text());
  const std::uint32_t undoTop = f.view->History().Top();

  // Refused files: with a NUL byte, too large, missing, a folder.
  f.File("nul.txt", std::string("a\0b", 3));
  f.File("big.txt", std::string(1048576, 'b'));
  std::filesystem::create_directory(f.Path("folder"));
  for (const std::string name : {"nul.txt", "big.txt", "missing.txt", "folder"}) {
    SCOPED_TRACE(name);
    f.host.messages.clear();
    f.host.answers.push_back(MsgResult::No);  // do not save first.txt
    f.AnswerFileDialog(f.Path(name));
    f.view->Execute(cmd::FileOpen);
    ASSERT_EQ(f.host.messages.size(), 2u);
    EXPECT_NE(f.host.messages[1].text.find(name == "big.txt" ? "大きすぎて" : name), std::string::npos)
        << f.host.messages[1].text;
    EXPECT_EQ(f.Text(), text);
    EXPECT_EQ(f.doc->PathName(), f.Path("first.txt"));
    EXPECT_EQ(f.doc->Title(), "first.txt");
    EXPECT_TRUE(f.doc->IsModified());
    EXPECT_EQ(f.view->History().Top(), undoTop);
    if (name == "nul.txt") {
      EXPECT_NE(f.LastMessage().find("NUL"), std::string::npos);
    }
  }
}

TEST(DocumentOpen, ReloadThatFailsKeepsTheText) {
  DocFixture f;
  const std::string path = f.File("a.txt", "old");
  ASSERT_TRUE(f.Open(path));
  WriteBytes(path, std::string("n\0l", 3));
  AgeForward(path, 100);
  f.host.answers.push_back(MsgResult::Yes);
  DocumentCommands(*f.doc).CheckExternalChange();
  EXPECT_EQ(f.Text(), "old");
  EXPECT_EQ(f.doc->PathName(), path);
  EXPECT_NE(f.LastMessage().find("NUL"), std::string::npos);
}

TEST(DocumentOpen, SamePathDoesNothing) {
  DocFixture f;
  const std::string path = f.File("a.txt", "disk");
  ASSERT_TRUE(f.Open(path));
  f.Type("x");
  f.AnswerFileDialog(f.dir.path.string() + "/./a.txt");  // the same file, spelt otherwise
  f.view->Execute(cmd::FileOpen);
  EXPECT_TRUE(f.host.messages.empty());  // no save prompt
  EXPECT_EQ(f.Text(), "xdisk");
  EXPECT_TRUE(f.doc->IsModified());
}

TEST(DocumentOpen, DialogAndPrompt) {
  DocFixture f;
  const std::string a = f.File("a.txt", "A");
  const std::string b = f.File("b.pvl", "B");
  ASSERT_TRUE(f.Open(a));
  f.Type("x");

  f.AnswerFileDialog(b);
  f.host.answers.push_back(MsgResult::Cancel);
  f.view->Execute(cmd::FileOpen);
  ASSERT_EQ(f.fileDialogs.size(), 1u);
  EXPECT_FALSE(f.fileDialogs[0].save);
  EXPECT_EQ(f.fileDialogs[0].filter, "All files (*.*)|*.*|Text/Pvl files (*.txt;*.pvl)|*.txt;*.pvl||");
  ASSERT_EQ(f.host.messages.size(), 1u);
  EXPECT_EQ(f.host.messages[0].text, "a.txt への変更を保存しますか?");
  EXPECT_EQ(f.Text(), "xA");  // cancelled

  f.host.answers.push_back(MsgResult::Yes);  // save a.txt, then open b.pvl
  f.view->Execute(cmd::FileOpen);
  EXPECT_EQ(ReadBytes(a), "xA");
  EXPECT_EQ(f.Text(), "B");
  EXPECT_EQ(f.doc->Title(), "b.pvl");
  EXPECT_FALSE(f.doc->IsModified());
  EXPECT_TRUE(f.view->modes.table);
}

TEST(DocumentOpen, FileNamedInCp932IsShownReadably) {
  DocFixture f;
  const std::string path = f.File("\x95\x5C.txt", "t");  // 表.txt written by a Windows program
  ASSERT_TRUE(f.Open(path));
  EXPECT_EQ(f.doc->PathName(), path);  // the file system's bytes
  EXPECT_EQ(f.doc->Title(), "表.txt");
  f.Type("x");
  f.host.answers.push_back(MsgResult::Cancel);
  f.view->Execute(cmd::FileNew);
  EXPECT_EQ(f.LastMessage(), "表.txt への変更を保存しますか?");
  f.view->Execute(cmd::FileSave);
  EXPECT_EQ(ReadBytes(path), "xt");
  EXPECT_EQ(ReadBytes(path + ".bak"), "t");
}

// ---------------------------------------------------------------- saving and backups

// A file's bytes expected on disk; no bytes: the file must not exist.
struct OnDisk {
  std::string name;
  std::optional<std::string> bytes;
};

// One edit and save: the text typed at the caret, the command, the name the
// Save As dialog answers with, and the files as they must be afterwards.
struct SaveStep {
  std::string typed;
  int command;
  std::string saveAsName;
  std::vector<OnDisk> after;
};

struct SaveRunCase {
  const char* name;
  bool backups;  // setting::BackupOnSave
  std::vector<std::pair<std::string, std::string>> files;  // in the folder before the run
  std::vector<std::string> folders;                         // likewise
  std::string opened;
  std::vector<SaveStep> steps;
  std::string savedAs;                // the document's file at the end
  std::vector<std::string> messages;  // every message shown
};

const std::vector<SaveRunCase> kSaveRuns = {
    {"SecondSaveKeepsTheFirstInTheBackup", true, {{"memo.txt", "v0"}}, {}, "memo.txt",
     {{"1", cmd::FileSave, "", {{"memo.txt", "1v0"}, {"memo.txt.bak", "v0"}}},
      {"2", cmd::FileSave, "", {{"memo.txt", "12v0"}, {"memo.txt.bak", "1v0"}}}},
     "memo.txt", {}},
    {"SaveAsToANewNameMakesNoBackupToItsOwnPathDoes", true, {{"table.pvl", "v0"}}, {}, "table.pvl",
     {{"1", cmd::FileSaveAs, "other.pvl",
       {{"other.pvl", "1v0"}, {"other.pvl.bak", std::nullopt}, {"table.pvl.bak", std::nullopt}}},
      {"2", cmd::FileSaveAs, "other.pvl", {{"other.pvl.bak", "1v0"}}}},
     "other.pvl", {}},
    {"BackupOffNeverMakesOrDeletesOne", false, {{"memo.txt", "v0"}, {"memo.txt.bak", "older"}}, {}, "memo.txt",
     {{"1", cmd::FileSave, "", {}}, {"2", cmd::FileSave, "", {{"memo.txt", "12v0"}, {"memo.txt.bak", "older"}}}},
     "memo.txt", {}},
    {"PathsCompareByteForByte", true, {{"a.txt", "lower"}, {"A.TXT", "upper"}}, {}, "a.txt",
     {{"x", cmd::FileSaveAs, "A.TXT",
       {{"A.TXT", "xlower"}, {"A.TXT.bak", std::nullopt}, {"a.txt.bak", std::nullopt}, {"a.txt", "lower"}}}},
     "A.TXT", {}},
    {"BackupFailureIsReportedAndTheSaveGoesOn", true, {{"memo.txt", "v0"}}, {"memo.txt.bak/inner"}, "memo.txt",
     {{"1", cmd::FileSave, "", {{"memo.txt", "1v0"}}}},
     "memo.txt", {"Failed to make the back up file !!"}},
};

class DocumentSaveRun : public ::testing::TestWithParam<SaveRunCase> {};

TEST_P(DocumentSaveRun, OpenTypeSaveAndReadBack) {
  const SaveRunCase& c = GetParam();
  DocFixture f([&c](SettingsStore& s) {
    if (!c.backups) s.WriteInt("Settings", "Backup", 0);
  });
  EXPECT_EQ(f.doc->backupEnabled, c.backups ? 1 : 0);
  for (const auto& [name, bytes] : c.files) f.File(name, bytes);
  for (const std::string& folder : c.folders) std::filesystem::create_directories(f.Path(folder));
  ASSERT_TRUE(f.Open(f.Path(c.opened)));
  for (std::size_t i = 0; i < c.steps.size(); ++i) {
    const SaveStep& step = c.steps[i];
    SCOPED_TRACE("step " + std::to_string(i + 1));
    f.Type(step.typed);
    if (!step.saveAsName.empty()) f.AnswerFileDialog(f.Path(step.saveAsName));
    f.view->Execute(step.command);
    for (const OnDisk& file : step.after) {
      if (file.bytes) {
        EXPECT_EQ(ReadBytes(f.Path(file.name)), *file.bytes) << file.name;
      } else {
        EXPECT_FALSE(FileExists(f.Path(file.name))) << file.name;
      }
    }
  }
  EXPECT_FALSE(f.doc->IsModified());
  EXPECT_EQ(f.doc->PathName(), f.Path(c.savedAs));
  EXPECT_EQ(f.doc->Title(), c.savedAs);
  EXPECT_EQ(f.view->Doc().FileFolder(), f.dir.path.string() + "/");
  EXPECT_EQ(f.view->Doc().FileNameExt(), c.savedAs);
  ASSERT_EQ(f.host.messages.size(), c.messages.size());
  for (std::size_t i = 0; i < c.messages.size(); ++i) EXPECT_EQ(f.host.messages[i].text, c.messages[i]);
}

INSTANTIATE_TEST_SUITE_P(Runs, DocumentSaveRun, ::testing::ValuesIn(kSaveRuns),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(DocumentSave, UntitledGoesThroughSaveAs) {
  DocFixture f;
  f.Type("new text");
  f.AnswerFileDialog(f.Path("saved.pvl"));
  f.view->Execute(cmd::FileSave);
  ASSERT_EQ(f.fileDialogs.size(), 1u);
  const FileDialogData& d = f.fileDialogs[0];
  EXPECT_TRUE(d.save);
  EXPECT_EQ(d.filter, "Pivra Files (*.pvl)|*.pvl|すべてのファイル (*.*)|*.*||");
  EXPECT_EQ(d.defaultExt, "pvl");
  EXPECT_EQ(d.initialPath, "無題.pvl");
  EXPECT_EQ(ReadBytes(f.Path("saved.pvl")), "new text");
  EXPECT_FALSE(FileExists(f.Path("saved.pvl.bak")));
  EXPECT_EQ(f.doc->Title(), "saved.pvl");
  EXPECT_NE(f.doc->lastKnownFileTime, 0);
}

TEST(DocumentSave, AFileCalledMudaiIsSavedThroughSaveAs) {
  DocFixture f;
  ASSERT_TRUE(f.Open(f.File("無題", "t")));
  EXPECT_EQ(f.doc->Title(), "無題");
  f.Type("x");
  f.AnswerFileDialog("");  // cancelled
  f.view->Execute(cmd::FileSave);
  EXPECT_EQ(f.fileDialogs.size(), 1u);
  EXPECT_EQ(f.fileDialogs[0].initialPath, f.Path("無題"));
  EXPECT_EQ(ReadBytes(f.Path("無題")), "t");
  EXPECT_TRUE(f.doc->IsModified());
}

TEST(DocumentSave, EverySaveMarksTheUndoStepSaved) {
  DocFixture f;
  f.Type("a");
  f.AnswerFileDialog(f.Path("new.txt"));  // Save As to a new name: no backup made
  f.view->Execute(cmd::FileSaveAs);
  EXPECT_FALSE(f.doc->IsModified());
  f.Type("b");
  EXPECT_TRUE(f.doc->IsModified());
  f.view->Undo();
  EXPECT_FALSE(f.doc->IsModified());  // back at the saved text
  f.view->Redo();
  EXPECT_TRUE(f.doc->IsModified());
}

TEST(DocumentSave, DiskFullKeepsTheFileAndTheModifiedFlag) {
  DocFixture f;
  const std::string path = f.File("memo.txt", "the original");
  f.File("memo.txt.bak", "older backup");
  ASSERT_TRUE(f.Open(path));
  f.Type("x");
  {
    FileSizeLimit limit(8);
    f.view->Execute(cmd::FileSave);
  }
  EXPECT_EQ(ReadBytes(path), "the original");
  EXPECT_EQ(ReadBytes(path + ".bak"), "older backup");
  EXPECT_TRUE(f.doc->IsModified());
  EXPECT_NE(f.LastMessage().find("memo.txt"), std::string::npos);
  EXPECT_NE(f.LastMessage().find("ディスク上のファイルは変更されていません"), std::string::npos);
  EXPECT_EQ(Listing(f.dir.path.string()), (std::vector<std::string>{"memo.txt", "memo.txt.bak"}));
  // Undoing to the text loaded from disk still counts as unmodified.
  f.view->Undo();
  EXPECT_FALSE(f.doc->IsModified());
}

TEST(DocumentSave, SaveAsIntoAFolderThatIsAFileFails) {
  DocFixture f;
  const std::string path = f.File("memo.txt", "text");
  ASSERT_TRUE(f.Open(path));
  f.Type("x");
  f.File("plain", "not a folder");
  f.AnswerFileDialog(f.Path("plain/copy.txt"));
  EXPECT_FALSE(DocumentCommands(*f.doc).OnFileSaveAs());
  EXPECT_TRUE(f.doc->IsModified());
  EXPECT_EQ(f.doc->PathName(), path);
  EXPECT_NE(f.LastMessage().find("plain/copy.txt"), std::string::npos);
  EXPECT_EQ(ReadBytes(path), "text");
}

// Whether this process can still write where permissions say it may not
// (root can).
bool WritesIgnorePermissions(const std::string& folder) {
  const std::string probe = folder + "/probe";
  FILE* f = std::fopen(probe.c_str(), "w");
  if (!f) return false;
  std::fclose(f);
  ::unlink(probe.c_str());
  return true;
}

TEST(DocumentSave, ReadOnlyFolderKeepsTheOriginal) {
  DocFixture f;
  std::filesystem::create_directory(f.Path("ro"));
  const std::string path = f.File("ro/memo.txt", "original");
  ASSERT_TRUE(f.Open(path));
  f.Type("x");
  ::chmod(f.Path("ro").c_str(), 0555);
  if (WritesIgnorePermissions(f.Path("ro"))) {
    ::chmod(f.Path("ro").c_str(), 0755);
    GTEST_SKIP() << "permissions do not stop this user from writing";
  }
  f.view->Execute(cmd::FileSave);
  ::chmod(f.Path("ro").c_str(), 0755);
  EXPECT_EQ(ReadBytes(path), "original");
  EXPECT_TRUE(f.doc->IsModified());
  EXPECT_NE(f.LastMessage().find("書き込めません"), std::string::npos);
}

TEST(DocumentSave, ReadOnlyFileIsNotReplaced) {
  DocFixture f;
  const std::string path = f.File("memo.txt", "original");
  ASSERT_TRUE(f.Open(path));
  f.Type("x");
  ::chmod(path.c_str(), 0444);
  if (::access(path.c_str(), W_OK) == 0) GTEST_SKIP() << "permissions do not stop this user from writing";
  f.view->Execute(cmd::FileSave);
  EXPECT_EQ(ReadBytes(path), "original");
  EXPECT_EQ(f.LastMessage(), f.Path("memo.txt") +
                                  " は使用中または読み取り専用のため、書き込めません。\nディスク上のファイルは変更されていません。");
  EXPECT_TRUE(f.doc->IsModified());
}

// ---------------------------------------------------------------- new, prompt, close

TEST(DocumentNew, PromptThenUntitled) {
  DocFixture f;
  ASSERT_TRUE(f.Open(f.File("a.txt", "A")));
  f.Type("x");
  f.host.answers.push_back(MsgResult::Cancel);
  f.view->Execute(cmd::FileNew);
  EXPECT_EQ(f.Text(), "xA");
  f.host.answers.push_back(MsgResult::No);
  f.view->Execute(cmd::FileNew);
  EXPECT_EQ(f.Text(), "");
  EXPECT_EQ(f.doc->PathName(), "");
  EXPECT_EQ(f.doc->Title(), "無題");
  EXPECT_FALSE(f.doc->IsModified());
  EXPECT_EQ(f.view->History().Top(), 0u);
  EXPECT_EQ(ReadBytes(f.Path("a.txt")), "A");
  EXPECT_EQ(f.host.messages.size(), 2u);
}

TEST(DocumentNew, UntitledPromptNamesTheUntitledDocument) {
  DocFixture f;
  f.Type("x");
  f.host.answers.push_back(MsgResult::Yes);
  f.AnswerFileDialog("");  // Save As cancelled: New stops
  f.view->Execute(cmd::FileNew);
  EXPECT_EQ(f.host.messages[0].text, "無題 への変更を保存しますか?");
  EXPECT_EQ(f.Text(), "x");
}

TEST(DocumentClose, CaretIsRememberedThenThePrompt) {
  DocFixture f;
  const std::string path = f.File("a.txt", "0123456789");
  ASSERT_TRUE(f.Open(path));
  f.Edit().SetSel(4, 4);
  f.Type("x");
  f.host.answers.push_back(MsgResult::Cancel);
  EXPECT_FALSE(DocumentCommands(*f.doc).CanCloseFrame(*f.view, false));
  EXPECT_EQ(f.settings.GetInt("Caret", path + "cL", -1), 5);
  f.host.answers.push_back(MsgResult::No);
  EXPECT_TRUE(DocumentCommands(*f.doc).CanCloseFrame(*f.view, false));
}

// ---------------------------------------------------------------- recent files

TEST(RecentFiles, NewestFirstSixteenAtMost) {
  DocFixture f;
  for (int i = 0; i < 18; ++i) ASSERT_TRUE(f.Open(f.File("f" + std::to_string(i) + ".txt", "x")));
  const std::vector<std::string> entries = recent_files::Entries(f.settings);
  ASSERT_EQ(entries.size(), 16u);
  EXPECT_EQ(entries[0], f.Path("f17.txt"));
  EXPECT_EQ(entries[15], f.Path("f2.txt"));
  EXPECT_EQ(f.settings.GetString("Recent File List", "File1"), f.Path("f17.txt"));
  EXPECT_EQ(f.settings.GetString("Recent File List", "File17", "none"), "none");
  ASSERT_TRUE(f.Open(f.Path("f9.txt")));  // moves up
  EXPECT_EQ(recent_files::Entries(f.settings)[0], f.Path("f9.txt"));
  EXPECT_EQ(recent_files::Entries(f.settings).size(), 16u);

  const auto menu = recent_files::MenuEntries(f.settings);
  ASSERT_EQ(menu.size(), 16u);
  EXPECT_EQ(menu[0], std::make_pair(cmd::RecentFileFirst, "&1 " + f.Path("f9.txt")));
  EXPECT_EQ(menu[9].second.substr(0, 4), "1&0 ");
  EXPECT_EQ(menu[15].first, cmd::RecentFileFirst + 15);
}

TEST(RecentFiles, CommandOpensAndAVanishedFileLeavesTheList) {
  DocFixture f;
  const std::string a = f.File("a&b.txt", "A");
  const std::string b = f.File("b.txt", "B");
  ASSERT_TRUE(f.Open(a));
  ASSERT_TRUE(f.Open(b));
  EXPECT_EQ(recent_files::MenuEntries(f.settings)[1].second, "&2 " + f.dir.path.string() + "/a&&b.txt");
  EXPECT_FALSE(f.view->IsEnabled(cmd::RecentFileFirst + 2));
  f.view->Execute(cmd::RecentFileFirst + 1);
  EXPECT_EQ(f.Text(), "A");
  EXPECT_EQ(recent_files::Entries(f.settings)[0], a);

  ::unlink(b.c_str());
  f.view->Execute(cmd::RecentFileFirst + 1);
  EXPECT_NE(f.LastMessage().find("見つかりません"), std::string::npos);
  EXPECT_EQ(recent_files::Entries(f.settings), std::vector<std::string>{a});
  EXPECT_EQ(f.Text(), "A");
}

TEST(RecentFiles, TheOpenFilesOwnEntryDoesNotDropEdits) {
  DocFixture f;
  const std::string a = f.File("a.txt", "A");
  ASSERT_TRUE(f.Open(a));
  f.Type("x");
  f.host.answers.push_back(MsgResult::No);
  f.view->Execute(cmd::RecentFileFirst);
  EXPECT_TRUE(f.host.messages.empty());
  EXPECT_EQ(f.Text(), "xA");
  EXPECT_TRUE(f.doc->IsModified());
}

// ---------------------------------------------------------------- dropped files

TEST(DroppedFile, OpensLikeOpenAndRemembersTheCaretOfTheFileLeft) {
  DocFixture f;
  int unsplits = 0;
  f.doc->unsplit = [&unsplits] { ++unsplits; };
  const std::string a = f.File("a.txt", "0123456789\r\nabcdefghij\r\n");
  const std::string b = f.File("b.pvl", "1\t2\r\n");
  ASSERT_TRUE(f.Open(a));
  f.Edit().SetSel(14, 14);

  DocumentCommands(*f.doc).OnDropFile(*f.view, b);
  EXPECT_TRUE(f.host.messages.empty());  // nothing to save, nothing to ask
  EXPECT_EQ(f.settings.GetInt("Caret", a + "cL", -1), 14);
  EXPECT_EQ(unsplits, 1);
  EXPECT_EQ(f.Text(), "1\t2\r\n");
  EXPECT_EQ(f.doc->PathName(), b);
  EXPECT_EQ(f.doc->Title(), "b.pvl");
  EXPECT_TRUE(f.view->modes.table);  // the views were set up for the new file
  EXPECT_EQ(recent_files::Entries(f.settings), (std::vector<std::string>{b, a}));

  // Dropped back, a.txt comes with its caret; a path spelt otherwise is the same file.
  DocumentCommands(*f.doc).OnDropFile(*f.view, f.dir.path.string() + "/./a.txt");
  EXPECT_EQ(f.doc->PathName(), a);
  EXPECT_EQ(f.Edit().GetSel(), std::make_pair(14, 14));

  // The open file itself dropped again: no prompt and no reload, as with Open.
  f.Type("x");
  DocumentCommands(*f.doc).OnDropFile(*f.view, a);
  EXPECT_TRUE(f.host.messages.empty());
  EXPECT_EQ(f.Text(), "0123456789\r\nab" "x" "cdefghij\r\n");
  EXPECT_TRUE(f.doc->IsModified());
  EXPECT_EQ(unsplits, 2);
}

struct DropPromptCase {
  const char* name;
  MsgResult answer;
  bool opened;            // b.txt became the document
  std::string aOnDisk;    // a.txt afterwards
  int rememberedCaret;    // a.txt's remembered caret, -1 for none
};

class DroppedOnModified : public ::testing::TestWithParam<DropPromptCase> {};

TEST_P(DroppedOnModified, AsksToSaveFirstAndCancelKeepsEverything) {
  const DropPromptCase& c = GetParam();
  DocFixture f;
  int unsplits = 0;
  f.doc->unsplit = [&unsplits] { ++unsplits; };
  const std::string a = f.File("a.txt", "0123456789");
  const std::string b = f.File("b.txt", "B");
  ASSERT_TRUE(f.Open(a));
  f.Edit().SetSel(5, 5);
  f.Type("x");
  const std::uint32_t undoTop = f.view->History().Top();

  f.host.answers.push_back(c.answer);
  DocumentCommands(*f.doc).OnDropFile(*f.view, b);
  ASSERT_EQ(f.host.messages.size(), 1u);
  EXPECT_EQ(f.host.messages[0].text, "a.txt への変更を保存しますか?");
  EXPECT_EQ(ReadBytes(a), c.aOnDisk);
  EXPECT_EQ(f.settings.GetInt("Caret", a + "cL", -1), c.rememberedCaret);
  EXPECT_EQ(unsplits, c.opened ? 1 : 0);
  if (c.opened) {
    EXPECT_EQ(f.Text(), "B");
    EXPECT_EQ(f.doc->PathName(), b);
    EXPECT_FALSE(f.doc->IsModified());
  } else {
    EXPECT_EQ(f.Text(), "01234x56789");
    EXPECT_EQ(f.doc->PathName(), a);
    EXPECT_EQ(f.doc->Title(), "a.txt");
    EXPECT_TRUE(f.doc->IsModified());
    EXPECT_EQ(f.Edit().GetSel(), std::make_pair(6, 6));
    EXPECT_EQ(f.view->History().Top(), undoTop);
    EXPECT_EQ(recent_files::Entries(f.settings), std::vector<std::string>{a});
  }
}

INSTANTIATE_TEST_SUITE_P(
    Answers, DroppedOnModified,
    ::testing::Values(DropPromptCase{"Cancel", MsgResult::Cancel, false, "0123456789", -1},
                      DropPromptCase{"YesSavesThenOpens", MsgResult::Yes, true, "01234x56789", 6},
                      DropPromptCase{"NoDropsTheEditsAndTheirCaret", MsgResult::No, true, "0123456789", -1}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(DroppedFile, ThatCannotBeOpenedIsReportedAndChangesNothing) {
  DocFixture f;
  ASSERT_TRUE(f.Open(f.File("first.txt", "first")));
  f.Type("edited ");
  const std::uint32_t undoTop = f.view->History().Top();
  f.File("nul.txt", std::string("a\0b", 3));
  for (const std::string name : {"nul.txt", "missing.txt"}) {
    SCOPED_TRACE(name);
    f.host.messages.clear();
    f.host.answers.push_back(MsgResult::No);  // do not save first.txt
    DocumentCommands(*f.doc).OnDropFile(*f.view, f.Path(name));
    ASSERT_EQ(f.host.messages.size(), 2u);
    EXPECT_NE(f.host.messages[1].text.find(name), std::string::npos) << f.host.messages[1].text;
    EXPECT_EQ(f.Text(), "edited first");
    EXPECT_EQ(f.doc->PathName(), f.Path("first.txt"));
    EXPECT_TRUE(f.doc->IsModified());
    EXPECT_EQ(f.view->History().Top(), undoTop);
  }
  EXPECT_EQ(recent_files::Entries(f.settings), std::vector<std::string>{f.Path("first.txt")});
}

// ---------------------------------------------------------------- outside changes

TEST(ExternalChange, NoKeepsTheEditsUntilTheFileChangesAgain) {
  DocFixture f;
  const std::string path = f.File("a.txt", "old");
  ASSERT_TRUE(f.Open(path));
  EXPECT_NE(f.doc->lastKnownFileTime, 0);
  DocumentCommands(*f.doc).CheckExternalChange();
  EXPECT_TRUE(f.host.messages.empty());  // nothing changed

  f.Type("mine ");
  WriteBytes(path, "theirs\n");
  AgeForward(path, 100);
  f.host.answers.push_back(MsgResult::No);
  DocumentCommands(*f.doc).CheckExternalChange();
  ASSERT_EQ(f.host.messages.size(), 1u);
  // Unsaved edits: the question says that Yes discards them.
  EXPECT_EQ(f.host.messages[0].text,
            "他で編集されて、更新されています。\n新たに開き直しますか？\n保存されていない変更は破棄されます。");
  EXPECT_EQ(f.Text(), "mine old");

  // The window is activated again (closing the box does that): not asked again.
  DocumentCommands(*f.doc).CheckExternalChange();
  EXPECT_EQ(f.host.messages.size(), 1u);
  EXPECT_EQ(f.Text(), "mine old");
  EXPECT_TRUE(f.doc->IsModified());

  // Another program writes the file again: asked again.
  WriteBytes(path, "theirs again\n");
  AgeForward(path, 200);
  f.host.answers.push_back(MsgResult::Yes);
  DocumentCommands(*f.doc).CheckExternalChange();
  ASSERT_EQ(f.host.messages.size(), 2u);
  EXPECT_EQ(f.Text(), "theirs again\r\n");
  EXPECT_FALSE(f.doc->IsModified());
  DocumentCommands(*f.doc).CheckExternalChange();
  EXPECT_EQ(f.host.messages.size(), 2u);  // no longer newer

  // The discarded edits are one undo away, and then the document differs from disk.
  f.view->Undo();
  EXPECT_EQ(f.Text(), "mine old");
  EXPECT_TRUE(f.doc->IsModified());
  f.view->Redo();
  EXPECT_FALSE(f.doc->IsModified());
}

TEST(ExternalChange, AnUnmodifiedDocumentIsAskedWithoutTheWarning) {
  DocFixture f;
  const std::string path = f.File("a.txt", "old");
  ASSERT_TRUE(f.Open(path));
  WriteBytes(path, "theirs");
  AgeForward(path, 100);
  f.host.answers.push_back(MsgResult::Yes);
  DocumentCommands(*f.doc).CheckExternalChange();
  ASSERT_EQ(f.host.messages.size(), 1u);
  EXPECT_EQ(f.host.messages[0].text, "他で編集されて、更新されています。\n新たに開き直しますか？");
  EXPECT_EQ(f.Text(), "theirs");
}

TEST(ExternalChange, NotAskedAgainWhileTheQuestionIsOpen) {
  DocFixture f;
  const std::string path = f.File("a.txt", "old");
  ASSERT_TRUE(f.Open(path));
  WriteBytes(path, "theirs");
  AgeForward(path, 100);
  int asked = 0;
  // The question's window takes the activation away and gives it back while it is open.
  struct ReentrantHost : RecordingHost {
    Document* doc = nullptr;
    int* asked = nullptr;
    MsgResult MessageBox(const std::string& c, const std::string& t, MsgButtons b, MsgIcon i) override {
      ++*asked;
      DocumentCommands(*doc).CheckExternalChange();
      RecordingHost::MessageBox(c, t, b, i);
      return MsgResult::No;
    }
  };
  ReentrantHost host;
  host.doc = f.doc;
  host.asked = &asked;
  AppContext* app = f.parts.app.get();
  const std::unique_ptr<EditorView> second = app->CreateView(host, f.parts.clipboard);
  f.doc->RemoveView(f.view);  // the view with the re-entrant host answers
  DocumentCommands(*f.doc).CheckExternalChange();
  f.doc->AddView(f.view);
  EXPECT_EQ(asked, 1);
}

TEST(ExternalChange, OwnSavesAndUntitledAreNotAsked) {
  DocFixture f;
  DocumentCommands(*f.doc).CheckExternalChange();
  const std::string path = f.File("a.txt", "a");
  ASSERT_TRUE(f.Open(path));
  f.Type("x");
  f.view->Execute(cmd::FileSave);
  DocumentCommands(*f.doc).CheckExternalChange();
  EXPECT_TRUE(f.host.messages.empty());
}

}  // namespace
