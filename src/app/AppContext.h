// AppContext: what a process of the program is made of before any window
// exists: the settings store, the command line and the one document, and
// the one place where a view is wired to them.
//
// The window and the batch runner both start from here and then create the
// view over their own UI host, so both run the same start-up.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "app/AllCommands.h"
#include "document/Document.h"
#include "editor/EditorView.h"
#include "settings/CommandLine.h"
#include "settings/SettingsStore.h"

class AppContext {
 public:
  // The settings store is at its default location unless a path is given.
  explicit AppContext(const std::vector<std::string>& args, const std::string& settingsPath = {})
      : settings_(settingsPath.empty() ? SettingsStore::DefaultPath() : settingsPath), commandLine_(args) {}

  SettingsStore& Settings() { return settings_; }
  const CommandLine& Args() const { return commandLine_; }
  Document& Doc() { return doc_; }

  // A pane's view over this process's settings, command line, command table
  // and document, asking the user through `host`.
  std::unique_ptr<EditorView> CreateView(UiHost& host, ClipboardPort& clipboard) {
    return std::make_unique<EditorView>(settings_, commandLine_, AllCommands(), doc_, host, clipboard);
  }

 private:
  SettingsStore settings_;
  CommandLine commandLine_;
  Document doc_{settings_};  // reads setting::BackupOnSave from the store
};
