// CommandTable: every command of the program, declared once.
//
// An entry holds the numeric id, its captions in the main menu (M), the
// editing context menu "編集" (E) and the table context menu "表計算" (T), the
// operation, and the rules that enable and tick it. Menus, context menus,
// accelerators, the tool bar and the batch runner all read this one table;
// nothing else enables or disables a command. A subsystem adds its entries
// when it is built, so a command that has no operation yet appears nowhere.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

class EditorView;

struct CommandEntry {
  int id = 0;
  std::string mainCaption;   // "" when not in the main menu
  std::string editCaption;   // "" when not in the editing context menu
  std::string tableCaption;  // "" when not in the table context menu
  std::function<void(EditorView&)> run;
  // Enable rule; empty means always enabled. Some rules have a side effect on
  // the view (the web-search rule stores the selection), so they take it
  // non-const, as the menu does when it asks.
  std::function<bool(EditorView&)> enabled;
  std::function<bool(EditorView&)> checked;  // empty means never ticked
};

// A key binding: Windows virtual-key code and modifiers.
struct Accelerator {
  int vk = 0;
  bool ctrl = false;
  bool shift = false;
  bool alt = false;
  int command = 0;
};

struct MenuPopup {
  std::string caption;
  std::vector<int> items;  // command ids; 0 is a separator
};

class CommandTable {
 public:
  // The table with every built command registered.
  static const CommandTable& Get();

  void Add(CommandEntry entry);
  const CommandEntry* Find(int id) const;
  const std::map<int, CommandEntry>& Entries() const { return entries_; }

  // The main menu bar, the editing menu (119) and the table menu (321), in
  // order, with the commands that are not built left out (and no separator
  // doubled, leading or trailing).
  std::vector<MenuPopup> MainMenu() const;
  std::vector<int> ContextMenu(int resource) const;

  // The accelerator table; bindings of commands that are not built are left out.
  std::vector<Accelerator> Accelerators() const;
  // The command bound to the key, or 0.
  int CommandForKey(int vk, bool ctrl, bool shift, bool alt) const;

 private:
  std::vector<int> Present(const std::vector<int>& ids) const;
  std::map<int, CommandEntry> entries_;
};

// Registration of each subsystem's commands into the table.
void RegisterEditorCommands(CommandTable& table);
void RegisterTableCommands(CommandTable& table);
void RegisterBlockCommands(CommandTable& table);
void RegisterCalcCommands(CommandTable& table);
void RegisterDocumentCommands(CommandTable& table);
