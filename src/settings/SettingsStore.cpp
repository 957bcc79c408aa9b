// SettingsStore on a POSIX file system.
//
// State: the parsed text of the version of the file last read or written
// (SettingsText), the stat stamp of that version (device, inode, size, mtime
// and ctime to the nanosecond) and an open descriptor of it. Holding the
// descriptor keeps that inode allocated, so a later version, which always
// arrives as a new inode through rename, can never reuse its number and look
// unchanged to the stamp comparison even when size and coarse timestamps
// agree.
//
// Readers compare the stamp with the path's current one and re-read only on
// a difference. Writers serialise on flock of "<store>.lock" (a separate file,
// because the store itself is replaced on every write and a lock on a
// replaced inode protects nothing), re-read under the lock, apply the one
// change, and publish through "<store>.tmp.<pid>" + fsync + rename, so the
// store is at every moment either the old or the new complete file. A writer
// killed before its rename leaves "<store>.tmp.<pid>"; whoever next reads or
// writes the file removes those whose process no longer runs.
//
// Invariant: the in-memory text equals the file as of the stamp; after a
// failure the state is dropped, and the next read loads the file afresh.
#include "settings/SettingsStore.h"

#include <dirent.h>
#include <fcntl.h>
#include <pwd.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <string_view>
#include <utility>

#include "settings/SettingsText.h"
#include "settings/WriterProcess.h"

namespace {

constexpr char kNewFileComment[] =
    "# Pivra settings. Lines: [section], key=int:<number>, key=str:<text>.\n"
    "# Escapes: \\\\ \\= \\[ \\] \\# \\; \\n \\r \\t \\s (blank) \\xHH.\n";

bool SameVersion(const struct stat& a, const struct stat& b) {
  return a.st_dev == b.st_dev && a.st_ino == b.st_ino && a.st_size == b.st_size &&
         a.st_mtim.tv_sec == b.st_mtim.tv_sec && a.st_mtim.tv_nsec == b.st_mtim.tv_nsec &&
         a.st_ctim.tv_sec == b.st_ctim.tv_sec && a.st_ctim.tv_nsec == b.st_ctim.tv_nsec;
}

// flock on "<store>.lock" for the lifetime of the object. Best effort: when
// the lock file cannot be opened or locked the operation goes ahead without
// it, since refusing would lose the user's value for certain while the race
// it guards against is rare.
class LockFile {
 public:
  LockFile(const std::string& store, int operation) {
    const std::string path = store + ".lock";
    fd_ = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    // flock needs no write access; a lock file we may not write still works.
    if (fd_ < 0) fd_ = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd_ < 0) return;
    while (flock(fd_, operation) != 0 && errno == EINTR) {
    }
  }
  ~LockFile() {
    if (fd_ >= 0) close(fd_);  // closing releases the lock
  }
  LockFile(const LockFile&) = delete;
  LockFile& operator=(const LockFile&) = delete;

 private:
  int fd_ = -1;
};

enum class ReadResult { Ok, Missing, Failed };

// Reads the whole store. On Ok, fd stays open on the version read and st is
// its stamp; on Failed, st is the path's stamp when there is one.
ReadResult ReadWhole(const std::string& path, std::string& bytes, int& fd, struct stat& st) {
  bytes.clear();
  fd = -1;
  st = {};
  // O_NONBLOCK: a FIFO put where the store belongs must not hang the program.
  const int f = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (f < 0) {
    if (errno == ENOENT || errno == ENOTDIR) return ReadResult::Missing;
    stat(path.c_str(), &st);
    return ReadResult::Failed;
  }
  if (fstat(f, &st) != 0 || !S_ISREG(st.st_mode)) {
    close(f);
    return ReadResult::Failed;
  }
  bytes.reserve(static_cast<std::size_t>(st.st_size));
  char buffer[65536];
  for (;;) {
    const ssize_t n = read(f, buffer, sizeof buffer);
    if (n > 0) {
      bytes.append(buffer, static_cast<std::size_t>(n));
    } else if (n == 0) {
      break;
    } else if (errno != EINTR) {
      close(f);
      return ReadResult::Failed;
    }
  }
  fd = f;
  return ReadResult::Ok;
}

bool WriteAll(int fd, const std::string& bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<std::size_t>(n);
  }
  return true;
}

// mkdir -p of the folder holding the store; 0700 as per-user configuration
// folders are made. Errors show up later, when the files cannot be created.
void MakeParentFolders(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos || slash == 0) return;
  const std::string folder = path.substr(0, slash);
  for (std::size_t at = 1; at <= folder.size(); ++at) {
    if (at == folder.size() || folder[at] == '/') mkdir(folder.substr(0, at).c_str(), 0700);
  }
}

