#include "editor/CommandTable.h"

#include "editor/EditorView.h"
#include "editor/KeyCodes.h"

namespace {

// The menus as laid out for the user; ids of commands that are not built are
// dropped when the menus are asked for.
const std::vector<std::pair<const char*, std::vector<int>>>& MainMenuLayout() {
  static const std::vector<std::pair<const char*, std::vector<int>>> layout = {
      {"ファイル(&F)", {57600, 57601, 57603, 57604, 0, 32902, 32875, 0, 57607, 57609, 0, 32793, 0, 57665}},
      {"編集(&E)", {32789, 32788, 0, 57635, 57634, 57637, 57642, 0, 32840, 32841}},
      {"表示(&V)", {32794, 32795, 0, 32777, 32798, 32774, 32821, 0, 32797}},
      {"移動・分割", {32800, 32801, 32802, 32803, 32804, 32805, 0, 32815, 0, 32807, 32808}},
      {"表計算(&T)", {32809, 32868, 0, 32811, 32812, 32813}},
      {"印刷設定", {32775, 0, 32780, 32781, 32782, 32783, 0, 32784, 32785, 32786, 32787}},
      {"ツール", {32816, 32814}},
  };
  return layout;
}

// The editing menu and the table menu, in the order of the command table.
const std::vector<int>& EditMenuLayout() {
  static const std::vector<int> ids = {32789, 32788, 0, 57635, 57634, 57637, 57642, 0, 32800, 32801, 32815,
                                       0, 33096, 0, 32826, 32827, 0, 32809};
  return ids;
}

const std::vector<int>& TableMenuLayout() {
  static const std::vector<int> ids = {
      57635, 57634, 57637, 57642, 0, 33096, 0, 32954, 32956, 33047, 33048, 0, 32955, 32957, 33052, 33053, 0,
      32967, 33049, 32958, 33050, 32968, 33054, 32959, 33055, 0, 32971, 33051, 32972, 33056, 0, 32960, 33098,
      32999, 0, 32961, 32970, 33107, 0, 32962, 32963, 32964, 32965, 32966, 0, 33005, 33006, 33007, 33057, 0,
      32811, 32812, 32813, 0, 32809};
  return ids;
}

const std::vector<Accelerator>& AcceleratorLayout() {
  using namespace key;
  static const std::vector<Accelerator> keys = {
      {'Z', true, false, false, 32789}, {'Y', true, false, false, 32788}, {'X', true, false, false, 57635},
      {'C', true, false, false, 57634}, {'V', true, false, false, 57637}, {Insert, false, true, false, 57637},
      {'A', true, false, false, 57642}, {'F', true, false, false, 32840}, {'R', true, false, false, 32841},
      {F3, false, false, false, 57640}, {'N', true, false, false, 57600}, {'O', true, false, false, 57601},
      {'S', true, false, false, 57603}, {'P', true, false, false, 57607}, {Up, false, false, true, 32800},
      {Down, false, false, true, 32801}, {Left, true, false, false, 32802}, {Left, false, false, true, 32802},
      {Right, true, false, false, 32803}, {Right, false, false, true, 32803}, {Up, true, false, false, 32804},
      {Down, true, false, false, 32805}, {'J', true, false, false, 32815}, {'3', true, false, false, 32794},
      {'4', true, false, false, 32795}, {'1', true, false, false, 32807}, {'2', true, false, false, 32808},
      {F6, false, false, false, 57680}, {F6, false, true, false, 57681},
  };
  return keys;
}

}  // namespace

void CommandTable::Add(CommandEntry entry) {
  const int id = entry.id;
  entries_[id] = std::move(entry);
}

const CommandEntry* CommandTable::Find(int id) const {
  auto it = entries_.find(id);
  return it == entries_.end() ? nullptr : &it->second;
}

std::vector<int> CommandTable::Present(const std::vector<int>& ids) const {
  std::vector<int> out;
  for (int id : ids) {
    if (id == 0) {
      if (!out.empty() && out.back() != 0) out.push_back(0);
    } else if (Find(id)) {
      out.push_back(id);
    }
  }
  while (!out.empty() && out.back() == 0) out.pop_back();
  return out;
}

std::vector<MenuPopup> CommandTable::MainMenu() const {
  std::vector<MenuPopup> menus;
  for (const auto& [caption, ids] : MainMenuLayout()) {
    std::vector<int> items;
    for (int id : Present(ids))
      if (id == 0 || !Find(id)->mainCaption.empty()) items.push_back(id);
    if (!items.empty()) menus.push_back({caption, Present(items)});
  }
  return menus;
}

std::vector<int> CommandTable::ContextMenuItems(ContextMenu menu) const {
  const bool table = menu == ContextMenu::Table;
  std::vector<int> ids;
  for (int id : Present(table ? TableMenuLayout() : EditMenuLayout())) {
    if (id == 0) {
      ids.push_back(0);
      continue;
    }
    const CommandEntry* e = Find(id);
    if (!(table ? e->tableCaption : e->editCaption).empty()) ids.push_back(id);
  }
  return Present(ids);
}

std::vector<Accelerator> CommandTable::Accelerators() const {
  std::vector<Accelerator> keys;
  for (const Accelerator& a : AcceleratorLayout())
    if (Find(a.command)) keys.push_back(a);
  return keys;
}

int CommandTable::CommandForKey(int pressed, bool ctrl, bool shift, bool alt) const {
  for (const Accelerator& a : AcceleratorLayout())
    if (a.key == pressed && a.ctrl == ctrl && a.shift == shift && a.alt == alt && Find(a.command)) return a.command;
  return 0;
}
