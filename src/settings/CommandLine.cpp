// The first argument that is not a switch names the file; "--" ends the
// switches so that a file whose name starts with "-" can still be named.
#include "settings/CommandLine.h"

CommandLine::CommandLine(const std::vector<std::string>& args) {
  bool switchesEnded = false;
  for (const std::string& arg : args) {
    if (&arg != &args.front()) raw_ += ' ';
    raw_ += arg;
  }
  for (const std::string& arg : args) {
    if (!switchesEnded && arg == "--") {
      switchesEnded = true;
      continue;
    }
    if (!switchesEnded && arg.starts_with('-')) continue;
    // An empty argument names no file; the next one may.
    if (arg.empty()) continue;
    file_ = arg;
    break;
  }
}
