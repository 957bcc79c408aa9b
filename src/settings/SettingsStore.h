// SettingsStore: the per-user store of integer and text values by section and key.
//
// The store is a human-readable UTF-8 file, by default
// $XDG_CONFIG_HOME/Korvane/Pivra.conf (~/.config when XDG_CONFIG_HOME is
// unset); the environment variable PIVRA_CONFIG names another file.
// Sections and keys compare without regard to ASCII case and may be any text,
// including full file paths with "/", ":", "=", "[", "]" and blanks.
//
// Several processes of the program share the file. Every write locks the file,
// re-reads it, changes the one value, writes a temporary file, flushes it and
// renames it over the store, so no process loses another's value. Reads see
// other processes' writes: the file is re-read when it changed on disk.
// A missing or unreadable file is an empty store; a corrupt line is skipped
// (and kept as it is on the next write). Failures are never reported to the
// user and never leave a damaged file behind.
//
// The values the program keeps are named in SettingsKeys.h and read and
// written through the IntSetting / StringSetting overloads; the string
// overloads serve keys made at run time.
#pragma once

#include <cstdint>
#include <string>

#include "settings/SettingsKeys.h"

class SettingsStore {
 public:
  // Opens the store at the default location (or PIVRA_CONFIG).
  SettingsStore();
  // Opens the store in the given file (tests).
  explicit SettingsStore(std::string path);
  ~SettingsStore();
  SettingsStore(const SettingsStore&) = delete;
  SettingsStore& operator=(const SettingsStore&) = delete;

  static std::string DefaultPath();
  const std::string& Path() const { return path_; }

  std::int32_t GetInt(const std::string& section, const std::string& key, std::int32_t def) const;
  void WriteInt(const std::string& section, const std::string& key, std::int32_t value);
  std::string GetString(const std::string& section, const std::string& key, const std::string& def = "") const;
  void WriteString(const std::string& section, const std::string& key, const std::string& text);
  void DeleteValue(const std::string& section, const std::string& key);
  void DeleteSection(const std::string& section);

  // A named value (SettingsKeys.h); a missing value reads as its default.
  std::int32_t GetInt(const IntSetting& setting) const;
  void WriteInt(const IntSetting& setting, std::int32_t value);
  std::string GetString(const StringSetting& setting) const;
  void WriteString(const StringSetting& setting, const std::string& text);

 private:
  struct Impl;
  std::string path_;
  Impl* impl_;
};
