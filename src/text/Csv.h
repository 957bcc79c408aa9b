// Csv: comma-separated files (RFC 4180) as the TAB-separated rows the table
// engine works on, and those rows as comma-separated text again.
//
// A record is a line of fields separated by ","; a field may be quoted with
// '"', a quote inside a quoted field is doubled, and a quoted field may hold
// commas and line ends. Read, a record becomes one row of the text shown: its
// fields unquoted, a TAB between them, CR LF after each record that had a
// line end in the file (so the last row has one exactly when the file ends
// with one). Reading is lenient as spreadsheets are: a quote inside an
// unquoted field is part of it, and text after a closing quote is added to
// the field.
//
// Invariants:
// - Rows and records correspond one to one and in order; a file that ends
//   with a line end gives no extra empty record.
// - `Write(Read(t).rows, Read(t).form)` gives back `t` exactly
//   (record line ends as the file's first one), whatever the quoting of each
//   record: a record that minimal quoting would write otherwise keeps its own
//   bytes in `RecordSpellings`, keyed by its row.
// - A field holding a TAB, CR or LF has no faithful row: it is shown with a
//   blank for each of them (CR LF as one), and `firstUnshowableLine` names the
//   line where the first such record starts. Its own bytes are kept, so an
//   unchanged row still writes the record as it was.
//
// The delimiters (TAB, CR, LF, '"', ',' and the blank) are all below 0x40,
// so no CP932 trail byte is ever taken for one: the text is read byte by byte
// (or as masks of 64 bytes, one bit a byte, for a short record or row with
// nothing unusual in it).
#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace csv {

// How a document file lays out its table: TAB-separated text as it is, or
// comma-separated records converted at the edge.
enum class FileFormat { Text, Csv };

// "text", "csv": the names scripts and the batch runner use.
const char* FormatName(FileFormat format);
std::optional<FileFormat> FormatFromName(std::string_view name);

// True for a file name ending in ".csv", in any case.
bool HasCsvExtension(std::string_view path);

struct TextHash {
  using is_transparent = void;
  std::size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
};

// For each row whose record minimal quoting would not write back as it was,
// the records (without their line ends) of every row of the file with that
// text, in file order: the n-th such row written takes the n-th record (the
// last one when there are more rows now).
using RecordSpellings = std::unordered_map<std::string, std::vector<std::string>, TextHash, std::equal_to<>>;

// What writing needs besides the rows to give a file back as it was read.
struct RecordForm {
  std::string lineEnd = "\r\n";  // the file's first record end; CR LF for a file without one
  std::shared_ptr<const RecordSpellings> spellings;  // null: every record as minimal quoting writes it
  // A last record without a line end that shows as an empty row (a lone
  // `""`): the rows cannot tell it from no record at all, so its bytes are
  // written after rows that end with a line end.
  std::string emptyLastRecord;
};

struct Table {
  std::string rows;  // TAB between cells, CR LF between rows
  RecordForm form;
  std::optional<int> firstUnshowableLine;  // 1-based line of the file
};

Table Read(std::string_view text);

// The rows as records, each ended with the form's line end where the row has
// a line end (CR LF, LF or CR) in `rows`.
std::string Write(std::string_view rows, const RecordForm& form);

// Appends one row as a record with minimal quoting: a field is quoted when
// it holds a comma or a quote or starts or ends with a blank; quotes inside
// are doubled.
void AppendRecord(std::string& out, std::string_view row);

}  // namespace csv
