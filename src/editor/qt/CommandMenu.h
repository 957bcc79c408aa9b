// CommandMenu: Qt menus filled from the command table.
//
// Each action carries its command id as data. The captions come from the
// table (they use "&" for the mnemonic as Qt does); the key of an accelerator
// is shown beside the caption but not bound, because the view handles every
// accelerator itself. Before a menu shows, RefreshCommandStates asks the
// view's enable and check rules, so no other code enables or ticks a command.
#pragma once

#include <QMenu>
#include <functional>
#include <vector>

class CommandTable;
class EditorView;

enum class CaptionKind { Main, Edit, Table };

// Adds one action per id (0 adds a separator). `run` is called with the id
// when an action is triggered.
void FillCommandMenu(QMenu& menu, const CommandTable& table, const std::vector<int>& ids, CaptionKind kind,
                     const std::function<void(int)>& run);

// Enables and ticks every command action of the menu from the view's rules.
void RefreshCommandStates(QMenu& menu, EditorView& view);

// The command id an action stands for (0 for separators and others).
int CommandOf(const QAction* action);
