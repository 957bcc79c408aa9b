// Readable names for the cases of a parameterised test, made from a case's
// own text: its ASCII letters and digits, every other run of characters as
// one "_", after the case's index and a "_" (names must be unique, and the text alone
// need not be).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

inline std::string CaseName(std::size_t index, std::string_view text) {
  std::string name = (index < 10 ? "0" : "") + std::to_string(index) + "_";
  for (const char c : text) {
    const bool word = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
    if (word) {
      name += c;
    } else if (name.back() != '_') {
      name += '_';
    }
    if (name.size() >= 48) break;
  }
  while (name.back() == '_') name.pop_back();
  return name;
}
