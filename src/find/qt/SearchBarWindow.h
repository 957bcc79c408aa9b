// SearchBarWindow: the find bar ("検索") and the replace bar ("置換") on the
// screen: a small modeless tool window of the main window.
//
// It shows the view's shown bar (find/SearchBars.h), or hides itself when none
// is shown. What the user types into a list's edit field is written back to
// the bar's data at once; buttons and check boxes run their commands through
// the main window; Esc and the close box hide the bar as the core says.
// Sync() is called after every command and input, and rebuilds the controls
// only when the kind of bar changes.
#pragma once

#include <QDialog>
#include <functional>

class EditorView;
class QCheckBox;
class QComboBox;
class QPushButton;

class SearchBarWindow : public QDialog {
  Q_OBJECT

 public:
  // `run` executes a command as the menu does; `focusText` gives the focus
  // back to the text.
  // `activeView` gives the pane the bar works on: the active one when the
  // window is split.
  SearchBarWindow(std::function<EditorView&()> activeView, std::function<void(int)> run,
                  std::function<void()> focusText, QWidget* parent);

  void Sync();

  // The widgets by control id (tests).
  QComboBox* SearchList() const { return searchList_; }
  QComboBox* ReplacementList() const { return replacementList_; }
  QPushButton* Button(int id) const;
  QCheckBox* CheckBox(int id) const;

 protected:
  void reject() override;  // Esc
  void closeEvent(QCloseEvent* event) override;

 private:
  void Build(bool replace);
  QComboBox* MakeList(int id, bool replacement);
  QPushButton* MakeButton(int id, const char* caption);
  QCheckBox* MakeCheckBox(int id, const char* caption);
  void FillList(QComboBox* list, const std::vector<std::string>& items, const std::string& edit);
  void Press(int id);

  EditorView& ActiveView() const { return activeView_(); }

  std::function<EditorView&()> activeView_;
  std::function<void(int)> run_;
  std::function<void()> focusText_;
  int builtKind_ = -1;  // -1 none, 0 find bar, 1 replace bar
  int focusSeen_ = 0;
  bool syncing_ = false;
  QComboBox* searchList_ = nullptr;
  QComboBox* replacementList_ = nullptr;
};
