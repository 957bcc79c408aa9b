// Printing with Qt: a PDF laid out with the printer font and drawn, and the
// preview dialog opening on the editor's page and telling where it was left.
#include "print/qt/QtPrintHost.h"

#include <gtest/gtest.h>

#include <QFileInfo>
#include <QPdfWriter>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QTimer>
#include <utility>
#include <vector>

#include "editor/qt/QtTestSupport.h"
#include "print/PrintPages.h"
#include "support/TestView.h"
#include "support/TempDir.h"

namespace {

std::string Lines(int count) {
  std::string text;
  for (int i = 0; i < count; ++i) text += "line " + std::to_string(i) + "\t\x95\x5c\r\n";  // 表
  return text;
}

TEST(QtPrintHost, APdfHoldsEveryPageOfTheLayout) {
  TestApp();
  TempDir dir;
  const QString path = QString::fromStdString(dir.Path("out.pdf"));
  QPdfWriter pdf(path);
  pdf.setResolution(600);
  pdf.setPageSize(QPageSize(QPageSize::A4));
  TempDir settingsDir;
  SettingsStore settings(settingsDir.Path("Pivra.conf"));
  PrintRequest request;
  request.text = Lines(600);
  request.columns = 2;
  request.printFontHeight = -100;
  const auto layout = QtPrintHost::Paginate(request, settings, pdf, 96);
  QtPrintHost::Paint(*layout, pdf);
  // 600 lines of 100-pixel rows: about 65 rows a column, two columns a page.
  EXPECT_GE(pdf.pageLayout().paintRectPixels(600).height(), 6000);
  EXPECT_GT(QFileInfo(path).size(), 1000);
}

// Drawing tells its progress page by page, and stops where the progress says so.
TEST(QtPrintHost, DrawingReportsEachPageAndStopsWhenAsked) {
  TestApp();
  TempDir dir;
  TempDir settingsDir;
  SettingsStore settings(settingsDir.Path("Pivra.conf"));
  PrintRequest request;
  request.text = Lines(3000);
  request.printFontHeight = -100;
  const struct {
    int stopAfter;  // 0: never
    bool complete;
  } cases[] = {{0, true}, {3, false}};
  for (const auto& c : cases) {
    QPdfWriter pdf(QString::fromStdString(dir.Path("out" + std::to_string(c.stopAfter) + ".pdf")));
    pdf.setResolution(600);
    pdf.setPageSize(QPageSize(QPageSize::A4));
    const auto layout = QtPrintHost::Paginate(request, settings, pdf, 96);
    const int pages = layout->pages->PageCount();
    ASSERT_GT(pages, 5);
    std::vector<std::pair<int, int>> told;
    const bool complete = QtPrintHost::Paint(*layout, pdf, 0, 0, [&](int drawn, int total) {
      told.emplace_back(drawn, total);
      return drawn != c.stopAfter;
    });
    EXPECT_EQ(complete, c.complete) << c.stopAfter;
    const int drawn = c.stopAfter ? c.stopAfter : pages;
    ASSERT_EQ(static_cast<int>(told.size()), drawn) << c.stopAfter;
    for (int i = 0; i < drawn; ++i) EXPECT_EQ(told[static_cast<std::size_t>(i)], std::make_pair(i + 1, pages));
  }
}

// The preview lays the pages out again only when the device's page changed.
TEST(QtPrintHost, ALayoutFitsTheDeviceItWasMadeForUntilItsPageChanges) {
  TestApp();
  TempDir dir;
  TempDir settingsDir;
  SettingsStore settings(settingsDir.Path("Pivra.conf"));
  QPdfWriter pdf(QString::fromStdString(dir.Path("out.pdf")));
  pdf.setResolution(600);
  pdf.setPageSize(QPageSize(QPageSize::A4));
  PrintRequest request;
  request.text = Lines(10);
  const auto layout = QtPrintHost::Paginate(request, settings, pdf, 96);
  EXPECT_TRUE(layout->FitsDevice(pdf));
  pdf.setPageSize(QPageSize(QPageSize::A5));
  EXPECT_FALSE(layout->FitsDevice(pdf));
}

TEST(QtPrintHost, ThePreviewOpensOnTheEditorsPageAndReportsThePageItWasLeftOn) {
  TestApp();
  TempDir settingsDir;
  SettingsStore settings(settingsDir.Path("Pivra.conf"));
  QtPrintHost host;
  PrintRequest request;
  request.kind = PrintRequest::Kind::Preview;
  request.text = Lines(2000);
  request.printFontHeight = -100;
  request.firstVisibleChar = static_cast<int>(request.text.size()) / 2;
  int openedOn = 0;
  // Once the dialog shows its pages: note its page, go to page 2 and close it.
  QTimer poll;
  int ticks = 0;
  QObject::connect(&poll, &QTimer::timeout, [&] {
    auto* dialog = qobject_cast<QPrintPreviewDialog*>(QApplication::activeModalWidget());
    auto* widget = dialog ? dialog->findChild<QPrintPreviewWidget*>() : nullptr;
    if (++ticks > 500 && dialog) dialog->reject();
    if (!widget || widget->pageCount() == 0) return;
    poll.stop();
    openedOn = widget->currentPage();
    widget->setCurrentPage(2);
    dialog->accept();
  });
  poll.start(20);
  RecordingHost ui;
  const PrintOutcome out = host.Run(request, ui, settings);
  EXPECT_TRUE(out.prepared);
  EXPECT_GT(out.startPage, 2);
  EXPECT_EQ(openedOn, out.startPage);
  EXPECT_EQ(out.endPage, 2);
  EXPECT_GT(out.endPageStart, 0);
}

}  // namespace
