// The find and replace bars on the screen, offscreen: opened by their keys,
// typed into, their buttons clicked, closed by Esc.
#include "find/qt/SearchBarWindow.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <memory>

#include "app/AppContext.h"
#include "app/qt/MainWindow.h"
#include "app/qt/WindowFixture.h"
#include "editor/CommandIds.h"
#include "editor/qt/QtTestSupport.h"
#include "find/SearchBars.h"

namespace {

struct BarFrame : WindowFixture {
  explicit BarFrame(const std::string& text) {
    view->Edit().SetText(text);
    view->OnInitialUpdate();
    Show(800, 500);
  }

  SearchBarWindow& Bar() { return frame->SearchBar(); }
  std::pair<int, int> Sel() { return view->Edit().GetSel(); }
  std::string_view Text() { return view->Edit().Text(); }
  void Settle() {
    QCoreApplication::processEvents();
    frame->RunIdle();
  }
};

TEST(SearchBarWindow, CtrlFOpensTheFindBarTypingAndFindNextSelectTheMatchEscHidesIt) {
  BarFrame f("one two one");
  QTest::keyClick(&f.frame->TextWidget(), Qt::Key_F, Qt::ControlModifier);
  f.Settle();
  ASSERT_TRUE(f.Bar().isVisible());
  EXPECT_EQ(f.Bar().windowTitle(), QStringLiteral("検索"));
  ASSERT_NE(f.Bar().CheckBox(cmd::BarContinuous), nullptr);
  EXPECT_TRUE(f.Bar().CheckBox(cmd::BarContinuous)->isChecked());
  EXPECT_FALSE(f.Bar().CheckBox(cmd::BarFindCase)->isChecked());
  QTest::keyClicks(f.Bar().SearchList()->lineEdit(), QStringLiteral("one"));
  f.Bar().Button(cmd::BarFindNext)->click();
  EXPECT_EQ(f.Sel(), std::make_pair(0, 3));
  f.Bar().Button(cmd::BarFindNext)->click();
  EXPECT_EQ(f.Sel(), std::make_pair(8, 11));
  EXPECT_EQ(f.Bar().SearchList()->count(), 1);  // the history holds "one" once
  QTest::keyClick(&f.Bar(), Qt::Key_Escape);
  f.Settle();
  EXPECT_FALSE(f.Bar().isVisible());
  EXPECT_EQ(find::BarsOf(*f.view).ShownBar(), nullptr);
}

TEST(SearchBarWindow, SwitchingToTheReplaceBarAndItsUndoButtonIsTheMenusUndo) {
  BarFrame f("cat cat");
  QTest::keyClick(&f.frame->TextWidget(), Qt::Key_F, Qt::ControlModifier);
  f.Settle();
  f.Bar().Button(cmd::Replace)->click();  // 置換へ
  f.Settle();
  ASSERT_TRUE(f.Bar().isVisible());
  EXPECT_EQ(f.Bar().windowTitle(), QStringLiteral("置換"));
  ASSERT_NE(f.Bar().ReplacementList(), nullptr);
  EXPECT_TRUE(f.Bar().CheckBox(cmd::BarReplaceCase)->isChecked());
  f.Bar().SearchList()->setEditText(QStringLiteral("cat"));
  f.Bar().ReplacementList()->setEditText(QStringLiteral("dog"));
  f.Bar().Button(cmd::BarReplaceAll)->click();
  EXPECT_EQ(f.Text(), "dog dog");
  f.Settle();
  ASSERT_TRUE(f.Bar().Button(cmd::Undo)->isEnabled());
  f.Bar().Button(cmd::Undo)->click();
  EXPECT_EQ(f.Text(), "cat cat");
  f.Bar().Button(cmd::Redo)->click();
  EXPECT_EQ(f.Text(), "dog dog");
  f.Bar().Button(cmd::Replace)->click();  // 閉じる
  f.Settle();
  EXPECT_FALSE(f.Bar().isVisible());
  EXPECT_EQ(f.app->Settings().GetString("Replace", "List0", ""), "dog");
}

TEST(SearchBarWindow, TheCloseBoxHidesTheReplaceBarAndTheNextCtrlROpensANewOne) {
  BarFrame f("abc");
  QTest::keyClick(&f.frame->TextWidget(), Qt::Key_R, Qt::ControlModifier);
  f.Settle();
  ASSERT_TRUE(f.Bar().isVisible());
  f.Bar().close();
  f.Settle();
  EXPECT_FALSE(f.Bar().isVisible());
  EXPECT_TRUE(find::BarsOf(*f.view).replaceBar);  // hidden, not forgotten
  QTest::keyClick(&f.frame->TextWidget(), Qt::Key_R, Qt::ControlModifier);
  f.Settle();
  EXPECT_TRUE(f.Bar().isVisible());
  EXPECT_EQ(f.Bar().windowTitle(), QStringLiteral("置換"));
}

TEST(SearchBarWindow, EnterInTheSearchListMovesOnToFindNext) {
  BarFrame f("abc abc");
  QTest::keyClick(&f.frame->TextWidget(), Qt::Key_F, Qt::ControlModifier);
  f.Settle();
  const auto before = f.Sel();
  QLineEdit* edit = f.Bar().SearchList()->lineEdit();
  QTest::keyClicks(edit, QStringLiteral("abc"));
  QTest::keyClick(edit, Qt::Key_Return);
  f.Settle();
  EXPECT_EQ(find::BarsOf(*f.view).focus, find::BarFocus::FindNextButton);
  EXPECT_EQ(f.Sel(), before);  // nothing searched yet
}

}  // namespace
