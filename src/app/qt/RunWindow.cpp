// The window's start-up: the application object with Qt's Japanese texts,
// the display font, the view over the Qt UI host and clipboard, the main
// frame, then the first document.
#include <QApplication>
#include <QProcess>
#include <QGuiApplication>
#include <QScreen>
#include <memory>
#include <string>
#include <vector>

#include "app/AppContext.h"
#include "app/FileAssociation.h"
#include "editor/ShellCommands.h"
#include "settings/AppIdentity.h"
#include "settings/SettingsKeys.h"
#include "app/qt/JapaneseTranslations.h"
#include "app/qt/MainWindow.h"
#include "platform/qt/QtUiHost.h"
#include "display/qt/DisplayFont.h"
#include "platform/qt/FontLayout.h"
#include "app/DocumentStartup.h"
#include "editor/EditorView.h"
#include "editor/qt/PivraTextWidget.h"
#include "platform/qt/QtClipboard.h"
#include "print/qt/QtPrintHost.h"
#include "app/WindowCommands.h"
#include "app/qt/QtWindowHost.h"
#include "app/qt/AppIcon.h"
#include "platform/qt/WaitCursorScope.h"

namespace {

// The program's folder is remembered, and the .pvl file type is made known
// to the desktop the first time the program runs for a user.
void RegisterWithDesktop(SettingsStore& settings) {
  const std::string folder = QCoreApplication::applicationDirPath().toStdString();
  if (settings.GetString(setting::InstallDir) != folder) settings.WriteString(setting::InstallDir, folder);
  const file_association::Tools tools{shell_commands::CanRun,
                                      [](const std::string& program, const std::vector<std::string>& args) {
                                        QStringList list;
                                        for (const std::string& a : args) list << QString::fromStdString(a);
                                        QProcess::startDetached(QString::fromStdString(program), list);
                                      }};
  file_association::Register(settings, file_association::UserDataFolder(),
                             QCoreApplication::applicationFilePath().toStdString(), tools);
}

}  // namespace

int RunWindow(int argc, char** argv) {
  QApplication qapp(argc, argv);
  QApplication::setApplicationName(QString::fromUtf8(app_identity::kAppName));
  QApplication::setOrganizationName(QString::fromUtf8(app_identity::kCompany));
  QApplication::setWindowIcon(AppIcon());
  // The installed desktop entry, so that a desktop shows its name and icon
  // for the window.
  QGuiApplication::setDesktopFileName(QString::fromLatin1(file_association::kDesktopId));
  InstallJapaneseTranslations(qapp);  // without the catalogue Qt's own buttons stay English
  display_font::RegisterSubstitutions();

  AppContext app(std::vector<std::string>(argv + 1, argv + argc));
  RegisterWithDesktop(app.Settings());
  const FontLayout layout(display_font::FromSettings(app.Settings(), setting::kScreenFontSection));
  QtUiHost host;
  QtClipboard clipboard;
  const std::unique_ptr<EditorView> viewOwner = app.CreateView(host, clipboard);
  EditorView& view = *viewOwner;
  MainWindow frame(app, view, layout);
  host.SetParent(&frame);
  QtPrintHost printHost(&frame);
  print_host::Install(&printHost);
  QtWindowHost windowHost(&frame);
  window_host::Install(&windowHost);

  // The file named on the command line, a new file at that path, or an
  // untitled document; a file that cannot be opened has been reported, and
  // the window starts with an untitled document. A large file takes a
  // moment: the wait cursor shows meanwhile.
  {
    const WaitCursorScope waiting;
    OpenDocumentAtStartup(app, view);
  }

  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    const QRect area = screen->availableGeometry();
    frame.resize(area.width() * 5 / 6, area.height() * 5 / 6);
  }
  // A window started with "-w0" or "-w1" is placed once, as it first shows;
  // the user may move and size it freely afterwards.
  if (const auto box = window_commands::StartPlacement(app.Args(), app.Settings(), windowHost.ScreenWidth(),
                                                       windowHost.ScreenHeight(), windowHost.CaptionHeight(),
                                                       frame.width(), frame.height())) {
    windowHost.MoveWindow(*box);
  }
  frame.show();
  frame.TextWidget().Refresh();
  frame.UpdateTitle();
  frame.UpdateStatus();
  return qapp.exec();
}
