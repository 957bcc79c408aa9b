#include "editor/CommandIds.h"
#include "editor/Navigation.h"

#include <gtest/gtest.h>

#include "support/TestView.h"

namespace {

TEST(NavigationWord, TexCommandKeepsItsBackslashOnlyInTexFiles) {
  struct Case {
    std::string ext;
    std::string selected;
  } cases[] = {
      {".tex", "\\section"},
      {".txt", "section{a}"},  // braces end no word in plain text
      {"", "section{a}"},
  };
  for (const Case& c : cases) {
    TestView t("\\section{a}");
    t.doc.SetPathName(c.ext.empty() ? std::string() : "/tmp/a" + c.ext);
    t.Edit().SetSel(3, 3);
    t.view.OnDoubleClick();
    const auto [s, e] = t.Edit().GetSel();
    EXPECT_EQ(t.Text().substr(s, e - s), c.selected) << c.ext;
  }
}

TEST(NavigationWord, FullWidthDelimitersAndTrailBytes) {
  // 「表計算」は: the brackets end the word; 表's trail byte 0x5C is no backslash.
  const std::string text = "\x81\x75\x95\x5C\x8C\x76\x8E\x5A\x81\x76\x82\xCD";
  TestView t(text);
  t.Edit().SetSel(4, 4);
  t.view.OnDoubleClick();
  EXPECT_EQ(t.Edit().GetSel(), std::make_pair(2, 8));
}

TEST(NavigationComment, AddAndRemove) {
  TestView t("a\r\nb");
  t.Edit().SetSel(0, 4);
  t.view.Execute(cmd::AddCommentSlashes);
  EXPECT_EQ(t.Text(), "//a\r\n//b");
  EXPECT_EQ(t.view.History().Current(), 1u);  // one change, one undo step

  t.Edit().SetSel(0, 0);
  EXPECT_EQ(t.view.Execute(cmd::RemoveCommentSlashes), EditorView::CommandResult::Disabled);
  t.Edit().SetSel(0, t.Edit().GetTextLength());
  t.view.Execute(cmd::RemoveCommentSlashes);
  EXPECT_EQ(t.Text(), "a\r\nb");

  t.Edit().SetSel(4, 4);  // no selection: the caret's line gets the prefix
  t.view.Execute(cmd::AddCommentSlashes);
  EXPECT_EQ(t.Text(), "a\r\n//b");
  EXPECT_EQ(t.Edit().GetSel(), std::make_pair(6, 6));
}

TEST(NavigationMoves, LineEndOnAWrappedRowStaysOnTheRow) {
  TestView t;
  t.view.Execute(cmd::ToggleTableMode);  // leave table mode: word wrap on
  const int columns = t.Edit().GetRect().Width() / 8;
  t.Edit().SetText(std::string(static_cast<std::size_t>(columns) + 5, 'x'));
  t.Edit().SetSel(2, 2);
  t.view.Execute(cmd::MoveToLineEnd);
  EXPECT_EQ(t.Edit().Caret(), columns - 1);
  EXPECT_EQ(t.Edit().LineFromChar(t.Edit().Caret()), 0);
}

TEST(NavigationMoves, ScreenDownNearTheEndGoesToTheEnd) {
  std::string text;
  for (int i = 0; i < 100; ++i) text += "line\r\n";
  TestView t(text);
  t.view.Execute(cmd::MoveScreenDown);
  const int rows = 640 / 16;  // the whole client area, the ruler's row of table mode included
  EXPECT_EQ(t.Edit().LineFromChar(t.Edit().Caret()), rows);
  t.Edit().SetSel(6 * 95, 6 * 95);
  t.view.Execute(cmd::MoveScreenDown);
  EXPECT_EQ(t.Edit().Caret(), t.Edit().GetTextLength());
  t.view.Execute(cmd::MoveToTextStart);
  EXPECT_EQ(t.Edit().Caret(), 0);
}

TEST(NavigationJump, PhysicalAndLogicalLinesAndBadNumbers) {
  std::string text;
  for (int i = 0; i < 30; ++i) text += "row\r\n";
  TestView t(text);
  t.host.onDialog = [](DialogData& d) {
    EXPECT_EQ(d.caption, "指定行ジャンプ");
    EXPECT_EQ(d.Text(1000), "1");
    return d.Set(1000, "12");
  };
  t.view.Execute(cmd::JumpToLine);
  EXPECT_EQ(t.Edit().Caret(), 11 * 5);
  EXPECT_EQ(t.settings.GetInt("Settings", "LineN", 0), 12);

  t.host.onDialog = [](DialogData& d) { return d.Set(1000, "999"); };  // beyond the end
  t.view.Execute(cmd::JumpToLine);
  EXPECT_EQ(t.Edit().Caret(), t.Edit().GetTextLength());

  t.host.onDialog = [](DialogData& d) { return d.Set(1000, "0"); };
  t.view.Execute(cmd::JumpToLine);
  ASSERT_EQ(t.host.messages.size(), 1u);
  EXPECT_EQ(t.host.messages[0].text, "1 から 4294967295 までの整数を入力してください。");
}

}  // namespace