std::string TempPath(const std::string& path, pid_t pid) { return path + ".tmp." + std::to_string(pid); }

// The writer's process id in a name "<store name>.tmp.<pid>", or 0.
pid_t WriterOf(std::string_view name, std::string_view prefix) {
  if (!name.starts_with(prefix) || name.size() == prefix.size() || name.size() > prefix.size() + 9) return 0;
  pid_t pid = 0;
  for (const char c : name.substr(prefix.size())) {
    if (c < '0' || c > '9') return 0;
    pid = pid * 10 + (c - '0');
  }
  return pid;
}

// Removes the temporary files of writers that were killed before their
// rename. A process id in use again counts as running, which only keeps a
// stale file longer; a running writer's file is never touched.
void RemoveStaleTempFiles(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  const std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
  const std::string prefix = (slash == std::string::npos ? path : path.substr(slash + 1)) + ".tmp.";
  DIR* dir = opendir(folder.c_str());
  if (dir == nullptr) return;
  const int fd = dirfd(dir);
  while (const dirent* entry = readdir(dir)) {
    const pid_t writer = WriterOf(entry->d_name, prefix);
    if (writer == getpid() || !WriterHasEnded(writer)) continue;
    struct stat st {};
    if (fstatat(fd, entry->d_name, &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(st.st_mode)) unlinkat(fd, entry->d_name, 0);
  }
  closedir(dir);
}

// Publishes bytes as the new store. On success fd is open on the new file and
// st is its stamp, taken after the rename since rename may change ctime.
bool ReplaceFile(const std::string& path, const std::string& bytes, const struct stat* old, int& fd,
                 struct stat& st) {
  const std::string temp = TempPath(path, getpid());
  const int f = open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  if (f < 0) return false;
  if (old != nullptr) fchmod(f, old->st_mode & 07777);  // keep a mode the user chose
  if (!WriteAll(f, bytes) || fsync(f) != 0 || rename(temp.c_str(), path.c_str()) != 0) {
    close(f);
    unlink(temp.c_str());
    return false;
  }
  if (fstat(f, &st) != 0) st = {};
  fd = f;
  return true;
}

}  // namespace

struct SettingsStore::Impl {
  enum class State { Unknown, Missing, Read, Unreadable };

  SettingsText text;
  // The bytes of the version `text` was parsed from or serialised to.
  std::string written;
  State state = State::Unknown;
  int fd = -1;
  struct stat stamp {};

  ~Impl() { Drop(); }

  void Drop() {
    if (fd >= 0) close(fd);
    fd = -1;
    state = State::Unknown;
    text.Parse("");
    written.clear();
  }

  void Adopt(ReadResult result, const std::string& bytes, int newFd, const struct stat& st) {
    if (fd >= 0) close(fd);
    fd = newFd;
    stamp = st;
    text.Parse(result == ReadResult::Ok ? bytes : std::string());
    written = result == ReadResult::Ok ? bytes : std::string();
    state = result == ReadResult::Ok ? State::Read : result == ReadResult::Missing ? State::Missing : State::Unreadable;
  }

  void Refresh(const std::string& path) {
    struct stat st {};
    if (stat(path.c_str(), &st) != 0) {
      const State now = (errno == ENOENT || errno == ENOTDIR) ? State::Missing : State::Unreadable;
      if (state != now) Adopt(now == State::Missing ? ReadResult::Missing : ReadResult::Failed, {}, -1, {});
      return;
    }
    if ((state == State::Read || state == State::Unreadable) && SameVersion(st, stamp)) return;
    // Writers replace the file by rename, so any read sees a whole version;
    // the shared lock makes the reader wait for a write in progress and so
    // get the newest version rather than the one being replaced.
    LockFile lock(path, LOCK_SH);
    std::string bytes;
    int newFd;
    const ReadResult result = ReadWhole(path, bytes, newFd, st);
    Adopt(result, bytes, newFd, st);
    RemoveStaleTempFiles(path);
  }

