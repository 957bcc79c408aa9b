#include "app/qt/MainWindow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QEvent>
#include <QFile>
#include <QKeyEvent>
#include <QMimeData>
#include <QUrl>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QSplitter>
#include <algorithm>

#include "app/AppContext.h"
#include "app/qt/MainToolBar.h"
#include "platform/qt/WaitCursorScope.h"
#include "app/StatusPanes.h"
#include "document/Document.h"
#include "document/RecentFileList.h"
#include "editor/CommandIds.h"
#include "editor/EditorView.h"
#include "editor/CommandTable.h"
#include "editor/qt/CommandMenu.h"
#include "editor/qt/PivraTextWidget.h"
#include "display/qt/ViewDisplay.h"
#include "find/FindCommands.h"
#include "find/qt/SearchBarWindow.h"
#include "platform/qt/InputMethodStatus.h"
#include "print/PrintHost.h"
#include "document/DocumentCommands.h"

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
    : QMainWindow(parent),
      app_(app),
      layout_(layout),
      paneArea_(new QSplitter(this)),
      panes_(app.Doc(), view, [this, &view] { return app_.CreateView(view.Host(), view.Clipboard()); }) {
  paneArea_->setChildrenCollapsible(false);
  paneArea_->setHandleWidth(4);
  setCentralWidget(paneArea_);
  AddPaneWidget(view);
  panes_.onPaneAdded = [this](EditorView& v) { AddPaneWidget(v); };
  panes_.onPaneRemoved = [this](EditorView& v) { RemovePaneWidget(v); };
  panes_.onLayoutChanged = [this] { LayOutPanes(); };
  TextWidget().setFocus();

  const bool bare = app_.Args().CommandLineHas("-w0");  // no tool bar, no status bar, no menu bar
  BuildMenus();
  // The input-method mark of the active pane, in the menu bar's corner.
  imeMark_ = new QLabel(menuBar());
  imeMark_->setContentsMargins(4, 0, 8, 0);
  ViewDisplay::FitImeMark(*imeMark_);
  menuBar()->setCornerWidget(imeMark_, Qt::TopRightCorner);
  // Where the input method tells its state, every pane's mark follows it.
  inputMethodStatus_ = new InputMethodStatus(this);
  connect(inputMethodStatus_, &InputMethodStatus::answered, this, [this](bool on) {
    for (const auto& [view, widget] : widgets_) widget->SetInputMethodOn(on);
    RefreshImeMark();
  });
  if (bare) {
    menuBar()->hide();
  } else {
    toolBar_ = new MainToolBar(view.Commands(), [this](int id) { RunCommand(id); }, this);
    addToolBar(Qt::TopToolBarArea, toolBar_);
    insertPane_ = new QLabel(this);
    capsPane_ = new QLabel(this);
    caretPane_ = new QLabel(this);
    caretPane_->setMinimumWidth(kCaretPaneWidth);
    statusBar()->addPermanentWidget(insertPane_);
    statusBar()->addPermanentWidget(capsPane_);
    statusBar()->addPermanentWidget(caretPane_);
    encodingPane_ = new QLabel(this);
    statusBar()->addPermanentWidget(encodingPane_);
  }

  idleTimer_.setSingleShot(true);
  idleTimer_.setInterval(0);
  connect(&idleTimer_, &QTimer::timeout, this, &MainWindow::RunIdle);
  restTimer_.setSingleShot(true);
  restTimer_.setInterval(kRestCheckMs);
  connect(&restTimer_, &QTimer::timeout, this, &MainWindow::RunIdle);
  qApp->installEventFilter(this);
  connect(qApp, &QGuiApplication::applicationStateChanged, this, [this](Qt::ApplicationState state) {
    if (state != Qt::ApplicationActive || isMinimized()) return;
    DocumentCommands(app_.Doc()).CheckExternalChange();
    AfterDocumentChange();
  });
  setAcceptDrops(true);

  // The find and replace bars: a tool window owned by this window.
  searchBar_ = new SearchBarWindow(
      [this]() -> EditorView& { return View(); },
      [this](int id) {
        find::PressBarButton(View(), id);
        AfterDocumentChange();
      },
      [this] {
        activateWindow();
        TextWidget().setFocus();
      },
      this);

  lastMouse_ = QCursor::pos();
  UpdateTitle();
  UpdateStatus();
  RefreshImeMark();
}

