// CommandTable: every command of the program, declared once.
//
// An entry holds the numeric id, a name, its captions in the main menu (M),
// the editing context menu "編集" (E) and the table context menu "表計算" (T),
// the operation, and the rules that enable and tick it. Entries are written
// with designated initialisers, leaving out the members that stay empty:
//   t.Add({.id = cmd::SortRows, .name = "sort-rows", .tableCaption = "行の並べ替え", .run = SortRowsCommand});
// Invariants: ids and names are unique in a table; a name is lower-case
// ASCII words (letters and digits) joined by single '-' (IsCommandName).
// Scripts store both, so neither ever changes. Menus, context menus,
// accelerators, the tool bar and the batch runner all read this one table;
// nothing else enables or disables a command. Each subsystem adds its
// entries through one function; the application builds the table, so a
// command that has no operation yet appears nowhere.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "editor/ViewEnums.h"

class EditorView;

struct CommandEntry {
  // Every member has an initialiser, so an entry written with designated
  // initialisers may leave out any of them.
  int id = 0;
  std::string name{};          // "sum-columns-below": what a script may call the command
  std::string mainCaption{};   // "" when not in the main menu
  std::string editCaption{};   // "" when not in the editing context menu
  std::string tableCaption{};  // "" when not in the table context menu
  std::function<void(EditorView&)> run{};
  // Enable rule; empty means always enabled. Some rules have a side effect on
  // the view (the web-search rule stores the selection), so they take it
  // non-const, as the menu does when it asks.
  std::function<bool(EditorView&)> enabled{};
  std::function<bool(EditorView&)> checked{};  // empty means never ticked
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
  // A subsystem's command. Throws std::logic_error when the name is not well
  // formed or another id already has it; a second entry with the same id
  // replaces the first (and frees its name).
  void Add(CommandEntry entry);
  const CommandEntry* Find(int id) const;
  // The command of that name, or nullptr.
  const CommandEntry* FindByName(std::string_view name) const;
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
  std::map<std::string, int, std::less<>> ids_;  // name -> id
  std::vector<KeyReleaseHandler> keyReleaseHandlers_;
};

// Whether `name` is lower-case ASCII letters and digits in words joined by
// single '-', starting with a letter: "sort-rows", "print-columns-2".
bool IsCommandName(std::string_view name);
