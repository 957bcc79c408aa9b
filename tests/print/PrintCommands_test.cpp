// The print commands against a printer that lays pages out in fixed cells:
// column and margin choices, the preview's start page and where it leaves the
// editor, .pvl documents printed without their comment lines, the print font.
#include <gtest/gtest.h>

#include <climits>
#include <optional>
#include <string>
#include <vector>

#include "document/DocFixture.h"
#include "editor/CommandIds.h"
#include "print/PrintFont.h"
#include "print/PrintHost.h"
#include "print/PrintPages.h"
#include "print/PrintSession.h"
#include "support/CaseName.h"
#include "support/TempDir.h"

namespace {

// A printer of 1000 x 500 pixels: with margin step 1 and 16-pixel rows a
// column holds 25 rows.
struct FakePrinter : PrintHost {
  FixedCellLayout font{8, 16};
  std::vector<PrintRequest> requests;
  std::vector<bool> previewFlags;  // print_host::InPreview() while each request ran
  std::vector<std::string> printedTexts;
  bool prepare = true;
  int leaveOnPage = 0;  // 0: the preview is left where it opened
  PrintOutcome last;
  PrinterQuery query = PrinterQuery::Ok;
  int dpi = 600;
  std::optional<FontDescription> choice;  // the font chooser's answer; none: Cancel
  bool okUnchanged = false;                // the chooser's OK pressed without a change
  FontDescription shown;

