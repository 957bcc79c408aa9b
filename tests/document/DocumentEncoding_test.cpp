// UTF-8 documents: the encoding found on open, the text held as CP932, the
// file written back as it was, files CP932 cannot hold kept safe, Save As
// in each encoding and the two reopen commands.
#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "document/DocFixture.h"
#include "editor/CommandIds.h"
#include "settings/SettingsKeys.h"
#include "support/BatchRun.h"
#include "support/CaseName.h"
#include "document/DocumentCommands.h"

namespace {

using file_encoding::Encoding;

struct OpenCase {
  const char* name;
  std::string bytes;
  Encoding encoding;
  std::string text;  // as the control holds it (CP932, CR LF)
};

class DocumentEncodingOpen : public testing::TestWithParam<OpenCase> {};

TEST_P(DocumentEncodingOpen, HoldsTheTextAsCp932) {
  const OpenCase& c = GetParam();
  DocFixture f;
  ASSERT_TRUE(f.Open(f.File("t.txt", c.bytes)));
  EXPECT_EQ(f.doc->Form().encoding, c.encoding);
  EXPECT_EQ(f.Text(), c.text);
  EXPECT_FALSE(f.doc->IsModified());
  EXPECT_FALSE(f.Edit().IsReadOnly());
  EXPECT_TRUE(f.host.messages.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DocumentEncodingOpen,
    testing::Values(
        OpenCase{"Utf8WithLf", "\xE8\xA1\xA8\t1\n2\n", Encoding::Utf8, "\x95\x5C\t1\r\n2\r\n"},
        OpenCase{"BomWithCrLf", "\xEF\xBB\xBF" "a\r\n", Encoding::Utf8Bom, "a\r\n"},
        OpenCase{"AsciiStaysCp932", "a\tb\n", Encoding::Cp932, "a\tb\r\n"},
        OpenCase{"Cp932", "\x95\x5C\r\n", Encoding::Cp932, "\x95\x5C\r\n"},
        // A UTF-8 file cut inside its last character is not UTF-8: its bytes stay.
        OpenCase{"TruncatedUtf8", "\xE8\xA1\xA8\xE8\xA1", Encoding::Cp932, "\xE8\xA1\xA8\xE8\xA1"}),
    [](const testing::TestParamInfo<OpenCase>& info) { return std::string(info.param.name); });

// Opened and saved without an edit, a UTF-8 file is written back byte for byte.
class DocumentEncodingRoundTrip : public testing::TestWithParam<std::string> {};

TEST_P(DocumentEncodingRoundTrip, UneditedFileIsWrittenBackAsItWas) {
  DocFixture f([](SettingsStore& s) { s.WriteInt(setting::BackupOnSave, 0); });
  const std::string path = f.File("u.txt", GetParam());
  ASSERT_TRUE(f.Open(path));
  ASSERT_TRUE(f.doc->OnSaveDocument(path));
  EXPECT_EQ(ReadBytes(path), GetParam());
  // An edit taken back leaves the same text, and the same bytes.
  f.Type("x");
  f.view->Execute(cmd::Undo);
  ASSERT_TRUE(f.doc->OnSaveDocument(path));
  EXPECT_EQ(ReadBytes(path), GetParam());
}

INSTANTIATE_TEST_SUITE_P(
    Files, DocumentEncodingRoundTrip,
    testing::Values(std::string("\xE8\xA1\xA8\t1\n\xE8\xA1\xA8\t2\n"),                  // LF
                    std::string("\xE8\xA1\xA8\r\n"),                                  // CR LF
                    std::string("\xE8\xA1\xA8\r2\r"),                                 // CR
                    std::string("\xE8\xA1\xA8\r\n2\n"),                               // mixed, left as is
                    std::string("\xEF\xBB\xBF\xE8\xA1\xA8"),                          // byte-order mark
                    std::string("\xE3\x80\x9C\xE2\x80\x96\xE2\x88\x92\xC2\xA2\xC2\xA3\xC2\xAC\xE2\x80\x94\n"),  // JIS forms
                    std::string("\xEF\xBD\x9E\xE2\x88\xA5\xEF\xBC\x8D\xEF\xBF\xA0\n"),  // Windows forms
                    std::string("\xE3\x80\x9C\xEF\xBD\x9E\n")),                        // one character both ways
    [](const testing::TestParamInfo<std::string>& info) { return CaseName(info.index, "file"); });

// A file that spells a two-form character both ways keeps each untouched
// line's bytes when an edit elsewhere is saved; the edited line and new lines
// take the spelling most of the file uses.
struct SpellingCase {
  const char* name;
  std::string file;
  std::string saved;  // after typing "x" at the very start
};

class DocumentMixedSpellings : public testing::TestWithParam<SpellingCase> {};

TEST_P(DocumentMixedSpellings, UntouchedLinesKeepTheirBytes) {
  DocFixture f;
  const std::string path = f.File("t.txt", GetParam().file);
  ASSERT_TRUE(f.Open(path));
  ASSERT_FALSE(f.doc->IsLossy());
  f.Edit().SetSel(0, 0);
  f.Type("x");
  ASSERT_TRUE(DocumentCommands(*f.doc).OnFileSave());
  EXPECT_EQ(ReadBytes(path), GetParam().saved);
}

// 〜 is E3 80 9C (JIS) and ～ EF BD 9E (Windows); − E2 88 92 and － EF BC 8D.
INSTANTIATE_TEST_SUITE_P(
    Files, DocumentMixedSpellings,
    testing::Values(
        SpellingCase{"WaveDashTwoToOne", "a\n\xE3\x80\x9C" "1\n\xEF\xBD\x9E" "2\n\xE3\x80\x9C" "3\n",
                     "xa\n\xE3\x80\x9C" "1\n\xEF\xBD\x9E" "2\n\xE3\x80\x9C" "3\n"},
        SpellingCase{"EditedLineTakesTheFilesSpelling", "\xEF\xBD\x9E" "a\r\n\xE3\x80\x9C" "b\r\n\xE3\x80\x9C" "c\r\n",
                     "x\xE3\x80\x9C" "a\r\n\xE3\x80\x9C" "b\r\n\xE3\x80\x9C" "c\r\n"},
        SpellingCase{"MinusSignsAndTheSameLineBothWays",
                     "a\n\xE2\x88\x92" "1\n\xEF\xBC\x8D" "1\n\xEF\xBC\x8D" "1\n\xE2\x88\x92" "1\n",
                     "xa\n\xE2\x88\x92" "1\n\xEF\xBC\x8D" "1\n\xEF\xBC\x8D" "1\n\xE2\x88\x92" "1\n"}),
    [](const testing::TestParamInfo<SpellingCase>& info) { return std::string(info.param.name); });

TEST(DocumentEncoding, AnEditIsSavedBackInTheFilesForm) {
  DocFixture f;
  // LF line ends, a wave dash in its JIS form, a byte-order mark.
  const std::string path = f.File("memo.txt", "\xEF\xBB\xBF\xE3\x80\x9C" "a\nb\n");
  ASSERT_TRUE(f.Open(path));
  f.Edit().SetSel(0, 0);
  f.Type("\x95\x5C\n");  // 表 and a new line
  ASSERT_TRUE(DocumentCommands(*f.doc).OnFileSave());
  EXPECT_EQ(ReadBytes(path), "\xEF\xBB\xBF\xE8\xA1\xA8\n\xE3\x80\x9C" "a\nb\n");
  EXPECT_EQ(ReadBytes(path + ".bak"), "\xEF\xBB\xBF\xE3\x80\x9C" "a\nb\n");
  EXPECT_FALSE(f.doc->IsModified());
  EXPECT_EQ(f.doc->Form().encoding, Encoding::Utf8Bom);
}

TEST(DocumentEncoding, AFileWithACharacterCp932CannotHoldIsNeverWrittenOver) {
  DocFixture f;
  const std::string original = "ok\n\xE8\xA1\xA8\xF0\x9F\x98\x80\n";
  const std::string path = f.File("emoji.txt", original);
  ASSERT_TRUE(f.Open(path));
  EXPECT_TRUE(f.doc->IsLossy());
  EXPECT_TRUE(f.Edit().IsReadOnly());
  EXPECT_EQ(f.Text(), "ok\r\n\x95\x5C\x81\xAC\r\n");
  ASSERT_EQ(f.host.messages.size(), 1u);
  EXPECT_NE(f.LastMessage().find("2 行目の「\xF0\x9F\x98\x80」(U+1F600)"), std::string::npos) << f.LastMessage();

  // Read-only lifted and the text edited: neither Save nor Save As to the
  // same file writes it.
  f.view->Execute(cmd::ToggleReadOnly);
  f.Type("x");
  ASSERT_TRUE(f.doc->IsModified());
  EXPECT_FALSE(DocumentCommands(*f.doc).OnFileSave());
  EXPECT_NE(f.LastMessage().find("上書き保存できません"), std::string::npos) << f.LastMessage();
  f.AnswerFileDialog(path);
  EXPECT_FALSE(DocumentCommands(*f.doc).OnFileSaveAs());
  EXPECT_EQ(ReadBytes(path), original);
  EXPECT_FALSE(FileExists(path + ".bak"));
  EXPECT_TRUE(f.doc->IsModified());

  // Another file takes the text as it is shown.
  const std::string copy = f.Path("copy.txt");
  f.AnswerFileDialog(copy);
  ASSERT_TRUE(DocumentCommands(*f.doc).OnFileSaveAs());
  EXPECT_EQ(ReadBytes(copy), "xok\n\xE8\xA1\xA8\xE3\x80\x93\n");
  EXPECT_FALSE(f.doc->IsLossy());
  EXPECT_EQ(ReadBytes(path), original);
}

struct SaveAsCase {
  const char* encodingName;  // "" when the dialog's choice is left alone
  const char* file;
  std::string bytes;
  const char* written;  // the document's encoding afterwards
};

class DocumentEncodingSaveAs : public testing::TestWithParam<SaveAsCase> {};

TEST_P(DocumentEncodingSaveAs, WritesTheChosenEncoding) {
  const SaveAsCase& c = GetParam();
  DocFixture f;
  // A UTF-8 file with LF line ends.
  ASSERT_TRUE(f.Open(f.File("src.txt", "\xE8\xA1\xA8\n")));
  f.host.onFile = [&c](FileDialogData& d) {
    EXPECT_TRUE(d.offerEncoding);
    EXPECT_EQ(d.encoding, Encoding::Utf8);
    if (const auto e = file_encoding::FromName(c.encodingName)) {
      d.encoding = *e;
      d.encodingChosen = true;
    }
    d.path = d.initialPath.substr(0, d.initialPath.rfind('/') + 1) + c.file;
    return true;
  };
  ASSERT_TRUE(DocumentCommands(*f.doc).OnFileSaveAs());
  EXPECT_EQ(ReadBytes(f.Path(c.file)), c.bytes);
  EXPECT_STREQ(file_encoding::Name(f.doc->Form().encoding), c.written);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DocumentEncodingSaveAs,
    testing::Values(SaveAsCase{"cp932", "a.txt", "\x95\x5C\r\n", "cp932"},
                    SaveAsCase{"utf-8", "b.txt", "\xE8\xA1\xA8\n", "utf-8"},
                    SaveAsCase{"utf-8-bom", "c.txt", "\xEF\xBB\xBF\xE8\xA1\xA8\n", "utf-8-bom"},
                    // Left alone: other names keep the document's encoding,
                    // the program's own files are CP932.
                    SaveAsCase{"", "d.txt", "\xE8\xA1\xA8\n", "utf-8"},
                    SaveAsCase{"", "e.pvl", "\x95\x5C\r\n", "cp932"},
                    SaveAsCase{"utf-8", "f.pvl", "\xE8\xA1\xA8\n", "utf-8"}),
    [](const testing::TestParamInfo<SaveAsCase>& info) {
      return CaseName(info.index, std::string(info.param.encodingName) + "_" + info.param.file);
    });

TEST(DocumentEncoding, ACp932TextWithBytesOutsideTheCodePageIsNotSavedAsUtf8) {
  DocFixture f;
  const std::string path = f.File("raw.txt", "ok\r\n\xA0");
  ASSERT_TRUE(f.Open(path));
  f.host.onFile = [&](FileDialogData& d) {
    d.encoding = Encoding::Utf8;
    d.encodingChosen = true;
    d.path = f.Path("out.txt");
    return true;
  };
  EXPECT_FALSE(DocumentCommands(*f.doc).OnFileSaveAs());
  EXPECT_NE(f.LastMessage().find("2 行目に CP932 の文字ではないバイト 0xA0"), std::string::npos) << f.LastMessage();
  EXPECT_FALSE(FileExists(f.Path("out.txt")));
  EXPECT_EQ(f.doc->Form().encoding, Encoding::Cp932);
  // Over a file that is there, with backups on: it stays as it was, and
  // neither a backup nor a temporary file is left.
  const std::string old = f.File("old.txt", "kept\n");
  f.host.onFile = [&](FileDialogData& d) {
    d.encoding = Encoding::Utf8;
    d.encodingChosen = true;
    d.path = old;
    return true;
  };
  EXPECT_FALSE(DocumentCommands(*f.doc).OnFileSaveAs());
  EXPECT_NE(f.LastMessage().find("2 行目に CP932 の文字ではないバイト 0xA0"), std::string::npos) << f.LastMessage();
  EXPECT_EQ(ReadBytes(old), "kept\n");
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(std::filesystem::path(old).parent_path()))
    if (entry.path().filename().string().find("old.txt") != std::string::npos)
      names.push_back(entry.path().filename().string());
  EXPECT_EQ(names, std::vector<std::string>{"old.txt"});
}

TEST(DocumentEncoding, ReopenReadsTheFileAgainInTheOtherEncoding) {
  DocFixture f;
  const std::string path = f.File("r.txt", "\xEF\xBB\xBF\xE8\xA1\xA8\n");
  ASSERT_TRUE(f.Open(path));
  ASSERT_EQ(f.doc->Form().encoding, Encoding::Utf8Bom);

  f.view->Execute(cmd::ReopenAsCp932);
  EXPECT_EQ(f.doc->Form().encoding, Encoding::Cp932);
  EXPECT_EQ(f.Text(), "\xEF\xBB\xBF\xE8\xA1\xA8\r\n");  // the raw bytes, shown with CR LF

  // An edit first brings the save prompt; Cancel keeps everything.
  f.Type("x");
  f.host.answers = {MsgResult::Cancel};
  f.view->Execute(cmd::ReopenAsUtf8);
  EXPECT_EQ(f.doc->Form().encoding, Encoding::Cp932);
  EXPECT_TRUE(f.doc->IsModified());
  EXPECT_NE(f.LastMessage().find("への変更を保存しますか?"), std::string::npos);
  // No drops the edit.
  f.host.answers = {MsgResult::No};
  f.view->Execute(cmd::ReopenAsUtf8);
  EXPECT_EQ(f.doc->Form().encoding, Encoding::Utf8Bom);
  EXPECT_EQ(f.Text(), "\x95\x5C\r\n");
  EXPECT_FALSE(f.doc->IsModified());
  EXPECT_EQ(ReadBytes(path), "\xEF\xBB\xBF\xE8\xA1\xA8\n");

  // A CP932 file read as UTF-8 is not UTF-8: shown read-only, never written.
  const std::string sjis = f.File("s.txt", "\x95\x5C\r\n");
  ASSERT_TRUE(f.Open(sjis));
  EXPECT_EQ(f.doc->Form().encoding, Encoding::Cp932);  // the reopen's choice was for the other file
  f.view->Execute(cmd::ReopenAsUtf8);
  EXPECT_TRUE(f.doc->IsLossy());
  EXPECT_TRUE(f.Edit().IsReadOnly());
  EXPECT_NE(f.LastMessage().find("1 行目の UTF-8 として正しくないバイト 0x95"), std::string::npos) << f.LastMessage();
  EXPECT_FALSE(f.doc->OnSaveDocument(sjis));
  EXPECT_EQ(ReadBytes(sjis), "\x95\x5C\r\n");
}

TEST(DocumentEncoding, TheSettingForcesOneEncoding) {
  DocFixture f([](SettingsStore& s) { s.WriteInt(setting::OpenEncoding, 1); });
  ASSERT_TRUE(f.Open(f.File("u.txt", "\xE8\xA1\xA8")));
  EXPECT_EQ(f.doc->Form().encoding, Encoding::Cp932);
  f.settings.WriteInt(setting::OpenEncoding, 2);
  ASSERT_TRUE(f.Open(f.File("a.txt", "abc")));
  EXPECT_EQ(f.doc->Form().encoding, Encoding::Utf8);
}

TEST(DocumentEncoding, TheSizeLimitHoldsForTheTextAsHeld) {
  DocFixture f;
  // 349,525 kanji: 1,048,575 bytes of UTF-8 and 699,050 of CP932 ...
  std::string fits;
  for (int i = 0; i < 349525; ++i) fits += "\xE8\xA1\xA8";
  fits += "\xE8\xA1\xA8\xE8\xA1\xA8";  // ... and beyond the limit as a file, still well within as text
  ASSERT_TRUE(f.Open(f.File("fits.txt", fits)));
  EXPECT_EQ(f.Edit().GetTextLength(), 699054);
  // Half-width katakana: one CP932 byte, three UTF-8 bytes each.
  std::string tooLong;
  for (int i = 0; i < 1048576; ++i) tooLong += "\xEF\xBD\xB1";
  EXPECT_FALSE(f.Open(f.File("long.txt", tooLong)));
  EXPECT_EQ(f.LastMessage(), "ファイルが大きすぎて開けません。\nこのファイルは 3,145,728 バイトです。上限（現在 1,048,575 バイト）は設定ファイルの [Settings] MaxTextBytes で 1,073,741,823 バイトまで上げられます。");
  EXPECT_EQ(f.Edit().GetTextLength(), 699054);  // the document as it was
}

TEST(DocumentEncoding, BatchStateSaveAsAndReopen) {
  BatchRun b;
  const std::string path = b.PathOf("memo.txt");
  WriteBytes(path, "\xE8\xA1\xA8\n");
  const BatchResult r = b.Run(
      "state\n"
      "command 57604 path=" + b.PathOf("bom.txt") + " encoding=utf-8-bom\n"
      "state\n"
      "command 57604 path=" + b.PathOf("x.txt") + " encoding=latin1\n"
      "command 33900\n"
      "state\n",
      path);
  EXPECT_EQ(r.exitCode, 2) << r.out;
  EXPECT_NE(r.out.find("firstvisible=0 encoding=utf-8 format=text numbers=plain\n"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("encoding=utf-8-bom format=text numbers=plain\n"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("error: line 4: unknown encoding latin1"), std::string::npos) << r.out;
  EXPECT_EQ(b.Read("bom.txt"), "\xEF\xBB\xBF\xE8\xA1\xA8\n");
  EXPECT_FALSE(FileExists(b.PathOf("x.txt")));

  const BatchResult reopened = b.Run("command 33900\nstate\ncommand 33901\nstate\n", path);
  ASSERT_EQ(reopened.exitCode, 0) << reopened.out;
  EXPECT_NE(reopened.out.find("len=5 firstvisible=0 encoding=cp932 format=text numbers=plain\n"), std::string::npos) << reopened.out;
  EXPECT_NE(reopened.out.find("len=4 firstvisible=0 encoding=utf-8 format=text numbers=plain\n"), std::string::npos) << reopened.out;
}

TEST(DocumentEncoding, AnEmojiFileInBatchIsReadOnlyWithItsMessage) {
  BatchRun b;
  const std::string path = b.PathOf("e.txt");
  WriteBytes(path, "a\n\xF0\x9F\x98\x80\n");
  const BatchResult r = b.Run("state\n", path);
  ASSERT_EQ(r.exitCode, 0) << r.out;
  EXPECT_NE(r.out.find("message: Pivra: " + path + " には CP932 で表せない文字があります。\\n2 行目の「\xF0\x9F\x98\x80」(U+1F600)"),
            std::string::npos)
      << r.out;
  EXPECT_NE(r.out.find("readonly=1"), std::string::npos) << r.out;
}

}  // namespace
