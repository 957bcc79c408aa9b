// CommandTable: every command of the program, declared once.
//
// An entry holds the numeric id, its captions in the main menu (M), the
// editing context menu "編集" (E) and the table context menu "表計算" (T), the
// operation, and the rules that enable and tick it. Menus, context menus,
// accelerators, the tool bar and the batch runner all read this one table;
// nothing else enables or disables a command. Each subsystem adds its
// entries through one function; the application builds the table, so a
// command that has no operation yet appears nowhere.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "editor/ViewEnums.h"

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

// A key binding: a key code (editor/KeyCodes.h) and modifiers.
struct Accelerator {
  int key = 0;
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
  // A subsystem's command; a second entry with the same id replaces the first.
  void Add(CommandEntry entry);
  const CommandEntry* Find(int id) const;
  const std::map<int, CommandEntry>& Entries() const { return entries_; }

  // The main menu bar, the editing menu and the table menu, in
  // order, with the commands that are not built left out (and no separator
  // doubled, leading or trailing).
  std::vector<MenuPopup> MainMenu() const;
  std::vector<int> ContextMenuItems(ContextMenu menu) const;

  // The accelerator table; bindings of commands that are not built are left out.
  std::vector<Accelerator> Accelerators() const;
  // The command bound to the key, or 0.
  int CommandForKey(int key, bool ctrl, bool shift, bool alt) const;

  // Steps a subsystem runs on every key release, after the view's own (the
  // in-line calculation on Enter), in the order they were added.
  using KeyReleaseHandler = std::function<void(EditorView&, int key)>;
  void AddKeyReleaseHandler(KeyReleaseHandler handler) { keyReleaseHandlers_.push_back(std::move(handler)); }
  const std::vector<KeyReleaseHandler>& KeyReleaseHandlers() const { return keyReleaseHandlers_; }

 private:
  std::vector<int> Present(const std::vector<int>& ids) const;
  std::map<int, CommandEntry> entries_;
  std::vector<KeyReleaseHandler> keyReleaseHandlers_;
};
