#include "app/qt/MainWindow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QEvent>
#include <QFile>
#include <QMimeData>
#include <QUrl>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <algorithm>

#include "app/AppContext.h"
#include "settings/AppIdentity.h"
#include "app/StatusPanes.h"
#include "document/Document.h"
#include "document/RecentFileList.h"
#include "editor/CommandIds.h"
#include "editor/EditorView.h"
#include "editor/CommandTable.h"
#include "editor/qt/CommandMenu.h"
#include "editor/qt/PivraTextWidget.h"
#include "print/PrintHost.h"

namespace {

constexpr int kRestCheckMs = 200;
constexpr int kCaretPaneWidth = 200;
constexpr const char* kRecentProperty = "pivraRecentFile";

QString Q(const std::string& utf8) { return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())); }

bool IsInputEvent(QEvent::Type type) {
  switch (type) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::Wheel:
    case QEvent::InputMethod:
    case QEvent::FocusIn:
    case QEvent::Resize:
    case QEvent::WindowActivate:
      return true;
    default:
      return false;
  }
}

}  // namespace

MainWindow::MainWindow(AppContext& app, EditorView& view, const FontLayout& layout, QWidget* parent)
    : QMainWindow(parent), app_(app), view_(view), text_(new PivraTextWidget(view, layout, this)) {
  setCentralWidget(text_);
  text_->setFocus();

  const bool bare = app_.Args().CommandLineHas("-w0");  // no tool bar, no status bar, no menu bar
  BuildMenus();
  if (bare) {
    menuBar()->hide();
  } else {
    insertPane_ = new QLabel(this);
    capsPane_ = new QLabel(this);
    caretPane_ = new QLabel(this);
    caretPane_->setMinimumWidth(kCaretPaneWidth);
    statusBar()->addPermanentWidget(insertPane_);
    statusBar()->addPermanentWidget(capsPane_);
    statusBar()->addPermanentWidget(caretPane_);
  }

  idleTimer_.setSingleShot(true);
  idleTimer_.setInterval(0);
  connect(&idleTimer_, &QTimer::timeout, this, &MainWindow::RunIdle);
  restTimer_.setSingleShot(true);
  restTimer_.setInterval(kRestCheckMs);
  connect(&restTimer_, &QTimer::timeout, this, &MainWindow::RunIdle);
  connect(text_, &PivraTextWidget::viewChanged, this, [this] {
    UpdateTitle();  // typing and undo change the modified mark at once
    ArmIdle();
  });
  qApp->installEventFilter(this);
  connect(qApp, &QGuiApplication::applicationStateChanged, this, [this](Qt::ApplicationState state) {
    if (state != Qt::ApplicationActive || isMinimized()) return;
    app_.Doc().CheckExternalChange();
    AfterDocumentChange();
  });
  setAcceptDrops(true);

  lastMouse_ = QCursor::pos();
  UpdateTitle();
  UpdateStatus();
}

MainWindow::~MainWindow() { qApp->removeEventFilter(this); }

void MainWindow::BuildMenus() {
  for (const MenuPopup& popup : view_.Commands().MainMenu()) {
    QMenu* menu = menuBar()->addMenu(Q(popup.caption));
    FillCommandMenu(*menu, view_.Commands(), popup.items, CaptionKind::Main, [this](int id) { RunCommand(id); });
    const bool isFileMenu =
        std::find(popup.items.begin(), popup.items.end(), cmd::FileOpen) != popup.items.end();
    connect(menu, &QMenu::aboutToShow, this, [this, menu, isFileMenu] {
      if (isFileMenu) RefreshRecentFiles(*menu);
      RefreshCommandStates(*menu, view_);
    });
  }
}

