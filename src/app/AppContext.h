// AppContext: what a process of the program is made of before any window
// exists: the settings store, the command line and the one document.
//
// The window and the batch runner both start from here and then create the
// view over their own UI host, so both run the same start-up.
#pragma once

#include <string>
#include <vector>

#include "settings/CommandLine.h"
#include "settings/SettingsStore.h"
#include "document/Document.h"

class AppContext {
 public:
  explicit AppContext(const std::vector<std::string>& args) : commandLine_(args) {}

  SettingsStore& Settings() { return settings_; }
  const CommandLine& Commands() const { return commandLine_; }
  Document& Doc() { return doc_; }

 private:
  SettingsStore settings_;
  CommandLine commandLine_;
  Document doc_{settings_};  // reads "Backup" from the store
};
