// MainWindow: the top-level window: menu bar, tool bar "標準", status bar and
// the panes, one text widget per view in a QSplitter.
//
// The panes are a PaneSplitter's: it decides when a pane is added or removed,
// which one is active and how large each is; this window makes and drops the
// widgets, lays them out and tells it when the focus moves to another pane.
// Commands, the status bar and the idle pass act on the active pane.
//
// The menu bar is the command table's main menu; before a menu opens, each
// entry asks the view whether it is enabled and ticked, and a chosen entry is
// executed by the view. The status bar carries the framework's message pane,
// the insert/overwrite pane, the Caps Lock pane and the caret pane.
//
// Idle pass: after input reaches the window, one zero-delay timer runs the
// view's idle pass once the event queue is empty, with "mouse at rest" when
// the cursor has not moved since the previous pass; then the status panes and
// the title are brought up to date and the text repainted when the view asks
// for it. When the mouse was moving, one more pass follows shortly after, so
// the work that waits for a resting mouse is done.
//
// The document is asked before the window closes (caret memory, save
// prompt), when the application becomes active (the file changed on disk)
// and when a file is dropped on the window. The File menu lists the recent
// files each time it opens.
#pragma once

#include <QMainWindow>
#include <QPoint>
#include <QTimer>
#include <map>

#include "app/PaneSplitter.h"

class AppContext;
class EditorView;
class FontLayout;
class InputMethodStatus;
class PivraTextWidget;
class ViewDisplay;
class QLabel;
class QMenu;
class SearchBarWindow;
class QSplitter;
class MainToolBar;

class MainWindow : public QMainWindow {
  Q_OBJECT

 public:
  MainWindow(AppContext& app, EditorView& view, const FontLayout& layout, QWidget* parent = nullptr);
  ~MainWindow() override;

  // The active pane's widget and view.
  PivraTextWidget& TextWidget() { return *widgets_.at(&View()); }
  EditorView& View() { return panes_.Active(); }
  PaneSplitter& Panes() { return panes_; }
  PivraTextWidget* WidgetOf(EditorView& view) const;
  MainToolBar* ToolBar() { return toolBar_; }
  // The active pane's overlay painter.
  ViewDisplay& Display() { return *displays_.at(&View()); }
  SearchBarWindow& SearchBar() { return *searchBar_; }

  // "<document title>[*] - PivraF"; the window shows "[*]" as "*" while the
  // document is modified.
  QString TitleText() const;
  // Sets the title and marks the window modified as the document is.
  void UpdateTitle();
  void UpdateStatus();
  QString CaretPaneText() const;
  QString InsertPaneText() const;
  QString EncodingPaneText() const;

  // Runs the idle pass now (the timer's work).
  void RunIdle();
  // Asks for an idle pass once the event queue is empty.
  void ArmIdle();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  void BuildMenus();
  void RefreshRecentFiles(QMenu& fileMenu);
  void RunCommand(int id);
  void AfterDocumentChange();
  // ---- panes
  void AddPaneWidget(EditorView& view);
  void RemovePaneWidget(EditorView& view);
  void LayOutPanes();
  void RefreshImeMark();

  AppContext& app_;
  const FontLayout& layout_;
  QSplitter* paneArea_;
  std::map<EditorView*, PivraTextWidget*> widgets_;
  QList<int> appliedSizes_;  // the pane sizes last given to the splitter
  PaneSplitter panes_;
  MainToolBar* toolBar_ = nullptr;
  std::map<EditorView*, ViewDisplay*> displays_;  // each a child of its pane's text widget
  QLabel* imeMark_ = nullptr;  // the input-method mark in the menu bar's corner
  InputMethodStatus* inputMethodStatus_ = nullptr;
  QLabel* insertPane_ = nullptr;
  QLabel* capsPane_ = nullptr;
  QLabel* caretPane_ = nullptr;
  QLabel* encodingPane_ = nullptr;
  QTimer idleTimer_;
  QTimer restTimer_;
  QPoint lastMouse_;
  bool redeliveringKey_ = false;  // an accelerator's key is being handled under the wait cursor
  // The find and replace bars' tool window, shown while the view has a shown bar.
  SearchBarWindow* searchBar_ = nullptr;
};
