#include "find/qt/SearchBarWindow.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "editor/CommandIds.h"
#include "editor/EditorView.h"
#include "find/FindCommands.h"
#include "find/SearchBars.h"
#include "text/Cp932.h"

namespace {

QString FromCp932(const std::string& text) {
  const std::string utf8 = cp932::ToUtf8(text);
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

std::string ToCp932(const QString& text) { return cp932::FromUtf8(text.toUtf8().toStdString()); }

QString IdName(int id) { return QString::number(id); }

// Enter in a list's edit field is the list's own command (its "activation"),
// not the dialog's default button.
class EnterFilter : public QObject {
 public:
  EnterFilter(std::function<void()> onEnter, QObject* parent) : QObject(parent), onEnter_(std::move(onEnter)) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::KeyPress) {
      const int key = static_cast<QKeyEvent*>(event)->key();
      if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        onEnter_();
        return true;
      }
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  std::function<void()> onEnter_;
};

}  // namespace

SearchBarWindow::SearchBarWindow(std::function<EditorView&()> activeView, std::function<void(int)> run,
                                 std::function<void()> focusText, QWidget* parent)
    : QDialog(parent, Qt::Tool),
      activeView_(std::move(activeView)),
      run_(std::move(run)),
      focusText_(std::move(focusText)) {
  setModal(false);
  setLayout(new QGridLayout);
  focusSeen_ = find::BarsOf(ActiveView()).focusRequests;
}

QPushButton* SearchBarWindow::Button(int id) const { return findChild<QPushButton*>(IdName(id)); }
QCheckBox* SearchBarWindow::CheckBox(int id) const { return findChild<QCheckBox*>(IdName(id)); }

void SearchBarWindow::Press(int id) {
  if (syncing_) return;
  run_(id);
}

QComboBox* SearchBarWindow::MakeList(int id, bool replacement) {
  auto* list = new QComboBox(this);
  list->setObjectName(IdName(id));
  list->setEditable(true);
  list->setInsertPolicy(QComboBox::NoInsert);
  list->setMinimumContentsLength(24);
  // The bars' lists: bold 10-point "ＭＳ Ｐゴシック" (mapped to an installed face).
  QFont font(QStringLiteral("ＭＳ Ｐゴシック"), 10, QFont::Bold);
  list->setFont(font);
  auto writeBack = [this, replacement](const QString& text) {
    if (syncing_) return;
    find::SearchBar* bar = find::BarsOf(ActiveView()).ShownBar();
    if (!bar) return;
    (replacement ? bar->replacement : bar->search).edit = ToCp932(text);
  };
  connect(list, &QComboBox::editTextChanged, this, writeBack);
  connect(list, &QComboBox::textActivated, this, [this, id, writeBack](const QString& text) {
    writeBack(text);
    Press(id);
  });
  list->lineEdit()->installEventFilter(new EnterFilter([this, id] { Press(id); }, list));
  return list;
}

QPushButton* SearchBarWindow::MakeButton(int id, const char* caption) {
  auto* button = new QPushButton(QString::fromUtf8(caption), this);
  button->setObjectName(IdName(id));
  button->setAutoDefault(false);
  connect(button, &QPushButton::clicked, this, [this, id] { Press(id); });
  return button;
}

QCheckBox* SearchBarWindow::MakeCheckBox(int id, const char* caption) {
  auto* box = new QCheckBox(QString::fromUtf8(caption), this);
  box->setObjectName(IdName(id));
  connect(box, &QCheckBox::clicked, this, [this, id] { Press(id); });
  return box;
}

