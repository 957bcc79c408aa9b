// Csv: one pass over the comma-separated text builds the rows; records whose
// bytes minimal quoting would not give back are kept by their rows, found in
// a second pass only for a file that has such records.
//
// A record (or row) of up to 63 bytes with a line end and nothing unusual is
// read (or written) from 64-bit masks of its bytes, a run at a time between
// quotes; every other one byte by byte. Both give the same bytes. The fast
// paths read at most 80 bytes from a record's start and are taken only where
// the text has that many left; they write up to 15 bytes past their output,
// inside the room the byte-by-byte code keeps anyway.
#include "text/Csv.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <cstdint>
#include <unordered_set>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace csv {

namespace {

bool IsLineEndByte(char c) { return c == '\r' || c == '\n'; }

// Where a record and its row lie: in the file's text and in the rows, and
// whether minimal quoting would write the record otherwise.
struct RecordPlace {
  std::size_t sourceBegin, sourceEnd;
  std::size_t rowBegin, rowEnd;
  bool respelled;
};

// The bytes that end a run of plain field text, in either direction: the
// separators, the quote and the bytes no row can show.
constexpr std::array<bool, 256> kSpecialBytes = [] {
  std::array<bool, 256> table{};
  for (const unsigned char c : {',', '"', '\t', '\r', '\n'}) table[c] = true;
  return table;
}();

bool IsSpecialByte(char c) { return kSpecialBytes[static_cast<unsigned char>(c)]; }

// Copies bytes from `from` to `to` up to the first special byte or `stop`;
// returns how many.
[[gnu::always_inline]] inline std::size_t CopyPlainBytes(const char* from, const char* stop, char* to) {
  const char* p = from;
  for (; p != stop && !IsSpecialByte(*p); ++p) to[p - from] = *p;
  return static_cast<std::size_t>(p - from);
}

// What the clean-record readers return for a record they leave to the
// byte-by-byte code.
constexpr std::size_t kNotClean = static_cast<std::size_t>(-1);

#if defined(__SSE2__)

// A clean record is one the byte-by-byte reader below would show field for
// field with no blanks for TAB, CR or LF and no record spelling of its own:
// it lies within the 64 bytes from its start, ends with a line end, holds
// no TAB, and each of its fields is either unquoted without a quote or a
// blank at its ends, or quoted from its first byte to its last with a comma
// and no quote inside or a blank at an end of its text. Its row is its bytes
// without the quotes, with a TAB for each comma between fields.
//
// The bytes of a record are looked at as 64-bit masks, bit i for byte i:
// a byte lies within quotes when an odd number of quotes come up to it.
constexpr std::size_t kCleanRecordWindow = 64;
// Bytes that must follow a record's start for it to be read as clean: the
// window, and 16 more for the last 16-byte copy that starts within it.
constexpr std::size_t kCleanRecordReadable = kCleanRecordWindow + 16;

[[gnu::always_inline]] inline std::uint64_t BytesEqual(const __m128i (&parts)[4], char c) {
  const __m128i wanted = _mm_set1_epi8(c);
  auto bitsOf = [&](int part) {
    return static_cast<std::uint64_t>(static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(parts[part], wanted))));
  };
  return bitsOf(0) | bitsOf(1) << 16 | bitsOf(2) << 32 | bitsOf(3) << 48;
}

// Bit i set when the bits up to and including i hold an odd count.
std::uint64_t PrefixParity(std::uint64_t bits) {
  bits ^= bits << 1;
  bits ^= bits << 2;
  bits ^= bits << 4;
  bits ^= bits << 8;
  bits ^= bits << 16;
  bits ^= bits << 32;
  return bits;
}

