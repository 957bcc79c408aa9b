#include "document/FileText.h"

#include <algorithm>

#include "document/DocumentFile.h"
#include "text/Cp932.h"

namespace file_text {

namespace {

bool IsLineEndByte(char c) { return c == '\r' || c == '\n'; }

// Calls f(content) for each run of bytes between line-end bytes, and
// f(lineEnds) with `isEnd` set for each run of CR and LF bytes, in order.
// Line-end bytes are ASCII, the same in CP932 (never a trail byte) and UTF-8.
template <typename F>
void ForEachRun(std::string_view text, F&& f) {
  std::size_t i = 0;
  while (i < text.size()) {
    const bool isEnd = IsLineEndByte(text[i]);
    std::size_t j = i;
    while (j < text.size() && IsLineEndByte(text[j]) == isEnd) ++j;
    f(text.substr(i, j - i), isEnd);
    i = j;
  }
}

std::vector<std::string_view> ContentRuns(std::string_view text) {
  std::vector<std::string_view> runs;
  ForEachRun(text, [&](std::string_view run, bool isEnd) {
    if (!isEnd) runs.push_back(run);
  });
  return runs;
}

// The lines of `utf8` (the file) whose bytes the file's spelling would not
// give back from `text` (what they were read as).
std::shared_ptr<const LineSpellings> LineSpellingsOf(std::string_view utf8, std::string_view text,
                                                     file_encoding::JisForms jisForms) {
  const std::vector<std::string_view> fileLines = ContentRuns(utf8);
  const std::vector<std::string_view> textLines = ContentRuns(text);
  if (fileLines.size() != textLines.size()) return nullptr;
  auto spellings = std::make_shared<LineSpellings>();
  for (std::size_t i = 0; i < textLines.size(); ++i) {
    if (spellings->count(std::string(textLines[i]))) continue;
    const file_encoding::ToUtf8Result written = file_encoding::ToUtf8(textLines[i], jisForms);
    if (!written.firstBad && written.bytes != fileLines[i])
      spellings->emplace(std::string(textLines[i]), std::vector<std::string>{});
  }
  if (spellings->empty()) return nullptr;
  for (std::size_t i = 0; i < textLines.size(); ++i)
    if (auto it = spellings->find(std::string(textLines[i])); it != spellings->end())
      it->second.emplace_back(fileLines[i]);
  return spellings;
}

}  // namespace

LineEnds LineEndsOf(std::string_view text) {
  // The same test the text control applies when it is given the text.
  if (cp932::Find(text, "\r\n") != cp932::npos) return LineEnds::AsHeld;
  if (cp932::Find(text, '\n') != cp932::npos) return LineEnds::Lf;
  if (cp932::Find(text, '\r') != cp932::npos) return LineEnds::Cr;
  return LineEnds::AsHeld;
}

namespace {

Encoding EncodingOf(std::string_view bytes, ReadAs readAs) {
  switch (readAs) {
    case ReadAs::Detect:
      return file_encoding::Detect(bytes);
    case ReadAs::Cp932:
      break;
    case ReadAs::Utf8:
      return file_encoding::StartsWithBom(bytes) ? Encoding::Utf8Bom : Encoding::Utf8;
  }
  return Encoding::Cp932;
}

Loaded DecodeAs(std::string_view bytes, Encoding encoding, csv::FileFormat format) {
  Loaded r;
  r.form.encoding = encoding;
  if (encoding == Encoding::Cp932) {
    // A comma-separated file is read straight from its bytes below.
    if (format != csv::FileFormat::Csv) r.text.assign(bytes);
  } else {
    if (encoding == Encoding::Utf8Bom) bytes.remove_prefix(file_encoding::kBom.size());
    file_encoding::FromUtf8Result u = file_encoding::FromUtf8(bytes);
    r.text = std::move(u.text);
    r.form.jisForms = u.jisForms;
    r.form.lineEnds = LineEndsOf(r.text);
    r.firstUnconvertible = u.firstUnconvertible;
    // Only a file that spells some character both ways has lines the file's
    // spelling would not give back; the others are not looked at line by line.
    if (!r.firstUnconvertible && u.mixedForms) r.form.lineSpellings = LineSpellingsOf(bytes, r.text, r.form.jisForms);
  }
  if (format == csv::FileFormat::Csv) {
    csv::Table table = csv::Read(encoding == Encoding::Cp932 ? bytes : std::string_view(r.text));
    r.text = std::move(table.rows);
    r.form.format = csv::FileFormat::Csv;
    r.form.records = std::move(table.form);
    r.firstUnshowableRecordLine = table.firstUnshowableLine;
  }
  return r;
}

}  // namespace

Loaded Decode(std::string_view bytes, ReadAs readAs, csv::FileFormat format) {
  return DecodeAs(bytes, EncodingOf(bytes, readAs), format);
}

Loaded Decode(std::string&& bytes, ReadAs readAs, csv::FileFormat format) {
  const Encoding encoding = EncodingOf(bytes, readAs);
  if (encoding == Encoding::Cp932 && format != csv::FileFormat::Csv) {
    Loaded r;
    r.text = std::move(bytes);
    return r;
  }
  Loaded r = DecodeAs(bytes, encoding, format);
  r.fileBytes = std::move(bytes);
  return r;
}

bool EncodesBackToFile(const Loaded& loaded) {
  const FileForm& form = loaded.form;
  if (form.format != csv::FileFormat::Text || form.encoding == Encoding::Cp932 || form.lineSpellings ||
      loaded.firstUnconvertible)
    return false;
  std::string_view file = loaded.fileBytes;
  if (form.encoding == Encoding::Utf8Bom) {
    if (!file_encoding::StartsWithBom(file)) return false;
    file.remove_prefix(file_encoding::kBom.size());
  }
  // A piece at a time, each ending after a line-end byte (never part of a
  // double-byte character), so that no second whole text is made.
  constexpr std::size_t kPieceBytes = std::size_t{1} << 20;
  std::string_view text = loaded.text;
  while (!text.empty()) {
    std::size_t end = text.size();
    if (end > kPieceBytes) {
      const std::size_t lineEnd = text.find_first_of("\r\n", kPieceBytes);
      if (lineEnd != std::string_view::npos) end = lineEnd + 1;
    }
    const file_encoding::ToUtf8Result piece = file_encoding::ToUtf8(text.substr(0, end), form.jisForms);
    if (piece.firstBad || !file.starts_with(piece.bytes)) return false;
    file.remove_prefix(piece.bytes.size());
    text.remove_prefix(end);
  }
  return file.empty();
}

namespace {

constexpr std::size_t kEncodePieceBytes = std::size_t{1} << 20;

// Converts the next piece of `rest` (a megabyte or so, ending after an LF, so
// never inside a character or between a CR and its LF) to UTF-8, each line
// spelled as `jisForms` says and its CR LF turned into `lineEnd`, and appends
// it to `out`; false, taking nothing, when some byte is outside the code page.
bool AppendUtf8Piece(std::string_view& rest, std::string_view lineEnd, file_encoding::JisForms jisForms,
                     std::string& out) {
  std::size_t end = rest.size();
  if (end > kEncodePieceBytes) {
    const std::size_t lf = rest.find('\n', kEncodePieceBytes);
    if (lf != std::string_view::npos) end = lf + 1;
  }
  std::string_view part = rest.substr(0, end);
  std::string restored;
  if (lineEnd != "\r\n") {
    restored = cp932::ReplaceAll(part, "\r\n", lineEnd);
    part = restored;
  }
  file_encoding::ToUtf8Result piece = file_encoding::ToUtf8(part, jisForms);
  if (piece.firstBad) return false;
  if (out.empty())
    out = std::move(piece.bytes);
  else
    out += piece.bytes;
  rest.remove_prefix(end);
  return true;
}

std::string_view LineEndBytes(LineEnds lineEnds) {
  return lineEnds == LineEnds::Lf ? "\n" : lineEnds == LineEnds::Cr ? "\r" : "\r\n";
}

// The UTF-8 bytes of a text whose CR LF go back to `lineEnd`, made a piece at
// a time, so that the text with its old line ends is never made whole.
// Nothing when some byte is outside the code page: the caller then converts
// the whole text to report where.
std::optional<std::string> Utf8WithLineEnds(std::string_view text, std::string_view lineEnd,
                                            file_encoding::JisForms jisForms, bool bom) {
  std::string bytes;
  bytes.reserve(text.size() + text.size() / 2 + file_encoding::kBom.size());
  if (bom) bytes += file_encoding::kBom;
  while (!text.empty())
    if (!AppendUtf8Piece(text, lineEnd, jisForms, bytes)) return std::nullopt;
  return bytes;
}

// The text (or the records of a comma-separated file) in the file's encoding,
// line ends as `lineEnds` says.
Encoded EncodeText(std::string_view text, const FileForm& form, LineEnds lineEnds) {
  Encoded r;
  if (form.encoding == Encoding::Cp932) {
    r.bytes.assign(text);
    return r;
  }
  if (lineEnds != LineEnds::AsHeld && !form.lineSpellings) {
    std::optional<std::string> bytes =
        Utf8WithLineEnds(text, LineEndBytes(lineEnds), form.jisForms, form.encoding == Encoding::Utf8Bom);
    if (bytes) {
      r.bytes = std::move(*bytes);
      return r;
    }
  }
  std::string restored;
  if (lineEnds == LineEnds::Lf) {
    restored = cp932::ReplaceAll(text, "\r\n", "\n");
    text = restored;
  } else if (lineEnds == LineEnds::Cr) {
    restored = cp932::ReplaceAll(text, "\r\n", "\r");
    text = restored;
  }
  file_encoding::ToUtf8Result u = file_encoding::ToUtf8(text, form.jisForms);
  if (u.firstBad) {
    r.firstBad = u.firstBad;
    return r;
  }
  if (form.lineSpellings) {
    // Lines the file spelled otherwise take their own bytes again, the n-th
    // line with a text the n-th such line of the file (the last one when the
    // text now has more).
    std::unordered_map<std::string_view, std::size_t> used;
    std::string bytes;
    bytes.reserve(u.bytes.size());
    ForEachRun(text, [&](std::string_view run, bool isEnd) {
      const auto it = isEnd ? form.lineSpellings->end() : form.lineSpellings->find(std::string(run));
      if (it != form.lineSpellings->end() && !it->second.empty()) {
        std::size_t& n = used[run];
        bytes += it->second[std::min(n, it->second.size() - 1)];
        ++n;
      } else {
        bytes += file_encoding::ToUtf8(run, form.jisForms).bytes;
      }
    });
    u.bytes = std::move(bytes);
  }
  // Moved, not copied: the converted text is the file's bytes.
  r.bytes = std::move(u.bytes);
  if (form.encoding == Encoding::Utf8Bom) r.bytes.insert(0, file_encoding::kBom);
  return r;
}

}  // namespace

Encoded Encode(std::string_view text, const FileForm& form) {
  if (form.format != csv::FileFormat::Csv) return EncodeText(text, form, form.lineEnds);
  // The records carry their own line ends; in CP932 they are the file's bytes.
  std::string records = csv::Write(text, form.records);
  if (form.encoding == Encoding::Cp932) {
    Encoded r;
    r.bytes = std::move(records);
    return r;
  }
  return EncodeText(records, form, LineEnds::AsHeld);
}

EncodedPieces::EncodedPieces(std::string_view text, const FileForm& form)
    : text_(text),
      rest_(text),
      form_(form),
      piecewise_(form.format == csv::FileFormat::Text && form.encoding != Encoding::Cp932 && !form.lineSpellings) {}

bool EncodedPieces::Next(std::string_view& piece) {
  buffer_.clear();
  const bool first = !started_;
  started_ = true;
  if (!piecewise_) {
    if (!first) return false;
    if (form_.encoding == Encoding::Cp932 && form_.format == csv::FileFormat::Text) {
      piece = text_;  // the text is the file's bytes
      return true;
    }
    Encoded encoded = Encode(text_, form_);
    if (encoded.firstBad) {
      firstBad_ = encoded.firstBad;
      return false;
    }
    buffer_ = std::move(encoded.bytes);
    piece = buffer_;
    return true;
  }
  if (first && form_.encoding == Encoding::Utf8Bom) buffer_ = file_encoding::kBom;
  if (!rest_.empty() && !AppendUtf8Piece(rest_, LineEndBytes(form_.lineEnds), form_.jisForms, buffer_)) {
    // Where, counted in the whole text: converted whole, which stops there.
    firstBad_ = Encode(text_, form_).firstBad;
    if (!firstBad_) firstBad_ = file_encoding::BadCp932{};
    return false;
  }
  piece = buffer_;
  return !buffer_.empty();
}

}  // namespace file_text
