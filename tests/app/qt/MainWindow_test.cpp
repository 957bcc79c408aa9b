#include "app/qt/MainWindow.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QCursor>
#include <QFile>
#include <QFileDialog>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QTimer>
#include <QUrl>
#include <QToolBar>
#include <QWindow>
#include <algorithm>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <utility>
#include <vector>

#include "app/AppContext.h"
#include "app/DocumentStartup.h"
#include "app/qt/MainToolBar.h"
#include "app/qt/QtWindowHost.h"
#include "app/qt/WindowFixture.h"
#include "editor/CommandIds.h"
#include "editor/qt/CommandMenu.h"
#include "editor/qt/QtTestSupport.h"
#include "support/TempDir.h"

namespace {

// The frame over an application whose settings live in a fresh file,
// started as the window starts: the file of the command line, or untitled.
struct TestFrame : WindowFixture {
  explicit TestFrame(std::vector<std::string> args = {}) : WindowFixture(std::move(args)) {
    started = OpenDocumentAtStartup(*app, *view);
    Show(800, 500);
  }

  std::string WriteFile(const char* name, const std::string& bytes) const {
    const std::string path = dir.Path(name);
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
  }
  bool started = false;
};

// Presses the button of the next message box and returns its text.
void AnswerNextMessageBox(QMessageBox::StandardButton button, QString* text) {
  QTimer::singleShot(0, [button, text] {
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
      *text = box->text();
      box->button(button)->click();
    }
  });
}

QMenu* MenuWith(MainWindow& frame, int id) {
  for (QAction* top : frame.menuBar()->actions())
    if (QMenu* m = top->menu())
      for (QAction* a : m->actions())
        if (CommandOf(a) == id) return m;
  return nullptr;
}

// The title as the window system shows it: Qt puts "*" for the "[*]" of
// windowTitle() while the window is marked modified, and nothing otherwise.
QString ShownTitle(MainWindow& frame) { return frame.windowHandle()->title(); }

// The main window is titled after the document type, "PivraF"; message
// boxes keep the program's name "Pivra" as their caption.
TEST(MainWindowTest, TitleNamesTheUntitledDocument) {
  TestFrame t;
  EXPECT_EQ(t.frame->windowTitle(), QStringLiteral("無題[*] - PivraF"));
  EXPECT_FALSE(t.frame->isWindowModified());
  EXPECT_EQ(ShownTitle(*t.frame), QStringLiteral("無題 - PivraF"));
}

TEST(MainWindowTest, StatusPanesShowCaretLineColumnOffsetSizeAndTypingMode) {
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

// The view's idle pass resets the margin once line numbers are off; it runs
// after input, when the event queue is empty.
TEST(MainWindowTest, InputIsFollowedByOneIdlePassOfTheView) {
  TestFrame t;
  QApplication::processEvents();
  t.app->Settings().WriteInt("Settings", "Line", 0);
  t.view->modes.lineNumbers = LineNumberMode::Off;
  t.view->leftMargin = 50;
  QTest::keyClick(&t.frame->TextWidget(), Qt::Key_Right);
  EXPECT_EQ(t.view->leftMargin, 50) << "not before the queue is empty";
  for (int i = 0; i < 10 && t.view->leftMargin != 10; ++i) QApplication::processEvents();
  EXPECT_EQ(t.view->leftMargin, 10);
}

// Records the application's override cursor each time the text widget
// handles a key press.
struct CursorAtKeyPress : QObject {
  std::vector<Qt::CursorShape> seen;
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::KeyPress) {
      const QCursor* cursor = QApplication::overrideCursor();
      seen.push_back(cursor ? cursor->shape() : Qt::ArrowCursor);
    }
    return false;
  }
};

// An accelerator may read or rewrite a large text: its key is handled under
// the wait cursor, once; plain typing and movement are not.
TEST(MainWindowTest, AcceleratorsRunUnderTheWaitCursorAndPlainKeysDoNot) {
  TestFrame t;
  PivraTextWidget& w = t.frame->TextWidget();
  CursorAtKeyPress recorder;
  w.installEventFilter(&recorder);
  QTest::keyClicks(&w, "ab");
  QTest::keyClick(&w, Qt::Key_A, Qt::ControlModifier);  // select all
  QTest::keyClick(&w, Qt::Key_Right);
  w.removeEventFilter(&recorder);
  // "a", "b", Ctrl alone, Ctrl+A, Right.
  EXPECT_EQ(recorder.seen, (std::vector<Qt::CursorShape>{Qt::ArrowCursor, Qt::ArrowCursor, Qt::ArrowCursor,
                                                          Qt::WaitCursor, Qt::ArrowCursor}));
  EXPECT_EQ(QApplication::overrideCursor(), nullptr) << "nothing left behind";
  EXPECT_EQ(t.view->Edit().GetSel(), std::make_pair(2, 2)) << "the keys did what they do";
}

