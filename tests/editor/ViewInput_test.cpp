// The view's own input steps: which keys also type a character, the input
// method's commit, and the key-release steps that come before the
// subsystems' handlers (the caret column, the overwrite after a commit).
#include <gtest/gtest.h>

#include "support/CaseName.h"

#include "editor/KeyCodes.h"
#include "support/TestView.h"

namespace {

std::string Cp(const std::string& utf8) { return cp932::FromUtf8(utf8); }
std::string Utf(std::string_view cp) { return cp932::ToUtf8(cp); }

struct PressCase {
  const char* name;
  int key;
  bool ctrl, alt;
  const char* text;  // UTF-8, what the key types
  const char* result;
  bool accelerator;
};

class PressKey : public testing::TestWithParam<PressCase> {};

TEST_P(PressKey, TypesTheKeysTextUnlessAnAcceleratorOrModifierTakesIt) {
  const PressCase& c = GetParam();
  TestView t("ab");
  t.Edit().SetSel(2, 2);
  EXPECT_EQ(t.view.PressKey(c.key, c.ctrl, false, c.alt, Cp(c.text)), c.accelerator);
  t.view.OnKeyUp(c.key);
  EXPECT_EQ(Utf(t.Text()), c.result);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, PressKey,
    testing::Values(PressCase{"Letter", 'C', false, false, "c", "abc", false},
                    PressCase{"EnterTypesALineBreak", key::Return, false, false, "", "ab\r\n", false},
                    PressCase{"TabTypesATab", key::Tab, false, false, "", "ab\t", false},
                    PressCase{"BackspaceErases", key::Back, false, false, "", "a", false},
                    PressCase{"DoubleByteText", 0, false, false, "表", "ab表", false},
                    PressCase{"CtrlEnterTypesNothing", key::Return, true, false, "", "ab", false},
                    PressCase{"AltLetterTypesNothing", 'C', false, true, "c", "ab", false},
                    PressCase{"AcceleratorTakesTheKey", 'A', true, false, "a", "ab", true},
                    PressCase{"ArrowTypesNothing", key::Left, false, false, "", "ab", false}),
    [](const testing::TestParamInfo<PressCase>& info) { return std::string(info.param.name); });

TEST(ViewInput, TypingKeepsTheCaretInView) {
  TestView t;
  for (int i = 0; i < 60; ++i) t.Type("x\r");
  EXPECT_GT(t.Edit().FirstVisibleLine(), 0);
  const int caretRow = t.Edit().LineFromChar(t.Edit().Caret());
  EXPECT_LT(caretRow, t.Edit().FirstVisibleLine() + t.Edit().VisibleLineCount());
}

TEST(ViewInput, ImeCommitInOverwriteModeTakesThePlaceOfWhatFollows) {
  TestView t(Cp("abcdef"));
  t.Edit().SetSel(1, 1);
  t.view.modes.insert = false;
  t.view.OnImeCommit(Cp("表"));  // two bytes
  EXPECT_EQ(Utf(t.Text()), "a表def");
  EXPECT_EQ(t.Edit().GetSel(), std::make_pair(3, 3));
  t.view.modes.insert = true;
  t.view.OnImeCommit(Cp("字"));
  EXPECT_EQ(Utf(t.Text()), "a表字def");
}

TEST(ViewInput, CaretColumnIsRememberedAfterTypingAndHorizontalKeys) {
  struct Case {
    int key;
    bool remembered;
  } cases[] = {{'A', true}, {0x61, true}, {0xB1, true}, {key::Back, true}, {key::Tab, true}, {key::Left, true},
               {key::Right, true}, {key::Home, true}, {key::End, true}, {'1', false}, {key::Up, false},
               {key::Delete, false}, {0, false}};
  for (const Case& c : cases) {
    TestView t("abcdef");
    t.Edit().SetSel(4, 4);
    t.view.caretColumnX = 3;
    t.view.OnKeyUp(c.key);
    EXPECT_EQ(t.view.caretColumnX, c.remembered ? t.Edit().CaretPoint().x : 3) << c.key;
  }
  TestView off("abcdef");
  off.settings.WriteInt("Settings", "CaretPos", 0);
  off.view.OnInitialUpdate();  // the flag is read when a document is attached
  off.Edit().SetSel(4, 4);
  off.view.caretColumnX = 3;
  off.view.OnKeyUp('A');
  EXPECT_EQ(off.view.caretColumnX, 3);
  TestView negative("abc");
  negative.view.caretColumnX = -5;
  negative.view.OnKeyUp('1');
  EXPECT_EQ(negative.view.caretColumnX, 0);
}

struct ImeCase {
  const char* text;  // UTF-8, after the input method committed its text
  int caret;         // after the committed text
  int start;         // imeStartPos
  int insertMode;
  int imeOpen;
  int key;
  const char* result;
};

class ImeCommit : public testing::TestWithParam<ImeCase> {};

TEST_P(ImeCommit, OverwritesAsManyBytesAsItTook) {
  const ImeCase& c = GetParam();
  TestView t(Cp(c.text));
  t.view.modes.insert = c.insertMode;
  t.view.ime.open = c.imeOpen;
  t.view.ime.startPos = c.start;
  t.Edit().SetSel(c.caret, c.caret);
  t.view.OnKeyUp(c.key);
  EXPECT_EQ(Utf(t.Text()), c.result) << c.text;
  EXPECT_EQ(t.Edit().GetSel(), std::make_pair(c.caret, c.caret));
}

INSTANTIATE_TEST_SUITE_P(
    Overwrite, ImeCommit,
    testing::Values(ImeCase{"aXYbcdef", 3, 1, 0, 1, key::Return, "aXYdef"},
                    // never beyond its line
                    ImeCase{"aXYb\r\nzz", 3, 0, 0, 1, key::Return, "aXY\r\nzz"},
                    ImeCase{"aXYb", 3, 0, 0, 1, key::Return, "aXY"},
                    // a double-byte character the count reaches into goes whole
                    ImeCase{"aXY表c", 3, 2, 0, 1, key::Return, "aXYc"},
                    ImeCase{"あいうえお", 4, 0, 0, 1, key::Return, "あいお"},
                    // insert mode, a closed input method, another key: nothing
                    ImeCase{"aXYbcdef", 3, 1, 1, 1, key::Return, "aXYbcdef"},
                    ImeCase{"aXYbcdef", 3, 1, 0, 0, key::Return, "aXYbcdef"},
                    ImeCase{"aXYbcdef", 3, 1, 0, 1, 'A', "aXYbcdef"},
                    // caret before a CR, at a line start, or at the end
                    ImeCase{"aXY\r\nb", 3, 1, 0, 1, key::Return, "aXY\r\nb"},
                    ImeCase{"ab\r\ncd", 4, 0, 0, 1, key::Return, "ab\r\ncd"},
                    ImeCase{"aXY", 3, 1, 0, 1, key::Return, "aXY"},
                    // a start after the caret, or on an earlier line, removes nothing
                    ImeCase{"aXYbcdef", 3, 5, 0, 1, key::Return, "aXYbcdef"},
                    ImeCase{"ab\r\nXYcd", 6, 1, 0, 1, key::Return, "ab\r\nXYcd"},
                    ImeCase{"ab\r\nXYcd", 6, 4, 0, 1, key::Return, "ab\r\nXY"}),
    [](const auto& info) { return CaseName(info.index, info.param.text); });

}  // namespace
