// The wait cursor of a step of work: shown while the step runs, out of the
// way while a modal dialog of the step is open, gone when the step ends.
#include "platform/qt/WaitCursorScope.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCursor>
#include <QDialog>
#include <QTimer>
#include <vector>

#include "editor/qt/QtTestSupport.h"

namespace {

// The application's override cursor as a shape; ArrowCursor when there is none.
Qt::CursorShape Shown() {
  const QCursor* cursor = QApplication::overrideCursor();
  return cursor ? cursor->shape() : Qt::ArrowCursor;
}

// Runs a modal dialog that records the cursor while it is open, then closes.
Qt::CursorShape CursorInsideModalDialog() {
  QDialog dialog;
  Qt::CursorShape inside = Qt::BlankCursor;
  QTimer::singleShot(0, &dialog, [&] {
    inside = Shown();
    dialog.accept();
  });
  dialog.exec();
  return inside;
}

TEST(WaitCursorScope, ShowsTheWaitCursorOutsideModalDialogsOnly) {
  TestApp();
  ASSERT_EQ(QApplication::overrideCursor(), nullptr);
  {
    const WaitCursorScope waiting;
    EXPECT_EQ(Shown(), Qt::WaitCursor);
    EXPECT_EQ(CursorInsideModalDialog(), Qt::ArrowCursor) << "a question is answered with the ordinary cursor";
    EXPECT_TRUE(waiting.Showing());
    EXPECT_EQ(Shown(), Qt::WaitCursor) << "the work goes on after the dialog";
    EXPECT_EQ(CursorInsideModalDialog(), Qt::ArrowCursor);
    EXPECT_EQ(Shown(), Qt::WaitCursor);
  }
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST(WaitCursorScope, NestedScopesLeaveNoCursorBehind) {
  TestApp();
  {
    const WaitCursorScope outer;
    {
      const WaitCursorScope inner;
      EXPECT_EQ(CursorInsideModalDialog(), Qt::ArrowCursor);
      EXPECT_EQ(Shown(), Qt::WaitCursor);
    }
    EXPECT_EQ(Shown(), Qt::WaitCursor);
  }
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST(WaitCursorScope, ADialogLeftOpenWhenTheStepEndsTakesNoCursorWithIt) {
  TestApp();
  QDialog dialog;
  dialog.setModal(true);
  {
    const WaitCursorScope waiting;
    dialog.show();
    EXPECT_FALSE(waiting.Showing());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
  }
  dialog.hide();
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

}  // namespace
