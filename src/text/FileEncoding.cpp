#include "text/FileEncoding.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <memory>

#include "text/Cp932.h"
#include "text/Utf8.h"

namespace file_encoding {

namespace {

struct TwoForms {
  std::uint16_t code;  // the CP932 character
  char32_t windowsForm;
  char32_t jisForm;
};

// Bit i of JisForms stands for kTwoForms[i].
constexpr std::array<TwoForms, 7> kTwoForms = {{
    {0x8160, U'\uFF5E', U'\u301C'},  // ～ 〜
    {0x8161, U'\u2225', U'\u2016'},  // ∥ ‖
    {0x817C, U'\uFF0D', U'\u2212'},  // － −
    {0x8191, U'\uFFE0', U'\u00A2'},  // ￠ ¢
    {0x8192, U'\uFFE1', U'\u00A3'},  // ￡ £
    {0x81CA, U'\uFFE2', U'\u00AC'},  // ￢ ¬
    {0x815C, U'\u2015', U'\u2014'},  // ― —
}};

constexpr std::uint16_t kNoCode = 0xFFFF;
constexpr std::uint16_t kSubstitute = 0x81AC;  // 〓

// CP932 code of every BMP code point (kNoCode where there is none), both
// spellings of the two-form characters included: one lookup per character
// instead of a search, so a megabyte converts in a few milliseconds.
const std::uint16_t* CodeOfBmp() {
  static const std::unique_ptr<std::uint16_t[]> table = [] {
    auto t = std::make_unique<std::uint16_t[]>(0x10000);
    for (char32_t cp = 0; cp < 0x10000; ++cp) {
      const std::int32_t code = cp932::FromUnicode(cp);
      t[cp] = code < 0 ? kNoCode : static_cast<std::uint16_t>(code);
    }
    for (const TwoForms& f : kTwoForms) {
      t[f.windowsForm] = f.code;
      t[f.jisForm] = f.code;
    }
    return t;
  }();
  return table.get();
}

int FormIndex(std::uint16_t code) {
  if (code < 0x815C || code > 0x81CA) return -1;
  for (std::size_t i = 0; i < kTwoForms.size(); ++i)
    if (kTwoForms[i].code == code) return static_cast<int>(i);
  return -1;
}

void AppendCode(std::string& out, std::uint16_t code) {
  if (code > 0xFF) out += static_cast<char>(code >> 8);
  out += static_cast<char>(code & 0xFF);
}

// Line numbers follow every line end the file may use: CR LF, CR, LF.
struct LineCounter {
  int line = 1;
  void See(std::string_view text, std::size_t pos) {
    const char c = text[pos];
    if (c == '\n' || (c == '\r' && (pos + 1 >= text.size() || text[pos + 1] != '\n'))) ++line;
  }
};

}  // namespace

const char* Name(Encoding e) {
  switch (e) {
    case Encoding::Utf8:
      return "utf-8";
    case Encoding::Utf8Bom:
      return "utf-8-bom";
    case Encoding::Cp932:
      break;
  }
  return "cp932";
}

std::optional<Encoding> FromName(std::string_view name) {
  for (Encoding e : {Encoding::Cp932, Encoding::Utf8, Encoding::Utf8Bom})
    if (name == Name(e)) return e;
  return std::nullopt;
}

const char* Caption(Encoding e) {
  switch (e) {
    case Encoding::Utf8:
      return "UTF-8";
    case Encoding::Utf8Bom:
      return "UTF-8 (BOM付き)";
    case Encoding::Cp932:
      break;
  }
  return "CP932";
}

bool StartsWithBom(std::string_view bytes) { return bytes.substr(0, kBom.size()) == kBom; }

Encoding Detect(std::string_view bytes) {
  if (StartsWithBom(bytes)) return Encoding::Utf8Bom;
  bool multiByte = false;
  for (std::size_t p = 0; p < bytes.size();) {
    if (static_cast<unsigned char>(bytes[p]) < 0x80) {
      ++p;
      continue;
    }
    const utf8::Decoded d = utf8::DecodeAt(bytes, p);
    if (!d.ok) return Encoding::Cp932;
    multiByte = true;
    p += d.length;
  }
  return multiByte ? Encoding::Utf8 : Encoding::Cp932;
}

FromUtf8Result FromUtf8(std::string_view utf8) {
  FromUtf8Result r;
  r.text.reserve(utf8.size());
  const std::uint16_t* codeOf = CodeOfBmp();
  std::array<int, kTwoForms.size()> jisCount{}, windowsCount{};
  LineCounter lines;
  for (std::size_t p = 0; p < utf8.size();) {
    const unsigned char b = static_cast<unsigned char>(utf8[p]);
    if (b < 0x80) {
      r.text += static_cast<char>(b);
      if (!r.firstUnconvertible) lines.See(utf8, p);
      ++p;
      continue;
    }
    const utf8::Decoded d = utf8::DecodeAt(utf8, p);
    const std::uint16_t code = d.ok && d.codePoint < 0x10000 ? codeOf[d.codePoint] : kNoCode;
    if (code == kNoCode) {
      if (!r.firstUnconvertible) {
        Unconvertible u;
        u.line = lines.line;
        u.malformed = !d.ok;
        u.codePoint = d.ok ? d.codePoint : 0;
        u.byte = b;
        r.firstUnconvertible = u;
      }
      AppendCode(r.text, kSubstitute);
    } else {
      if (const int f = FormIndex(code); f >= 0) {
        if (d.codePoint == kTwoForms[static_cast<std::size_t>(f)].jisForm)
          ++jisCount[static_cast<std::size_t>(f)];
        else
          ++windowsCount[static_cast<std::size_t>(f)];
      }
      AppendCode(r.text, code);
    }
    p += d.length;
  }
  // A file that mixes both spellings of a character is written back in the
  // one it used more often.
  for (std::size_t i = 0; i < kTwoForms.size(); ++i) {
    if (jisCount[i] > 0 && jisCount[i] >= windowsCount[i]) r.jisForms |= static_cast<JisForms>(1u << i);
    if (jisCount[i] > 0 && windowsCount[i] > 0) r.mixedForms = true;
  }
  return r;
}

// Writes the UTF-8 form of a BMP code point (CP932 holds no other) at w.
char* PutUtf8(char* w, char32_t cp) {
  if (cp < 0x80) {
    *w++ = static_cast<char>(cp);
  } else if (cp < 0x800) {
    *w++ = static_cast<char>(0xC0 | (cp >> 6));
    *w++ = static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    *w++ = static_cast<char>(0xE0 | (cp >> 12));
    *w++ = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    *w++ = static_cast<char>(0x80 | (cp & 0x3F));
  }
  return w;
}

int LineOf(std::string_view text, std::size_t pos) {
  LineCounter lines;
  for (std::size_t p = 0; p < pos; ++p) lines.See(text, p);
  return lines.line;
}

ToUtf8Result ToUtf8(std::string_view text, JisForms jisForms) {
  ToUtf8Result r;
  // Converted a block at a time into a buffer that holds any block (no
  // CP932 character takes more than three bytes of UTF-8, and a block's last
  // character may run one byte past it), then appended: the result touches
  // only the memory it fills. Double-byte text takes half as much again; the
  // room reserved also takes a byte-order mark put before it later.
  constexpr std::size_t kBlockBytes = std::size_t{1} << 16;
  std::string block((kBlockBytes + 1) * 3, '\0');
  char* const begin = block.data();
  const std::size_t n = text.size();
  r.bytes.reserve(n + n / 2 + kBom.size());
  for (std::size_t p = 0; p < n;) {
    const std::size_t blockEnd = std::min(n, p + kBlockBytes);
    char* w = begin;
    while (p < blockEnd) {
      const unsigned char b = static_cast<unsigned char>(text[p]);
      if (b < 0x80) {
        *w++ = static_cast<char>(b);
        ++p;
        continue;
      }
      const bool pair = cp932::IsLead(b) && p + 1 < n && cp932::IsTrail(static_cast<unsigned char>(text[p + 1]));
      const std::uint16_t code =
          pair ? static_cast<std::uint16_t>(b << 8 | static_cast<unsigned char>(text[p + 1])) : b;
      const std::int32_t u = cp932::ToUnicode(code);
      if (u < 0) {
        r.bytes.clear();
        r.firstBad = BadCp932{LineOf(text, p), p, b};
        return r;
      }
      char32_t cp = static_cast<char32_t>(u);
      if (jisForms != 0 && pair) {
        if (const int f = FormIndex(code); f >= 0 && (jisForms >> f & 1u)) cp = kTwoForms[static_cast<std::size_t>(f)].jisForm;
      }
      w = PutUtf8(w, cp);
      p += pair ? 2 : 1;
    }
    r.bytes.append(begin, static_cast<std::size_t>(w - begin));
  }
  return r;
}

std::string Describe(const Unconvertible& u) {
  char buf[64];
  if (u.malformed) {
    std::snprintf(buf, sizeof buf, "UTF-8 として正しくないバイト 0x%02X", u.byte);
    return buf;
  }
  std::snprintf(buf, sizeof buf, "U+%04X", static_cast<unsigned>(u.codePoint));
  std::string s = "「";
  utf8::Append(s, u.codePoint);
  return s + "」(" + buf + ")";
}

}  // namespace file_encoding
