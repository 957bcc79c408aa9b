// TempDir: a fresh, private folder under the system's temporary folder for one
// test, and everything in it removed with the object.
//
// Invariants: `path` names a folder this object made (mkdtemp, so no other
// test shares it) and it exists for the object's whole life; on destruction
// every folder inside is first given back its owner's permissions, so a test
// that made one read-only still leaves nothing behind.
#pragma once

#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <string>
#include <system_error>

struct TempDir {
  std::filesystem::path path;

  TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "pivra-test-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
      throw std::system_error(errno, std::generic_category(), "mkdtemp " + pattern);
    }
    path = pattern;
  }
  ~TempDir() {
    namespace fs = std::filesystem;
    std::error_code ec;
    fs::permissions(path, fs::perms::owner_all, fs::perm_options::add, ec);
    for (auto it = fs::recursive_directory_iterator(path, ec); !ec && it != fs::recursive_directory_iterator();
         it.increment(ec)) {
      std::error_code entryError;
      if (it->is_directory(entryError) && !it->is_symlink(entryError)) {
        fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, entryError);
      }
    }
    fs::remove_all(path, ec);
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  // The path of `name` inside the folder, as text (`name` may hold "/").
  std::string Path(const std::string& name) const { return (path / name).string(); }
};
