// The display commands: colours with their dialog and its resets, the font
// profile and the font chooser, word wrap and the tab width questions.
#include <gtest/gtest.h>

#include "dialogs/ColourDialog.h"
#include "display/FontProfile.h"
#include "editor/CommandIds.h"
#include "support/TestView.h"

namespace {

struct EditorModeView : TestView {
  explicit EditorModeView(const std::string& text = "") : TestView() {
    settings.WriteInt(setting::EditorModeAtStart, 1);
    Edit().SetText(text);
    view.OnInitialUpdate();
  }
};

TEST(ColourCommand, OkStoresTheDialogsColoursAndTheViewTakesThem) {
  TestView t("x");
  t.host.onDialog = [](DialogData& d) {
    EXPECT_EQ(d.templateId, ColourDialog::kTemplateId);
    EXPECT_TRUE(d.Set(ColourDialog::kTextColourId, "#102030"));
    EXPECT_TRUE(d.Set(ColourDialog::kFirstUserStringId + 2, "ab"));
    EXPECT_TRUE(d.Set(ColourDialog::kFirstUserColourId + 2, "#00FF00"));
    return true;
  };
  t.view.Execute(cmd::ChangeColours);
  EXPECT_EQ(t.view.colours.text, MakeColour(0x10, 0x20, 0x30));
  EXPECT_EQ(t.settings.GetInt("ColorTB", "TextColor", 0), static_cast<int>(MakeColour(0x10, 0x20, 0x30)));
  EXPECT_EQ(t.settings.GetString("Colors", "Str3", ""), "ab");
  EXPECT_EQ(t.settings.GetInt("Colors", "ab", 0), static_cast<int>(MakeColour(0, 255, 0)));
  EXPECT_EQ(t.settings.GetInt("Colors", "$", 0), 0x0000FF);
  EXPECT_EQ(t.settings.GetInt("ColorCust", "CstClr15", 0), 0xFFFFFF);
}

TEST(ColourCommand, SameUserStringInTwoSlotsSharesTheColourStoredLast) {
  TestView t("x");
  t.host.onDialog = [](DialogData& d) {
    d.Set(ColourDialog::kFirstUserStringId + 0, "tex");
    d.Set(ColourDialog::kFirstUserColourId + 0, "#FF0000");
    d.Set(ColourDialog::kFirstUserStringId + 4, "tex");
    d.Set(ColourDialog::kFirstUserColourId + 4, "#0000FF");
    return true;
  };
  t.view.Execute(cmd::ChangeColours);
  const ColourScheme reloaded = ColourScheme::Load(t.settings);
  EXPECT_EQ(reloaded.userColours[0], MakeColour(0, 0, 255));
  EXPECT_EQ(reloaded.userColours[4], MakeColour(0, 0, 255));
}

struct ResetCase {
  int button;
  bool textGone, customGone, tokensGone;
};

class ColourReset : public testing::TestWithParam<ResetCase> {};

TEST_P(ColourReset, ActsOnTheStoreAtOnceEvenWhenTheDialogIsCancelled) {
  const ResetCase& c = GetParam();
  TestView t("x");
  t.settings.WriteInt("ColorTB", "TextColor", 0x123456);
  t.settings.WriteInt("ColorCust", "CstClr0", 0x111111);
  t.settings.WriteInt("Colors", "$", 0x222222);
  t.settings.WriteString("Colors", "Str1", "foo");
  const ColourScheme before = t.view.colours;
  DialogData shown;
  t.host.onDialog = [&](DialogData& d) {
    EXPECT_TRUE(d.Set(c.button, "click"));
    shown = d;
    return false;  // Cancel
  };
  t.view.Execute(cmd::ChangeColours);
  EXPECT_EQ(t.settings.GetInt("ColorTB", "TextColor", -1), c.textGone ? -1 : 0x123456);
  EXPECT_EQ(t.settings.GetInt("ColorCust", "CstClr0", -1), c.customGone ? -1 : 0x111111);
  EXPECT_EQ(t.settings.GetInt("Colors", "$", -1), c.tokensGone ? -1 : 0x222222);
  // The dialog shows the defaults at once; the view keeps its colours till the next start.
  EXPECT_EQ(shown.Text(ColourDialog::kFirstUserStringId), c.tokensGone ? "" : "foo");
  EXPECT_EQ(static_cast<Colour>(shown.Value(ColourDialog::kTextColourId)), c.textGone ? 0u : 0x123456u);
  EXPECT_EQ(t.view.colours, before);
}

INSTANTIATE_TEST_SUITE_P(Buttons, ColourReset,
                         testing::Values(ResetCase{ColourDialog::kResetTextId, true, false, false},
                                         ResetCase{ColourDialog::kResetCustomId, false, true, false},
                                         ResetCase{ColourDialog::kResetTokensId, false, false, true},
                                         ResetCase{ColourDialog::kResetAllId, true, true, true}),
                         [](const testing::TestParamInfo<ResetCase>& info) { return std::to_string(info.param.button); });

TEST(FontProfile, StoreWithoutAFontSectionGivesBoldSixteenPixelGothic) {
  TestView t;
  FontDescription d;
  d.height = 3;
  d.faceName = "x";
  font_profile::Load(t.settings, "Font", d);
  EXPECT_EQ(d, FontDescription{});
  EXPECT_EQ(d.faceName, "ＭＳ ゴシック");
  EXPECT_EQ(d.height, -16);
  EXPECT_EQ(d.weight, 700);
}

TEST(FontProfile, HeightZeroStopsReadingTheRest) {
  TestView t;
  t.settings.WriteInt("Font", "Height", 0);
  t.settings.WriteInt("Font", "Weight", 100);
  FontDescription d;
  d.weight = 555;
  font_profile::Load(t.settings, "Font", d);
  EXPECT_EQ(d.height, 0);
  EXPECT_EQ(d.weight, 555);
}

TEST(FontProfile, SavingWritesOnlyTheFieldsThatChanged) {
  TestView t;
  FontDescription saved;
  FontDescription current = saved;
  font_profile::Save(t.settings, "Font", current, saved);
  EXPECT_EQ(t.settings.GetInt("Font", "Weight", -1), -1);  // nothing changed, nothing written
  EXPECT_EQ(t.settings.GetInt("Font", "Height", -1), -1);
  current.weight = 400;
  current.faceName = "IPAGothic";
  font_profile::Save(t.settings, "Font", current, saved);
  EXPECT_EQ(t.settings.GetInt("Font", "Weight", -1), 400);
  EXPECT_EQ(t.settings.GetString("Font", "FaceName", "none"), "IPAGothic");
  EXPECT_EQ(t.settings.GetInt("Font", "Height", -1), -1);
  EXPECT_EQ(t.settings.GetInt("Font", "Italic", -1), -1);
  EXPECT_EQ(saved, current);
}

TEST(FontCommand, ChosenFontIsStoredAndTheViewsHearOfIt) {
  struct FontHost : RecordingHost {
    bool ChooseFont(FontDescription& f) override {
      f.height = -20;
      f.weight = 400;
      return true;
    }
  };
  TestView t;
  FontHost host;
  auto view = t.parts.app->CreateView(host, t.clipboard);
  view->Edit().SetLayout(&t.parts.layout);
  const int serial = view->displayFontSerial;
  view->Execute(cmd::ChangeDisplayFont);
  EXPECT_EQ(t.settings.GetInt("Font", "Height", 0), -20);
  EXPECT_EQ(t.settings.GetInt("Font", "Weight", 0), 400);
  EXPECT_EQ(t.settings.GetString("Font", "FaceName", "none"), "none");  // unchanged, not written
  EXPECT_EQ(view->displayFontSerial, serial + 1);
  EXPECT_EQ(t.view.displayFontSerial, 1);  // every view of the document
}

TEST(FontCommand, CancelledChooserChangesNothing) {
  TestView t;
  t.view.Execute(cmd::ChangeDisplayFont);  // the recording host cancels
  EXPECT_EQ(t.settings.GetInt("Font", "Height", 0), 0);
  EXPECT_EQ(t.view.displayFontSerial, 0);
}

TEST(WordWrapCommand, KeepsTheFirstVisibleLinesTextOnTopAndTheCaret) {
  std::string text;
  for (int i = 0; i < 100; ++i) text += std::to_string(i) + std::string(120, 'w') + "\r\n";
  EditorModeView t(text);
  ASSERT_TRUE(t.Edit().IsWordWrap());
  t.Edit().LineScroll(0, 21);  // row 21: the start of a wrapped row
  const int topChar = t.Edit().LineIndex(t.Edit().FirstVisibleLine());
  const int caret = t.Edit().LineIndex(t.Edit().FirstVisibleLine() + 3) + 5;
  t.Edit().SetSel(caret, caret);
  t.view.Execute(cmd::ToggleWordWrap);
  EXPECT_FALSE(t.Edit().IsWordWrap());
  EXPECT_FALSE(t.view.modes.wordWrap);
  EXPECT_FALSE(t.view.IsChecked(cmd::ToggleWordWrap));
  EXPECT_EQ(t.Edit().Caret(), caret);
  const int lineStart = t.Edit().LineIndex(t.Edit().FirstVisibleLine());
  EXPECT_LE(lineStart, topChar);  // the row that held it is the logical line's
  EXPECT_EQ(t.Edit().LineFromChar(topChar), t.Edit().FirstVisibleLine());
  t.view.Execute(cmd::ToggleWordWrap);
  EXPECT_TRUE(t.Edit().IsWordWrap());
  EXPECT_TRUE(t.view.IsChecked(cmd::ToggleWordWrap));
  EXPECT_EQ(t.Edit().Caret(), caret);
  EXPECT_EQ(t.Edit().LineFromChar(lineStart), t.Edit().FirstVisibleLine());
}

struct TabCase {
  int from;
  MsgResult answer;
  const char* question;
  int to;
};

class TabWidthCommand : public testing::TestWithParam<TabCase> {};

TEST_P(TabWidthCommand, AsksThenSwitchesBetweenEightAndFour) {
  const TabCase& c = GetParam();
  EditorModeView t("a\tb");
  t.view.modes.tabWidth = c.from;
  t.host.answers.push_back(c.answer);
  t.view.Execute(cmd::ToggleTabWidth);
  ASSERT_EQ(t.host.messages.size(), 1u);
  EXPECT_EQ(t.host.messages[0].text, c.question);
  EXPECT_EQ(t.view.modes.tabWidth, c.to);
  EXPECT_EQ(t.Edit().TabStopUnits(), c.answer == MsgResult::Ok ? c.to * 4 : 32);
  EXPECT_EQ(t.settings.GetInt("Settings", "TabStops", -1), c.answer == MsgResult::Ok ? c.to : -1);
}

const char* const kToFour = "タブ幅を現在の 8 文字（既定）から\n 4 文字（半角）に設定します。";
const char* const kToEight = "タブ幅を現在の 4 文字から\n 既定の 8 文字（半角）に戻します。";

INSTANTIATE_TEST_SUITE_P(Questions, TabWidthCommand,
                         testing::Values(TabCase{8, MsgResult::Ok, kToFour, 4}, TabCase{8, MsgResult::Cancel, kToFour, 8},
                                         TabCase{4, MsgResult::Ok, kToEight, 8},
                                         TabCase{12, MsgResult::Ok, kToEight, 8}),  // a directive's 12 goes back to 8
                         [](const testing::TestParamInfo<TabCase>& info) {
                           return "From" + std::to_string(info.param.from) +
                                  (info.param.answer == MsgResult::Ok ? "Ok" : "Cancel");
                         });

TEST(TabWidthCommand, IsDisabledInTableMode) {
  TestView t("a");
  ASSERT_TRUE(t.view.modes.table);
  EXPECT_FALSE(t.view.IsEnabled(cmd::ToggleTabWidth));
}

}  // namespace