// Copies `length` bytes sixteen at a time, each byte equal to `match`
// turned into `match ^ swap` byte for byte (a zero `swap` keeps it): up to
// fifteen bytes past `to + length` are written, and sixteen bytes from
// `from` must be readable.
[[gnu::always_inline]] inline void CopySwapping(const char* from, std::size_t length, char* to, __m128i match,
                                                 __m128i swap) {
  std::size_t done = 0;
  do {
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from + done));
    const __m128i swapped = _mm_xor_si128(bytes, _mm_and_si128(_mm_cmpeq_epi8(bytes, match), swap));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(to + done), swapped);
    done += 16;
  } while (done < length);
}

// Writes the row of the clean record at `record` to `to` (without its line
// end) and returns the record's length up to its line end, or kNotClean
// without a row when it is not clean. kCleanRecordReadable bytes from
// `record` must be readable, and `to` must have room for as many.
std::size_t ReadCleanRecord(const char* record, char*& to) {
  __m128i parts[4];
  for (int part = 0; part < 4; ++part) parts[part] = _mm_loadu_si128(reinterpret_cast<const __m128i*>(record + 16 * part));
  const std::uint64_t quotes = BytesEqual(parts, '"');
  const std::uint64_t commas = BytesEqual(parts, ',');
  const std::uint64_t lineEnds = BytesEqual(parts, '\r') | BytesEqual(parts, '\n');
  const std::uint64_t withinQuotes = PrefixParity(quotes);  // an opening quote and the text after it
  const std::uint64_t recordEnds = lineEnds & ~withinQuotes;
  if (recordEnds == 0) return kNotClean;
  const unsigned length = static_cast<unsigned>(__builtin_ctzll(recordEnds));
  const std::uint64_t inRecord = (std::uint64_t{1} << length) - 1;
  if ((BytesEqual(parts, '\t') | (lineEnds & withinQuotes)) & inRecord) return kNotClean;
  const std::uint64_t separators = commas & ~withinQuotes & inRecord;
  const std::uint64_t fieldEnds = separators | (std::uint64_t{1} << length);
  const std::uint64_t fieldStarts = ((fieldEnds << 1) | 1) & (inRecord | (std::uint64_t{1} << length));
  const std::uint64_t openingQuotes = quotes & withinQuotes & inRecord;
  const std::uint64_t closingQuotes = quotes & ~withinQuotes & inRecord;
  // Quotes open fields and close them right before a comma or the line end;
  // a doubled quote fails this, as it closes and opens within a field.
  if ((openingQuotes & ~fieldStarts) || ((closingQuotes << 1) & ~fieldEnds)) return kNotClean;
  // Unquoted fields start and end with other bytes than a blank.
  const std::uint64_t blanks = BytesEqual(parts, ' ');
  if (blanks & ((fieldStarts & ~openingQuotes) | ((fieldEnds >> 1) & ~closingQuotes))) return kNotClean;
  // A quoted field needs its quotes: a comma inside or a blank at an end.
  const std::uint64_t quotedCommas = commas & withinQuotes & inRecord;
  for (std::uint64_t opening = openingQuotes; opening != 0; opening &= opening - 1) {
    const unsigned open = static_cast<unsigned>(__builtin_ctzll(opening));
    const std::uint64_t after = ~((std::uint64_t{2} << open) - 1);  // the bits past the opening quote
    const unsigned close = static_cast<unsigned>(__builtin_ctzll(closingQuotes & after));
    const std::uint64_t text = after & ((std::uint64_t{1} << close) - 1);
    const std::uint64_t textEnds = (std::uint64_t{2} << open) | (std::uint64_t{1} << close >> 1);
    if (!(text & (quotedCommas | (blanks & textEnds)))) return kNotClean;
  }
  // The runs of bytes between quotes are copied, those outside quotes with
  // a TAB for each comma.
  const __m128i comma = _mm_set1_epi8(',');
  const __m128i toTab = _mm_set1_epi8(',' ^ '\t');
  __m128i commaSwap = toTab;
  char* o = to;
  std::size_t runStart = 0;
  for (std::uint64_t quoteBits = quotes & inRecord;; quoteBits &= quoteBits - 1) {
    const std::size_t runEnd = quoteBits ? static_cast<std::size_t>(__builtin_ctzll(quoteBits)) : length;
    CopySwapping(record + runStart, runEnd - runStart, o, comma, commaSwap);
    o += runEnd - runStart;
    if (!quoteBits) break;
    runStart = runEnd + 1;
    commaSwap = _mm_xor_si128(commaSwap, toTab);
  }
  to = o;
  return length;
}

