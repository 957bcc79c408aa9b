// Csv: one pass over the comma-separated text builds the rows; records whose
// bytes minimal quoting would not give back are kept by their rows.
#include "text/Csv.h"

#include <algorithm>
#include <cstring>
#include <unordered_set>

namespace csv {

namespace {

bool IsLineEndByte(char c) { return c == '\r' || c == '\n'; }

// Where a record and its row lie: in the file's text and in the rows.
struct RecordPlace {
  std::size_t sourceBegin, sourceEnd;
  std::size_t rowBegin, rowEnd;
};

bool NeedsQuotes(std::string_view field) {
  if (field.empty()) return false;
  if (field.front() == ' ' || field.back() == ' ') return true;
  for (const char c : field)
    if (c == ',' || c == '"') return true;
  return false;
}

void AppendField(std::string& out, std::string_view field) {
  if (!NeedsQuotes(field)) {
    out += field;
    return;
  }
  out += '"';
  for (std::size_t i = 0; i < field.size();) {
    const std::size_t quote = field.find('"', i);
    const std::size_t end = quote == std::string_view::npos ? field.size() : quote + 1;
    out += field.substr(i, end - i);
    if (quote != std::string_view::npos) out += '"';
    i = end;
  }
  out += '"';
}

// The length of the line end at text[i] (a CR, LF or CR LF there).
std::size_t LineEndLength(std::string_view text, std::size_t i) {
  return text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n' ? 2 : 1;
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
  // Most rows need no quotes: then the record is the row with commas for TABs.
  bool plain = !NeedsQuotes(row);
  for (std::size_t tab = row.find('\t'); plain && tab != std::string_view::npos; tab = row.find('\t', tab + 1))
    plain = row[tab - (tab > 0 ? 1 : 0)] != ' ' && (tab + 1 >= row.size() || row[tab + 1] != ' ');
  if (plain) {
    const std::size_t at = out.size();
    out += row;
    for (std::size_t k = at; k < out.size(); ++k)
      if (out[k] == '\t') out[k] = ',';
    return;
  }
  for (std::size_t i = 0;;) {
    const std::size_t tab = row.find('\t', i);
    AppendField(out, row.substr(i, tab == std::string_view::npos ? std::string_view::npos : tab - i));
    if (tab == std::string_view::npos) break;
    out += ',';
    i = tab + 1;
  }
}

namespace {

// The bytes that end a run of plain field text: the separators, the quote
// and the bytes no row can show.
bool IsSpecialByte(char c) { return c == ',' || c == '"' || c == '\t' || c == '\r' || c == '\n'; }

}  // namespace

Table Read(std::string_view text) {
  Table table;
  std::string& out = table.rows;
  out.reserve(text.size() + text.size() / 32 + 16);
  std::vector<RecordPlace> places;
  std::vector<bool> respelled;
  bool anyRespelled = false;
  bool lineEndSeen = false;
  int line = 1;
  const std::size_t n = text.size();
  const char* const data = text.data();
  std::size_t i = 0;

  // Appends a field's bytes, TAB, CR and LF becoming blanks (CR LF one
  // blank); true when there were any.
  auto appendShown = [&](std::size_t from, std::size_t to) {
    bool replaced = false;
    while (from < to) {
      std::size_t stop = from;
      while (stop < to && data[stop] != '\t' && !IsLineEndByte(data[stop])) ++stop;
      out.append(data + from, stop - from);
      if (stop == to) break;
      replaced = true;
      out += ' ';
      if (data[stop] == '\t') {
        from = stop + 1;
      } else {
        ++line;
        from = stop + (stop + 1 < to ? LineEndLength(text, stop) : 1);
      }
    }
    return replaced;
  };

  while (i < n) {
    RecordPlace place{i, i, out.size(), out.size()};
    const int recordLine = line;
    // Set when minimal quoting would not write the record's bytes, field by
    // field: a quoted field that needs no quotes, one not closed or with
    // text after its closing quote, an unquoted one that would need them,
    // and any field shown with blanks for TAB, CR or LF.
    bool differs = false;
    bool unshowable = false;
    for (;;) {
      const std::size_t fieldStart = out.size();
      bool quotedField = false;
      bool lenient = false;
      if (i < n && data[i] == '"') {
        quotedField = true;
        ++i;
        for (;;) {
          const void* q = std::memchr(data + i, '"', n - i);
          const std::size_t quote = q ? static_cast<const char*>(q) - data : n;
          unshowable = appendShown(i, quote) || unshowable;
          i = quote;
          if (i >= n) {
            lenient = true;  // no closing quote: the field runs to the end
            break;
          }
          if (i + 1 < n && data[i + 1] == '"') {
            out += '"';
            i += 2;
            continue;
          }
          ++i;  // the closing quote
          break;
        }
      }
      // An unquoted field, or what follows a closing quote: up to the next
      // comma or line end, quotes included.
      std::size_t stop = i;
      for (;;) {
        while (stop < n && !IsSpecialByte(data[stop])) ++stop;
        if (stop < n && (data[stop] == '"' || data[stop] == '\t')) {
          lenient = lenient || data[stop] == '"';
          ++stop;
          continue;
        }
        break;
      }
      if (stop > i) {
        if (quotedField) lenient = true;
        unshowable = appendShown(i, stop) || unshowable;
        i = stop;
      }
      const std::string_view field(out.data() + fieldStart, out.size() - fieldStart);
      if (quotedField)
        differs = differs || lenient || !NeedsQuotes(field);
      else
        differs = differs || lenient || NeedsQuotes(field);
      if (i < n && data[i] == ',') {
        out += '\t';
        ++i;
        continue;
      }
      break;
    }
    differs = differs || unshowable;
    place.sourceEnd = i;
    place.rowEnd = out.size();
    if (i < n) {
      const std::size_t len = LineEndLength(text, i);
      if (!lineEndSeen) {
        table.form.lineEnd.assign(text.substr(i, len));
        lineEndSeen = true;
      }
      i += len;
      ++line;
      out += "\r\n";
    } else if (place.rowEnd == place.rowBegin && place.sourceEnd > place.sourceBegin) {
      table.form.emptyLastRecord.assign(text.substr(place.sourceBegin, place.sourceEnd - place.sourceBegin));
    }
    if (unshowable && !table.firstUnshowableLine) table.firstUnshowableLine = recordLine;
    anyRespelled = anyRespelled || differs;
    places.push_back(place);
    respelled.push_back(differs);
  }

  if (anyRespelled) {
    auto spellings = std::make_shared<RecordSpellings>();
    std::unordered_set<std::string_view, TextHash> keys;
    auto rowOf = [&](const RecordPlace& p) { return std::string_view(out).substr(p.rowBegin, p.rowEnd - p.rowBegin); };
    for (std::size_t k = 0; k < places.size(); ++k)
      if (respelled[k]) keys.insert(rowOf(places[k]));
    for (const RecordPlace& p : places) {
      const std::string_view row = rowOf(p);
      if (!keys.count(row)) continue;
      auto it = spellings->find(row);
      if (it == spellings->end()) it = spellings->emplace(std::string(row), std::vector<std::string>{}).first;
      it->second.emplace_back(text.substr(p.sourceBegin, p.sourceEnd - p.sourceBegin));
    }
    table.form.spellings = std::move(spellings);
  }
  return table;
}

std::string Write(std::string_view rows, const RecordForm& form) {
  const RecordSpellings* spellings = form.spellings.get();
  std::string out;
  out.reserve(rows.size() + rows.size() / 8 + 16);
  std::unordered_map<std::string_view, std::size_t, TextHash> used;
  const std::size_t n = rows.size();
  std::size_t i = 0;
  while (i < n) {
    std::size_t end = i;
    while (end < n && !IsLineEndByte(rows[end])) ++end;
    const std::string_view row = rows.substr(i, end - i);
    const auto it = spellings ? spellings->find(row) : RecordSpellings::const_iterator{};
    if (spellings && it != spellings->end() && !it->second.empty()) {
      std::size_t& count = used[row];
      out += it->second[std::min(count, it->second.size() - 1)];
      ++count;
    } else {
      AppendRecord(out, row);
    }
    if (end < n) {
      out += form.lineEnd;
      end += LineEndLength(rows, end);
    }
    i = end;
  }
  if (!form.emptyLastRecord.empty() && (rows.empty() || IsLineEndByte(rows.back()))) out += form.emptyLastRecord;
  return out;
}

}  // namespace csv
