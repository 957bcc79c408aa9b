#include "editor/qt/CommandMenu.h"

#include <QAction>
#include <QString>

#include "editor/EditorView.h"
#include "editor/CommandTable.h"

namespace {

QString KeyName(int key) {
  switch (key) {
    case key::Up: return QStringLiteral("Up");
    case key::Down: return QStringLiteral("Down");
    case key::Left: return QStringLiteral("Left");
    case key::Right: return QStringLiteral("Right");
    case key::Insert: return QStringLiteral("Insert");
    case key::F3: return QStringLiteral("F3");
    case key::F6: return QStringLiteral("F6");
    default: return key >= 0x20 && key < 0x7F ? QString(QChar(key)) : QString();
  }
}

// The first key bound to the command, as the menu shows it ("Ctrl+Z").
QString ShortcutText(const CommandTable& table, int id) {
  for (const Accelerator& a : table.Accelerators()) {
    if (a.command != id) continue;
    QString s;
    if (a.ctrl) s += QStringLiteral("Ctrl+");
    if (a.shift) s += QStringLiteral("Shift+");
    if (a.alt) s += QStringLiteral("Alt+");
    return s + KeyName(a.key);
  }
  return {};
}

}  // namespace

void FillCommandMenu(QMenu& menu, const CommandTable& table, const std::vector<int>& ids, CaptionKind kind,
                     const std::function<void(int)>& run) {
  for (int id : ids) {
    if (id == 0) {
      menu.addSeparator();
      continue;
    }
    const CommandEntry* entry = table.Find(id);
    if (!entry) continue;
    const std::string& caption =
        kind == CaptionKind::Main ? entry->mainCaption : kind == CaptionKind::Edit ? entry->editCaption : entry->tableCaption;
    QString text = QString::fromStdString(caption);
    const QString keys = ShortcutText(table, id);
    if (!keys.isEmpty()) text += QLatin1Char('\t') + keys;
    QAction* action = menu.addAction(text);
    action->setData(id);
    action->setCheckable(static_cast<bool>(entry->checked));
    QObject::connect(action, &QAction::triggered, &menu, [run, id] { run(id); });
  }
}

void RefreshCommandStates(QMenu& menu, EditorView& view) {
  for (QAction* action : menu.actions()) {
    const int id = CommandOf(action);
    if (id == 0) continue;
    action->setEnabled(view.IsEnabled(id));
    if (action->isCheckable()) action->setChecked(view.IsChecked(id));
  }
}

int CommandOf(const QAction* action) {
  if (!action || action->isSeparator()) return 0;
  bool ok = false;
  const int id = action->data().toInt(&ok);
  return ok ? id : 0;
}