// Bytes a row must have room for, when written as a clean record: its
// fields with a quote on each side and a comma after each, and 16 more for
// the last 16-byte copy.
constexpr std::size_t kCleanRowRoom = 3 * kCleanRecordWindow + 16;

// Writes the row at `row` as a record with minimal quoting (without a line
// end) and returns the row's length up to its line end, when the row lies
// within the 64 bytes from its start, ends with a CR or LF and holds no
// quote; otherwise returns kNotClean and writes nothing. kCleanRecordReadable
// bytes from `row` must be readable, and `to` must have room for
// kCleanRowRoom bytes.
std::size_t WriteCleanRow(const char* row, char*& to) {
  __m128i parts[4];
  for (int part = 0; part < 4; ++part) parts[part] = _mm_loadu_si128(reinterpret_cast<const __m128i*>(row + 16 * part));
  const std::uint64_t lineEnds = BytesEqual(parts, '\r') | BytesEqual(parts, '\n');
  if (lineEnds == 0) return kNotClean;
  const unsigned length = static_cast<unsigned>(__builtin_ctzll(lineEnds));
  const std::uint64_t inRow = (std::uint64_t{1} << length) - 1;
  if (BytesEqual(parts, '"') & inRow) return kNotClean;
  const std::uint64_t tabs = BytesEqual(parts, '\t') & inRow;
  const std::uint64_t fieldEnds = tabs | (std::uint64_t{1} << length);
  const std::uint64_t fieldStarts = ((tabs << 1) | 1) & inRow;
  const std::uint64_t blanks = BytesEqual(parts, ' ') & inRow;
  // A byte of each field that needs quotes: a comma, or a blank at an end.
  std::uint64_t quoteMarks = (BytesEqual(parts, ',') & inRow) | (blanks & (fieldStarts | (fieldEnds >> 1)));
  // The runs of bytes between the quotes around such fields are copied
  // with a comma for each TAB.
  const __m128i tab = _mm_set1_epi8('\t');
  const __m128i toComma = _mm_set1_epi8('\t' ^ ',');
  const __m128i noSwap = _mm_setzero_si128();
  char* o = to;
  std::size_t runStart = 0;
  while (quoteMarks != 0) {
    const unsigned mark = static_cast<unsigned>(__builtin_ctzll(quoteMarks));
    const std::uint64_t tabsBefore = tabs & ((std::uint64_t{1} << mark) - 1);
    const std::size_t start = tabsBefore ? 64 - static_cast<std::size_t>(__builtin_clzll(tabsBefore)) : 0;
    const std::size_t end = static_cast<std::size_t>(__builtin_ctzll(fieldEnds & ~((std::uint64_t{1} << mark) - 1)));
    quoteMarks &= ~((std::uint64_t{1} << end) - 1);
    CopySwapping(row + runStart, start - runStart, o, tab, toComma);
    o += start - runStart;
    *o++ = '"';
    CopySwapping(row + start, end - start, o, tab, noSwap);
    o += end - start;
    *o++ = '"';
    runStart = end;
  }
  CopySwapping(row + runStart, length - runStart, o, tab, toComma);
  o += length - runStart;
  to = o;
  return length;
}

#endif

// The length of the line end at text[i] (a CR, LF or CR LF there).
std::size_t LineEndLength(std::string_view text, std::size_t i) {
  return text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n' ? 2 : 1;
}

bool StartsOrEndsWithBlank(const char* begin, const char* end) {
  return begin != end && (*begin == ' ' || end[-1] == ' ');
}

