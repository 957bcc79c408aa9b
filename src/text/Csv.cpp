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
  return field.find_first_of(",\"") != std::string_view::npos;
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
  for (std::size_t i = 0;;) {
    const std::size_t tab = row.find('\t', i);
    AppendField(out, row.substr(i, tab == std::string_view::npos ? std::string_view::npos : tab - i));
    if (tab == std::string_view::npos) break;
    out += ',';
    i = tab + 1;
  }
}

Table Read(std::string_view text) {
  Table table;
  std::string& out = table.rows;
  out.reserve(text.size() + text.size() / 32 + 16);
  std::vector<RecordPlace> places;
  bool anyRespelled = false;
  std::vector<bool> respelled;
  std::string minimal;
  bool lineEndSeen = false;
  int line = 1;
  const std::size_t n = text.size();
  std::size_t i = 0;

  // Appends a field's bytes, TAB, CR and LF becoming blanks (CR LF one blank).
  auto appendShown = [&](std::size_t from, std::size_t to, bool& unshowable) {
    while (from < to) {
      std::size_t stop = from;
      while (stop < to && text[stop] != '\t' && !IsLineEndByte(text[stop])) ++stop;
      out.append(text.data() + from, stop - from);
      if (stop == to) break;
      unshowable = true;
      out += ' ';
      if (text[stop] == '\t') {
        from = stop + 1;
      } else {
        const std::size_t len = stop + 1 < to ? LineEndLength(text, stop) : 1;
        ++line;
        from = stop + len;
      }
    }
  };

  while (i < n) {
    RecordPlace place{i, i, out.size(), out.size()};
    const int recordLine = line;
    bool quoted = false;     // some field of the record had a quote
    bool outerBlank = false;  // some field starts or ends with a blank
    bool unshowable = false;
    for (;;) {
      const std::size_t fieldStart = out.size();
      if (i < n && text[i] == '"') {
        quoted = true;
        ++i;
        for (;;) {
          const void* q = std::memchr(text.data() + i, '"', n - i);
          const std::size_t quote = q ? static_cast<const char*>(q) - text.data() : n;
          appendShown(i, quote, unshowable);
          i = quote;
          if (i >= n) break;  // no closing quote: the field runs to the end
          if (i + 1 < n && text[i + 1] == '"') {
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
      while (stop < n && text[stop] != ',' && !IsLineEndByte(text[stop])) ++stop;
      if (!quoted && std::memchr(text.data() + i, '"', stop - i)) quoted = true;
      appendShown(i, stop, unshowable);
      i = stop;
      if (out.size() > fieldStart && (out[fieldStart] == ' ' || out.back() == ' ')) outerBlank = true;
      if (i < n && text[i] == ',') {
        out += '\t';
        ++i;
        continue;
      }
      break;
    }
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
    // Without quotes, outer blanks or blanks shown for TAB, CR and LF,
    // minimal quoting writes the record's bytes (a comma would have needed
    // quotes); only the others are compared.
    bool differs = false;
    if (quoted || outerBlank || unshowable) {
      minimal.clear();
      AppendRecord(minimal, std::string_view(out).substr(place.rowBegin, place.rowEnd - place.rowBegin));
      differs = minimal != text.substr(place.sourceBegin, place.sourceEnd - place.sourceBegin);
    }
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
