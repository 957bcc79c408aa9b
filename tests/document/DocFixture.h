// A document with one view over a temporary settings store, in a temporary
// folder, for the document tests: files are real files under `dir`.
#pragma once

#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/time.h>
#include <unistd.h>

#include <algorithm>
#include <fstream>
#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "app/AllCommands.h"
#include "settings/CommandLine.h"
#include "settings/SettingsStore.h"
#include "document/Document.h"
#include "editor/EditorView.h"
#include "text/Cp932.h"
#include "platform/LineLayout.h"
#include "support/TestView.h"

inline void WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

inline std::string ReadBytes(const std::string& path) {
  std::ifstream f(path, std::ios::binary);
  std::stringstream s;
  s << f.rdbuf();
  return s.str();
}

inline bool FileExists(const std::string& path) {
  struct stat st {};
  return ::lstat(path.c_str(), &st) == 0;
}

// Sets the file's last-write time to `seconds` after its current one.
inline void AgeForward(const std::string& path, long seconds) {
  struct stat st {};
  ::stat(path.c_str(), &st);
  const timeval times[2] = {{st.st_atim.tv_sec, 0}, {st.st_mtim.tv_sec + seconds, 0}};
  ::utimes(path.c_str(), times);
}

// Names in a folder, sorted, without the settings store's files.
inline std::vector<std::string> Listing(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& e : std::filesystem::directory_iterator(folder)) {
    const std::string name = e.path().filename().string();
    if (name.rfind("Pivra.conf", 0) != 0) names.push_back(name);
  }
  std::sort(names.begin(), names.end());
  return names;
}

// A file size limit makes writing fail the way a full disk does, even for root.
struct FileSizeLimit {
  rlimit saved{};
  explicit FileSizeLimit(rlim_t bytes) {
    ::signal(SIGXFSZ, SIG_IGN);
    ::getrlimit(RLIMIT_FSIZE, &saved);
    rlimit l = saved;
    l.rlim_cur = bytes;
    ::setrlimit(RLIMIT_FSIZE, &l);
  }
  ~FileSizeLimit() { ::setrlimit(RLIMIT_FSIZE, &saved); }
};

struct DocFixture {
  ViewParts parts;
  const TempDir& dir = parts.dir;
  SettingsStore& settings = parts.app->Settings();
  RecordingHost& host = parts.host;
  Document* const doc = &parts.app->Doc();
  EditorView* const view = parts.view.get();

  // `setup` writes settings the document and view read when they are built.
  explicit DocFixture(const std::function<void(SettingsStore&)>& setup = {}) : parts({}, setup) {
    doc->OnNewDocument();
    view->OnInitialUpdate();
  }

  std::string Path(const std::string& name) const { return dir.Path(name); }
  // A file under dir with these bytes; returns its path.
  std::string File(const std::string& name, const std::string& bytes) {
    WriteBytes(Path(name), bytes);
    return Path(name);
  }

  EditBuffer& Edit() { return view->Edit(); }
  std::string_view Text() { return view->Edit().Text(); }
  bool Open(const std::string& path) { return doc->OpenDocumentFile(path); }

  // The next file dialog answers with this path (or is cancelled with "").
  void AnswerFileDialog(const std::string& path) {
    host.onFile = [this, path](FileDialogData& d) {
      fileDialogs.push_back(d);
      d.path = path;
      return !path.empty();
    };
  }
  std::vector<FileDialogData> fileDialogs;

  void Type(const std::string& cp932) { view->TypeKeys(cp932); }
  std::string LastMessage() const { return host.messages.empty() ? std::string() : host.messages.back().text; }
};
