#include "document/DocumentFile.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <vector>

#include "settings/WriterProcess.h"
#include "text/Cp932.h"
#include "text/Utf8.h"

namespace docfile {

namespace {

SaveStepHook saveStepHook = nullptr;

void Reached(SaveStep step) {
  if (saveStepHook) saveStepHook(step);
}

// Closes the descriptor when it goes out of scope.
struct Fd {
  int fd = -1;
  explicit Fd(int f) : fd(f) {}
  ~Fd() {
    if (fd >= 0) ::close(fd);
  }
  Fd(const Fd&) = delete;
  Fd& operator=(const Fd&) = delete;
  // Closes now and reports the result (a late write error shows here on
  // network file systems).
  int Close() {
    const int r = ::close(fd);
    fd = -1;
    return r;
  }
};

bool WriteAll(int fd, std::string_view bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    done += static_cast<std::size_t>(n);
  }
  return true;
}

std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

std::string NameOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Temporary files beside a document are named ".NAME.pivra-PID-..." (and
// ".NAME.bak.pivra-PID-..." for its backup), PID being the writer's process.
// A writer removes its own on every failure; one killed mid-save leaves it,
// and it can be told by that PID no longer running.
std::string TempPrefix(const std::string& path) {
  return "." + NameOf(path) + ".pivra-" + std::to_string(::getpid()) + "-";
}

// A new, empty, uniquely named file beside `path`, hidden by its leading dot.
int CreateTempBeside(const std::string& path, std::string& tempPath) {
  std::string tmpl = FolderOf(path) + "/" + TempPrefix(path) + "XXXXXX";
  const int fd = ::mkostemp(tmpl.data(), O_CLOEXEC);
  if (fd >= 0) tempPath = tmpl;
  return fd;
}

mode_t CreationMode() {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

// Gives the new file the old one's permission bits and, where allowed, its
// owner; a file that did not exist gets the mode a plain creation would give.
void TakeOverAttributes(int fd, const struct stat* old) {
  if (!old) {
    ::fchmod(fd, CreationMode());
    return;
  }
  if (old->st_uid != ::geteuid() || old->st_gid != ::getegid()) {
    if (::fchown(fd, old->st_uid, old->st_gid) != 0) {
      // Not permitted for an ordinary user: the file keeps the writer as owner.
    }
  }
  ::fchmod(fd, old->st_mode & 07777);
}

void SyncFolder(const std::string& path) {
  const int dir = ::open(FolderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir < 0) return;
  ::fsync(dir);
  ::close(dir);
}

// Keeps the file at `real` under the name `bak`, replacing what was there:
// a copy with the old file's permission bits, owner (where allowed) and
// times, prepared under a temporary name and renamed over `bak`, so an older
// backup survives every failure. A copy rather than a hard link: a link
// would make the backup a second name of the document's file until the new
// text takes its place, and a save stopped in between would leave both
// names on one file.
bool MakeBackup(const std::string& real, const std::string& bak) {
  Fd in(::open(real.c_str(), O_RDONLY | O_CLOEXEC));
  if (in.fd < 0) return false;
  struct stat st {};
  if (::fstat(in.fd, &st) != 0) return false;
  std::string temp;
  Fd out(CreateTempBeside(bak, temp));
  if (out.fd < 0) return false;
  bool ok = true;
  std::vector<char> buf(1 << 16);
  for (;;) {
    const ssize_t n = ::read(in.fd, buf.data(), buf.size());
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      ok = false;
      break;
    }
    if (n == 0) break;
    if (!WriteAll(out.fd, std::string_view(buf.data(), static_cast<std::size_t>(n)))) {
      ok = false;
      break;
    }
  }
  TakeOverAttributes(out.fd, &st);
  const struct timespec times[2] = {st.st_atim, st.st_mtim};
  ::futimens(out.fd, times);
  ok = ok && ::fsync(out.fd) == 0;
  ok = out.Close() == 0 && ok;
  if (ok) Reached(SaveStep::BackupTempWritten);
  ok = ok && ::rename(temp.c_str(), bak.c_str()) == 0;
  if (!ok) {
    ::unlink(temp.c_str());
    return false;
  }
  Reached(SaveStep::BackupReplaced);
  return true;
}

// The writer's PID in a temporary file's name that starts with `prefix`
// (".NAME.pivra-"), or 0 when the name is not one of ours.
pid_t WriterOf(std::string_view name, std::string_view prefix) {
  if (!name.starts_with(prefix)) return 0;
  name.remove_prefix(prefix.size());
  pid_t pid = 0;
  std::size_t digits = 0;
  for (; digits < name.size() && name[digits] >= '0' && name[digits] <= '9' && digits < 9; ++digits)
    pid = pid * 10 + (name[digits] - '0');
  if (digits == 0 || digits >= name.size() || name[digits] != '-') return 0;
  return pid;
}

}  // namespace

void SetSaveStepHook(SaveStepHook hook) { saveStepHook = hook; }

int RemoveStaleTempFiles(const std::string& path) {
  const std::string name = NameOf(path);
  if (name.empty()) return 0;
  const std::string own = "." + name + ".pivra-";
  const std::string backup = "." + name + ".bak.pivra-";
  DIR* dir = ::opendir(FolderOf(path).c_str());
  if (!dir) return 0;
  const int fd = ::dirfd(dir);
  int removed = 0;
  while (const dirent* entry = ::readdir(dir)) {
    const std::string_view entryName = entry->d_name;
    pid_t writer = WriterOf(entryName, own);
    if (writer == 0) writer = WriterOf(entryName, backup);
    if (writer == 0 || !WriterHasEnded(writer)) continue;
    struct stat st {};
    if (::fstatat(fd, entry->d_name, &st, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISREG(st.st_mode)) continue;
    if (::unlinkat(fd, entry->d_name, 0) == 0) ++removed;
  }
  ::closedir(dir);
  return removed;
}

ReadResult ReadDocumentFile(const std::string& path, std::string& bytes, std::int64_t maxBytes) {
  bytes.clear();
  RemoveStaleTempFiles(path);
  // O_NONBLOCK: a FIFO must not hang the open; it is refused below.
  Fd f(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY));
  if (f.fd < 0) return {ReadStatus::CannotOpen, errno};
  struct stat st {};
  if (::fstat(f.fd, &st) != 0) return {ReadStatus::CannotOpen, errno};
  if (!S_ISREG(st.st_mode)) return {ReadStatus::NotAFile, 0};
  if (st.st_size > maxBytes) return {ReadStatus::TooLarge, 0, st.st_size};
  // Read up to one byte past the limit: a file that grew since fstat is
  // still refused rather than cut. The buffer starts at the length fstat
  // gave and grows only for a file that grows meanwhile.
  const std::size_t most = static_cast<std::size_t>(maxBytes) + 1;
  // Room past the end, kept when the bytes become the shown text as they
  // are: the first typed letters then fill it instead of copying the text.
  const auto size = static_cast<std::size_t>(st.st_size);
  bytes.reserve(size + size / 8 + 4096);
  bytes.resize(std::min(most, size + 1));
  std::size_t got = 0;
  while (got < most) {
    if (got == bytes.size()) bytes.resize(std::min(most, bytes.size() * 2));
    const ssize_t n = ::read(f.fd, bytes.data() + got, bytes.size() - got);
    if (n < 0) {
      if (errno == EINTR) continue;
      const int e = errno;
      bytes.clear();
      return {ReadStatus::CannotOpen, e};
    }
    if (n == 0) break;
    got += static_cast<std::size_t>(n);
  }
  bytes.resize(got);
  if (static_cast<std::int64_t>(got) > maxBytes) return {ReadStatus::TooLarge, 0, static_cast<std::int64_t>(got)};
  if (std::memchr(bytes.data(), 0, bytes.size()) != nullptr) return {ReadStatus::HasNul, 0};
  return {};
}

WriteResult WriteDocumentFile(const std::string& path, std::string_view bytes, bool makeBackup) {
  bool given = false;
  return WriteDocumentFile(
      path,
      [&](std::string_view& piece) {
        if (given) return PieceStatus::End;
        given = true;
        piece = bytes;
        return PieceStatus::Piece;
      },
      makeBackup);
}

WriteResult WriteDocumentFile(const std::string& path, const PieceSource& pieces, bool makeBackup) {
  WriteResult result;
  // Write through a symbolic link to the file it names, so the link stays.
  std::string target = path;
  struct stat lst {};
  if (::lstat(path.c_str(), &lst) == 0 && S_ISLNK(lst.st_mode)) {
    if (char* real = ::realpath(path.c_str(), nullptr)) {
      target = real;
      std::free(real);
    }
  }
  struct stat old {};
  const bool exists = ::stat(target.c_str(), &old) == 0;
  if (exists && ::access(target.c_str(), W_OK) != 0) {
    result.stage = WriteStage::TargetNotWritable;
    result.error = errno;
    return result;
  }

  RemoveStaleTempFiles(target);
  if (target != path) RemoveStaleTempFiles(path);
  std::string temp;
  Fd out(CreateTempBeside(target, temp));
  if (out.fd < 0) {
    result.stage = WriteStage::CreateTemp;
    result.error = errno;
    return result;
  }
  TakeOverAttributes(out.fd, exists ? &old : nullptr);
  PieceStatus status = PieceStatus::Piece;
  std::string_view piece;
  bool written = true;
  while (written && (status = pieces(piece)) == PieceStatus::Piece) written = WriteAll(out.fd, piece);
  if (status == PieceStatus::Failed) {
    result.stage = WriteStage::SourceFailed;
    ::unlink(temp.c_str());
    return result;
  }
  if (!written || ::fsync(out.fd) != 0 || out.Close() != 0) {
    result.stage = WriteStage::WriteTemp;
    result.error = errno;
    ::unlink(temp.c_str());
    return result;
  }
  Reached(SaveStep::TempWritten);

  if (makeBackup && exists && !MakeBackup(target, path + ".bak")) result.backupFailed = true;

  if (::rename(temp.c_str(), target.c_str()) != 0) {
    result.stage = WriteStage::Replace;
    result.error = errno;
    ::unlink(temp.c_str());
    return result;
  }
  Reached(SaveStep::DocumentReplaced);
  SyncFolder(target);
  return result;
}

bool LastWriteTime(const std::string& path, std::int64_t& seconds) {
  struct stat st {};
  if (path.empty() || ::stat(path.c_str(), &st) != 0) return false;
  seconds = static_cast<std::int64_t>(st.st_mtim.tv_sec);
  return true;
}

bool Exists(const std::string& path) {
  struct stat st {};
  return !path.empty() && ::stat(path.c_str(), &st) == 0;
}

bool SameFile(const std::string& a, const std::string& b) {
  if (a == b) return true;
  struct stat sa {}, sb {};
  if (a.empty() || b.empty() || ::stat(a.c_str(), &sa) != 0 || ::stat(b.c_str(), &sb) != 0) return false;
  return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}

std::string FullPath(const std::string& path) {
  if (path.empty()) return path;
  std::filesystem::path p(path);
  if (p.is_relative()) {
    std::error_code ec;
    const std::filesystem::path cwd = std::filesystem::current_path(ec);
    if (!ec) p = cwd / p;
  }
  return p.lexically_normal().string();
}

std::string DisplayPath(std::string_view path) {
  if (utf8::IsValid(path)) return std::string(path);
  return cp932::ToUtf8(path);
}

void SplitPath(const std::string& path, std::string& folder, std::string& title, std::string& ext,
               std::string& nameExt) {
  const std::size_t slash = path.rfind('/');
  folder = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
  nameExt = slash == std::string::npos ? path : path.substr(slash + 1);
  const std::size_t dot = nameExt.rfind('.');
  if (dot == std::string::npos || dot == 0) {
    title = nameExt;
    ext.clear();
  } else {
    title = nameExt.substr(0, dot);
    ext = nameExt.substr(dot);
  }
}

}  // namespace docfile