  template <class Apply>
  void Change(const std::string& path, bool createsValue, Apply apply) {
    if (!createsValue) {
      struct stat st {};
      if (stat(path.c_str(), &st) != 0 && errno == ENOENT) return;  // nothing to delete; create no folder
    }
    MakeParentFolders(path);
    LockFile lock(path, LOCK_EX);
    // Under the lock the file is the version this store read or wrote last
    // unless another process replaced it: only then is it read and parsed
    // again, so a write costs one serialisation and one file write, linear
    // in the size of the store.
    ReadResult result = ReadResult::Ok;
    struct stat readStat {};
    struct stat now {};
    if (state == State::Read && fd >= 0 && stat(path.c_str(), &now) == 0 && SameVersion(now, stamp)) {
      readStat = stamp;
    } else {
      std::string bytes;
      int readFd;
      result = ReadWhole(path, bytes, readFd, readStat);
      Adopt(result, bytes, readFd, readStat);
      if (result == ReadResult::Failed) return;  // never replace a file that could not be read
    }
    RemoveStaleTempFiles(path);
    if (createsValue && written.empty()) text.Parse(kNewFileComment);
    apply(text);
    std::string after = text.Serialize();
    if (after == written) return;
    int newFd = -1;
    struct stat newStat {};
    if (!ReplaceFile(path, after, result == ReadResult::Ok ? &readStat : nullptr, newFd, newStat)) {
      Drop();
      return;
    }
    if (fd >= 0) close(fd);
    fd = newFd;
    stamp = newStat;
    state = State::Read;
    written = std::move(after);
  }
};

SettingsStore::SettingsStore() : SettingsStore(DefaultPath()) {}

SettingsStore::SettingsStore(std::string path) : path_(std::move(path)), impl_(new Impl) {}

SettingsStore::~SettingsStore() { delete impl_; }

std::string SettingsStore::DefaultPath() {
  const char* config = std::getenv("PIVRA_CONFIG");
  if (config != nullptr && *config != '\0') return config;
  std::string base;
  // A relative XDG_CONFIG_HOME is invalid and ignored, as the XDG rules ask.
  const char* xdg = std::getenv("XDG_CONFIG_HOME");
  if (xdg != nullptr && xdg[0] == '/') {
    base = xdg;
  } else {
    const char* home = std::getenv("HOME");
    if (home == nullptr || *home == '\0') {
      const passwd* user = getpwuid(getuid());
      home = (user != nullptr && user->pw_dir != nullptr) ? user->pw_dir : "";
    }
    base = std::string(home) + "/.config";
  }
  return base + "/Korvane/Pivra.conf";
}

std::int32_t SettingsStore::GetInt(const std::string& section, const std::string& key, std::int32_t def) const {
  try {
    impl_->Refresh(path_);
    const SettingsText::Value* value = impl_->text.Find(section, key);
    return (value != nullptr && value->isInt) ? value->number : def;
  } catch (...) {
    return def;
  }
}

std::string SettingsStore::GetString(const std::string& section, const std::string& key,
                                     const std::string& def) const {
  try {
    impl_->Refresh(path_);
    const SettingsText::Value* value = impl_->text.Find(section, key);
    return (value != nullptr && !value->isInt) ? value->text : def;
  } catch (...) {
    return def;
  }
}

void SettingsStore::WriteInt(const std::string& section, const std::string& key, std::int32_t value) {
  try {
    SettingsText::Value v;
    v.isInt = true;
    v.number = value;
    impl_->Change(path_, true, [&](SettingsText& text) { text.Set(section, key, v); });
  } catch (...) {
    impl_->Drop();
  }
}

void SettingsStore::WriteString(const std::string& section, const std::string& key, const std::string& text) {
  try {
    SettingsText::Value v;
    v.text = text;
    impl_->Change(path_, true, [&](SettingsText& t) { t.Set(section, key, v); });
  } catch (...) {
    impl_->Drop();
  }
}

void SettingsStore::DeleteValue(const std::string& section, const std::string& key) {
  try {
    impl_->Change(path_, false, [&](SettingsText& text) { text.Remove(section, key); });
  } catch (...) {
    impl_->Drop();
  }
}

void SettingsStore::DeleteSection(const std::string& section) {
  try {
    impl_->Change(path_, false, [&](SettingsText& text) { text.RemoveSection(section); });
  } catch (...) {
    impl_->Drop();
  }
}

std::int32_t SettingsStore::GetInt(const IntSetting& setting) const {
  const std::int32_t value = GetInt(setting.section, setting.key, setting.defaultValue);
  return value < setting.minValue || value > setting.maxValue ? setting.defaultValue : value;
}

void SettingsStore::WriteInt(const IntSetting& setting, std::int32_t value) {
  WriteInt(setting.section, setting.key, value);
}

std::string SettingsStore::GetString(const StringSetting& setting) const {
  return GetString(setting.section, setting.key, setting.defaultValue);
}

void SettingsStore::WriteString(const StringSetting& setting, const std::string& text) {
  WriteString(setting.section, setting.key, text);
}
