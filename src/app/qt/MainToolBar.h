// MainToolBar: the tool bar "標準" of the main window.
//
// One button per command, in the order the window has always shown them,
// with separators between the groups. Icons come from the desktop's icon
// theme by their freedesktop names; where the theme has none, the program's
// own icon of that name stands in: an SVG of resources/icons/toolbar
// (compiled in as the Qt resource :/icons/toolbar/NAME.svg, all drawn on a
// 16 x 16 grid in one style), so no button is ever blank.
// Tooltips are the commands' menu captions. Each button runs its command in
// the active pane; RefreshStates asks the pane's enable rules, as the menus
// do, and a command that is not built yet stays disabled. Like any Qt tool
// bar it can be moved, and hidden or shown from the context menu of the menu
// and tool bar area.
#pragma once

#include <QToolBar>
#include <functional>

class CommandTable;
class EditorView;

class MainToolBar : public QToolBar {
  Q_OBJECT

 public:
  MainToolBar(const CommandTable& commands, std::function<void(int)> run, QWidget* parent = nullptr);

  // The buttons' command ids in order, 0 for a separator.
  static const std::vector<int>& Layout();
  // The caption a button's tooltip shows: the menu caption without its
  // mnemonic and dots, or a name of its own for a command without one.
  static QString ToolTipOf(const CommandTable& commands, int id);
  // The theme's icon for the command, or the program's own.
  static QIcon IconOf(int id);
  // The program's own icon for the command, rendered from its SVG resource
  // (a null icon for a command without one), and that resource's path.
  static QIcon OwnIconOf(int id);
  static QString OwnIconResource(int id);

  void RefreshStates(EditorView& view);
};
