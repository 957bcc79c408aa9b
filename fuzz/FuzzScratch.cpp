#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "FuzzSupport.h"

namespace {

struct Scratch {
  std::string path;
  Scratch() {
    std::string tmpl = (std::filesystem::temp_directory_path() / "pivra-fuzz-XXXXXX").string();
    path = mkdtemp(tmpl.data());
  }
  ~Scratch() {
    std::error_code ec;
    std::filesystem::remove_all(path, ec);
  }
};

}  // namespace

std::string FuzzScratchFolder() {
  static const Scratch scratch;
  return scratch.path;
}
