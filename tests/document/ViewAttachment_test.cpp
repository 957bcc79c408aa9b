// What the view sets up when a document is attached: table or editor mode by
// file type, the directive line, read-only log files, the remembered caret;
// and the text's print form around printing.
#include <gtest/gtest.h>

#include "app/AllCommands.h"
#include "document/CaretMemory.h"
#include "document/DirectiveLine.h"
#include "document/DocFixture.h"
#include "document/PrintForm.h"
#include "document/ViewAttachment.h"
#include "document/RecentFileList.h"
#include "editor/CommandIds.h"

namespace {

const std::string kDirective12 = "// TAB=12\tFont=-20\tCOL=2\tMargin=3\t\r\n";

struct TypeCase {
  const char* name;
  const char* fileName;
  int editorMode;
  int tableMode;
  int tabWidth;  // RetuHaba is 16, TabStops 4, the directive line says 12
  bool wrap;
};

class FileTypes : public ::testing::TestWithParam<TypeCase> {};

TEST_P(FileTypes, ModeAndTabWidthFollowTheExtension) {
  const TypeCase& c = GetParam();
  DocFixture f([&](SettingsStore& s) {
    s.WriteInt("Settings", "RetuHaba", 16);
    s.WriteInt("Settings", "TabStops", 4);
    s.WriteInt("Settings", "Editmode", c.editorMode);
  });
  ASSERT_TRUE(f.Open(f.File(c.fileName, kDirective12 + "a\tb\r\n")));
  EXPECT_EQ(f.view->modes.table, c.tableMode);
  EXPECT_EQ(f.view->modes.tabWidth, c.tabWidth);
  EXPECT_EQ(f.Edit().TabStopUnits(), c.tabWidth * 4);
  EXPECT_EQ(f.Edit().IsWordWrap(), c.wrap);
  EXPECT_EQ(f.view->modes.lineNumbers, c.tableMode ? LineNumberMode::Physical : LineNumberMode::Off);
  EXPECT_EQ(f.settings.GetInt("Settings", "Line", -1), c.tableMode ? 1 : 0);
  EXPECT_FALSE(f.Edit().IsReadOnly());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FileTypes,
    ::testing::Values(TypeCase{"Pvl", "t.pvl", 0, 1, 12, false}, TypeCase{"PVL", "t.PVL", 0, 1, 12, false},
                      TypeCase{"MixedCasePvlIsPlain", "t.Pvl", 0, 1, 16, false},
                      TypeCase{"Txt", "t.txt", 0, 1, 16, false},
                      TypeCase{"EditorModeTxt", "t.txt", 1, 0, 4, true},
                      TypeCase{"EditorModePvl", "t.pvl", 1, 1, 12, false},
                      TypeCase{"EditorModeMixedCasePvl", "t.Pvl", 1, 0, 4, true},
                      TypeCase{"NoExtension", "table", 0, 1, 16, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(DirectiveLineAtOpen, PrintValuesAreTaken) {
  DocFixture f;
  ASSERT_TRUE(f.Open(f.File("t.pvl", kDirective12)));
  EXPECT_EQ(f.view->print.fontHeight, -20);
  EXPECT_EQ(f.view->print.columns, 2);
  EXPECT_EQ(f.view->print.marginStep, 3);
}

struct IgnoredCase {
  const char* name;
  std::string firstLine;
};

class DirectiveIgnored : public ::testing::TestWithParam<IgnoredCase> {};

TEST_P(DirectiveIgnored, SettingsStayAsTheyWere) {
  DocFixture f([](SettingsStore& s) {
    s.WriteInt("Settings", "RetuHaba", 16);
    s.WriteInt("Settings", "PrintMargin", 2);
    s.WriteInt("Settings", "ColNum", 3);
    s.WriteInt("PrintFont", "Height", -12);
  });
  ASSERT_TRUE(f.Open(f.File("t.pvl", GetParam().firstLine + "a\tb\r\n")));
  EXPECT_EQ(f.view->modes.tabWidth, 16);
  EXPECT_EQ(f.view->print.marginStep, 2);
  EXPECT_EQ(f.view->print.columns, 3);
  EXPECT_EQ(f.view->print.fontHeight, -12);
}

INSTANTIATE_TEST_SUITE_P(Cases, DirectiveIgnored,
                         ::testing::Values(IgnoredCase{"Tab7", "// TAB=7\tCOL=5\tMargin=9\t\r\n"},
                                           IgnoredCase{"BlankBeforeValue", "// TAB= 8\tCOL= 1\t\r\n"},
                                           IgnoredCase{"NoTabAfterValue", "// TAB=8\r\n"},
                                           IgnoredCase{"NoSlashes", "TAB=8\tFont=-30\t\r\n"},
                                           IgnoredCase{"SecondLine", "a\r\n// TAB=8\tFont=-30\t\r\n"},
                                           IgnoredCase{"FontWithoutTab", "// Font=-30\r\n"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(LogFiles, ReadOnlyWithoutMarksAndLineNumbers) {
  for (const char* name : {"a.log", "a.LOG"}) {
    SCOPED_TRACE(name);
    DocFixture f;
    ASSERT_TRUE(f.Open(f.File(name, "line 1\r\nline 2\r\n")));
    EXPECT_TRUE(f.Edit().IsReadOnly());
    EXPECT_FALSE(f.view->modes.returnMarks);
    EXPECT_EQ(f.view->modes.lineNumbers, LineNumberMode::Off);
    EXPECT_EQ(f.view->leftMargin, 10);
    EXPECT_FALSE(f.view->IsEnabled(cmd::Undo));
  }
  DocFixture f;
  ASSERT_TRUE(f.Open(f.File("a.Log", "x")));
  EXPECT_FALSE(f.Edit().IsReadOnly());
  EXPECT_TRUE(f.view->modes.returnMarks);
}

TEST(UpdateHints, StartValuesAndTheHintTable) {
  DocFixture f([](SettingsStore& s) { s.WriteInt("Settings", "Sho", 3); });
  const std::string path = f.File("a.txt", "1\n2\n");
  ASSERT_TRUE(f.Open(path));
  EXPECT_EQ(f.view->decimalPlaces, 3);
  EXPECT_EQ(f.Text(), "1\r\n2\r\n");
  EXPECT_EQ(ReadBytes(path), "1\n2\n");  // the line ends are normalised in the view only
  EXPECT_EQ(f.view->History().Top(), 0u);
  EXPECT_EQ(f.view->History().TextAt(0), "1\r\n2\r\n");
  EXPECT_TRUE(f.view->redraw.drawingEnabled);

  f.settings.WriteInt("Settings", "Line", 2);
  f.view->OnUpdate(UpdateHint::Reloaded);
  EXPECT_EQ(f.view->modes.lineNumbers, LineNumberMode::Logical);
  EXPECT_TRUE(f.view->redraw.lineNumbers);

  f.Type("x");
  f.view->OnUpdate(UpdateHint::Saved);
  f.doc->SetModifiedFlag(false);
  f.view->Undo();
  EXPECT_TRUE(f.doc->IsModified());  // the saved mark moved to the typed text

  f.view->OnUpdate(UpdateHint::New);  // starts over with the same text
  EXPECT_EQ(f.view->History().Top(), 0u);
  EXPECT_EQ(f.view->modes.lineNumbers, LineNumberMode::Physical);
}

TEST(UpdateHints, NoLineNumbersWithMinusM0) {
  ViewParts parts({"-w0", "-m0", "HelpPvl.log"});
  EditorView& view = *parts.view;
  parts.app->Doc().OnNewDocument();
  view.OnInitialUpdate();
  EXPECT_TRUE(view.modes.table);
  EXPECT_EQ(view.modes.lineNumbers, LineNumberMode::Off);
}

// ---------------------------------------------------------------- caret memory

TEST(CaretMemory, RememberedPerFileAndRestored) {
  DocFixture f;
  const std::string a = f.File("a.txt", "0123456789\r\nabcdefghij\r\n");
  const std::string b = f.File("b.txt", "b");
  ASSERT_TRUE(f.Open(a));
  f.Edit().SetSel(14, 14);
  f.AnswerFileDialog(b);
  f.view->Execute(cmd::FileOpen);  // Open remembers the caret of the file it leaves
  EXPECT_EQ(f.settings.GetInt("Caret", a + "cL", -1), 14);
  EXPECT_EQ(f.settings.GetInt("Caret", a + "cH", -1), 0);
  f.view->Execute(cmd::RecentFileFirst + 1);  // a.txt from the recent files
  EXPECT_EQ(f.Text().substr(0, 4), "0123");
  EXPECT_EQ(f.Edit().GetSel(), std::make_pair(14, 14));
  EXPECT_EQ(f.view->History().SelectionAt(0), std::make_pair(14, 14));

  f.Edit().SetSel(0, 0);
  f.view->Execute(cmd::FileNew);  // New remembers too: offset 0 is no entry at all
  EXPECT_EQ(f.settings.GetInt("Caret", a + "cL", -1), -1);
  EXPECT_EQ(f.settings.GetInt("Caret", a + "cH", -1), -1);
}

TEST(CaretMemory, DecliningToSaveRemembersNothing) {
  DocFixture f;
  const std::string a = f.File("a.txt", "0123456789");
  ASSERT_TRUE(f.Open(a));
  f.Edit().SetSel(5, 5);
  f.Type("x");
  f.host.answers.push_back(MsgResult::No);
  f.AnswerFileDialog(f.File("b.txt", "b"));
  f.view->Execute(cmd::FileOpen);
  EXPECT_EQ(f.Text(), "b");
  EXPECT_EQ(f.settings.GetInt("Caret", a + "cL", -1), -1);
}

TEST(CaretMemory, BeyondTheTextIsClampedAndOneByteTextsAreNotRestored) {
  DocFixture f;
  const std::string a = f.File("a.txt", "abc");
  const std::string one = f.File("one.txt", "z");
  f.settings.WriteInt("Caret", a + "cL", 99);
  f.settings.WriteInt("Caret", a + "cH", 5);
  f.settings.WriteInt("Caret", one + "cL", 1);
  ASSERT_TRUE(f.Open(a));
  EXPECT_EQ(f.Edit().GetSel(), std::make_pair(3, 3));
  ASSERT_TRUE(f.Open(one));
  EXPECT_EQ(f.Edit().GetSel(), std::make_pair(0, 0));
}

TEST(CaretMemory, VanishedRecentFilesLoseTheirCaret) {
  DocFixture f;
  const std::string gone = f.File("gone.txt", "g");
  const std::string kept = f.File("kept.txt", "k");
  ASSERT_TRUE(f.Open(gone));
  ASSERT_TRUE(f.Open(kept));
  caret_memory::Save(f.settings, gone, 3, 1);
  caret_memory::Save(f.settings, kept, 4, 2);
  ::unlink(gone.c_str());
  f.Edit().SetSel(1, 1);
  f.view->Execute(cmd::FileNew);  // remembers kept.txt's caret, then starts over
  EXPECT_EQ(f.settings.GetInt("Caret", gone + "cL", -1), -1);
  EXPECT_EQ(f.settings.GetInt("Caret", gone + "cH", -1), -1);
  EXPECT_EQ(caret_memory::Load(f.settings, kept), std::make_pair(1, 0));
}

TEST(CaretMemory, PruneKeepsOnlyRecentFiles) {
  TempDir dir;
  SettingsStore s(dir.Path("Pivra.conf"));
  caret_memory::Save(s, "/x/recent.txt", 10, 2);
  caret_memory::Save(s, "/x/old.txt", 20, 3);
  PruneCaretMemory(s);  // no recent files: nothing copied, "Caret" untouched
  EXPECT_EQ(caret_memory::Load(s, "/x/old.txt"), std::make_pair(20, 3));

  recent_files::Add(s, "/x/other.txt");
  recent_files::Add(s, "/x/recent.txt");
  PruneCaretMemory(s);
  EXPECT_EQ(caret_memory::Load(s, "/x/recent.txt"), std::make_pair(10, 2));
  EXPECT_EQ(caret_memory::Load(s, "/x/old.txt"), std::make_pair(0, 0));
  EXPECT_EQ(s.GetInt("Caret", "/x/old.txtcL", -1), -1);
  EXPECT_EQ(s.GetInt("CaretTemp", "/x/recent.txtcL", -1), -1);
}

// ---------------------------------------------------------------- printing a .pvl file

TEST(PrintForm, UnmodifiedFileGetsTheLineAndIsSaved) {
  DocFixture f;
  const std::string path = f.File("t.pvl", "a\tb\r\n// note\r\nc\td");
  ASSERT_TRUE(f.Open(path));
  f.Edit().SetSel(3, 3);
  print_form::RefreshDirectiveLine(*f.view);
  const std::string line = FormatDirectiveLine(8, -16, 1, 1);
  EXPECT_EQ(f.Text(), line + "a\tb\r\n// note\r\nc\td");
  EXPECT_EQ(f.Edit().GetSel(), std::make_pair(3, 3));  // offsets are not shifted
  const std::string before = print_form::StripCommentLines(*f.view);
  EXPECT_EQ(before, line + "a\tb\r\n// note\r\nc\td");
  EXPECT_EQ(f.Text(), "a\tb\r\nc\td");  // what is printed
  print_form::RestoreAfterPrinting(*f.view, *f.doc, before);
  EXPECT_EQ(f.Text(), line + "a\tb\r\n// note\r\nc\td");
  EXPECT_EQ(ReadBytes(path), line + "a\tb\r\n// note\r\nc\td");
  EXPECT_EQ(ReadBytes(path + ".bak"), "a\tb\r\n// note\r\nc\td");
  EXPECT_FALSE(f.doc->IsModified());
}

TEST(PrintForm, ModifiedFileKeepsTheLineUnsaved) {
  DocFixture f;
  const std::string path = f.File("t.pvl", "// TAB=12\tFont=0\t\r\nrow");
  ASSERT_TRUE(f.Open(path));
  f.Edit().SetSel(f.Edit().GetTextLength(), f.Edit().GetTextLength());
  f.Type("x");
  f.view->print.columns = 2;
  print_form::RefreshDirectiveLine(*f.view);
  const std::string before = print_form::StripCommentLines(*f.view);
  print_form::RestoreAfterPrinting(*f.view, *f.doc, before);
  EXPECT_EQ(f.Text(), FormatDirectiveLine(12, 0, 2, 1) + "rowx");
  EXPECT_EQ(ReadBytes(path), "// TAB=12\tFont=0\t\r\nrow");
  EXPECT_TRUE(f.doc->IsModified());
}

TEST(PrintForm, CancelledPrintingOnlyPutsTheTextBack) {
  DocFixture f;
  const std::string path = f.File("t.pvl", "row");
  ASSERT_TRUE(f.Open(path));
  print_form::RefreshDirectiveLine(*f.view);
  const std::string before = print_form::StripCommentLines(*f.view);
  print_form::RestoreAfterPrinting(*f.view, *f.doc, before, true);
  EXPECT_EQ(f.Text(), FormatDirectiveLine(8, -16, 1, 1) + "row");
  EXPECT_EQ(ReadBytes(path), "row");
}

// The refreshed directive line is an undo step of its own, saved with the file
// when the document was unmodified: undo after a later edit gives back the
// text with the refreshed line, and the modified flag says whether the text
// shown is the file's.
struct RefreshUndoCase {
  const char* name;
  bool editedBeforePrinting;
};

class RefreshUndo : public ::testing::TestWithParam<RefreshUndoCase> {};

TEST_P(RefreshUndo, UndoAfterALaterEditGivesBackTheRefreshedText) {
  DocFixture f;
  const std::string path = f.File("t.pvl", "a\tb\r\nc\td");
  ASSERT_TRUE(f.Open(path));
  if (GetParam().editedBeforePrinting) {
    f.Edit().SetSel(0, 0);
    f.Type("z");
  }
  const std::string edited(f.Text());
  const std::uint32_t stepBefore = f.view->History().Current();
  f.view->print.marginStep = 2;
  print_form::RefreshDirectiveLine(*f.view);
  const std::string before = print_form::StripCommentLines(*f.view);
  print_form::RestoreAfterPrinting(*f.view, *f.doc, before);
  const std::string refreshed = FormatDirectiveLine(8, -16, 1, 2) + edited;
  ASSERT_EQ(f.Text(), refreshed);
  EXPECT_EQ(f.view->History().Current(), stepBefore + 1);
  const bool saved = !GetParam().editedBeforePrinting;
  EXPECT_EQ(ReadBytes(path), saved ? refreshed : "a\tb\r\nc\td");
  EXPECT_EQ(f.doc->IsModified(), !saved);

  f.Edit().SetSel(f.Edit().GetTextLength(), f.Edit().GetTextLength());
  f.Type("x");
  EXPECT_TRUE(f.doc->IsModified());
  f.view->Undo();
  EXPECT_EQ(f.Text(), refreshed);
  EXPECT_EQ(f.doc->IsModified(), !saved);
  f.view->Undo();  // the refresh itself
  EXPECT_EQ(f.Text(), edited);
  EXPECT_TRUE(f.doc->IsModified());
  f.view->Redo();
  EXPECT_EQ(f.Text(), refreshed);
  EXPECT_EQ(f.doc->IsModified(), !saved);
}

INSTANTIATE_TEST_SUITE_P(Cases, RefreshUndo,
                         ::testing::Values(RefreshUndoCase{"UnmodifiedIsSaved", false},
                                           RefreshUndoCase{"ModifiedStaysUnsaved", true}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(PrintForm, ReadOnlyTextIsNeitherRefreshedNorSaved) {
  DocFixture f;
  // UTF-8 with a character CP932 cannot hold: the text is only shown.
  const std::string original = "row\n\xF0\x9F\x98\x80\n";
  const std::string path = f.File("t.pvl", original);
  ASSERT_TRUE(f.Open(path));
  ASSERT_TRUE(f.Edit().IsReadOnly());
  const std::string shown(f.Text());
  const std::size_t messages = f.host.messages.size();
  print_form::RefreshDirectiveLine(*f.view);
  const std::string before = print_form::StripCommentLines(*f.view);
  print_form::RestoreAfterPrinting(*f.view, *f.doc, before);
  EXPECT_EQ(f.Text(), shown);
  EXPECT_EQ(f.view->History().Current(), 0u);
  EXPECT_FALSE(f.doc->IsModified());
  EXPECT_EQ(ReadBytes(path), original);
  EXPECT_EQ(f.host.messages.size(), messages);  // no refused save to report
}

}  // namespace