TEST(MainWindowTest, MenusComeFromTheCommandTableAndAskTheViewBeforeShowing) {
  TestFrame t;
  QMenu* edit = MenuWith(*t.frame, cmd::Undo);
  ASSERT_NE(edit, nullptr);
  QAction* undo = nullptr;
  for (QAction* a : edit->actions())
    if (CommandOf(a) == cmd::Undo) undo = a;
  ASSERT_NE(undo, nullptr);
  EXPECT_TRUE(undo->text().startsWith(QStringLiteral("元に戻す (&Z)")));

  QTest::keyClicks(&t.frame->TextWidget(), "x");
  emit edit->aboutToShow();
  EXPECT_TRUE(undo->isEnabled());
  undo->trigger();
  EXPECT_EQ(t.view->Edit().Text(), "");
  emit edit->aboutToShow();
  EXPECT_FALSE(undo->isEnabled());

  QMenu* table = MenuWith(*t.frame, cmd::ToggleTableMode);
  ASSERT_NE(table, nullptr);
  QAction* toggle = nullptr;
  for (QAction* a : table->actions())
    if (CommandOf(a) == cmd::ToggleTableMode) toggle = a;
  emit table->aboutToShow();
  EXPECT_TRUE(toggle->isChecked());
  toggle->trigger();
  emit table->aboutToShow();
  EXPECT_FALSE(toggle->isChecked());
  EXPECT_FALSE(t.view->modes.table);
}

TEST(MainWindowTest, BareWindowSwitchHidesMenuAndStatusBar) {
  TestFrame t({"-w0"});
  EXPECT_TRUE(t.frame->menuBar()->isHidden());
  EXPECT_EQ(t.frame->CaretPaneText(), QString());
}

TEST(MainWindowTest, FileOfTheCommandLineIsOpenedAndNamedInTheTitle) {
  TempDir files;
  const std::string path = files.Path("memo.txt");
  std::ofstream(path, std::ios::binary) << "\x95\x5C\tA\r\n";
  TestFrame t({path});
  ASSERT_TRUE(t.started);
  EXPECT_EQ(t.view->Edit().Text(), "\x95\x5C\tA\r\n");
  t.frame->UpdateTitle();
  EXPECT_EQ(t.frame->windowTitle(), QStringLiteral("memo.txt[*] - PivraF"));

  QMenu* file = MenuWith(*t.frame, cmd::FileOpen);
  ASSERT_NE(file, nullptr);
  emit file->aboutToShow();
  bool listed = false;
  for (QAction* a : file->actions())
    listed |= CommandOf(a) == cmd::RecentFileFirst && a->text().contains(QStringLiteral("memo.txt"));
  EXPECT_TRUE(listed) << "the opened file is the first recent file";
}

TEST(MainWindowTest, TitleMarksTheDocumentModifiedUntilSavedOrUndoneToTheSavedText) {
  TempDir files;
  const std::string path = files.Path("memo.txt");
  std::ofstream(path, std::ios::binary) << "1\t2\r\n";
  TestFrame t({path});
  ASSERT_TRUE(t.started);
  PivraTextWidget& w = t.frame->TextWidget();
  QMenu* file = MenuWith(*t.frame, cmd::FileSave);
  ASSERT_NE(file, nullptr);
  QAction* save = nullptr;
  for (QAction* a : file->actions())
    if (CommandOf(a) == cmd::FileSave) save = a;
  ASSERT_NE(save, nullptr);

  const struct {
    const char* name;
    std::function<void()> act;
    bool modified;
  } steps[] = {
      {"opened", [] {}, false},
      {"typed a character", [&] { QTest::keyClicks(&w, "x"); }, true},
      {"undone to the opened text", [&] { QTest::keyClick(&w, Qt::Key_Z, Qt::ControlModifier); }, false},
      {"typed again", [&] { QTest::keyClicks(&w, "y"); }, true},
      {"saved", [&] { save->trigger(); }, false},
      {"typed after saving", [&] { QTest::keyClick(&w, Qt::Key_Return); }, true},
  };
  for (const auto& step : steps) {
    step.act();
    EXPECT_EQ(t.app->Doc().IsModified(), step.modified) << step.name;
    EXPECT_EQ(t.frame->isWindowModified(), step.modified) << step.name;
    EXPECT_EQ(t.frame->windowTitle().toStdString(), "memo.txt[*] - PivraF") << step.name;
    EXPECT_EQ(ShownTitle(*t.frame).toStdString(), step.modified ? "memo.txt* - PivraF" : "memo.txt - PivraF") << step.name;
  }
  std::ifstream saved(path, std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(saved), {}), "y1\t2\r\n");
}

