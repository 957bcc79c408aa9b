// Cp932Table: the raw code page 932 mapping behind cp932::ToUnicode and
// cp932::FromUnicode. Only Cp932.cpp reads it; everything else goes through
// those two functions.
//
// Decoding is two direct-index arrays: one entry per single byte, and one row
// per lead byte (0x81-0x9F, then 0xE0-0xFC) with one column per byte 0x40-0xFC
// (the column for 0x7F, never a trail byte, is always unmapped). kUnmapped marks
// a code outside the code page; every mapped code point lies in the BMP.
// Encoding is a list of (code point, code) pairs sorted by code point with no
// code point twice, searched by bisection.
#pragma once

#include <cstddef>
#include <cstdint>

namespace cp932::table {

inline constexpr std::uint16_t kUnmapped = 0xFFFF;
inline constexpr unsigned kTrailFirst = 0x40;
inline constexpr unsigned kTrailCount = 0xFC - 0x40 + 1;
inline constexpr unsigned kLeadCount = (0x9F - 0x81 + 1) + (0xFC - 0xE0 + 1);

// Row of kDoubleByte for a lead byte (the caller has checked IsLead).
constexpr unsigned LeadRow(unsigned char lead) { return lead <= 0x9F ? lead - 0x81u : lead - 0xE0u + 31u; }

struct ReversePair {
  std::uint16_t unicode;
  std::uint16_t code;
};

extern const std::uint16_t kSingleByte[256];
extern const std::uint16_t kDoubleByte[kLeadCount][kTrailCount];
extern const ReversePair kFromUnicode[];
extern const std::size_t kFromUnicodeCount;

}  // namespace cp932::table
