// Shared set-up of the window tests: one offscreen application for the whole
// test binary, and a text widget over a view with its own empty settings file.
#pragma once

#include <QApplication>
#include <QTest>
#include <string>

#include "app/AppContext.h"
#include "settings/CommandLine.h"
#include "settings/SettingsStore.h"
#include "platform/qt/QtUiHost.h"
#include "display/qt/DisplayFont.h"
#include "display/qt/TextPainter.h"
#include "platform/qt/FontLayout.h"
#include "document/Document.h"
#include "editor/EditorView.h"
#include "editor/qt/PivraTextWidget.h"
#include "platform/qt/QtClipboard.h"
#include "support/TempDir.h"

// The application object, created on first use and kept to the end of the run.
inline QApplication& TestApp() {
  if (auto* app = qobject_cast<QApplication*>(QCoreApplication::instance())) return *app;
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;
  static char name[] = "pivra_ui_tests";
  static char* argv[] = {name, nullptr};
  static QApplication* app = new QApplication(argc, argv);
  display_font::RegisterSubstitutions();
  return *app;
}

// The display font the window starts with: 16-pixel bold "ＭＳ ゴシック".
inline QFont TestFont() {
  QFont font(QStringLiteral("ＭＳ ゴシック"));
  font.setPixelSize(16);
  font.setWeight(QFont::Bold);
  font.setKerning(false);
  return font;
}

// A view and its text widget, shown offscreen, after the initial update of
// an untitled document (table mode, no word wrap). The widget paints its text
// with a TextPainter and no overlay.
struct TestWindow {
  QApplication& app = TestApp();
  TempDir dir;
  AppContext context{{}, dir.Path("Pivra.conf")};
  SettingsStore& settings = context.Settings();
  Document& doc = context.Doc();
  QtUiHost host;
  QtClipboard clipboard;
  FontLayout layout{TestFont()};
  std::unique_ptr<EditorView> viewOwner = context.CreateView(host, clipboard);
  EditorView& view = *viewOwner;
  PivraTextWidget widget{view, layout};

  TestWindow() {
    TextPainter::Attach(widget);
    widget.resize(640, 400);
    view.OnInitialUpdate();
    widget.show();
    widget.activateWindow();
    widget.setFocus();
    (void)QTest::qWaitForWindowExposed(&widget);
    widget.Refresh();
  }

  std::string_view Text() const { return view.Edit().Text(); }
  void SetText(const std::string& cp932) {
    view.Edit().SetText(cp932);
    widget.Refresh();
  }
  // Text typed as one key that carries it (a character of the keyboard or
  // a key with no code of its own).
  void TypeChar(const QString& text) {
    QTest::sendKeyEvent(QTest::Press, &widget, Qt::Key_unknown, text, Qt::NoModifier);
    QTest::sendKeyEvent(QTest::Release, &widget, Qt::Key_unknown, text, Qt::NoModifier);
  }
  void Key(Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier) { QTest::keyClick(&widget, key, mods); }
};