TEST(MainWindowTest, ClosingAModifiedDocumentAsksAndCancelKeepsTheWindow) {
  TestFrame t;
  QTest::keyClicks(&t.frame->TextWidget(), "x");
  ASSERT_TRUE(t.app->Doc().IsModified());
  QString question;
  AnswerNextMessageBox(QMessageBox::Cancel, &question);
  EXPECT_FALSE(t.frame->close());
  EXPECT_EQ(question, QStringLiteral("無題 への変更を保存しますか?"));
  EXPECT_TRUE(t.frame->isVisible());
  AnswerNextMessageBox(QMessageBox::No, &question);
  EXPECT_TRUE(t.frame->close());
}

TEST(MainWindowTest, DroppedFileIsOpenedAsTheDocument) {
  TestFrame t;
  const std::string path = t.WriteFile("dropped.pvl", "1\t2\r\n");
  QMimeData mime;
  mime.setUrls({QUrl::fromLocalFile(QFile::decodeName(path.c_str()))});
  QDragEnterEvent enter(QPoint(50, 50), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(t.frame.get(), &enter);
  EXPECT_TRUE(enter.isAccepted());
  QDropEvent drop(QPointF(50, 50), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(t.frame.get(), &drop);
  EXPECT_EQ(t.view->Edit().Text(), "1\t2\r\n");
  EXPECT_EQ(t.frame->windowTitle(), QStringLiteral("dropped.pvl[*] - PivraF"));
}

TEST(MainWindowTest, DroppedFileOnAModifiedDocumentAsksFirstAndCancelKeepsIt) {
  TestFrame t;
  const std::string path = t.WriteFile("dropped.txt", "disk");
  QTest::keyClicks(&t.frame->TextWidget(), "x");
  ASSERT_TRUE(t.app->Doc().IsModified());
  QMimeData mime;
  mime.setUrls({QUrl::fromLocalFile(QFile::decodeName(path.c_str()))});
  const auto drop = [&] {  // a drop reaches the widget that accepted the drag
    QDragEnterEvent enter(QPoint(50, 50), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(t.frame.get(), &enter);
    QDropEvent event(QPointF(50, 50), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(t.frame.get(), &event);
  };

  QString question;
  AnswerNextMessageBox(QMessageBox::Cancel, &question);
  drop();
  EXPECT_EQ(question, QStringLiteral("無題 への変更を保存しますか?"));
  EXPECT_EQ(t.view->Edit().Text(), "x");
  EXPECT_TRUE(t.app->Doc().IsModified());
  EXPECT_EQ(t.frame->windowTitle(), QStringLiteral("無題[*] - PivraF"));
  EXPECT_TRUE(t.frame->isWindowModified()) << "the kept document is still modified";

  question.clear();
  AnswerNextMessageBox(QMessageBox::No, &question);
  drop();
  EXPECT_FALSE(question.isEmpty());
  EXPECT_EQ(t.view->Edit().Text(), "disk");
  EXPECT_FALSE(t.app->Doc().IsModified());
  EXPECT_EQ(t.frame->windowTitle(), QStringLiteral("dropped.txt[*] - PivraF"));
  EXPECT_FALSE(t.frame->isWindowModified());
}

}  // namespace

namespace {

QAction* ActionFor(MainWindow& frame, int id) {
  QMenu* menu = MenuWith(frame, id);
  if (!menu) return nullptr;
  for (QAction* a : menu->actions())
    if (CommandOf(a) == id) return a;
  return nullptr;
}

TEST(MainWindowTest, Utf8FileShowsItsEncodingAndSaveAsOffersTheOthers) {
  TempDir files;
  const QString folder = QString::fromStdString(files.path.string());
  const std::string path = (folder + QStringLiteral("/memo.txt")).toStdString();
  std::ofstream(path, std::ios::binary) << "\xE8\xA1\xA8\tA\n";
  TestFrame t({path});
  ASSERT_TRUE(t.started);
  t.frame->RunIdle();
  EXPECT_EQ(t.frame->EncodingPaneText(), QStringLiteral("UTF-8"));

  QAction* cp932 = ActionFor(*t.frame, cmd::ReopenAsCp932);
  QAction* utf8 = ActionFor(*t.frame, cmd::ReopenAsUtf8);
  ASSERT_NE(cp932, nullptr);
  ASSERT_NE(utf8, nullptr);
  EXPECT_EQ(cp932->text(), QStringLiteral("CP932 で開き直す(&J)"));
  EXPECT_EQ(utf8->text(), QStringLiteral("UTF-8 で開き直す(&U)"));

  // The dialog offers the document's encoding; the user picks another.
  const QString target = folder + QStringLiteral("/copy.txt");
  QString offered;
  bool answered = false;
  // The dialog is answered once it is up (Qt's own dialog sets up its
  // widgets while it opens).
  QTimer poll;
  poll.setInterval(10);
  QObject::connect(&poll, &QTimer::timeout, [&] {
    auto* box = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    if (!box || !box->isVisible() || answered) return;
    answered = true;
    poll.stop();
    if (auto* combo = box->findChild<QComboBox*>(QStringLiteral("encoding"))) {
      offered = combo->currentText();
      combo->setCurrentIndex(2);
      emit combo->activated(2);
    }
    box->selectFile(target);
    QMetaObject::invokeMethod(box, "accept");
  });
  poll.start();
  ActionFor(*t.frame, cmd::FileSaveAs)->trigger();
  EXPECT_EQ(offered, QStringLiteral("UTF-8"));
  QFile saved(target);
  ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
  EXPECT_EQ(saved.readAll(), QByteArray("\xEF\xBB\xBF\xE8\xA1\xA8\tA\n"));
  t.frame->RunIdle();
  EXPECT_EQ(t.frame->EncodingPaneText(), QStringLiteral("UTF-8 (BOM付き)"));

  cp932->trigger();
  t.frame->RunIdle();
  EXPECT_EQ(t.frame->EncodingPaneText(), QStringLiteral("CP932"));
}

// Exit ends the File menu, after the recent files, and is a tool bar button;
// it closes the window as the close box does, asking first.
TEST(MainWindowTest, ExitClosesTheWindowAfterTheSavePrompt) {
  TempDir files;
  const std::string path = files.Path("memo.txt");
  std::ofstream(path, std::ios::binary) << "abc";
  TestFrame t({path});
  ASSERT_TRUE(t.started);
  QtWindowHost windowHost(t.frame.get());
  window_host::Install(&windowHost);

  QMenu* file = MenuWith(*t.frame, cmd::AppExit);
  ASSERT_NE(file, nullptr);
  emit file->aboutToShow();
  const QList<QAction*> entries = file->actions();
  ASSERT_FALSE(entries.isEmpty());
  QAction* exit = entries.last();
  EXPECT_EQ(CommandOf(exit), cmd::AppExit);
  EXPECT_TRUE(exit->text().startsWith(QStringLiteral("アプリケーションの終了(&X)")));
  EXPECT_TRUE(exit->isEnabled());
  const auto recent = std::find_if(entries.begin(), entries.end(),
                                   [](QAction* a) { return CommandOf(a) == cmd::RecentFileFirst; });
  EXPECT_NE(recent, entries.end()) << "the recent files come before Exit";
  t.frame->RunIdle();
  bool buttonEnabled = false;
  for (QAction* a : t.frame->ToolBar()->actions())
    if (a->data().toInt() == cmd::AppExit) buttonEnabled = a->isEnabled();
  EXPECT_TRUE(buttonEnabled);

  QTest::keyClicks(&t.frame->TextWidget(), "x");
  QString question;
  AnswerNextMessageBox(QMessageBox::Cancel, &question);
  exit->trigger();
  EXPECT_EQ(question, QStringLiteral("memo.txt への変更を保存しますか?"));
  EXPECT_TRUE(t.frame->isVisible()) << "Cancel keeps the window";
  question.clear();
  AnswerNextMessageBox(QMessageBox::No, &question);
  exit->trigger();
  EXPECT_FALSE(question.isEmpty());
  EXPECT_FALSE(t.frame->isVisible());
  window_host::Install(nullptr);
}

// A read-only document (a .log file) shows its own caret figures, not those
// of the document before it.
TEST(MainWindowTest, ReadOnlyDocumentShowsItsOwnCaretPane) {
  TestFrame t;
  QTest::keyClicks(&t.frame->TextWidget(), std::string(482, 'a').c_str());
  t.frame->RunIdle();
  EXPECT_EQ(t.frame->CaretPaneText(), QStringLiteral("1 行, 482 列 【 482 文字】482 byte"));
  const std::string path = t.WriteFile("notes.log", "ab\r\ncd");
  QString question;
  AnswerNextMessageBox(QMessageBox::No, &question);
  QMimeData mime;
  mime.setUrls({QUrl::fromLocalFile(QFile::decodeName(path.c_str()))});
  QDragEnterEvent enter(QPoint(50, 50), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(t.frame.get(), &enter);
  QDropEvent drop(QPointF(50, 50), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(t.frame.get(), &drop);
  ASSERT_TRUE(t.view->Edit().IsReadOnly());
  t.frame->RunIdle();
  EXPECT_EQ(t.frame->CaretPaneText(), QStringLiteral("1 行, 0 列 【 0 文字】6 byte"));
}

}  // namespace
