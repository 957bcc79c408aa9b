// The main window's tool bar and split panes, offscreen: the buttons in
// order with icons and tooltips, their states from the active pane, the
// panes a split makes and removes as widgets, and the focus moving between
// them.
#include <gtest/gtest.h>

#include <QAction>
#include <QFile>
#include <QIcon>
#include <QImage>
#include <QMenu>
#include <QSplitter>
#include <QToolBar>
#include <memory>

#include "app/AppContext.h"
#include "app/DocumentStartup.h"
#include "app/qt/MainToolBar.h"
#include "app/qt/MainWindow.h"
#include "app/qt/WindowFixture.h"
#include "editor/CommandIds.h"
#include "editor/qt/QtTestSupport.h"

namespace {

struct PanesFrame : WindowFixture {
  explicit PanesFrame(std::vector<std::string> args = {}) : WindowFixture(std::move(args)) {
    OpenDocumentAtStartup(*app, *view);
    Show(800, 600);
    QApplication::processEvents();
  }

  QSplitter& Area() { return *qobject_cast<QSplitter*>(frame->centralWidget()); }
  int VisiblePanes() {
    int n = 0;
    for (int i = 0; i < Area().count(); ++i) n += Area().widget(i)->isVisible() ? 1 : 0;
    return n;
  }
  void Settle() {
    for (int i = 0; i < 5; ++i) {
      QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
      QApplication::processEvents();
    }
  }
};

TEST(MainWindowToolBar, ButtonsInOrderWithIconsAndCaptionTooltips) {
  PanesFrame t;
  MainToolBar* bar = t.frame->ToolBar();
  ASSERT_NE(bar, nullptr);
  EXPECT_EQ(bar->windowTitle(), QStringLiteral("標準"));
  const std::vector<int>& layout = MainToolBar::Layout();
  const QList<QAction*> actions = bar->actions();
  ASSERT_EQ(actions.size(), static_cast<qsizetype>(layout.size()));
  for (std::size_t i = 0; i < layout.size(); ++i) {
    QAction* a = actions[static_cast<qsizetype>(i)];
    EXPECT_EQ(a->isSeparator(), layout[i] == 0) << i;
    if (layout[i] == 0) continue;
    EXPECT_EQ(a->data().toInt(), layout[i]);
    EXPECT_FALSE(a->icon().isNull()) << layout[i];
    EXPECT_FALSE(a->toolTip().isEmpty()) << layout[i];
  }
  const CommandTable& commands = t.frame->View().Commands();
  EXPECT_EQ(MainToolBar::ToolTipOf(commands, cmd::FileOpen), QStringLiteral("開く"));
  EXPECT_EQ(MainToolBar::ToolTipOf(commands, cmd::SplitRows), QStringLiteral("分割・横"));
  EXPECT_EQ(MainToolBar::ToolTipOf(commands, cmd::Undo), QStringLiteral("元に戻す"));
  // The context menu of the menu and tool bar area hides and shows it.
  const std::unique_ptr<QMenu> menu(t.frame->createPopupMenu());
  ASSERT_NE(menu, nullptr);
  EXPECT_TRUE(menu->actions().contains(bar->toggleViewAction()));
  bar->toggleViewAction()->trigger();
  EXPECT_TRUE(bar->isHidden());
  bar->toggleViewAction()->trigger();
  EXPECT_FALSE(bar->isHidden());
}

// Without an icon theme every button shows the program's own icon: an SVG
// compiled into the program, drawn (not blank) and different for each button.
TEST(MainWindowToolBar, WithoutAThemeEveryButtonShowsItsOwnIcon) {
  TestApp();
  const QStringList savedPaths = QIcon::themeSearchPaths();
  const QStringList savedFallbackPaths = QIcon::fallbackSearchPaths();
  const QString savedTheme = QIcon::themeName();
  QIcon::setThemeSearchPaths({QStringLiteral("/nonexistent/pivra-icons")});
  QIcon::setFallbackSearchPaths({});
  QIcon::setThemeName(QStringLiteral("pivra-no-such-theme"));
  std::vector<QImage> seen;
  for (const int id : MainToolBar::Layout()) {
    if (id == 0) continue;
    EXPECT_TRUE(QFile::exists(MainToolBar::OwnIconResource(id))) << id;
    const QImage own = MainToolBar::OwnIconOf(id).pixmap(16, 16).toImage();
    ASSERT_EQ(own.size(), QSize(16, 16)) << id;
    int drawn = 0;
    for (int y = 0; y < own.height(); ++y)
      for (int x = 0; x < own.width(); ++x) drawn += qAlpha(own.pixel(x, y)) > 128 ? 1 : 0;
    EXPECT_GT(drawn, 30) << id;
    for (const QImage& other : seen) EXPECT_NE(own, other) << id;
    seen.push_back(own);
    EXPECT_EQ(MainToolBar::IconOf(id).pixmap(16, 16).toImage(), own) << id;
  }
  QIcon::setThemeName(savedTheme);
  QIcon::setFallbackSearchPaths(savedFallbackPaths);
  QIcon::setThemeSearchPaths(savedPaths);
}

// Buttons ask the active pane's enable rules at each idle pass, as the menus do.
TEST(MainWindowToolBar, UndoButtonFollowsTheHistoryAndRunsTheCommand) {
  PanesFrame t;
  auto undo = [&] {
    for (QAction* a : t.frame->ToolBar()->actions())
      if (a->data().toInt() == cmd::Undo) return a;
    return static_cast<QAction*>(nullptr);
  };
  t.frame->RunIdle();
  EXPECT_FALSE(undo()->isEnabled());
  QTest::keyClicks(&t.frame->TextWidget(), "ab");
  t.frame->RunIdle();
  ASSERT_TRUE(undo()->isEnabled());
  undo()->trigger();
  EXPECT_EQ(t.frame->View().Edit().Text(), "a");
}

TEST(MainWindowPanes, SplitKeysMakeAndRemoveTheSecondPane) {
  PanesFrame t;
  QTest::keyClicks(&t.frame->TextWidget(), "abc");
  QTest::keyClick(&t.frame->TextWidget(), Qt::Key_1, Qt::ControlModifier);
  t.Settle();
  ASSERT_EQ(t.frame->Panes().PaneCount(), 2);
  EXPECT_EQ(t.VisiblePanes(), 2);
  EXPECT_EQ(t.Area().orientation(), Qt::Vertical);
  // The upper pane is about half as high as the area (less 5 pixels).
  const int upper = t.Area().sizes().at(0);
  EXPECT_NEAR(upper, t.Area().height() / 2, 16 + 5);

  QTest::keyClick(&t.frame->TextWidget(), Qt::Key_2, Qt::ControlModifier);
  t.Settle();
  EXPECT_EQ(t.Area().orientation(), Qt::Horizontal);
  EXPECT_EQ(t.VisiblePanes(), 2);

  QTest::keyClick(&t.frame->TextWidget(), Qt::Key_2, Qt::ControlModifier);
  t.Settle();
  EXPECT_EQ(t.frame->Panes().PaneCount(), 1);
  EXPECT_EQ(t.VisiblePanes(), 1);
  EXPECT_EQ(t.frame->View().Edit().Text(), "abc");
}

// Moving the focus into the other pane makes it active, and it takes over
// the text typed in the first; the status bar then shows its caret.
TEST(MainWindowPanes, FocusInTheOtherPaneSynchronisesIt) {
  PanesFrame t;
  QTest::keyClick(&t.frame->TextWidget(), Qt::Key_1, Qt::ControlModifier);
  t.Settle();
  ASSERT_EQ(t.frame->Panes().ActiveIndex(), 0);
  QTest::keyClicks(&t.frame->TextWidget(), "xy");
  PivraTextWidget* lower = t.frame->WidgetOf(t.frame->Panes().Pane(1));
  ASSERT_NE(lower, nullptr);
  lower->setFocus();
  t.Settle();
  EXPECT_EQ(t.frame->Panes().ActiveIndex(), 1);
  EXPECT_EQ(t.frame->Panes().Pane(1).Edit().Text(), "xy");
  t.frame->RunIdle();
  EXPECT_EQ(t.frame->CaretPaneText(), QStringLiteral("1 行, 0 列 【 0 文字】2 byte"));
}

// F6 moves the focus with the active pane; a handle the user dragged keeps
// its place when the focus changes.
TEST(MainWindowPanes, F6MovesTheFocusToTheOtherPane) {
  PanesFrame t;
  QTest::keyClick(&t.frame->TextWidget(), Qt::Key_1, Qt::ControlModifier);
  t.Settle();
  t.Area().setSizes({100, t.Area().height() - 100});
  const QList<int> dragged = t.Area().sizes();
  QTest::keyClick(&t.frame->TextWidget(), Qt::Key_F6);
  t.Settle();
  EXPECT_EQ(t.frame->Panes().ActiveIndex(), 1);
  EXPECT_TRUE(t.frame->WidgetOf(t.frame->Panes().Pane(1))->hasFocus());
  EXPECT_EQ(t.Area().sizes(), dragged);
}

// Insert switches to overwrite: a typed character takes the place of the
// whole character at the caret, a double-byte one included.
TEST(MainWindowPanes, OverwriteModeReplacesWholeCharacters) {
  PanesFrame t;
  PivraTextWidget& w = t.frame->TextWidget();
  QTest::sendKeyEvent(QTest::Click, &w, Qt::Key_unknown, QStringLiteral("表"), Qt::NoModifier);
  QTest::keyClicks(&w, "ab");
  QTest::keyClick(&w, Qt::Key_Home);
  QTest::keyClick(&w, Qt::Key_Insert);
  QTest::keyClicks(&w, "xy");
  t.frame->RunIdle();
  EXPECT_EQ(t.frame->View().Edit().Text(), "xyb");
  EXPECT_EQ(t.frame->InsertPaneText(), QStringLiteral("上書"));
}

}  // namespace