// A string written through a raw cursor: `Reserve` makes room for the next
// bytes, `Finish` cuts the string to what was written. Between the two the
// string's size is its capacity, and [data, cursor) is what was written.
struct RawOutput {
  std::string& text;
  char* cursor;
  char* limit;

  RawOutput(std::string& target, std::size_t expected) : text(target) {
    const std::size_t used = text.size();
    text.resize(used + expected);
    cursor = text.data() + used;
    limit = text.data() + text.size();
  }
  void Reserve(std::size_t bytes) {
    if (static_cast<std::size_t>(limit - cursor) >= bytes) return;
    const std::size_t used = static_cast<std::size_t>(cursor - text.data());
    text.resize(std::max(text.size() + text.size() / 2, used + bytes + bytes / 4 + 64));
    cursor = text.data() + used;
    limit = text.data() + text.size();
  }
  void Append(std::string_view bytes) {
    Reserve(bytes.size());
    std::memcpy(cursor, bytes.data(), bytes.size());
    cursor += bytes.size();
  }
  std::size_t Size() const { return static_cast<std::size_t>(cursor - text.data()); }
  void Finish() { text.resize(Size()); }
};

// Writes the row starting at text[i] as a record with minimal quoting, up to
// the first CR or LF or the end; returns where it stopped. Plain field text
// is copied as it is scanned (an unquoted field is as long as its cell, so
// room for the text left is room enough); a field that turns out to need
// quotes is written again from its start.
std::size_t AppendRecordAt(RawOutput& out, std::string_view text, std::size_t i) {
  const char* p = text.data() + i;
  const char* const end = text.data() + text.size();
  for (;;) {
    out.Reserve(static_cast<std::size_t>(end - p) + 1);
    const char* const fieldBegin = p;
    char* const fieldOut = out.cursor;
    char* o = fieldOut;
    bool mustQuote = false;
    for (;;) {
      const std::size_t plain = CopyPlainBytes(p, end, o);
      p += plain;
      o += plain;
      if (p == end || (*p != ',' && *p != '"')) break;
      mustQuote = true;
      *o++ = *p++;
    }
    out.cursor = o;
    if (mustQuote || StartsOrEndsWithBlank(fieldBegin, p)) {
      const std::size_t length = static_cast<std::size_t>(p - fieldBegin);
      out.cursor = fieldOut;
      out.Reserve(2 * length + 3);
      o = out.cursor;
      *o++ = '"';
      for (const char* f = fieldBegin; f != p; ++f) {
        *o++ = *f;
        if (*f == '"') *o++ = '"';
      }
      *o++ = '"';
      out.cursor = o;
    }
    if (p == end || *p != '\t') break;
    *out.cursor++ = ',';
    ++p;
  }
  return static_cast<std::size_t>(p - text.data());
}

// AppendRecordAt, for a row in the middle of the rows: a clean row is
// written from masks of its bytes.
std::size_t AppendRecordOfRowAt(RawOutput& out, std::string_view rows, std::size_t i) {
#if defined(__SSE2__)
  if (rows.size() - i >= kCleanRecordReadable) {
    out.Reserve(kCleanRowRoom);
    const std::size_t length = WriteCleanRow(rows.data() + i, out.cursor);
    if (length != kNotClean) return i + length;
  }
#endif
  return AppendRecordAt(out, rows, i);
}

}  // namespace

const char* FormatName(FileFormat format) { return format == FileFormat::Csv ? "csv" : "text"; }

std::optional<FileFormat> FormatFromName(std::string_view name) {
  if (name == "csv") return FileFormat::Csv;
  if (name == "text") return FileFormat::Text;
  return std::nullopt;
}

bool HasCsvExtension(std::string_view path) {
  if (path.size() < 4) return false;
  const std::string_view ext = path.substr(path.size() - 4);
  return ext[0] == '.' && (ext[1] | 0x20) == 'c' && (ext[2] | 0x20) == 's' && (ext[3] | 0x20) == 'v';
}

