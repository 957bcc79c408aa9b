#include "settings/SettingsText.h"

#include <algorithm>
#include <charconv>

#include "text/Utf8.h"

namespace {

constexpr char kHex[] = "0123456789ABCDEF";
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

unsigned char FoldByte(unsigned char c) { return (c >= 'A' && c <= 'Z') ? static_cast<unsigned char>(c + 32) : c; }

bool FoldEquals(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (FoldByte(static_cast<unsigned char>(a[i])) != FoldByte(static_cast<unsigned char>(b[i]))) return false;
  }
  return true;
}

// CR is trimmed too, so a file that went through a CR LF editor still reads.
bool IsTrimmed(char c) { return c == ' ' || c == '\t' || c == '\r'; }

// No escape ends in a blank, TAB or CR, so trimming before unescaping never
// cuts an escape in half.
std::string_view Trim(std::string_view s) {
  while (!s.empty() && IsTrimmed(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsTrimmed(s.back())) s.remove_suffix(1);
  return s;
}

bool IsComment(std::string_view trimmed) { return trimmed.empty() || trimmed[0] == '#' || trimmed[0] == ';'; }

std::string Escape(std::string_view s, bool isName) {
  std::string out;
  out.reserve(s.size() + 8);
  for (std::size_t i = 0; i < s.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(s[i]);
    if (c >= 0x80) {
      // Only well-formed UTF-8 goes to the file as it is; other bytes are
      // written as \xHH, so the file stays valid UTF-8.
      const utf8::Decoded d = utf8::DecodeAt(s, i);
      if (d.ok) {
        out.append(s.substr(i, d.length));
        i += d.length - 1;
        continue;
      }
    }
    switch (c) {
      case '\\': out += "\\\\"; continue;
      case '\n': out += "\\n"; continue;
      case '\r': out += "\\r"; continue;
      case '\t': out += "\\t"; continue;
      case ' ':
        out += (i == 0 || i + 1 == s.size()) ? "\\s" : " ";
        continue;
      case '=':
      case '[':
      case ']':
        if (isName) out += '\\';
        out += static_cast<char>(c);
        continue;
      case '#':
      case ';':
        if (isName && i == 0) out += '\\';
        out += static_cast<char>(c);
        continue;
      default:
        break;
    }
    if (c < 0x20 || c >= 0x7F) {
      out += "\\x";
      out += kHex[c >> 4];
      out += kHex[c & 0x0F];
    } else {
      out += static_cast<char>(c);
    }
  }
  return out;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Decimal with an optional sign, nothing else: "12abc", "" and values outside
// the 32-bit range are corrupt rather than silently cut.
bool ParseInt(std::string_view s, std::int32_t& out) {
  if (!s.empty() && s[0] == '+') s.remove_prefix(1);
  if (s.empty()) return false;
  const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), out);
  return ec == std::errc() && end == s.data() + s.size();
}

}  // namespace

std::string SettingsText::EscapeName(std::string_view name) { return Escape(name, true); }

std::string SettingsText::EscapeText(std::string_view text) { return Escape(text, false); }

bool SettingsText::Unescape(std::string_view escaped, std::string& out) {
  out.clear();
  out.reserve(escaped.size());
  for (std::size_t i = 0; i < escaped.size(); ++i) {
    const char c = escaped[i];
    if (c != '\\') {
      out += c;
      continue;
    }
    if (++i == escaped.size()) return false;
    switch (escaped[i]) {
      case '\\': case '=': case '[': case ']': case '#': case ';':
        out += escaped[i];
        break;
      case 'n': out += '\n'; break;
      case 'r': out += '\r'; break;
      case 't': out += '\t'; break;
      case 's': out += ' '; break;
      case 'x': {
        if (i + 2 >= escaped.size()) return false;
        const int hi = HexDigit(escaped[i + 1]);
        const int lo = HexDigit(escaped[i + 2]);
        if (hi < 0 || lo < 0) return false;
        out += static_cast<char>(hi * 16 + lo);
        i += 2;
        break;
      }
      default:
        return false;
    }
  }
  return true;
}

std::string SettingsText::Fold(std::string_view name) {
  std::string out(name);
  for (char& c : out) c = static_cast<char>(FoldByte(static_cast<unsigned char>(c)));
  return out;
}

SettingsText::Line SettingsText::ParseLine(std::string_view raw) {
  Line line;
  line.raw = std::string(raw);
  const std::string_view t = Trim(raw);
  if (IsComment(t) || t[0] == '[') return line;
  std::size_t eq = 0;
  while (eq < t.size() && t[eq] != '=') eq += (t[eq] == '\\') ? 2 : 1;
  if (eq >= t.size()) return line;
  std::string key;
  if (!Unescape(Trim(t.substr(0, eq)), key)) return line;
  const std::string_view rest = Trim(t.substr(eq + 1));
  Value value;
  if (rest.starts_with("int:")) {
    if (!ParseInt(Trim(rest.substr(4)), value.number)) return line;
    value.isInt = true;
  } else if (rest.starts_with("str:")) {
    if (!Unescape(Trim(rest.substr(4)), value.text)) return line;
  } else {
    return line;
  }
  line.isValue = true;
  line.key = std::move(key);
  line.value = std::move(value);
  return line;
}

