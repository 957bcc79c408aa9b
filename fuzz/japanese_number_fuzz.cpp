// The reader of Japanese numbers on arbitrary cell texts.
//
// Input: the cell's bytes. Nothing may crash; a text of plain ASCII without
// ",", "$" and "\" reads bit for bit as the plain rule reads it; the short
// paths give what the long way (JapaneseNumberByText) gives; and a full-width
// blank in front changes no value.
#include <bit>
#include <cstdint>
#include <string>

#include "FuzzSupport.h"
#include "numbers/CellNumber.h"
#include "numbers/JapaneseNumber.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  const double value = numbers::JapaneseNumber(text);

  bool plainAscii = true;
  for (const char c : text)
    if (static_cast<unsigned char>(c) >= 0x80 || c == ',' || c == '$' || c == '\\') plainAscii = false;
  if (plainAscii)
    FUZZ_CHECK(std::bit_cast<std::uint64_t>(value) == std::bit_cast<std::uint64_t>(numbers::CellNumber(text)));

  // The short paths give what the long way gives.
  FUZZ_CHECK(std::bit_cast<std::uint64_t>(value) == std::bit_cast<std::uint64_t>(numbers::JapaneseNumberByText(text)));

  const double afterBlank = numbers::JapaneseNumber("\x81\x40" + text);
  FUZZ_CHECK(std::bit_cast<std::uint64_t>(afterBlank) == std::bit_cast<std::uint64_t>(value));
  return 0;
}
