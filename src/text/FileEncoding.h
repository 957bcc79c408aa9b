// FileEncoding: the encodings a document file may have on disk, and the
// conversion between a UTF-8 file's bytes and the CP932 text the editor holds.
//
// Inside, text is always CP932; a UTF-8 file is converted when it is read and
// converted back when it is written. The conversion is exact both ways for
// every character CP932 holds, with one wrinkle: seven characters have two
// Unicode spellings in common use, the one Windows gives the CP932 code
// (U+FF5E ～ for 0x8160) and the one of the JIS tables most other sources use
// (U+301C 〜). Both read as the same CP932 character; `JisForms` remembers
// which spelling a file used, so that writing it back gives the same bytes.
//
// A character CP932 cannot hold (an emoji, a rare kanji, another script) or a
// malformed UTF-8 sequence has no faithful place in the text: it becomes the
// substitute 〓, and the first one is reported with its line so the caller can
// keep the file from being overwritten by the lossy text.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace file_encoding {

enum class Encoding { Cp932, Utf8, Utf8Bom };

// "cp932", "utf-8", "utf-8-bom": the names scripts and the batch runner use.
const char* Name(Encoding encoding);
std::optional<Encoding> FromName(std::string_view name);
// What a person reads in the status bar and the Save As dialog.
const char* Caption(Encoding encoding);

inline constexpr std::string_view kBom = "\xEF\xBB\xBF";

bool StartsWithBom(std::string_view bytes);

// A byte-order mark means UTF-8; otherwise well-formed UTF-8 holding at least
// one multi-byte sequence is UTF-8; everything else (ASCII alone included,
// which reads the same either way) is CP932.
Encoding Detect(std::string_view bytes);

// One bit per character with two spellings: set when the file uses the JIS one.
using JisForms = std::uint8_t;

// Where a UTF-8 text first holds something CP932 cannot: line counted from 1
// (CR LF, lone CR and lone LF each end a line), and either the character or
// the first byte of a malformed sequence.
struct Unconvertible {
  int line = 1;
  bool malformed = false;
  char32_t codePoint = 0;  // when !malformed
  unsigned char byte = 0;  // when malformed
};

struct FromUtf8Result {
  std::string text;  // CP932
  JisForms jisForms = 0;
  // Some character was spelled both ways: then `jisForms` alone cannot give
  // back every line's bytes.
  bool mixedForms = false;
  std::optional<Unconvertible> firstUnconvertible;
};

// Converts UTF-8 (without its byte-order mark) to CP932.
FromUtf8Result FromUtf8(std::string_view utf8);

// Where a CP932 text holds a byte or pair outside the code page.
struct BadCp932 {
  int line = 1;
  std::size_t offset = 0;
  unsigned char byte = 0;
};

struct ToUtf8Result {
  std::string bytes;  // UTF-8, without a byte-order mark
  std::optional<BadCp932> firstBad;  // set: nothing was converted
};

// Converts CP932 to UTF-8, spelling the two-form characters as `jisForms`
// says. Text with bytes outside the code page is refused, never guessed at.
ToUtf8Result ToUtf8(std::string_view cp932Text, JisForms jisForms);

// "U+1F600 「😀」" or "0xFF のバイト": the unconvertible thing, for a message (UTF-8).
std::string Describe(const Unconvertible& u);

}  // namespace file_encoding