void AppendRecord(std::string& out, std::string_view row) {
  RawOutput output(out, row.size() + row.size() / 4 + 16);
  AppendRecordAt(output, row, 0);
  output.Finish();
}

namespace {

// Reads the records of `text` into `table` (rows, line end, empty last
// record, first unshowable line) and, when `places` is given, where each of
// them lies. Returns whether minimal quoting would write any record otherwise.
bool ReadRecords(std::string_view text, Table& table, std::vector<RecordPlace>* places) {
  const std::size_t n = text.size();
  // A record's row is never longer than the record with its line end, plus
  // one byte where a lone CR or LF becomes CR LF: the room is checked once a
  // record. Within a record the row grows no faster than the text is read,
  // so the room left never falls below the text left to read.
  RawOutput out(table.rows, n + n / 32 + 16);
  bool anyRespelled = false;
  bool lineEndSeen = false;
  int line = 1;
  const char* const begin = text.data();
  const char* const end = begin + n;
  const char* p = begin;

  while (p != end) {
    out.Reserve(static_cast<std::size_t>(end - p) + 2);
    char* o = out.cursor;
    const char* const recordBegin = p;
    const std::size_t rowBegin = out.Size();
    const int recordLine = line;
    // Set when minimal quoting would not write the record's bytes, field by
    // field: a quoted field that needs no quotes, one not closed or with
    // text after its closing quote, an unquoted one that would need them,
    // and any field shown with blanks for TAB, CR or LF (CR LF as one).
    bool differs = false;
    bool unshowable = false;
#if defined(__SSE2__)
    const std::size_t cleanLength =
        static_cast<std::size_t>(end - p) >= kCleanRecordReadable ? ReadCleanRecord(p, o) : kNotClean;
#else
    const std::size_t cleanLength = kNotClean;
#endif
    if (cleanLength != kNotClean) p += cleanLength;
    // Any other record field by field: each field ends with `break` or,
    // after a comma, `continue`s with the next one.
    while (cleanLength == kNotClean) {
      bool quotedField = false;
      bool lenient = false;
      bool holdsCommaOrQuote = false;
      const char* quotedBegin = p;
      if (p != end && *p == '"') {
        quotedField = true;
        ++p;
        quotedBegin = p;
        for (;;) {
          {
            const std::size_t plain = CopyPlainBytes(p, end, o);
            p += plain;
            o += plain;
          }
          if (p == end) {
            lenient = true;  // no closing quote: the field runs to the end
            break;
          }
          const char c = *p;
          if (c == '"') {
            if (p + 1 != end && p[1] == '"') {
              *o++ = '"';
              p += 2;
              holdsCommaOrQuote = true;
              continue;
            }
            ++p;  // the closing quote
            break;
          }
          if (c == ',') {
            *o++ = ',';
            ++p;
            holdsCommaOrQuote = true;
            continue;
          }
          *o++ = ' ';
          unshowable = true;
          if (c == '\t') {
            ++p;
          } else {
            ++line;
            p += c == '\r' && p + 1 != end && p[1] == '\n' ? 2 : 1;
          }
        }
      }
      // An unquoted field, or what follows a closing quote: up to the next
      // comma or line end, quotes included.
      const char* const plainBegin = p;
      for (;;) {
        {
          const std::size_t plain = CopyPlainBytes(p, end, o);
          p += plain;
          o += plain;
        }
        if (p == end) break;
        if (*p == '"') {
          lenient = true;
        } else if (*p == '\t') {
          unshowable = true;
        } else {
          break;
        }
        *o++ = *p == '\t' ? ' ' : '"';
        ++p;
      }
      if (quotedField) {
        lenient = lenient || p != plainBegin;
        // Not lenient, the field's text lies between its quotes (a doubled
        // quote at an end is a quote, a TAB, CR or LF makes it unshowable).
        differs = differs || lenient || !(holdsCommaOrQuote || StartsOrEndsWithBlank(quotedBegin, p - 1));
      } else {
        // A comma ends the field and a quote makes it lenient: only blanks
        // at its ends would need quotes (a TAB there makes it unshowable).
        differs = differs || lenient || StartsOrEndsWithBlank(plainBegin, p);
      }
      if (p != end && *p == ',') {
        *o++ = '\t';
        ++p;
        continue;
      }
      break;
    }
    differs = differs || unshowable;
    out.cursor = o;
    const std::size_t sourceBegin = static_cast<std::size_t>(recordBegin - begin);
    const std::size_t sourceEnd = static_cast<std::size_t>(p - begin);
    const std::size_t rowEnd = out.Size();
    if (p != end) {
      const std::size_t len = LineEndLength(text, sourceEnd);
      if (!lineEndSeen) {
        table.form.lineEnd.assign(text.substr(sourceEnd, len));
        lineEndSeen = true;
      }
      p += len;
      ++line;
      *out.cursor++ = '\r';
      *out.cursor++ = '\n';
    } else if (rowEnd == rowBegin && sourceEnd > sourceBegin) {
      table.form.emptyLastRecord.assign(text.substr(sourceBegin, sourceEnd - sourceBegin));
    }
    if (unshowable && !table.firstUnshowableLine) table.firstUnshowableLine = recordLine;
    anyRespelled = anyRespelled || differs;
    if (places) places->push_back({sourceBegin, sourceEnd, rowBegin, rowEnd, differs});
  }
  out.Finish();
  return anyRespelled;
}

}  // namespace

