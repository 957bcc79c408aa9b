#include "app/qt/CMainFrame.h"

#include <gtest/gtest.h>

#include <QMenu>
#include <QMenuBar>
#include <memory>

#include "app/CPivraApp.h"
#include "editor/qt/CommandMenu.h"
#include "editor/qt/QtTestSupport.h"

namespace {

// The frame over an application whose settings live in a fresh file.
struct TestFrame {
  QApplication& qapp = TestApp();
  QTemporaryDir dir;
  std::unique_ptr<CPivraApp> app;
  QtUiHost host;
  QtClipboard clipboard;
  FontLayout layout{TestFont()};
  std::unique_ptr<CPivraView> view;
  std::unique_ptr<CMainFrame> frame;

  explicit TestFrame(std::vector<std::string> args = {}) {
    qputenv("PIVRA_CONFIG", (dir.path() + QStringLiteral("/Pivra.conf")).toLocal8Bit());
    app = std::make_unique<CPivraApp>(args);
    view = std::make_unique<CPivraView>(app->Settings(), app->Commands(), app->Document(), host, clipboard);
    frame = std::make_unique<CMainFrame>(*app, *view, layout);
    view->OnInitialUpdate();
    frame->resize(800, 500);
    frame->show();
    (void)QTest::qWaitForWindowExposed(frame.get());
    frame->TextWidget().setFocus();
  }
  ~TestFrame() { qunsetenv("PIVRA_CONFIG"); }
};

QMenu* MenuWith(CMainFrame& frame, int id) {
  for (QAction* top : frame.menuBar()->actions())
    if (QMenu* m = top->menu())
      for (QAction* a : m->actions())
        if (CommandOf(a) == id) return m;
  return nullptr;
}

TEST(CMainFrameTest, TitleNamesTheUntitledDocument) {
  TestFrame t;
  EXPECT_EQ(t.frame->windowTitle(), QStringLiteral("無題 - Pivra"));
}

TEST(CMainFrameTest, StatusPanesShowCaretLineColumnOffsetSizeAndTypingMode) {
  TestFrame t;
  PivraTextWidget& w = t.frame->TextWidget();
  QTest::sendKeyEvent(QTest::Click, &w, Qt::Key_unknown, QStringLiteral("表"), Qt::NoModifier);
  QTest::keyClick(&w, Qt::Key_Return);
  QTest::keyClicks(&w, "ab");
  t.frame->RunIdle();
  EXPECT_EQ(t.frame->CaretPaneText(), QStringLiteral("2 行, 2 列 【 6 文字】6 byte"));
  EXPECT_EQ(t.frame->InsertPaneText(), QStringLiteral("挿入"));
  QTest::keyClick(&w, Qt::Key_Insert);
  t.frame->RunIdle();
  EXPECT_EQ(t.frame->InsertPaneText(), QStringLiteral("上書"));
}

TEST(CMainFrameTest, MenusComeFromTheCommandTableAndAskTheViewBeforeShowing) {
  TestFrame t;
  QMenu* edit = MenuWith(*t.frame, 32789);
  ASSERT_NE(edit, nullptr);
  QAction* undo = nullptr;
  for (QAction* a : edit->actions())
    if (CommandOf(a) == 32789) undo = a;
  ASSERT_NE(undo, nullptr);
  EXPECT_TRUE(undo->text().startsWith(QStringLiteral("元に戻す (&Z)")));

  QTest::keyClicks(&t.frame->TextWidget(), "x");
  emit edit->aboutToShow();
  EXPECT_TRUE(undo->isEnabled());
  undo->trigger();
  EXPECT_EQ(t.view->Edit().Text(), "");
  emit edit->aboutToShow();
  EXPECT_FALSE(undo->isEnabled());

  QMenu* table = MenuWith(*t.frame, 32809);
  ASSERT_NE(table, nullptr);
  QAction* toggle = nullptr;
  for (QAction* a : table->actions())
    if (CommandOf(a) == 32809) toggle = a;
  emit table->aboutToShow();
  EXPECT_TRUE(toggle->isChecked());
  toggle->trigger();
  emit table->aboutToShow();
  EXPECT_FALSE(toggle->isChecked());
  EXPECT_EQ(t.view->tableMode, 0);
}

TEST(CMainFrameTest, BareWindowSwitchHidesMenuAndStatusBar) {
  TestFrame t({"-w0"});
  EXPECT_TRUE(t.frame->menuBar()->isHidden());
  EXPECT_EQ(t.frame->CaretPaneText(), QString());
}

}  // namespace
