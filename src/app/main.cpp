// pivraf: the editor, or with --batch the same program without a window.
#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

#include "app/BatchRunner.h"
#include "app/CommandListing.h"
#include "app/MemoryPolicy.h"
#include "app/ProgramUsage.h"
#include "settings/SettingsStore.h"

int RunWindow(int argc, char** argv);  // the Qt front end
void InstallBatchPrinting(std::ostream& out);  // printing of a batch run, on Qt offscreen
void InstallBatchWindowShots();                // the window painted by `shot`, on Qt offscreen

int main(int argc, char** argv) {
  KeepFreedMemoryForReuse();
  std::vector<std::string> args(argv + 1, argv + argc);
  // Neither needs a display nor touches the settings file.
  if (args.size() == 1 && args[0] == "--help") {
    std::cout << program_usage::UsageText(SettingsStore::DefaultPath());
    return 0;
  }
  if (args.size() == 1 && args[0] == "--version") {
    std::cout << program_usage::VersionText() << "\n";
    return 0;
  }
  if (!args.empty() && args[0] == "--batch") {
    if (args.size() == 2 && args[1] == "--list-commands") return command_listing::Run(std::cout);
    if (args.size() < 2 || args.size() > 3) {
      std::cerr << "usage: pivraf --batch SCRIPT [FILE]\n"
                   "       pivraf --batch --list-commands\n";
      return 2;
    }
    BatchRunner runner(std::cout, std::cerr);
    InstallBatchPrinting(std::cout);
    InstallBatchWindowShots();
    // The command line of the run, as the window would see it, is the FILE alone.
    std::vector<std::string> rest(args.begin() + 2, args.end());
    return runner.Run(rest, args[1], args.size() == 3 ? args[2] : std::string());
  }
  if (!program_usage::CanShowWindow(args, [](const char* name) { return std::getenv(name); })) {
    std::cerr << program_usage::kNoDisplayMessage << "\n";
    return 1;
  }
  return RunWindow(argc, argv);
}