// The recent files stand at the end of the File menu, before Exit when it is
// there, between separators.
void MainWindow::RefreshRecentFiles(QMenu& fileMenu) {
  for (QAction* a : fileMenu.actions())
    if (a->property(kRecentProperty).toBool()) {
      fileMenu.removeAction(a);
      a->deleteLater();
    }
  const auto entries = recent_files::MenuEntries(app_.Settings());
  if (entries.empty()) return;
  QAction* before = nullptr;
  for (QAction* a : fileMenu.actions())
    if (CommandOf(a) == cmd::AppExit) before = a;
  auto mark = [](QAction* a) { a->setProperty(kRecentProperty, true); };
  QAction* separator = new QAction(&fileMenu);
  separator->setSeparator(true);
  mark(separator);
  fileMenu.insertAction(before, separator);
  for (const auto& [id, caption] : entries) {
    QAction* a = new QAction(Q(caption), &fileMenu);
    a->setData(id);
    mark(a);
    connect(a, &QAction::triggered, this, [this, id = id] { RunCommand(id); });
    fileMenu.insertAction(before, a);
  }
  if (before) {
    QAction* after = new QAction(&fileMenu);
    after->setSeparator(true);
    mark(after);
    fileMenu.insertAction(before, after);
  }
}

void MainWindow::RunCommand(int id) {
  view_.Execute(id);
  AfterDocumentChange();
}

void MainWindow::AfterDocumentChange() {
  text_->Refresh();
  UpdateTitle();
  UpdateStatus();
  ArmIdle();
}

// ---------------------------------------------------------------- closing and dropped files

void MainWindow::closeEvent(QCloseEvent* event) {
  if (app_.Doc().CanCloseFrame(view_, false)) {
    event->accept();
  } else {
    event->ignore();
  }
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
  const QList<QUrl> urls = event->mimeData()->urls();
  if (!urls.isEmpty() && urls.first().isLocalFile()) event->acceptProposedAction();
}

// The first dropped file goes to the document, which opens it as Open does.
void MainWindow::dropEvent(QDropEvent* event) {
  const QList<QUrl> urls = event->mimeData()->urls();
  if (urls.isEmpty() || !urls.first().isLocalFile()) return;
  event->acceptProposedAction();
  app_.Doc().OnDropFile(view_, QFile::encodeName(urls.first().toLocalFile()).toStdString());
  AfterDocumentChange();
}

// ---------------------------------------------------------------- title and status

QString MainWindow::TitleText() const {
  return Q(app_.Doc().Title()) + QStringLiteral("[*] - ") + QString::fromUtf8(app_identity::kAppName);
}

// Qt shows the "[*]" of the title as "*" while the window is marked modified.
void MainWindow::UpdateTitle() {
  const QString title = TitleText();
  if (windowTitle() != title) setWindowTitle(title);
  setWindowModified(app_.Doc().IsModified());
}

QString MainWindow::CaretPaneText() const { return caretPane_ ? caretPane_->text() : QString(); }
QString MainWindow::InsertPaneText() const { return insertPane_ ? insertPane_->text() : QString(); }

void MainWindow::UpdateStatus() {
  if (!caretPane_) return;
  if (print_host::InPreview()) {
    insertPane_->setText(QString());
    capsPane_->setText(QString());
    caretPane_->setText(QStringLiteral("プレビューモード"));
    return;
  }
  insertPane_->setText(Q(status_panes::InsertPaneText(view_.insertMode)));
  // Caps Lock's state cannot be read portably; the pane stays empty.
  capsPane_->setText(QString());
  if (const auto caret = status_panes::CaretPaneText(view_.Edit())) caretPane_->setText(Q(*caret));
}

// ---------------------------------------------------------------- idle pass

void MainWindow::ArmIdle() {
  if (!idleTimer_.isActive()) idleTimer_.start();
}

void MainWindow::RunIdle() {
  if (print_host::InPreview()) return;  // the view shows the print form until the preview closes
  const QPoint mouse = QCursor::pos();
  const bool atRest = mouse == lastMouse_;
  lastMouse_ = mouse;
  view_.OnIdle(atRest);
  // What waits for a resting mouse is drawn once the mouse rests; input has
  // already repainted the text itself.
  if (atRest && (view_.redrawLineNumbers || view_.redrawColouring || view_.recreateCaret || view_.refreshImeMark)) {
    text_->Refresh();
  }
  UpdateStatus();
  UpdateTitle();
  if (!atRest) restTimer_.start();
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  if (IsInputEvent(event->type()) && watched->isWidgetType()) {
    const QWidget* w = static_cast<QWidget*>(watched);
    if (w->window() == this) ArmIdle();
  }
  return QMainWindow::eventFilter(watched, event);
}
