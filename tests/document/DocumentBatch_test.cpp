// The document end to end through `pivraf --batch`: the file named at
// start-up, `open`, Save and Save As by command, bytes compared on disk, where
// a run needs more than tests/data/batch gives (files that must not be there,
// a missing or generated file, another working folder, the example file).
#include <gtest/gtest.h>

#include "document/DocFixture.h"
#include "support/BatchRun.h"

namespace {

TEST(DocumentBatch, OpenVerbAndSaveAsWithTheDefaultExtension) {
  BatchRun b;
  WriteBytes(b.PathOf("a.txt"), "a\r\n");
  const BatchResult r = b.Run(
      "type untitled text\n"
      "answer no\n"
      "open " + b.PathOf("a.txt") + "\n"
      "type 1\n"
      "command 57604 path=" + b.PathOf("copy") + "\n"
      "state\n");
  ASSERT_EQ(r.exitCode, 0) << r.out;
  EXPECT_NE(r.out.find("message: Pivra: 無題 への変更を保存しますか?"), std::string::npos) << r.out;
  EXPECT_EQ(b.Read("copy.pvl"), "1a\r\n");
  EXPECT_EQ(b.Read("a.txt"), "a\r\n");
  EXPECT_FALSE(FileExists(b.PathOf("copy.pvl.bak")));
  EXPECT_NE(r.out.find("modified=0"), std::string::npos) << r.out;
}

TEST(DocumentBatch, AFileThatCannotBeOpenedEndsTheRun) {
  BatchRun b;
  const std::string missing = b.PathOf("no-such-folder/missing.txt");
  const BatchResult r = b.Run("state\n", missing);
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_NE(r.out.find("message: Pivra: ドキュメントを開くことに失敗しました。\\n" + missing + " が見つかりません。"),
            std::string::npos)
      << r.out;
  EXPECT_EQ(r.out.find("state:"), std::string::npos);

  WriteBytes(b.PathOf("big.txt"), std::string(1048576, 'z'));
  EXPECT_EQ(b.Run("state\n", b.PathOf("big.txt")).out, 
            "message: Pivra: ファイルが大きすぎて開けません。\\nこのファイルは 1,048,576 バイトです。上限（現在 1,048,575 "
            "バイト）は設定ファイルの [Settings] MaxTextBytes で 1,073,741,823 バイトまで上げられます。\n");
}

TEST(DocumentBatch, AFileNotThereYetIsCreatedByTheFirstSave) {
  BatchRun b;
  const std::string path = b.PathOf("new.txt");
  const BatchResult r = b.Run("state\ntype abc\ncommand 57603\nstate\n", path);
  ASSERT_EQ(r.exitCode, 0) << r.out;
  EXPECT_EQ(r.out.find("message:"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("modified=0 undo=0/0"), std::string::npos) << r.out;  // empty and unmodified at start
  EXPECT_EQ(b.Read("new.txt"), "abc");
  EXPECT_FALSE(FileExists(path + ".bak"));
}

TEST(DocumentBatch, RelativeFileBecomesAFullPath) {
  BatchRun b;
  WriteBytes(b.PathOf("rel.txt"), "r");
  const std::string script = b.PathOf("s.pvs");
  WriteBytes(script, "type q\ncommand 57603\n");
  const std::string cmd = "cd '" + b.dir.path.string() + "' && PIVRA_CONFIG='" + b.PathOf("Pivra.conf") + "' '" +
                          PIVRAF_BINARY + "' --batch '" + script + "' rel.txt";
  ASSERT_EQ(std::system(cmd.c_str()), 0);
  EXPECT_EQ(b.Read("rel.txt"), "qr");
  SettingsStore settings(b.PathOf("Pivra.conf"));
  EXPECT_EQ(settings.GetString("Recent File List", "File1"), b.PathOf("rel.txt"));
}

TEST(DocumentBatch, SampleOpensInTableModeWithItsDirectiveLine) {
  BatchRun b;
  const std::string sample =
      (std::filesystem::path(PIVRA_TEST_DATA).parent_path().parent_path() / "examples" / "sample.pvl").string();
  const std::string before = ReadBytes(sample);
  ASSERT_FALSE(before.empty());
  const BatchResult r = b.Run("state\n", sample);
  ASSERT_EQ(r.exitCode, 0) << r.out;
  EXPECT_NE(r.out.find("modified=0 undo=0/0 table=1 linenumbers=1 tab=12 wrap=0"), std::string::npos) << r.out;
  EXPECT_EQ(ReadBytes(sample), before);
  EXPECT_EQ(before.find('\0'), std::string::npos);
  EXPECT_EQ(before.substr(0, 10), "// TAB=12\t");
}

}  // namespace
