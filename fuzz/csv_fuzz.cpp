// The CSV reader and writer on arbitrary bytes.
//
// Input: one byte choosing the line end given to the writer, then the text,
// read both as a comma-separated file and as TAB-separated rows. Properties:
// - reading gives one row per record, and the rows written with the file's
//   spellings read as the same rows; a file with one kind of line end is
//   written back exactly;
// - rows written with minimal quoting read as the same rows (their line ends
//   as CR LF) whenever they hold no field that needs a line end.
#include <string>

#include "FuzzSupport.h"
#include "text/Csv.h"

namespace {

constexpr std::size_t kMaxText = 4096;

// True when every line end of `text` is the same one of CR LF, LF and CR.
bool OneKindOfLineEnd(const std::string& text) {
  bool crlf = false, lf = false, cr = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
      crlf = true;
      ++i;
    } else if (text[i] == '\r') {
      cr = true;
    } else if (text[i] == '\n') {
      lf = true;
    }
  }
  return int(crlf) + int(lf) + int(cr) <= 1;
}

std::string WithCrLf(const std::string& text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' || text[i] == '\n') {
      out += "\r\n";
      if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else {
      out += text[i];
    }
  }
  return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzInput in(data, size);
  static const char* const kLineEnds[] = {"\r\n", "\n", "\r"};
  const std::string lineEnd = kLineEnds[in.Below(3)];
  std::string text = in.Rest();
  if (text.size() > kMaxText) text.resize(kMaxText);

  const csv::Table table = csv::Read(text);
  const std::string written = csv::Write(table.rows, table.form);
  FUZZ_CHECK(csv::Read(written).rows == table.rows);
  if (OneKindOfLineEnd(text)) FUZZ_CHECK(written == text);
  if (!table.firstUnshowableLine) {
    const std::string minimal = csv::Write(table.rows, csv::RecordForm{lineEnd, nullptr, {}});
    FUZZ_CHECK(csv::Read(minimal).rows == table.rows);
  }

  // The text as rows: every cell comes back, blanks and quotes included,
  // when no cell holds a TAB (a row's TAB separates cells).
  const std::string rowsWritten = csv::Write(text, csv::RecordForm{lineEnd, nullptr, {}});
  const csv::Table reread = csv::Read(rowsWritten);
  FUZZ_CHECK(!reread.firstUnshowableLine);
  FUZZ_CHECK(reread.rows == WithCrLf(text));
  return 0;
}