MainWindow::~MainWindow() { qApp->removeEventFilter(this); }

void MainWindow::BuildMenus() {
  for (const MenuPopup& popup : View().Commands().MainMenu()) {
    QMenu* menu = menuBar()->addMenu(Q(popup.caption));
    FillCommandMenu(*menu, View().Commands(), popup.items, CaptionKind::Main, [this](int id) { RunCommand(id); });
    const bool isFileMenu =
        std::find(popup.items.begin(), popup.items.end(), cmd::FileOpen) != popup.items.end();
    connect(menu, &QMenu::aboutToShow, this, [this, menu, isFileMenu] {
      if (isFileMenu) RefreshRecentFiles(*menu);
      RefreshCommandStates(*menu, View());
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

// A command may read a large file or rewrite a large text: it runs under the
// wait cursor, which steps aside for the dialogs it opens.
void MainWindow::RunCommand(int id) {
  const WaitCursorScope waiting;
  View().Execute(id);
  AfterDocumentChange();
}

void MainWindow::AfterDocumentChange() {
  for (const auto& [view, display] : displays_) display->Refresh();
  searchBar_->Sync();
  for (const auto& [view, widget] : widgets_) widget->Refresh();
  RefreshImeMark();
  UpdateTitle();
  UpdateStatus();
  ArmIdle();
}

// ---------------------------------------------------------------- closing and dropped files

void MainWindow::closeEvent(QCloseEvent* event) {
  if (DocumentCommands(app_.Doc()).CanCloseFrame(View(), print_host::InPreview())) {
    for (int i = 0; i < panes_.PaneCount(); ++i) find::ForgetBars(panes_.Pane(i));  // their histories are kept
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
  const WaitCursorScope waiting;
  DocumentCommands(app_.Doc()).OnDropFile(View(), QFile::encodeName(urls.first().toLocalFile()).toStdString());
  AfterDocumentChange();
}

// ---------------------------------------------------------------- title and status

// The title names the document type's window, "PivraF"; message boxes are
// captioned with the program's name instead.
QString MainWindow::TitleText() const { return Q(app_.Doc().Title()) + QStringLiteral("[*] - PivraF"); }

// Qt shows the "[*]" of the title as "*" while the window is marked modified.
void MainWindow::UpdateTitle() {
  const QString title = TitleText();
  if (windowTitle() != title) setWindowTitle(title);
  setWindowModified(app_.Doc().IsModified());
}

QString MainWindow::CaretPaneText() const { return caretPane_ ? caretPane_->text() : QString(); }
QString MainWindow::InsertPaneText() const { return insertPane_ ? insertPane_->text() : QString(); }
QString MainWindow::EncodingPaneText() const { return encodingPane_ ? encodingPane_->text() : QString(); }

void MainWindow::UpdateStatus() {
  if (!caretPane_) return;
  if (print_host::InPreview()) {
    insertPane_->setText(QString());
    capsPane_->setText(QString());
    caretPane_->setText(QStringLiteral("プレビューモード"));
    return;
  }
  insertPane_->setText(Q(status_panes::InsertPaneText(View().modes.insert)));
  // Caps Lock's state cannot be read portably; the pane stays empty.
  capsPane_->setText(QString());
  caretPane_->setText(Q(status_panes::CaretPaneText(View().Edit())));
  encodingPane_->setText(Q(status_panes::EncodingPaneText(app_.Doc().Form().encoding, app_.Doc().IsLossy(),
                                                           app_.Doc().Form().format == csv::FileFormat::Csv)));
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
  panes_.OnIdle(atRest);
  searchBar_->Sync();
  // What waits for a resting mouse is drawn once the mouse rests; input has
  // already repainted the text itself.
  for (const auto& [view, widget] : widgets_)
    if (atRest && (view->redraw.lineNumbers || view->redraw.colouring || view->redraw.caret || view->redraw.imeMark))
      widget->Refresh();
  if (toolBar_) toolBar_->RefreshStates(View());
  UpdateStatus();
  UpdateTitle();
  for (const auto& [view, display] : displays_) display->Refresh();
  RefreshImeMark();
  if (!atRest) restTimer_.start();
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  // A key with Ctrl or Alt is an accelerator, which may open a file or
  // rewrite a large text: it is handled under the wait cursor, as a menu
  // command is (plain typing is not).
  const auto isAccelerator = [](const QKeyEvent& key) {
    const bool modifierAlone = key.key() == Qt::Key_Control || key.key() == Qt::Key_Alt ||
                               key.key() == Qt::Key_Shift || key.key() == Qt::Key_Meta;
    return !modifierAlone && (key.modifiers() & (Qt::ControlModifier | Qt::AltModifier));
  };
  if (event->type() == QEvent::KeyPress && !redeliveringKey_ && isAccelerator(*static_cast<QKeyEvent*>(event))) {
    for (int i = 0; i < panes_.PaneCount(); ++i) {
      if (watched != WidgetOf(panes_.Pane(i))) continue;
      const WaitCursorScope waiting;
      redeliveringKey_ = true;
      QCoreApplication::sendEvent(watched, event);
      redeliveringKey_ = false;
      return true;
    }
  }
  // The pane area's size is the panes' client area.
  if (watched == paneArea_ && event->type() == QEvent::Resize) {
    panes_.SetClientSize(paneArea_->width(), paneArea_->height());
  }
  // Moving the focus into the other pane makes it the active one.
  if (event->type() == QEvent::FocusIn) {
    if (inputMethodStatus_) inputMethodStatus_->Ask();
    for (int i = 0; i < panes_.PaneCount(); ++i)
      if (watched == WidgetOf(panes_.Pane(i)) && i != panes_.ActiveIndex()) {
        panes_.ActivatePane(i);
        AfterDocumentChange();
      }
  }
  if (IsInputEvent(event->type()) && watched->isWidgetType()) {
    const QWidget* w = static_cast<QWidget*>(watched);
    if (w->window() == this) ArmIdle();
  }
  return QMainWindow::eventFilter(watched, event);
}

// ---------------------------------------------------------------- panes

void MainWindow::RefreshImeMark() {
  if (!imeMark_ || displays_.find(&View()) == displays_.end()) return;
  const QString mark = Display().ImeMarkText();
  if (imeMark_->text() != mark) imeMark_->setText(mark);
}

PivraTextWidget* MainWindow::WidgetOf(EditorView& view) const {
  const auto it = widgets_.find(&view);
  return it == widgets_.end() ? nullptr : it->second;
}

void MainWindow::AddPaneWidget(EditorView& view) {
  auto* widget = new PivraTextWidget(view, layout_, paneArea_);
  if (inputMethodStatus_ && inputMethodStatus_->Known()) widget->SetInputMethodOn(inputMethodStatus_->On());
  widgets_[&view] = widget;
  // The overlay and the display font of this pane.
  displays_[&view] = new ViewDisplay(*widget, app_.Settings());
  connect(widget, &PivraTextWidget::viewChanged, this, [this] {
    UpdateTitle();  // typing and undo change the modified mark at once
    ArmIdle();
  });
  LayOutPanes();
}

// The widget goes when control is back in the event loop (the command that
// removed its pane may have come from it); its view is released after it.
void MainWindow::RemovePaneWidget(EditorView& view) {
  PivraTextWidget* widget = WidgetOf(view);
  if (!widget) return;
  widgets_.erase(&view);
  displays_.erase(&view);
  widget->hide();
  widget->setParent(nullptr);
  connect(widget, &QObject::destroyed, this, [this, gone = &view] { panes_.ReleaseRemovedPane(gone); });
  widget->deleteLater();
}

// The widgets in the splitter's order and sizes, the focus in the active pane.
void MainWindow::LayOutPanes() {
  paneArea_->setOrientation(panes_.State() == PaneSplitter::Split::Columns ? Qt::Horizontal : Qt::Vertical);
  QList<int> sizes;
  for (int i = 0; i < panes_.PaneCount(); ++i) {
    PivraTextWidget* widget = WidgetOf(panes_.Pane(i));
    if (!widget) continue;
    paneArea_->insertWidget(i, widget);
    widget->show();
    const Rect r = panes_.PaneRect(i);
    sizes.push_back(panes_.State() == PaneSplitter::Split::Columns ? r.Width() : r.Height());
  }
  // Sizes the user has dragged stay until the splitter decides new ones.
  if (sizes != appliedSizes_ || paneArea_->count() != sizes.size()) paneArea_->setSizes(sizes);
  appliedSizes_ = sizes;
  if (PivraTextWidget* active = WidgetOf(View()); active && !active->hasFocus() && isVisible()) active->setFocus();
}
