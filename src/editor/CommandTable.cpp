#include "editor/CommandTable.h"

#include <stdexcept>

#include "editor/CommandIds.h"
#include "editor/KeyCodes.h"

namespace {

// The menus as laid out for the user; ids of commands that are not built are
// dropped when the menus are asked for.
const std::vector<std::pair<const char*, std::vector<int>>>& MainMenuLayout() {
  using namespace cmd;
  static const std::vector<std::pair<const char*, std::vector<int>>> layout = {
      {"ファイル(&F)",
       {FileNew, FileOpen, FileSave, FileSaveAs, ReopenAsCp932, ReopenAsUtf8, ReopenAsCsv, ReopenAsText, 0, NewWindow, OpenInNewWindow, 0,
        FilePrint, FilePrintPreview, PrintSetup, 0,
        DeleteBackupFiles, 0, AppExit}},
      {"編集(&E)", {Undo, Redo, 0, Cut, Copy, Paste, SelectAll, 0, Find, Replace}},
      {"表示(&V)",
       {TogglePhysicalLineNumbers, ToggleLogicalLineNumbers, 0, ToggleWordWrap, ToggleTabWidth, ChangeDisplayFont,
        ChangeColours, 0, ToggleReadOnly}},
      {"移動・分割",
       {MoveToTextStart, MoveToTextEnd, MoveToLineStart, MoveToLineEnd, MoveScreenUp, MoveScreenDown, 0, JumpToLine, 0,
        SplitRows, SplitColumns}},
      {"表計算(&T)",
       {ToggleTableMode, ToggleEditorMode, 0, CreateTable, ChangeTableWidth, ChangeRoundingPlace, 0,
        ToggleJapaneseNumbers}},
      {"印刷設定",
       {PrintFont, 0, PrintColumns1, PrintColumns2, PrintColumns3, PrintColumns4, 0, PrintMargin1, PrintMargin2,
        PrintMargin3, PrintMargin4}},
      {"ツール", {OpenCommandPrompt, OpenCalculator, 0, RestoreWindow, SetRestoreRectangle}},
      {"ヘルプ(&H)", {ShowTableModeHelp, 0, OpenHomePage, CheckForUpdate, 0, AboutBox}},
  };
  return layout;
}

// The editing menu and the table menu, in the order of the command table.
const std::vector<int>& EditMenuLayout() {
  using namespace cmd;
  static const std::vector<int> ids = {
      Undo, Redo, 0,
      Cut, Copy, Paste, SelectAll, 0,
      MoveToTextStart, MoveToTextEnd, JumpToLine, 0,
      WebSearch, 0,
      AddCommentSlashes, RemoveCommentSlashes, 0,
      ToggleTableMode};
  return ids;
}

const std::vector<int>& TableMenuLayout() {
  using namespace cmd;
  static const std::vector<int> ids = {
      Cut, Copy, Paste, SelectAll, 0,
      WebSearch, 0,
      RowSumRight, RowAverageRight, RowSumLeft, RowAverageLeft, 0,
      ColumnSumBelow, ColumnAverageBelow, ColumnSumAbove, ColumnAverageAbove, 0,
      ColumnSlopeOffsetRight, ColumnSlopeOffsetLeft, ColumnRangeMappingRight, ColumnRangeMappingLeft,
      RowSlopeOffsetBelow, RowSlopeOffsetAbove, RowRangeMappingBelow, RowRangeMappingAbove, 0,
      TwoColumnArithmeticRight, TwoColumnArithmeticLeft, TwoRowArithmeticBelow, TwoRowArithmeticAbove, 0,
      SortRows, InsertRankColumn, DeviationScoresRight, 0,
      ClearBlock, DeleteBlock, InsertBlankCells, 0,
      InsertBlankColumn, DeleteColumn, CopyColumn, CutColumn, InsertCopiedColumn, 0,
      CopyBlock, CutBlock, PasteBlock, PasteBlockRepeated, 0,
      CreateTable, ChangeTableWidth, ChangeRoundingPlace, 0,
      ToggleTableMode};
  return ids;
}

const std::vector<Accelerator>& AcceleratorLayout() {
  using namespace key;
  static const std::vector<Accelerator> keys = {
      {'Z', true, false, false, cmd::Undo},
      {'Y', true, false, false, cmd::Redo},
      {'X', true, false, false, cmd::Cut},
      {'C', true, false, false, cmd::Copy},
      {'V', true, false, false, cmd::Paste},
      {Insert, false, true, false, cmd::Paste},
      {'A', true, false, false, cmd::SelectAll},
      {'F', true, false, false, cmd::Find},
      {'R', true, false, false, cmd::Replace},
      {F3, false, false, false, cmd::FindNext},
      {'N', true, false, false, cmd::FileNew},
      {'O', true, false, false, cmd::FileOpen},
      {'S', true, false, false, cmd::FileSave},
      {'P', true, false, false, cmd::FilePrint},
      {Up, false, false, true, cmd::MoveToTextStart},
      {Down, false, false, true, cmd::MoveToTextEnd},
      {Left, true, false, false, cmd::MoveToLineStart},
      {Left, false, false, true, cmd::MoveToLineStart},
      {Right, true, false, false, cmd::MoveToLineEnd},
      {Right, false, false, true, cmd::MoveToLineEnd},
      {Up, true, false, false, cmd::MoveScreenUp},
      {Down, true, false, false, cmd::MoveScreenDown},
      {'J', true, false, false, cmd::JumpToLine},
      {'3', true, false, false, cmd::TogglePhysicalLineNumbers},
      {'4', true, false, false, cmd::ToggleLogicalLineNumbers},
      {'1', true, false, false, cmd::SplitRows},
      {'2', true, false, false, cmd::SplitColumns},
      {F6, false, false, false, cmd::NextPane},
      {F6, false, true, false, cmd::PreviousPane},
  };
  return keys;
}

}  // namespace

bool IsCommandName(std::string_view name) {
  if (name.empty() || !(name.front() >= 'a' && name.front() <= 'z') || name.back() == '-') return false;
  char before = 0;
  for (const char c : name) {
    const bool word = (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
    if (!word && !(c == '-' && before != '-')) return false;
    before = c;
  }
  return true;
}

void CommandTable::Add(CommandEntry entry) {
  const int id = entry.id;
  if (!IsCommandName(entry.name))
    throw std::logic_error("command " + std::to_string(id) + " has no well-formed name: \"" + entry.name + "\"");
  const auto named = ids_.find(entry.name);
  if (named != ids_.end() && named->second != id)
    throw std::logic_error("commands " + std::to_string(named->second) + " and " + std::to_string(id) +
                           " share the name " + entry.name);
  if (const auto old = entries_.find(id); old != entries_.end()) ids_.erase(old->second.name);
  ids_[entry.name] = id;
  entries_[id] = std::move(entry);
}

const CommandEntry* CommandTable::Find(int id) const {
  auto it = entries_.find(id);
  return it == entries_.end() ? nullptr : &it->second;
}

const CommandEntry* CommandTable::FindByName(std::string_view name) const {
  const auto it = ids_.find(name);
  return it == ids_.end() ? nullptr : Find(it->second);
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
