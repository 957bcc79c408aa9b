// WindowFixture: a main window offscreen over an application whose settings
// live in a fresh file of a temporary folder, named in PIVRA_CONFIG as well
// while the fixture lives, so whatever reads the default location reads that
// file too. The constructor builds the window without showing it, so a test
// fixture can open its start-up file or put its text in first, then call Show.
#pragma once

#include <QApplication>
#include <QTest>
#include <memory>
#include <string>
#include <vector>

#include "app/AppContext.h"
#include "app/qt/MainWindow.h"
#include "editor/qt/QtTestSupport.h"
#include "support/TempDir.h"

struct WindowFixture {
  QApplication& qapp = TestApp();
  TempDir dir;
  std::unique_ptr<AppContext> app;
  QtUiHost host;
  QtClipboard clipboard;
  FontLayout layout{TestFont()};
  std::unique_ptr<EditorView> view;
  std::unique_ptr<MainWindow> frame;

  explicit WindowFixture(std::vector<std::string> args = {}) {
    const QString settingsPath = QString::fromStdString(dir.Path("Pivra.conf"));
    qputenv("PIVRA_CONFIG", settingsPath.toLocal8Bit());
    app = std::make_unique<AppContext>(args, settingsPath.toStdString());
    view = app->CreateView(host, clipboard);
    frame = std::make_unique<MainWindow>(*app, *view, layout);
    host.SetParent(frame.get());
  }
  ~WindowFixture() {
    frame->hide();
    qunsetenv("PIVRA_CONFIG");
  }
  WindowFixture(const WindowFixture&) = delete;
  WindowFixture& operator=(const WindowFixture&) = delete;

  // Shows the window at `width` x `height` with the focus in the text.
  void Show(int width, int height) {
    frame->resize(width, height);
    frame->show();
    (void)QTest::qWaitForWindowExposed(frame.get());
    frame->TextWidget().setFocus();
  }
};
