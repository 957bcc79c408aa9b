// The window with a comma-separated document: "CSV" in the status bar, the
// two reopen commands in the File menu, and the Save As dialog's format.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>
#include <fstream>

#include "app/AppContext.h"
#include "app/DocumentStartup.h"
#include "app/qt/MainWindow.h"
#include "app/qt/WindowFixture.h"
#include "editor/CommandIds.h"
#include "editor/qt/CommandMenu.h"
#include "support/TempDir.h"

namespace {

struct CsvFrame : WindowFixture {
  explicit CsvFrame(std::vector<std::string> args) : WindowFixture(std::move(args)) {
    started = OpenDocumentAtStartup(*app, *view);
    Show(800, 500);
  }
  bool started = false;
};

QAction* FileMenuAction(MainWindow& frame, int id) {
  for (QAction* top : frame.menuBar()->actions())
    if (QMenu* m = top->menu())
      for (QAction* a : m->actions())
        if (CommandOf(a) == id) return a;
  return nullptr;
}

TEST(MainWindowCsvTest, ACsvFileShowsCsvAndSaveAsOffersTheFormats) {
  TempDir files;
  const QString folder = QString::fromStdString(files.path.string());
  const std::string path = (folder + QStringLiteral("/list.csv")).toStdString();
  std::ofstream(path, std::ios::binary) << "a,\"b,c\"\r\n";
  CsvFrame t({path});
  ASSERT_TRUE(t.started);
  t.frame->RunIdle();
  EXPECT_EQ(t.frame->EncodingPaneText(), QStringLiteral("CP932 CSV"));

  QAction* asCsv = FileMenuAction(*t.frame, cmd::ReopenAsCsv);
  QAction* asText = FileMenuAction(*t.frame, cmd::ReopenAsText);
  ASSERT_NE(asCsv, nullptr);
  ASSERT_NE(asText, nullptr);
  EXPECT_EQ(asCsv->text(), QStringLiteral("CSV として開き直す"));
  EXPECT_EQ(asText->text(), QStringLiteral("テキストとして開き直す"));
  asText->trigger();
  t.frame->RunIdle();
  EXPECT_EQ(t.frame->EncodingPaneText(), QStringLiteral("CP932"));
  asCsv->trigger();
  t.frame->RunIdle();
  EXPECT_EQ(t.frame->EncodingPaneText(), QStringLiteral("CP932 CSV"));

  // The dialog starts from the document's format; the user picks text.
  const QString target = folder + QStringLiteral("/copy.txt");
  QString offered;
  bool answered = false;
  QTimer poll;
  poll.setInterval(10);
  QObject::connect(&poll, &QTimer::timeout, [&] {
    auto* box = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    if (!box || !box->isVisible() || answered) return;
    answered = true;
    poll.stop();
    if (auto* combo = box->findChild<QComboBox*>(QStringLiteral("format"))) {
      offered = combo->currentText();
      combo->setCurrentIndex(0);
      emit combo->activated(0);
    }
    box->selectFile(target);
    QMetaObject::invokeMethod(box, "accept");
  });
  poll.start();
  FileMenuAction(*t.frame, cmd::FileSaveAs)->trigger();
  EXPECT_EQ(offered, QStringLiteral("CSV (カンマ区切り)"));
  QFile saved(target);
  ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
  EXPECT_EQ(saved.readAll(), QByteArray("a\tb,c\r\n"));
  t.frame->RunIdle();
  EXPECT_EQ(t.frame->EncodingPaneText(), QStringLiteral("CP932"));
}

}  // namespace
