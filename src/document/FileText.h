// FileText: a document file's bytes as the text the editor holds, and the
// text as the bytes of a file again.
//
// A CP932 file is its text, byte for byte. A UTF-8 file is converted, and
// `FileForm` remembers what is needed to write it back as it was: the
// encoding (with or without byte-order mark), the spelling of the characters
// with two Unicode forms (for the file as a whole, and line by line where a
// line spells them otherwise), and its line ends. The text control gives a text
// without CR LF its CR LF line ends when it is loaded; a UTF-8 file with LF
// (or CR) line ends gets them back when it is written, lines added since
// included. CP932 files keep the text's line ends, as they always have.
//
// A comma-separated file (csv::FileFormat::Csv) is decoded first and then read
// as CSV: the text holds its records as TAB-separated rows with CR LF line
// ends. Writing turns the rows back into records (text/Csv) before encoding
// them; the form keeps the records' line end and the bytes of every record
// minimal quoting would write otherwise, so unchanged rows are written as
// they were read.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "text/Csv.h"
#include "text/FileEncoding.h"

namespace file_text {

using file_encoding::Encoding;

// How a file is read: by what its bytes show, or as one encoding whatever
// they show (setting::OpenEncoding uses these numbers).
enum class ReadAs { Detect = 0, Cp932 = 1, Utf8 = 2 };

enum class LineEnds { AsHeld, Lf, Cr };

// The lines of a UTF-8 file that the file's spelling (`jisForms`) would not
// write back as they were, because they spell a two-form character the other
// way: for each such line's text (CP932, without its line end), the UTF-8
// bytes of every line of the file with that text, in file order. A line left
// untouched is written with its own bytes again, however the rest of the
// file spells those characters.
using LineSpellings = std::unordered_map<std::string, std::vector<std::string>>;

struct FileForm {
  Encoding encoding = Encoding::Cp932;
  file_encoding::JisForms jisForms = 0;
  LineEnds lineEnds = LineEnds::AsHeld;
  std::shared_ptr<const LineSpellings> lineSpellings;  // null: every line as jisForms says
  // Comma-separated files: the records' line end and their own spellings.
  // lineEnds then tells the line end the file had, for the text it may be
  // saved as.
  csv::FileFormat format = csv::FileFormat::Text;
  csv::RecordForm records;
};

struct Loaded {
  std::string text;  // CP932, line ends as in the file
  FileForm form;
  // Set when the text is not a faithful form of the file: it must never be
  // written over it.
  std::optional<file_encoding::Unconvertible> firstUnconvertible;
  // A comma-separated file with a field that holds a TAB, CR or LF: the line
  // where the first such record starts. The text shows blanks for them.
  std::optional<int> firstUnshowableRecordLine;
  // Decode taking the bytes: the file's bytes when the text is not them (a
  // converted or a comma-separated file); empty when the text took them over.
  std::string fileBytes;
};

Loaded Decode(std::string_view bytes, ReadAs readAs, csv::FileFormat format = csv::FileFormat::Text);
// The same for bytes the caller gives up: a CP932 text file's bytes become
// the text without a copy; other files' bytes come back in `fileBytes`.
Loaded Decode(std::string&& bytes, ReadAs readAs, csv::FileFormat format = csv::FileFormat::Text);

// True when the loaded text, written in its form, gives exactly the file's
// bytes (`fileBytes`) again, so that they need not be kept to write the text
// back unedited. Only a text file read from UTF-8 whose lines all spell the
// two-form characters as `jisForms` says is compared; for every other file,
// and for a text with substitutes, false. The text is looked at as decoded:
// the CR LF the control gives a text of LF or CR line ends are undone when it
// is written, so they change nothing here.
bool EncodesBackToFile(const Loaded& loaded);

struct Encoded {
  std::string bytes;
  std::optional<file_encoding::BadCp932> firstBad;  // set: the text cannot be written in this form
};

Encoded Encode(std::string_view text, const FileForm& form);

// The bytes Encode gives, made a piece at a time while they are written. A
// text file written as UTF-8 is converted a megabyte at a time (each piece
// ends after an LF), so its UTF-8 form is never whole beside the text; a
// file with lines of their own spelling, a comma-separated file and a CP932
// file come as one piece (a CP932 text file's piece is the text itself).
// The text and the form must outlive the object, and the text must not change.
class EncodedPieces {
 public:
  EncodedPieces(std::string_view text, const FileForm& form);
  // The next piece, valid until the next call; false when there is none left
  // or when the text cannot be written in the form (FirstBad then says where).
  bool Next(std::string_view& piece);
  const std::optional<file_encoding::BadCp932>& FirstBad() const { return firstBad_; }

 private:
  std::string_view text_;
  std::string_view rest_;  // not converted yet
  const FileForm& form_;  // outlives the object too
  bool piecewise_;
  bool started_ = false;
  std::string buffer_;
  std::optional<file_encoding::BadCp932> firstBad_;
};

// The line ends a loaded text will get back when written as UTF-8: those it
// had, when the text control is about to change them.
LineEnds LineEndsOf(std::string_view text);

}  // namespace file_text
