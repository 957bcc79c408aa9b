// DocumentFile: the document file on disk: reading it whole, writing it
// without ever losing the previous version, its last-write time, and the
// forms of its path the program needs.
//
// Paths are file system paths, kept as the bytes the file system uses (UTF-8
// on an ordinary Linux system). They are converted only where a person reads
// them: DisplayPath gives UTF-8 for messages and menus, decoding a name that
// is not valid UTF-8 as CP932 (a name written by a Windows program).
//
// Writing goes through a temporary file in the target's folder: the bytes are
// written and flushed to disk first, and only then is the previous version
// kept as the backup and the new file renamed over the old one. Until that
// rename the old file is untouched; after it the new one is complete. The new
// file takes the old one's permission bits (and owner, where the process may
// set it); a new file gets the usual 0666 less the umask.
//
// The backup is a file of its own, a copy with the old file's permission
// bits and times, written under a temporary name and renamed over the older
// backup. It is never a second name of the document's file: a program that
// later writes the document in place would change the backup with it. So at
// every moment, whenever a save is stopped, NAME holds the whole old or the
// whole new text, NAME.bak the whole older backup or the old text, and the
// two are different files; what is left besides is a temporary file that the
// next save or open removes.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace docfile {

// Largest UTF-8 file worth reading for a text control of the given size
// limit: the limit holds for the text as the editor keeps it, and no CP932
// byte takes more than three bytes of UTF-8 (half-width katakana), plus a
// byte-order mark. A CP932 file is read up to the limit itself.
constexpr std::int64_t MaxUtf8FileBytes(std::int64_t textLimit) { return 3 * textLimit + 3; }

enum class ReadStatus { Ok, CannotOpen, NotAFile, TooLarge, HasNul };

struct ReadResult {
  ReadStatus status = ReadStatus::Ok;
  int error = 0;               // errno for CannotOpen
  std::int64_t fileBytes = 0;  // the file's length, for TooLarge
};

// Reads the whole file into `bytes` as it is: no conversion, no byte-order
// mark handling. Refuses anything but a regular file, files longer than
// maxBytes and files holding a NUL byte; `bytes` is then unspecified. The
// memory taken follows the file's length, not maxBytes.
ReadResult ReadDocumentFile(const std::string& path, std::string& bytes, std::int64_t maxBytes);

enum class WriteStage {
  Done,
  TargetNotWritable,  // the existing file may not be written (read-only file or file system)
  CreateTemp,         // the folder does not take a new file
  WriteTemp,          // writing or flushing the new text failed (disk full, I/O error)
  Replace,            // the new file could not take the old one's place
  SourceFailed,       // the bytes could not be made (the source knows why); nothing was written
};

struct WriteResult {
  WriteStage stage = WriteStage::Done;
  int error = 0;              // errno of the failing step
  bool backupFailed = false;  // a backup was asked for and could not be made
  bool Ok() const { return stage == WriteStage::Done; }
};

// Writes `bytes` to `path` (a symbolic link is written through to its
// target). With `makeBackup`, the version being replaced is kept as
// `path` + ".bak", replacing an older backup; failing that, the save still
// goes on and backupFailed tells. On any failure before the final rename the
// file at `path` is exactly as it was.
WriteResult WriteDocumentFile(const std::string& path, std::string_view bytes, bool makeBackup);

// The bytes of a file made a piece at a time while it is written, so a large
// file's bytes are never whole in memory (a text converted as it is saved).
// Each call sets `piece` to the next piece, valid until the next call.
enum class PieceStatus { Piece, End, Failed };
using PieceSource = std::function<PieceStatus(std::string_view& piece)>;
// The same for the bytes `pieces` gives. A source that fails stops the save
// before anything but the temporary file was touched (SourceFailed), and the
// file at `path` is as it was.
WriteResult WriteDocumentFile(const std::string& path, const PieceSource& pieces, bool makeBackup);

// The steps of a save after which it may be stopped (a kill, a crash).
enum class SaveStep {
  TempWritten,        // the new text is complete in its temporary file
  BackupTempWritten,  // the backup copy is complete under its temporary name
  BackupReplaced,     // the backup copy has replaced the older backup
  DocumentReplaced,   // the new text has replaced the document's file
};
// Test seam: called after each step of WriteDocumentFile that is reached;
// the kill-point tests stop the writing process there. nullptr (the
// default) calls nothing.
using SaveStepHook = void (*)(SaveStep step);
void SetSaveStepHook(SaveStepHook hook);

// Removes the temporary files that writers of `path` and of its backup left
// beside them when they were killed mid-save: ".NAME.pivra-PID-*" and
// ".NAME.bak.pivra-PID-*" whose PID no longer runs (a live writer's file is
// never touched). Reading and writing a document call it; returns the count.
int RemoveStaleTempFiles(const std::string& path);

// Last-write time in whole seconds since 1970; false when the file's status
// cannot be read.
bool LastWriteTime(const std::string& path, std::int64_t& seconds);
bool Exists(const std::string& path);
// True when both paths name one existing file (links and other spellings
// of a path included), or are the same bytes.
bool SameFile(const std::string& a, const std::string& b);

// The absolute, lexically normalised form of `path` ("." and ".." resolved
// by name, repeated "/" removed); symbolic links are not resolved. "" stays "".
std::string FullPath(const std::string& path);

// UTF-8 for a person: the bytes when they are valid UTF-8, else the bytes
// read as CP932.
std::string DisplayPath(std::string_view path);

// Splits a path into folder (with its trailing "/", "" when there is none),
// title (name without extension), extension (with its dot, case kept; a
// leading dot alone starts no extension) and name with extension.
void SplitPath(const std::string& path, std::string& folder, std::string& title, std::string& ext,
               std::string& nameExt);

}  // namespace docfile