Table Read(std::string_view text) {
  Table table;
  // Most files have no record of their own spelling: where each record lies
  // is worked out, in a second reading, only for a file that has one.
  if (!ReadRecords(text, table, nullptr)) return table;
  table = Table{};
  std::vector<RecordPlace> places;
  ReadRecords(text, table, &places);
  const std::string& rows = table.rows;

  auto spellings = std::make_shared<RecordSpellings>();
  std::unordered_set<std::string_view, TextHash> keys;
  auto rowOf = [&](const RecordPlace& p) { return std::string_view(rows).substr(p.rowBegin, p.rowEnd - p.rowBegin); };
  for (const RecordPlace& p : places)
    if (p.respelled) keys.insert(rowOf(p));
  for (const RecordPlace& p : places) {
    const std::string_view row = rowOf(p);
    if (!keys.count(row)) continue;
    auto it = spellings->find(row);
    if (it == spellings->end()) it = spellings->emplace(std::string(row), std::vector<std::string>{}).first;
    it->second.emplace_back(text.substr(p.sourceBegin, p.sourceEnd - p.sourceBegin));
  }
  table.form.spellings = std::move(spellings);
  return table;
}

std::string Write(std::string_view rows, const RecordForm& form) {
  const RecordSpellings* spellings = form.spellings.get();
  std::string written;
  RawOutput out(written, rows.size() + rows.size() / 4 + 16);
  std::unordered_map<std::string_view, std::size_t, TextHash> used;
  const std::size_t n = rows.size();
  std::size_t i = 0;
  while (i < n) {
    std::size_t end = i;
    if (spellings) {
      while (end < n && !IsLineEndByte(rows[end])) ++end;
      const std::string_view row = rows.substr(i, end - i);
      const auto it = spellings->find(row);
      if (it != spellings->end() && !it->second.empty()) {
        std::size_t& count = used[row];
        out.Append(it->second[std::min(count, it->second.size() - 1)]);
        ++count;
      } else {
        AppendRecordOfRowAt(out, rows, i);
      }
    } else {
      end = AppendRecordOfRowAt(out, rows, i);
    }
    if (end < n) {
      out.Append(form.lineEnd);
      end += LineEndLength(rows, end);
    }
    i = end;
  }
  if (!form.emptyLastRecord.empty() && (rows.empty() || IsLineEndByte(rows.back()))) out.Append(form.emptyLastRecord);
  out.Finish();
  return written;
}

}  // namespace csv
