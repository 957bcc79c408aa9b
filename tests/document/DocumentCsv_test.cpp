// Comma-separated documents: a .csv file shown as a table in each encoding,
// written back as records (unedited byte for byte, edited only where rows
// changed), the read-only files whose fields no row can show, Save As in
// either format and the two reopen commands.
#include <gtest/gtest.h>

#include "document/DocFixture.h"
#include "document/DocumentCommands.h"
#include "editor/CommandIds.h"
#include "settings/SettingsKeys.h"
#include "support/BatchRun.h"

namespace {

using file_encoding::Encoding;

struct CsvFileCase {
  const char* name;
  std::string bytes;
  Encoding encoding;
  std::string text;  // as the control holds it (CP932, CR LF)
  // The first row's first cell replaced by "Z": what is written then.
  std::string edited;
};

class DocumentCsvFile : public testing::TestWithParam<CsvFileCase> {};

TEST_P(DocumentCsvFile, ShowsTheRowsAndWritesTheRecordsBack) {
  const CsvFileCase& c = GetParam();
  DocFixture f([](SettingsStore& s) { s.WriteInt(setting::BackupOnSave, 0); });
  const std::string path = f.File("t.csv", c.bytes);
  ASSERT_TRUE(f.Open(path));
  EXPECT_EQ(f.doc->Form().format, csv::FileFormat::Csv);
  EXPECT_EQ(f.doc->Form().encoding, c.encoding);
  EXPECT_EQ(f.Text(), c.text);
  EXPECT_FALSE(f.doc->IsLossy());
  EXPECT_FALSE(f.Edit().IsReadOnly());
  EXPECT_TRUE(f.host.messages.empty());

  ASSERT_TRUE(f.doc->OnSaveDocument(path));
  EXPECT_EQ(ReadBytes(path), c.bytes);

  const std::size_t cellEnd = f.Text().find_first_of("\t\r");
  f.Edit().SetSel(0, static_cast<int>(cellEnd == std::string::npos ? f.Text().size() : cellEnd));
  f.Type("Z");
  ASSERT_TRUE(f.doc->OnSaveDocument(path));
  EXPECT_EQ(ReadBytes(path), c.edited);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DocumentCsvFile,
    testing::Values(
        CsvFileCase{"QuotedCommasAndDoubledQuotes", "\"a,1\",\"q\"\"x\"\r\n\"b,2\",\"\"\r\n", Encoding::Cp932,
                    "a,1\tq\"x\r\nb,2\t\r\n", "Z,\"q\"\"x\"\r\n\"b,2\",\"\"\r\n"},
        CsvFileCase{"LfWithoutAFinalLineEnd", "x, y \n\"p\",q", Encoding::Cp932, "x\t y \r\np\tq",
                    "Z,\" y \"\n\"p\",q"},
        CsvFileCase{"Utf8WithAByteOrderMark", "\xEF\xBB\xBF\xE8\xA1\xA8,\"\xE8\xA1\xA8,\"\r\n1,2\r\n", Encoding::Utf8Bom,
                    "\x95\x5C\t\x95\x5C,\r\n1\t2\r\n", "\xEF\xBB\xBFZ,\"\xE8\xA1\xA8,\"\r\n1,2\r\n"},
        CsvFileCase{"Utf8WithLf", "\"\xE8\xA1\xA8\",a\n", Encoding::Utf8, "\x95\x5C\ta\r\n", "Z,a\n"},
        // 表 ends in 0x5C, the byte of a backslash, inside and outside quotes.
        CsvFileCase{"Cp932WithBackslashTrailBytes", "\"\x95\x5C,\",\x95\x5C\r\n\"\x83\x5C\"\"\"\r\n", Encoding::Cp932,
                    "\x95\x5C,\t\x95\x5C\r\n\x83\x5C\"\r\n", "Z,\x95\x5C\r\n\"\x83\x5C\"\"\"\r\n"},
        CsvFileCase{"EmptyFieldsAndAnEmptyLastField", ",\r\n,,\"\"\r\n", Encoding::Cp932, "\t\r\n\t\t\r\n",
                    "Z,\r\n,,\"\"\r\n"}),
    [](const testing::TestParamInfo<CsvFileCase>& info) { return std::string(info.param.name); });

TEST(DocumentCsv, IsATableWhateverTheEditorModeSettingSays) {
  DocFixture f([](SettingsStore& s) { s.WriteInt(setting::EditorModeAtStart, 1); });
  ASSERT_TRUE(f.Open(f.File("a.txt", "a,b\r\n")));
  EXPECT_FALSE(f.view->modes.table);
  EXPECT_EQ(f.Text(), "a,b\r\n");
  ASSERT_TRUE(f.Open(f.File("b.CSV", "a,b\r\n")));
  EXPECT_TRUE(f.view->modes.table);
  EXPECT_EQ(f.Text(), "a\tb\r\n");
}

TEST(DocumentCsv, AFieldWithALineEndOrATabOpensReadOnlyAndIsNeverWrittenOver) {
  DocFixture f;
  const std::string original = "h,i\r\n\"multi\r\nline\",x\r\n\"t\tab\",y\r\n";
  const std::string path = f.File("m.csv", original);
  ASSERT_TRUE(f.Open(path));
  EXPECT_TRUE(f.doc->IsLossy());
  EXPECT_TRUE(f.Edit().IsReadOnly());
  EXPECT_EQ(f.Text(), "h\ti\r\nmulti line\tx\r\nt ab\ty\r\n");
  ASSERT_EQ(f.host.messages.size(), 1u);
  EXPECT_EQ(f.LastMessage().rfind("2 行目のフィールドに改行またはタブが含まれています\n", 0), 0u) << f.LastMessage();

  // Read-only lifted: neither Save nor Save As to the same file writes it.
  f.view->Execute(cmd::ToggleReadOnly);
  f.Type("x");
  EXPECT_FALSE(DocumentCommands(*f.doc).OnFileSave());
  EXPECT_NE(f.LastMessage().find("上書き保存できません"), std::string::npos) << f.LastMessage();
  f.AnswerFileDialog(path);
  EXPECT_FALSE(DocumentCommands(*f.doc).OnFileSaveAs());
  EXPECT_EQ(ReadBytes(path), original);
  EXPECT_FALSE(FileExists(path + ".bak"));

  // Another file: the rows left as they were keep their records, line ends and TABs included.
  f.view->Execute(cmd::Undo);
  const std::string copy = f.Path("copy.csv");
  f.AnswerFileDialog(copy);
  ASSERT_TRUE(DocumentCommands(*f.doc).OnFileSaveAs());
  EXPECT_EQ(ReadBytes(copy), original);
  EXPECT_FALSE(f.doc->IsLossy());
}

TEST(DocumentCsv, LenientlyReadRecordsAreWrittenBackExactlyWithoutAMessage) {
  DocFixture f([](SettingsStore& s) { s.WriteInt(setting::BackupOnSave, 0); });
  const std::string original = "a\"b,\"c\"d\r\n1,2\r\n";
  const std::string path = f.File("l.csv", original);
  ASSERT_TRUE(f.Open(path));
  EXPECT_EQ(f.Text(), "a\"b\tcd\r\n1\t2\r\n");
  EXPECT_FALSE(f.doc->IsLossy());
  EXPECT_TRUE(f.host.messages.empty());
  f.Edit().SetSel(static_cast<int>(f.Text().size()), static_cast<int>(f.Text().size()));
  f.Type("3");
  ASSERT_TRUE(f.doc->OnSaveDocument(path));
  EXPECT_EQ(ReadBytes(path), original + "3");
}

TEST(DocumentCsv, TheSizeLimitHoldsForTheTextShown) {
  DocFixture f;
  // 1,048,575 bytes shown, more than that in the file: the quotes go.
  std::string cell(1048573, 'a');
  ASSERT_TRUE(f.Open(f.File("big.csv", "\"" + cell + "\"\r\n")));
  EXPECT_EQ(f.Edit().GetTextLength(), 1048575);
  EXPECT_FALSE(f.Open(f.File("bigger.csv", "\"" + cell + "a\"\r\n")));
  EXPECT_EQ(f.LastMessage().substr(0, f.LastMessage().find('\n')), "ファイルが大きすぎて開けません。");
}

struct SaveAsFormatCase {
  const char* name;
  const char* format;  // "" when the dialog's choice is left alone
  const char* file;
  std::string written;
  csv::FileFormat after;
};

class DocumentCsvSaveAs : public testing::TestWithParam<SaveAsFormatCase> {};

TEST_P(DocumentCsvSaveAs, WritesTheChosenFormat) {
  const SaveAsFormatCase& c = GetParam();
  DocFixture f;
  // A UTF-8 CSV file with LF line ends and a quoted comma.
  ASSERT_TRUE(f.Open(f.File("src.csv", "\"\xE8\xA1\xA8,\",b\n")));
  f.host.onFile = [&c](FileDialogData& d) {
    EXPECT_TRUE(d.offerFormat);
    EXPECT_EQ(d.format, csv::FileFormat::Csv);
    if (const auto format = csv::FormatFromName(c.format)) {
      d.format = *format;
      d.formatChosen = true;
    }
    d.path = d.initialPath.substr(0, d.initialPath.rfind('/') + 1) + c.file;
    return true;
  };
  ASSERT_TRUE(DocumentCommands(*f.doc).OnFileSaveAs());
  EXPECT_EQ(ReadBytes(f.Path(c.file)), c.written);
  EXPECT_EQ(f.doc->Form().format, c.after);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DocumentCsvSaveAs,
    testing::Values(SaveAsFormatCase{"CsvKept", "", "a.txt", "\"\xE8\xA1\xA8,\",b\n", csv::FileFormat::Csv},
                    SaveAsFormatCase{"TextChosen", "text", "b.csv", "\xE8\xA1\xA8,\tb\n", csv::FileFormat::Text},
                    SaveAsFormatCase{"PvlNameIsText", "", "c.pvl", "\x95\x5C,\tb\r\n", csv::FileFormat::Text},
                    SaveAsFormatCase{"CsvChosenForPvl", "csv", "d.pvl", "\"\x95\x5C,\",b\n", csv::FileFormat::Csv}),
    [](const testing::TestParamInfo<SaveAsFormatCase>& info) { return std::string(info.param.name); });

TEST(DocumentCsv, ATextSavedUnderACsvNameIsWrittenAsRecords) {
  DocFixture f;
  ASSERT_TRUE(f.Open(f.File("t.txt", "a,b\t\" c\r\n")));
  f.AnswerFileDialog(f.Path("t.csv"));
  ASSERT_TRUE(DocumentCommands(*f.doc).OnFileSaveAs());
  EXPECT_EQ(ReadBytes(f.Path("t.csv")), "\"a,b\",\"\"\" c\"\r\n");
  EXPECT_EQ(f.doc->Form().format, csv::FileFormat::Csv);
}

TEST(DocumentCsv, ReopenReadsTheFileAgainInTheOtherFormat) {
  DocFixture f;
  const std::string path = f.File("data.txt", "\"a,b\",c\r\n");
  ASSERT_TRUE(f.Open(path));
  EXPECT_EQ(f.Text(), "\"a,b\",c\r\n");
  f.view->Execute(cmd::ReopenAsCsv);
  EXPECT_EQ(f.Text(), "a,b\tc\r\n");
  EXPECT_EQ(f.doc->Form().format, csv::FileFormat::Csv);
  EXPECT_TRUE(f.view->modes.table);
  // Modified: the save prompt comes first; cancelled, nothing happens.
  f.Type("x");
  f.host.answers.push_back(MsgResult::Cancel);
  f.view->Execute(cmd::ReopenAsText);
  EXPECT_EQ(f.Text(), "xa,b\tc\r\n");
  f.host.answers.push_back(MsgResult::No);
  f.view->Execute(cmd::ReopenAsText);
  EXPECT_EQ(f.Text(), "\"a,b\",c\r\n");
  EXPECT_EQ(f.doc->Form().format, csv::FileFormat::Text);
  EXPECT_FALSE(f.doc->IsModified());
}

TEST(DocumentCsv, BatchStateSaveAsAndReopen) {
  BatchRun b;
  const std::string path = b.PathOf("list.csv");
  WriteBytes(path, "a,\"1,5\"\n");
  const BatchResult r = b.Run(
      "state\n"
      "command 57604 path=" + b.PathOf("plain.txt") + " format=text\n"
      "state\n"
      "command 57604 path=" + b.PathOf("x.txt") + " format=tsv\n"
      "command 33903\n"
      "state\n",
      path);
  EXPECT_EQ(r.exitCode, 2) << r.out;
  EXPECT_NE(r.out.find("len=7 firstvisible=0 encoding=cp932 format=csv numbers=plain\n"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("encoding=cp932 format=text numbers=plain\n"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("error: line 4: unknown format tsv (text or csv)"), std::string::npos) << r.out;
  EXPECT_EQ(b.Read("plain.txt"), "a\t1,5\r\n");

  const BatchResult reopened = b.Run("command reopen-as-text\nstate\ncommand 33903\nstate\n", path);
  ASSERT_EQ(reopened.exitCode, 0) << reopened.out;
  EXPECT_NE(reopened.out.find("len=9 firstvisible=0 encoding=cp932 format=text numbers=plain\n"), std::string::npos) << reopened.out;
  EXPECT_NE(reopened.out.find("len=7 firstvisible=0 encoding=cp932 format=csv numbers=plain\n"), std::string::npos) << reopened.out;
}

TEST(DocumentCsv, AMultiLineFieldInBatchIsReadOnlyWithItsMessage) {
  BatchRun b;
  const std::string path = b.PathOf("m.csv");
  WriteBytes(path, "a\n\"b\nc\"\n");
  const BatchResult r = b.Run("state\n", path);
  ASSERT_EQ(r.exitCode, 0) << r.out;
  EXPECT_NE(r.out.find("message: Pivra: 2 行目のフィールドに改行またはタブが含まれています\\n" + path), std::string::npos)
      << r.out;
  EXPECT_NE(r.out.find("readonly=1"), std::string::npos) << r.out;
}

}  // namespace
