#include "app/qt/MainToolBar.h"

#include <QAction>
#include <QIcon>
#include <QPainter>
#include <QPixmap>
#include <QRegularExpression>
#include <QSvgRenderer>

#include "editor/CommandIds.h"
#include "editor/CommandTable.h"
#include "editor/EditorView.h"

namespace {

// Commands of the tool bar that have no name in CommandIds.h yet.
constexpr int kPrintSetup = 57606;
constexpr int kRestoreWindows = 32873;

struct ButtonLook {
  int id;
  const char* iconName;  // the freedesktop name, also the name of the program's own icon
  const char* name;      // tooltip for a command that has no caption yet
};

const ButtonLook kLooks[] = {
    {cmd::FileNew, "document-new", "新規作成"},
    {cmd::FileOpen, "document-open", "開く"},
    {cmd::FileSave, "document-save", "上書き保存"},
    {cmd::NewWindow, "window-new", "新しいウィンドウ"},
    {cmd::OpenInNewWindow, "document-open-recent", "別ウィンドウで開く"},
    {cmd::Undo, "edit-undo", "元に戻す"},
    {cmd::Redo, "edit-redo", "先へ戻す"},
    {cmd::Cut, "edit-cut", "切り取り"},
    {cmd::Copy, "edit-copy", "コピー"},
    {cmd::Paste, "edit-paste", "貼り付け"},
    {kPrintSetup, "document-page-setup", "印刷設定"},
    {cmd::FilePrintPreview, "document-print-preview", "印刷プレビュー"},
    {cmd::FilePrint, "document-print", "印刷"},
    {cmd::SplitRows, "view-split-top-bottom", "分割・横"},
    {cmd::SplitColumns, "view-split-left-right", "分割・縦"},
    {cmd::Find, "edit-find", "検索"},
    {cmd::Replace, "edit-find-replace", "置換"},
    {cmd::DeleteBackupFiles, "edit-delete", "バックアップの削除"},
    {kRestoreWindows, "view-restore", "ウィンドウの復元"},
    {cmd::AppExit, "application-exit", "終了"},
    {cmd::OpenCommandPrompt, "utilities-terminal", "コマンドプロンプト"},
    {cmd::OpenCalculator, "accessories-calculator", "電卓"},
    {cmd::ToggleReadOnly, "object-locked", "読取専用設定・解除"},
};

const ButtonLook* LookOf(int id) {
  for (const ButtonLook& look : kLooks)
    if (look.id == id) return &look;
  return nullptr;
}

// The sizes the own icons are rendered at: the tool bar's 16 pixels and the
// larger sizes a high-density screen or a bigger icon setting asks for.
constexpr int kOwnIconSizes[] = {16, 24, 32, 48};

}  // namespace

const std::vector<int>& MainToolBar::Layout() {
  using namespace cmd;
  static const std::vector<int> ids = {
      FileNew, FileOpen, FileSave, 0, NewWindow, OpenInNewWindow, 0, Undo, Redo, 0, Cut, Copy, Paste, 0,
      kPrintSetup, FilePrintPreview, FilePrint, 0, SplitRows, SplitColumns, 0, Find, Replace, 0,
      DeleteBackupFiles, 0, kRestoreWindows, 0, AppExit, 0, OpenCommandPrompt, 0, OpenCalculator, 0,
      ToggleReadOnly};
  return ids;
}

QString MainToolBar::ToolTipOf(const CommandTable& commands, int id) {
  QString caption;
  if (const CommandEntry* entry = commands.Find(id)) {
    const std::string& c = !entry->mainCaption.empty() ? entry->mainCaption : entry->editCaption;
    caption = QString::fromStdString(c);
  }
  if (caption.isEmpty()) {
    const ButtonLook* look = LookOf(id);
    return look ? QString::fromUtf8(look->name) : QString();
  }
  // "分割・横 ( &1 )" -> "分割・横", "開く(&O)..." -> "開く"
  static const QRegularExpression mnemonic(QStringLiteral("\\s*\\(\\s*&.\\s*\\)"));
  caption.remove(mnemonic);
  caption.remove(QLatin1Char('&'));
  if (caption.endsWith(QStringLiteral("..."))) caption.chop(3);
  return caption.trimmed();
}

QString MainToolBar::OwnIconResource(int id) {
  const ButtonLook* look = LookOf(id);
  return look ? QStringLiteral(":/icons/toolbar/%1.svg").arg(QLatin1String(look->iconName)) : QString();
}

QIcon MainToolBar::OwnIconOf(int id) {
  QSvgRenderer svg(OwnIconResource(id));
  if (!svg.isValid()) return QIcon();
  QIcon icon;
  for (const int size : kOwnIconSizes) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    svg.render(&p, QRectF(0, 0, size, size));
    p.end();
    icon.addPixmap(pixmap);
  }
  return icon;
}

QIcon MainToolBar::IconOf(int id) {
  const ButtonLook* look = LookOf(id);
  if (!look) return QIcon();
  const QIcon themed = QIcon::fromTheme(QString::fromLatin1(look->iconName));
  return themed.isNull() ? OwnIconOf(id) : themed;
}

MainToolBar::MainToolBar(const CommandTable& commands, std::function<void(int)> run, QWidget* parent)
    : QToolBar(QStringLiteral("標準"), parent) {
  setObjectName(QStringLiteral("StandardToolBar"));
  setIconSize(QSize(16, 16));
  for (const int id : Layout()) {
    if (id == 0) {
      addSeparator();
      continue;
    }
    QAction* action = addAction(IconOf(id), ToolTipOf(commands, id));
    action->setData(id);
    action->setToolTip(ToolTipOf(commands, id));
    action->setEnabled(commands.Find(id) != nullptr);
    connect(action, &QAction::triggered, this, [run, id] { run(id); });
  }
}

void MainToolBar::RefreshStates(EditorView& view) {
  for (QAction* action : actions()) {
    if (action->isSeparator()) continue;
    const int id = action->data().toInt();
    const bool enabled = view.Commands().Find(id) != nullptr && view.IsEnabled(id);
    if (action->isEnabled() != enabled) action->setEnabled(enabled);
  }
}
