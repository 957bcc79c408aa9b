#include "app/qt/CMainFrame.h"

#include <QApplication>
#include <QCursor>
#include <QEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>

#include "app/CPivraApp.h"
#include "app/StatusPanes.h"
#include "editor/CPivraView.h"
#include "editor/CommandTable.h"
#include "editor/qt/CommandMenu.h"
#include "editor/qt/PivraTextWidget.h"

namespace {

constexpr int kRestCheckMs = 200;
constexpr int kCaretPaneWidth = 200;

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

CMainFrame::CMainFrame(CPivraApp& app, CPivraView& view, const FontLayout& layout, QWidget* parent)
    : QMainWindow(parent), app_(app), view_(view), text_(new PivraTextWidget(view, layout, this)) {
  setCentralWidget(text_);
  text_->setFocus();

  const bool bare = app_.Commands().CommandLineHas("-w0");  // no tool bar, no status bar, no menu bar
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
  connect(&idleTimer_, &QTimer::timeout, this, &CMainFrame::RunIdle);
  restTimer_.setSingleShot(true);
  restTimer_.setInterval(kRestCheckMs);
  connect(&restTimer_, &QTimer::timeout, this, &CMainFrame::RunIdle);
  connect(text_, &PivraTextWidget::viewChanged, this, &CMainFrame::ArmIdle);
  qApp->installEventFilter(this);

  lastMouse_ = QCursor::pos();
  UpdateTitle();
  UpdateStatus();
}

CMainFrame::~CMainFrame() { qApp->removeEventFilter(this); }

void CMainFrame::BuildMenus() {
  for (const MenuPopup& popup : CommandTable::Get().MainMenu()) {
    QMenu* menu = menuBar()->addMenu(Q(popup.caption));
    FillCommandMenu(*menu, popup.items, CaptionKind::Main, [this](int id) { RunCommand(id); });
    connect(menu, &QMenu::aboutToShow, this, [this, menu] { RefreshCommandStates(*menu, view_); });
  }
}

void CMainFrame::RunCommand(int id) {
  view_.Execute(id);
  text_->Refresh();
  UpdateTitle();
  UpdateStatus();
  ArmIdle();
}

// ---------------------------------------------------------------- title and status

QString CMainFrame::TitleText() const {
  return Q(app_.Document().Title()) + QStringLiteral(" - ") + QString::fromUtf8(CPivraApp::kAppName);
}

void CMainFrame::UpdateTitle() {
  const QString title = TitleText();
  if (windowTitle() != title) setWindowTitle(title);
}

QString CMainFrame::CaretPaneText() const { return caretPane_ ? caretPane_->text() : QString(); }
QString CMainFrame::InsertPaneText() const { return insertPane_ ? insertPane_->text() : QString(); }

void CMainFrame::UpdateStatus() {
  if (!caretPane_) return;
  insertPane_->setText(Q(status_panes::InsertPaneText(view_.insertMode)));
  // Caps Lock's state cannot be read portably; the pane stays empty.
  capsPane_->setText(QString());
  if (const auto caret = status_panes::CaretPaneText(view_.Edit())) caretPane_->setText(Q(*caret));
}

// ---------------------------------------------------------------- idle pass

void CMainFrame::ArmIdle() {
  if (!idleTimer_.isActive()) idleTimer_.start();
}

void CMainFrame::RunIdle() {
  const QPoint mouse = QCursor::pos();
  const bool atRest = mouse == lastMouse_;
  lastMouse_ = mouse;
  view_.OnIdle(atRest);
  if (view_.redrawLineNumbers || view_.redrawColouring || view_.recreateCaret || view_.refreshImeMark) {
    text_->Refresh();
  }
  UpdateStatus();
  UpdateTitle();
  if (!atRest) restTimer_.start();
}

bool CMainFrame::eventFilter(QObject* watched, QEvent* event) {
  if (IsInputEvent(event->type()) && watched->isWidgetType()) {
    const QWidget* w = static_cast<QWidget*>(watched);
    if (w->window() == this) ArmIdle();
  }
  return QMainWindow::eventFilter(watched, event);
}