  PrintOutcome Run(const PrintRequest& r, UiHost&, const SettingsStore&) override {
    requests.push_back(r);
    previewFlags.push_back(print_host::InPreview());
    if (!prepare) return {};
    const PrintPages pages(r.text, {{0, 0, 1000, 500}, r.columns, r.marginStep, 64}, font);
    printedTexts.push_back(r.text);
    PrintOutcome out;
    out.prepared = true;
    out.startPage = PreviewStartPage(pages.PageStarts(), r.firstVisibleChar);
    out.endPage = leaveOnPage ? leaveOnPage : out.startPage;
    out.endPageStart = pages.PageStarts()[out.endPage - 1];
    last = out;
    return out;
  }
  void PageSetup(UiHost&) override {}
  PrinterQuery PrinterResolution(int& x, int& y) override {
    x = y = dpi;
    return query;
  }
  bool ChooseFont(FontDescription& font, UiHost&) override {
    shown = font;
    if (okUnchanged) return true;
    if (!choice) return false;
    font = *choice;
    return true;
  }
};

struct PrintFixture : DocFixture {
  FakePrinter printer;
  explicit PrintFixture(const std::function<void(SettingsStore&)>& setup = {}) : DocFixture(setup) {
    print_host::Install(&printer);
  }
  ~PrintFixture() { print_host::Install(nullptr); }
  void Run(int id) { ASSERT_EQ(view->Execute(id), EditorView::CommandResult::Done); }
};

std::string Lines(int count, const std::string& prefix = "line") {
  std::string text;
  for (int i = 0; i < count; ++i) text += prefix + std::to_string(i) + "\r\n";
  return text;
}

TEST(ColumnCommands, SetStoreTickAndAlwaysOpenThePreview) {
  PrintFixture f;
  for (int n = 1; n <= 4; ++n) {
    f.Run(cmd::PrintColumns1 + n - 1);
    EXPECT_EQ(f.view->print.columns, n);
    EXPECT_EQ(f.settings.GetInt("Settings", "ColNum", 0), n);
    for (int k = 1; k <= 4; ++k) EXPECT_EQ(f.view->IsChecked(cmd::PrintColumns1 + k - 1), k == n);
  }
  f.Run(cmd::PrintColumns4);  // the same count again
  ASSERT_EQ(f.printer.requests.size(), 5u);
  for (const PrintRequest& r : f.printer.requests) EXPECT_EQ(r.kind, PrintRequest::Kind::Preview);
  EXPECT_EQ(f.printer.requests.back().columns, 4);
  for (bool inPreview : f.printer.previewFlags) EXPECT_TRUE(inPreview);
  EXPECT_FALSE(print_host::InPreview());
}

TEST(MarginCommands, TheMarginAlreadySetDoesNothing) {
  PrintFixture f([](SettingsStore& s) { s.WriteInt("Settings", "PrintMargin", 2); });
  EXPECT_TRUE(f.view->IsChecked(cmd::PrintMargin2));
  f.Run(cmd::PrintMargin2);
  EXPECT_TRUE(f.printer.requests.empty());
  f.Run(cmd::PrintMargin4);
  EXPECT_EQ(f.view->print.marginStep, 4);
  EXPECT_EQ(f.settings.GetInt("Settings", "PrintMargin", 0), 4);
  EXPECT_TRUE(f.view->IsChecked(cmd::PrintMargin4));
  EXPECT_FALSE(f.view->IsChecked(cmd::PrintMargin2));
  ASSERT_EQ(f.printer.requests.size(), 1u);
  EXPECT_EQ(f.printer.requests[0].kind, PrintRequest::Kind::Preview);
  EXPECT_EQ(f.printer.requests[0].marginStep, 4);
}

TEST(PrintRequests, SettingsOutOfRangeArePrintedWithinOneToFour) {
  PrintFixture f;
  f.view->print.columns = 9;
  f.view->print.marginStep = 0;
  f.Run(cmd::FilePrintPreview);
  ASSERT_EQ(f.printer.requests.size(), 1u);
  EXPECT_EQ(f.printer.requests[0].columns, 4);
  EXPECT_EQ(f.printer.requests[0].marginStep, 1);
}

// 200 lines of "lineN": 25 rows a page in one column, so page p starts at
// line 25 (p - 1).
struct ReturnCase {
  const char* name;
  int topLine;      // the editor's first visible line when the preview opens
  int leaveOnPage;  // 0: where it opened
  int startPage;
  int topLineAfter;  // -1: unchanged, caret too
};

class PreviewReturn : public ::testing::TestWithParam<ReturnCase> {};

TEST_P(PreviewReturn, OpensOnTheVisiblePageAndMovesTheEditorOnlyWhenLeftElsewhere) {
  const ReturnCase& c = GetParam();
  PrintFixture f;
  ASSERT_TRUE(f.Open(f.File("t.txt", Lines(200))));
  f.Edit().LineScroll(0, c.topLine - f.Edit().FirstVisibleLine());
  const int caret = f.Edit().LineIndex(c.topLine + 3) + 2;
  f.Edit().SetSel(caret, caret);
  ASSERT_EQ(f.Edit().FirstVisibleLine(), c.topLine);
  f.printer.leaveOnPage = c.leaveOnPage;
  f.view->redraw.lineNumbers = false;

  f.Run(cmd::FilePrintPreview);
  EXPECT_EQ(f.printer.last.startPage, c.startPage);
  if (c.topLineAfter < 0) {
    EXPECT_EQ(f.Edit().FirstVisibleLine(), c.topLine);
    EXPECT_EQ(f.Edit().GetSel(), std::make_pair(caret, caret));
  } else {
    EXPECT_EQ(f.Edit().FirstVisibleLine(), c.topLineAfter);
    const int start = f.Edit().LineIndex(c.topLineAfter);
    EXPECT_EQ(f.Edit().GetSel(), std::make_pair(start, start));
    EXPECT_TRUE(f.view->redraw.lineNumbers);
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, PreviewReturn,
                         ::testing::Values(ReturnCase{"TopStaysOnStartPage", 0, 0, 1, -1},
                                           ReturnCase{"MiddleStaysOnStartPage", 60, 0, 3, -1},
                                           ReturnCase{"MiddleLeftOnPage5", 60, 5, 3, 100},
                                           ReturnCase{"TopLeftOnPage2", 0, 2, 1, 25},
                                           ReturnCase{"MiddleLeftOnPage1", 60, 1, 3, 0}),
                         [](const auto& info) { return std::string(info.param.name); });

const char kDirective[] = "// TAB=8\tFont=-16\tCOL=1\tMargin=1\t";

TEST(PvlPrinting, CommentLinesAreLeftOutAndTheTextComesBackWithTheRefreshedLine) {
  PrintFixture f;
  const std::string body = "// a comment\r\nrow1\r\n// another\r\nrow2\r\n";
  const std::string path = f.File("t.pvl", body);
  ASSERT_TRUE(f.Open(path));
  f.Run(cmd::PrintColumns2);
  ASSERT_EQ(f.printer.printedTexts.size(), 1u);
  EXPECT_EQ(f.printer.printedTexts[0], "row1\r\nrow2\r\n");
  // Back with the directive line on top, and saved: the document was unmodified.
  const std::string line(f.Text().substr(0, f.Text().find("\r\n") + 2));
  EXPECT_NE(line.find("COL=2"), std::string::npos);
  EXPECT_EQ(f.Text(), line + body);
  EXPECT_EQ(ReadBytes(path), f.Text());
}

TEST(PvlPrinting, ACancelledPrintPutsTheTextBackAndSavesNothing) {
  PrintFixture f;
  const std::string body = "// a comment\r\nrow1\r\n";
  const std::string path = f.File("t.pvl", body);
  ASSERT_TRUE(f.Open(path));
  f.printer.prepare = false;
  f.Run(cmd::FilePrint);
  EXPECT_EQ(f.printer.requests[0].kind, PrintRequest::Kind::WithDialog);
  EXPECT_FALSE(f.printer.previewFlags[0]);
  EXPECT_EQ(ReadBytes(path), body);
  EXPECT_NE(f.Text().find(body), std::string::npos);
  EXPECT_EQ(f.Text().rfind("// TAB=", 0), 0u);
}

TEST(PvlPrinting, ThePreviewReturnsToThePageStartInTheTextWithItsComments) {
  PrintFixture f;
  // A comment line before every tenth line; the print form has 200 lines.
  std::string text;
  for (int i = 0; i < 200; ++i) {
    if (i % 10 == 0) text += "// note\r\n";
    text += "line" + std::to_string(i) + "\r\n";
  }
  ASSERT_TRUE(f.Open(f.File("t.pvl", text)));
  f.printer.leaveOnPage = 3;  // the print form's line 50
  f.Run(cmd::FilePrintPreview);
  const int caret = f.Edit().GetSel().first;
  EXPECT_EQ(f.Text().substr(caret, 8), "line50\r\n");
  EXPECT_EQ(f.Edit().FirstVisibleLine(), f.Edit().LineFromChar(caret));
}

struct OffsetCase {
  const char* text;
  int printFormOffset;
  int textOffset;
};

class PrintFormOffsets : public ::testing::TestWithParam<OffsetCase> {};

TEST_P(PrintFormOffsets, MapBackPastTheCommentLines) {
  EXPECT_EQ(print_session::TextOffsetOfPrintForm(GetParam().text, GetParam().printFormOffset), GetParam().textOffset);
}

INSTANTIATE_TEST_SUITE_P(Cases, PrintFormOffsets,
                         ::testing::Values(OffsetCase{"// d\r\nab\r\ncd", 0, 6}, OffsetCase{"// d\r\nab\r\ncd", 4, 10},
                                           OffsetCase{"ab\r\n// c\r\ncd", 4, 10}, OffsetCase{"ab\r\n// c\r\ncd", 1, 1},
                                           OffsetCase{"ab\r\ncd", 4, 4}, OffsetCase{"ab\r\n// c", 9, 8},
                                           OffsetCase{"ab\r\n// c\r\n// d\r\nef", 4, 16},
                                           OffsetCase{"ab\r\n// c\r\n// d\r\nef", 2, 14},
                                           OffsetCase{"// a\r\n// b\r\nx", 0, 12}),
                         [](const auto& info) { return CaseName(info.index, info.param.text); });

TEST(PrintFontCommand, ShowsScreenUnitsAndStoresPrinterUnits) {
  PrintFixture f([](SettingsStore& s) { s.WriteInt("PrintFont", "Height", -100); });
  FontDescription chosen;
  chosen.faceName = "IPAMincho";
  chosen.height = -20;
  chosen.weight = 400;
  f.printer.choice = chosen;
  f.Run(cmd::PrintFont);
  EXPECT_EQ(f.printer.shown.height, -16);  // -100 * 96 / 600
  EXPECT_EQ(f.view->print.fontHeight, -125);
  EXPECT_EQ(f.settings.GetInt("PrintFont", "Height", 0), -125);
  EXPECT_EQ(f.settings.GetString("PrintFont", "FaceName"), "IPAMincho");
  EXPECT_EQ(f.settings.GetInt("PrintFont", "Weight", 0), 400);
  ASSERT_EQ(f.printer.requests.size(), 1u);
  EXPECT_EQ(f.printer.requests[0].kind, PrintRequest::Kind::Preview);
  EXPECT_EQ(f.printer.requests[0].printFontHeight, -125);
}

struct FontFailure {
  PrinterQuery query;
  const char* message;
};

class PrintFontFailures : public ::testing::TestWithParam<FontFailure> {};

TEST_P(PrintFontFailures, ReportAndChangeNothing) {
  PrintFixture f;
  f.printer.query = GetParam().query;
  f.Run(cmd::PrintFont);
  EXPECT_EQ(f.LastMessage(), GetParam().message);
  EXPECT_EQ(f.view->print.fontHeight, -16);
  EXPECT_TRUE(f.printer.requests.empty());
}

INSTANTIATE_TEST_SUITE_P(Cases, PrintFontFailures,
                         ::testing::Values(FontFailure{PrinterQuery::NoDefaults, "Failed to get device defaults!"},
                                           FontFailure{PrinterQuery::NoDeviceContext, "Failed to get printer DC"}));

TEST(PrintFontCommand, CancelChangesNothingAndOpensNoPreview) {
  PrintFixture f;
  f.Run(cmd::PrintFont);
  EXPECT_EQ(f.view->print.fontHeight, -16);
  EXPECT_TRUE(f.printer.requests.empty());
}

struct MulDivCase {
  int a, b, c, result;
};

class MulDivRounding : public ::testing::TestWithParam<MulDivCase> {};

TEST_P(MulDivRounding, MultipliesThenDividesRoundingHalfAwayFromZero) {
  EXPECT_EQ(print_font::MulDiv(GetParam().a, GetParam().b, GetParam().c), GetParam().result);
}

INSTANTIATE_TEST_SUITE_P(Cases, MulDivRounding,
                         ::testing::Values(MulDivCase{-16, 600, 96, -100}, MulDivCase{-100, 96, 600, -16},
                                           MulDivCase{-13, 96, 600, -2},  // -2.08
                                           MulDivCase{-15, 96, 600, -2},  // -2.4
                                           MulDivCase{-25, 96, 1200, -2},  // -2.0
                                           MulDivCase{5, 1, 2, 3}, MulDivCase{-5, 1, 2, -3},
                                           MulDivCase{2000000, 1200, 96, 25000000}, MulDivCase{7, 3, 0, 0},
                                           MulDivCase{INT_MAX, 600, 96, INT_MAX},
                                           MulDivCase{INT_MIN, 600, 96, INT_MIN}));

// Every way a print font height enters, with the heights that once reached
// the font and the layout unchecked: each ends as a height within the
// printable range, so the preview request never carries another.
enum class HeightEntry { FontDialog, DirectiveLine, SettingsFile };

struct HeightEntryCase {
  const char* name;
  HeightEntry entry;
  int height;
  int expected;  // the view's print font height afterwards
  // No print font is chosen then: the request asks for the display font (0).
  bool displayFont = false;
};

class PrintFontHeightEntries : public ::testing::TestWithParam<HeightEntryCase> {};

TEST_P(PrintFontHeightEntries, KeepTheHeightWithinThePrintableRange) {
  const HeightEntryCase& c = GetParam();
  PrintFixture f([&](SettingsStore& s) {
    if (c.entry == HeightEntry::SettingsFile) s.WriteInt("PrintFont", "Height", c.height);
  });
  switch (c.entry) {
    case HeightEntry::FontDialog: {
      FontDescription chosen;
      chosen.height = c.height;  // screen pixels, as the dialog gives them
      f.printer.choice = chosen;
      f.Run(cmd::PrintFont);
      EXPECT_EQ(f.settings.GetInt("PrintFont", "Height", 0), c.expected);
      break;
    }
    case HeightEntry::DirectiveLine:
      ASSERT_TRUE(f.Open(f.File("t.pvl", "// TAB=8\tFont=" + std::to_string(c.height) + "\tCOL=1\tMargin=1\t\r\nrow\r\n")));
      f.Run(cmd::FilePrintPreview);
      break;
    case HeightEntry::SettingsFile:
      f.Run(cmd::FilePrintPreview);
      break;
  }
  EXPECT_EQ(f.view->print.fontHeight, c.expected);
  ASSERT_FALSE(f.printer.requests.empty());
  EXPECT_EQ(f.printer.requests.back().printFontHeight, c.displayFont ? 0 : c.expected);
  const FontDescription printed = print_font::ForPrinting(f.settings, f.printer.requests.back().printFontHeight, 96, 600);
  EXPECT_GE(printed.height, -kMaxFontHeight);
  EXPECT_LE(printed.height, kMaxFontHeight);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PrintFontHeightEntries,
    ::testing::Values(
        // The dialog's screen pixels times 600 / 96, cut to the range.
        HeightEntryCase{"dialog INT_MAX", HeightEntry::FontDialog, INT_MAX, kMaxFontHeight},
        HeightEntryCase{"dialog INT_MIN", HeightEntry::FontDialog, INT_MIN, -kMaxFontHeight},
        HeightEntryCase{"dialog 100000", HeightEntry::FontDialog, 100000, kMaxFontHeight},
        HeightEntryCase{"dialog 72 points", HeightEntry::FontDialog, -96, -600},
        // A directive outside the range sets nothing: the setting's -16 stays,
        // and with no print font chosen the display font is printed.
        HeightEntryCase{"directive INT_MIN", HeightEntry::DirectiveLine, INT_MIN, -16, true},
        HeightEntryCase{"directive 100000", HeightEntry::DirectiveLine, 100000, -16, true},
        HeightEntryCase{"directive -400", HeightEntry::DirectiveLine, -400, -400},
        // A stored value outside the range reads as the default.
        HeightEntryCase{"settings INT_MAX", HeightEntry::SettingsFile, INT_MAX, -16},
        HeightEntryCase{"settings INT_MIN", HeightEntry::SettingsFile, INT_MIN, -16},
        HeightEntryCase{"settings -2000", HeightEntry::SettingsFile, -2000, -2000}),
    [](const auto& info) { return CaseName(info.index, info.param.name); });

// Until a print font is chosen, a printout uses the display font at its
// screen size: the default 16 screen pixels are 100 printer pixels at 600
// dpi, a readable 12 points, not 16 printer pixels. A height the settings
// store, or a directive line asks for, is printer pixels.
struct DefaultFontCase {
  const char* name;
  const char* storedHeight;  // "PrintFont"/"Height" as the settings file holds it; nullptr: none
  const char* directiveFont;  // the .pvl directive's Font=; nullptr: an untitled text
  int requested;             // the request's print font height (0: the display font)
};

class PrintFontUntilChosen : public ::testing::TestWithParam<DefaultFontCase> {};

TEST_P(PrintFontUntilChosen, IsTheDisplayFontAtItsScreenSize) {
  const DefaultFontCase& c = GetParam();
  PrintFixture f([&](SettingsStore& s) {
    if (c.storedHeight) s.WriteInt("PrintFont", "Height", std::stoi(c.storedHeight));
  });
  if (c.directiveFont)
    ASSERT_TRUE(f.Open(f.File("t.pvl", std::string("// TAB=8\tFont=") + c.directiveFont + "\tCOL=1\tMargin=1\t\r\nrow\r\n")));
  f.Run(cmd::FilePrintPreview);
  ASSERT_EQ(f.printer.requests.size(), 1u);
  EXPECT_EQ(f.printer.requests[0].printFontHeight, c.requested);
  if (c.requested == 0) {
    const FontDescription printed = print_font::ForPrinting(f.settings, 0, 96, 600);
    EXPECT_EQ(printed.height, -100);
    EXPECT_EQ(printed.faceName, "ＭＳ ゴシック");
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PrintFontUntilChosen,
    ::testing::Values(DefaultFontCase{"fresh settings", nullptr, nullptr, 0},
                      DefaultFontCase{"stored print font", "-100", nullptr, -100},
                      DefaultFontCase{"stored print font of the default height", "-16", nullptr, -16},
                      DefaultFontCase{"stored height 0", "0", nullptr, 0},
                      DefaultFontCase{"directive asking for a height", nullptr, "-40", -40},
                      DefaultFontCase{"directive of the height in effect", nullptr, "-16", 0}),
    [](const auto& info) { return CaseName(info.index, info.param.name); });

// The chooser opens on the font a printout uses, and OK without a change
// changes nothing: no print font is stored, and printing goes on as before.
TEST(PrintFontCommand, OkWithoutAChangeKeepsTheFontInUse) {
  PrintFixture f;
  f.printer.okUnchanged = true;
  f.Run(cmd::PrintFont);
  EXPECT_EQ(f.printer.shown.height, -16);  // the display font's screen pixels
  EXPECT_EQ(f.printer.shown.faceName, "ＭＳ ゴシック");
  EXPECT_EQ(f.printer.shown.weight, 700);
  EXPECT_EQ(f.settings.GetInt("PrintFont", "Height", 12345), 12345);
  EXPECT_FALSE(f.view->print.fontChosen);
  ASSERT_EQ(f.printer.requests.size(), 1u);
  EXPECT_EQ(f.printer.requests[0].printFontHeight, 0);

  PrintFixture chosen([](SettingsStore& s) { s.WriteInt("PrintFont", "Height", -13); });
  chosen.printer.okUnchanged = true;
  chosen.Run(cmd::PrintFont);
  EXPECT_EQ(chosen.printer.shown.height, -2);
  EXPECT_EQ(chosen.settings.GetInt("PrintFont", "Height", 0), -13) << "no round trip through screen pixels";
  ASSERT_EQ(chosen.printer.requests.size(), 1u);
  EXPECT_EQ(chosen.printer.requests[0].printFontHeight, -13);
}

TEST(PrintFont, HeightsGivenToTheLayoutAreBounded) {
  TempDir dir;
  const SettingsStore settings(dir.Path("Pivra.conf"));
  for (const int height : {INT_MIN, INT_MAX, -100000, 100000}) {
    const int printed = print_font::ForPrinting(settings, height, 96, 600).height;
    EXPECT_EQ(printed, height < 0 ? -kMaxFontHeight : kMaxFontHeight) << height;
    FontDescription font;
    font.height = height;
    EXPECT_EQ(print_font::ToPrinterUnits(font, 96, 600).height, printed) << height;
    EXPECT_EQ(print_font::ToScreenUnits(font, 96, 600).height, printed) << height;
  }
}

}  // namespace