void SearchBarWindow::Build(bool replace) {
  // The old controls go later: the button that switched the bar may be
  // the one whose click is being handled.
  for (QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
    child->hide();
    child->setObjectName(QString());
    layout()->removeWidget(child);
    child->deleteLater();
  }
  auto* grid = static_cast<QGridLayout*>(layout());
  searchList_ = MakeList(cmd::BarSearchList, false);
  replacementList_ = nullptr;
  if (!replace) {
    grid->addWidget(new QLabel(QStringLiteral("検索"), this), 0, 0);
    grid->addWidget(searchList_, 0, 1, 1, 3);
    grid->addWidget(MakeButton(cmd::BarFindNext, "次を検索"), 0, 4);
    grid->addWidget(MakeButton(cmd::BarFindPrevious, "前を検索"), 0, 5);
    grid->addWidget(MakeCheckBox(cmd::BarFindCase, "大/小文字"), 1, 0, 1, 2);
    grid->addWidget(MakeCheckBox(cmd::BarContinuous, "連続"), 1, 2);
    grid->addWidget(MakeButton(cmd::BarRecordPosition, "位置記録"), 1, 3);
    grid->addWidget(MakeButton(cmd::BarReturnToStart, "開始前位置に戻る"), 1, 4);
    grid->addWidget(MakeButton(cmd::Replace, "置換へ"), 1, 5);
    grid->addWidget(MakeButton(cmd::Find, "閉じる"), 1, 6);
  } else {
    replacementList_ = MakeList(cmd::BarReplacementList, true);
    grid->addWidget(new QLabel(QStringLiteral("検索文字列"), this), 0, 0);
    grid->addWidget(searchList_, 0, 1);
    grid->addWidget(MakeButton(cmd::BarFindNext, "次を検索"), 0, 2);
    grid->addWidget(MakeButton(cmd::BarReplace, "置換"), 0, 3);
    grid->addWidget(MakeButton(cmd::BarFindPrevious, "前を検索"), 0, 4);
    grid->addWidget(MakeButton(cmd::BarReplaceAll, "全置換"), 0, 5);
    grid->addWidget(new QLabel(QStringLiteral("置換文字列"), this), 1, 0);
    grid->addWidget(replacementList_, 1, 1);
    grid->addWidget(MakeButton(cmd::Undo, "元へ戻す"), 1, 2);
    grid->addWidget(MakeButton(cmd::Redo, "先へ戻す"), 1, 3);
    grid->addWidget(MakeButton(cmd::BarRecordPosition, "位置記録"), 1, 4);
    grid->addWidget(MakeButton(cmd::BarReturnToStart, "開始前位置に戻る"), 1, 5);
    grid->addWidget(MakeCheckBox(cmd::BarReplaceCase, "大/小文字区別"), 2, 1);
    grid->addWidget(MakeButton(cmd::Find, "検索へ"), 2, 4);
    grid->addWidget(MakeButton(cmd::Replace, "閉じる"), 2, 5);
  }
  QPushButton* findNext = Button(cmd::BarFindNext);
  findNext->setAutoDefault(true);
  findNext->setDefault(true);
  setWindowTitle(replace ? QStringLiteral("置換") : QStringLiteral("検索"));
  builtKind_ = replace ? 1 : 0;
  adjustSize();
}

void SearchBarWindow::FillList(QComboBox* list, const std::vector<std::string>& items, const std::string& edit) {
  QStringList texts;
  for (const std::string& item : items) texts << FromCp932(item);
  QStringList shown;
  for (int i = 0; i < list->count(); ++i) shown << list->itemText(i);
  if (shown != texts) {
    list->clear();
    list->addItems(texts);
  }
  const QString text = FromCp932(edit);
  if (list->currentText() != text) list->setEditText(text);
}

void SearchBarWindow::Sync() {
  find::SearchBars& bars = find::BarsOf(ActiveView());
  const find::SearchBar* bar = bars.ShownBar();
  syncing_ = true;
  if (bar) {
    if (builtKind_ != (bar->replace ? 1 : 0)) Build(bar->replace);
    FillList(searchList_, bar->search.items, bar->search.edit);
    if (replacementList_) FillList(replacementList_, bar->replacement.items, bar->replacement.edit);
    for (int id : {cmd::BarFindCase, cmd::BarContinuous, cmd::BarReplaceCase})
      if (QCheckBox* box = CheckBox(id)) box->setChecked(ActiveView().IsChecked(id));
    for (int id : {cmd::Undo, cmd::Redo, cmd::BarReplace, cmd::BarReplaceAll})
      if (QPushButton* button = Button(id)) button->setEnabled(ActiveView().IsEnabled(id));
    if (!isVisible()) {
      if (QWidget* owner = parentWidget()) {
        // The top right corner of the owner, below its menu bar.
        const QRect frame = owner->frameGeometry();
        move(frame.right() - width() - 24, frame.top() + 64);
      }
      show();
      raise();
      activateWindow();
    }
  } else if (isVisible()) {
    hide();
  }
  syncing_ = false;
  if (bars.focusRequests == focusSeen_) return;
  focusSeen_ = bars.focusRequests;
  QWidget* target = nullptr;
  switch (bars.focus) {
    case find::BarFocus::SearchList: target = searchList_; break;
    case find::BarFocus::ReplacementList: target = replacementList_; break;
    case find::BarFocus::FindNextButton: target = Button(cmd::BarFindNext); break;
    case find::BarFocus::Text: break;
  }
  if (bar && target) {
    activateWindow();
    target->setFocus();
    if (auto* list = qobject_cast<QComboBox*>(target)) list->lineEdit()->selectAll();
  } else {
    focusText_();
  }
}

void SearchBarWindow::reject() {
  find::CloseShownBar(ActiveView());
  Sync();
}

void SearchBarWindow::closeEvent(QCloseEvent* event) {
  find::CloseShownBar(ActiveView());
  event->accept();
  Sync();
}
