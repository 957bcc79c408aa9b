// SettingsText: the settings file's text, parsed line by line, with lookup by
// section and key.
//
// File format (UTF-8, one item per line, LF line ends; a leading UTF-8
// byte-order mark, which some editors add, is skipped and written back):
//
//   # comment                 blank lines and lines starting with '#' or ';'
//   [Section name]            starts a section
//   key=int:-123              a 32-bit signed integer
//   key=str:some text         a text
//
// Names and texts are escaped so that any byte string survives the trip:
//   \\  \=  \[  \]  \#  \;  \n  \r  \t  \s (a blank)  \xHH (any byte).
// The writer escapes, in names, '\' '=' '[' ']' and a leading '#' or ';';
// in texts only '\'. Everywhere it escapes CR, LF, TAB as \r \n \t, other
// control bytes and bytes that are not part of valid UTF-8 as \xHH, and a
// blank at either end as \s, because unescaped blanks and TABs around names,
// '=' and values are trimmed by the reader (so hand-edited "key = int:5"
// reads). The reader accepts every escape anywhere.
//
// Data structure: an ordered list of sections. sections_[0] is the head: the
// lines before the first header, which no lookup reaches. Every section keeps
// its header line and its lines exactly as read; a value line also holds its
// decoded key and value. Lines that do not parse (no '=', a bad escape, a bad
// integer, an unknown type, a header with trailing text) are kept verbatim
// and skipped by lookups; a section with a corrupt header is kept the same
// way, with all its lines. Only lines that a change touches are re-rendered,
// so the rest of the file is written back byte for byte.
//
// Names compare with ASCII A-Z folded to a-z; other bytes compare exactly.
// A name may occur more than once in a hand-edited file: lookups take the
// first occurrence, a write updates it and drops later duplicates of the
// key, deletion removes them all. The stored spelling of a key or section is
// the one first written.
//
// Invariant: the indexes (folded section name -> section positions, and in
// each section folded key -> first value line) match the lists; every change
// rebuilds them, which costs one pass over the file, as does the write that
// follows each change anyway.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

class SettingsText {
 public:
  struct Value {
    bool isInt = false;
    std::int32_t number = 0;
    std::string text;
  };

  // Replaces the content by the parsed bytes.
  void Parse(std::string_view bytes);
  // The file text; ends with LF unless empty.
  std::string Serialize() const;

  // The value, or nullptr when the section or key is missing.
  const Value* Find(std::string_view section, std::string_view key) const;
  void Set(std::string_view section, std::string_view key, const Value& value);
  void Remove(std::string_view section, std::string_view key);
  void RemoveSection(std::string_view section);

  // Exposed for tests; see the format above.
  static std::string EscapeName(std::string_view name);
  static std::string EscapeText(std::string_view text);
  static bool Unescape(std::string_view escaped, std::string& out);
  static std::string Fold(std::string_view name);

 private:
  struct Line {
    std::string raw;
    bool isValue = false;
    std::string key;
    Value value;
  };
  struct Section {
    bool named = false;  // false for the head and for a corrupt header
    std::string name;
    std::string header;  // the header line as read or written; empty for the head
    std::vector<Line> lines;
    std::unordered_map<std::string, std::size_t> keys;  // folded key -> first value line
  };

  static Line ParseLine(std::string_view raw);
  static std::string RenderValue(std::string_view key, const Value& value);
  void Reindex();
  void ReindexSection(Section& section);

  bool byteOrderMark_ = false;  // the text began with EF BB BF
  std::vector<Section> sections_;
  std::unordered_map<std::string, std::vector<std::size_t>> sectionIndex_;
};