std::string SettingsText::RenderValue(std::string_view key, const Value& value) {
  std::string raw = EscapeName(key);
  raw += '=';
  if (value.isInt) {
    raw += "int:";
    raw += std::to_string(value.number);
  } else {
    raw += "str:";
    raw += EscapeText(value.text);
  }
  return raw;
}

void SettingsText::Parse(std::string_view bytes) {
  sections_.clear();
  sections_.emplace_back();
  // Left in front of the first line, the mark would make a first header unreadable.
  byteOrderMark_ = bytes.starts_with(kByteOrderMark);
  if (byteOrderMark_) bytes.remove_prefix(kByteOrderMark.size());
  std::size_t start = 0;
  while (start < bytes.size()) {
    std::size_t end = bytes.find('\n', start);
    if (end == std::string_view::npos) end = bytes.size();
    const std::string_view raw = bytes.substr(start, end - start);
    start = end + 1;

    const std::string_view t = Trim(raw);
    if (!t.empty() && t[0] == '[') {
      Section section;
      section.header = std::string(raw);
      if (t.size() >= 2 && t.back() == ']') {
        section.named = Unescape(Trim(t.substr(1, t.size() - 2)), section.name);
      }
      sections_.push_back(std::move(section));
      continue;
    }
    sections_.back().lines.push_back(ParseLine(raw));
  }
  Reindex();
}

std::string SettingsText::Serialize() const {
  std::string out;
  if (byteOrderMark_) out += kByteOrderMark;
  for (std::size_t s = 0; s < sections_.size(); ++s) {
    if (s > 0) {
      out += sections_[s].header;
      out += '\n';
    }
    for (const Line& line : sections_[s].lines) {
      out += line.raw;
      out += '\n';
    }
  }
  return out;
}

void SettingsText::ReindexSection(Section& section) {
  section.keys.clear();
  for (std::size_t i = 0; i < section.lines.size(); ++i) {
    if (section.lines[i].isValue) section.keys.try_emplace(Fold(section.lines[i].key), i);
  }
}

void SettingsText::Reindex() {
  sectionIndex_.clear();
  for (std::size_t s = 0; s < sections_.size(); ++s) {
    ReindexSection(sections_[s]);
    if (sections_[s].named) sectionIndex_[Fold(sections_[s].name)].push_back(s);
  }
}

const SettingsText::Value* SettingsText::Find(std::string_view section, std::string_view key) const {
  const auto it = sectionIndex_.find(Fold(section));
  if (it == sectionIndex_.end()) return nullptr;
  const std::string folded = Fold(key);
  for (std::size_t s : it->second) {
    const Section& sec = sections_[s];
    const auto k = sec.keys.find(folded);
    if (k != sec.keys.end()) return &sec.lines[k->second].value;
  }
  return nullptr;
}

void SettingsText::Set(std::string_view section, std::string_view key, const Value& value) {
  const auto it = sectionIndex_.find(Fold(section));
  if (it == sectionIndex_.end()) {
    Section sec;
    sec.named = true;
    sec.name = std::string(section);
    sec.header = "[" + EscapeName(section) + "]";
    Line line;
    line.raw = RenderValue(key, value);
    line.isValue = true;
    line.key = std::string(key);
    line.value = value;
    sec.lines.push_back(std::move(line));
    sections_.push_back(std::move(sec));
    Reindex();
    return;
  }

  // The first occurrence keeps its place and spelling; later duplicates from
  // a hand-edited file go, so that the file says one thing.
  bool updated = false;
  for (std::size_t s : it->second) {
    std::vector<Line>& lines = sections_[s].lines;
    std::size_t kept = 0;
    for (std::size_t i = 0; i < lines.size(); ++i) {
      Line& line = lines[i];
      if (line.isValue && FoldEquals(line.key, key)) {
        if (updated) continue;
        line.value = value;
        line.raw = RenderValue(line.key, value);
        updated = true;
      }
      if (kept != i) lines[kept] = std::move(line);
      ++kept;
    }
    lines.resize(kept);
  }

  if (!updated) {
    // After the section's last line of content, so that blank lines and
    // comments standing before the next section stay with that section.
    std::vector<Line>& lines = sections_[it->second.front()].lines;
    std::size_t at = lines.size();
    while (at > 0 && IsComment(Trim(lines[at - 1].raw))) --at;
    Line line;
    line.raw = RenderValue(key, value);
    line.isValue = true;
    line.key = std::string(key);
    line.value = value;
    lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(at), std::move(line));
  }
  for (std::size_t s : it->second) ReindexSection(sections_[s]);
}

void SettingsText::Remove(std::string_view section, std::string_view key) {
  const auto it = sectionIndex_.find(Fold(section));
  if (it == sectionIndex_.end()) return;
  for (std::size_t s : it->second) {
    std::vector<Line>& lines = sections_[s].lines;
    lines.erase(std::remove_if(lines.begin(), lines.end(),
                               [&](const Line& line) { return line.isValue && FoldEquals(line.key, key); }),
                lines.end());
    ReindexSection(sections_[s]);
  }
}

void SettingsText::RemoveSection(std::string_view section) {
  if (sectionIndex_.find(Fold(section)) == sectionIndex_.end()) return;
  sections_.erase(std::remove_if(sections_.begin() + 1, sections_.end(),
                                 [&](const Section& sec) { return sec.named && FoldEquals(sec.name, section); }),
                  sections_.end());
  Reindex();
}
