// CPivraApp: what a process of the program is made of before any window
// exists: the settings store, the command line and the one document.
//
// The window and the batch runner both start from here and then create the
// view over their own UI host, so both run the same start-up.
#pragma once

#include <string>
#include <vector>

#include "app/CommandLine.h"
#include "app/SettingsStore.h"
#include "document/CPivraDoc.h"

class CPivraApp {
 public:
  static constexpr const char* kAppName = "Pivra";
  static constexpr const char* kCompany = "Korvane";

  explicit CPivraApp(const std::vector<std::string>& args) : commandLine_(args) {}

  SettingsStore& Settings() { return settings_; }
  const CommandLine& Commands() const { return commandLine_; }
  CPivraDoc& Document() { return doc_; }

 private:
  SettingsStore settings_;
  CommandLine commandLine_;
  CPivraDoc doc_{settings_};  // reads "Backup" from the store
};
