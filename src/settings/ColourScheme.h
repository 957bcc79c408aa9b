// ColourScheme: the colours of the editing area and of the overlay, as the
// settings store keeps them.
//
// A colour is a 0x00BBGGRR integer (red in the low byte), the form the store
// has always held. The scheme holds the text and background colours, one
// colour for each of the eleven special tokens, twelve user strings (UTF-8,
// empty when unused) and their colours. A user string's colour is stored
// under a key equal to the string itself, so two slots holding the same text
// share one stored colour. The sixteen custom colours of the colour chooser
// are kept beside it, in their own section.
#pragma once

#include <array>
#include <cstdint>
#include <string>

class SettingsStore;

using Colour = std::uint32_t;  // 0x00BBGGRR

constexpr Colour MakeColour(int red, int green, int blue) {
  return static_cast<Colour>(red & 0xFF) | static_cast<Colour>(green & 0xFF) << 8 |
         static_cast<Colour>(blue & 0xFF) << 16;
}
constexpr int RedOf(Colour c) { return static_cast<int>(c & 0xFF); }
constexpr int GreenOf(Colour c) { return static_cast<int>(c >> 8 & 0xFF); }
constexpr int BlueOf(Colour c) { return static_cast<int>(c >> 16 & 0xFF); }

struct ColourScheme {
  static constexpr int kTokenCount = 11;
  static constexpr int kUserStringCount = 12;
  static constexpr int kCustomColourCount = 16;

  // The sections of the store: text and background, tokens and user
  // strings, the chooser's custom colours.
  static constexpr char kTextSection[] = "ColorTB";
  static constexpr char kTokenSection[] = "Colors";
  static constexpr char kCustomSection[] = "ColorCust";

  // The tokens in the order of their colours; the index names a token below.
  static constexpr std::array<const char*, kTokenCount> kTokens = {"$", "{", "}", "%", "\\", "[", "]",
                                                                   "(", ")", "\\[", "\\]"};
  enum Token { Dollar, OpenBrace, CloseBrace, Percent, Backslash, OpenBracket, CloseBracket, OpenParen,
               CloseParen, DisplayMathOpen, DisplayMathClose };

  static constexpr Colour kDefaultText = 0x000000;
  static constexpr Colour kDefaultBackground = 0xFFFFFF;
  static constexpr Colour kDefaultUserColour = 0xC0C0C0;
  static constexpr Colour kDefaultCustomColour = 0xFFFFFF;
  // A read-only text is always black on this pale blue.
  static constexpr Colour kReadOnlyText = 0x000000;
  static constexpr Colour kReadOnlyBackground = MakeColour(244, 254, 255);

  static constexpr std::array<Colour, kTokenCount> kDefaultTokenColours = {
      0x0000FF, 0x0000FF, 0x0000FF, 0x5ADC5A, 0xFF0000, 0xFF0000,
      0xFF0000, 0x9B0A00, 0x9B0A00, 0x0000FF, 0x0000FF};

  Colour text = kDefaultText;
  Colour background = kDefaultBackground;
  std::array<Colour, kTokenCount> tokens = kDefaultTokenColours;
  std::array<std::string, kUserStringCount> userStrings;  // UTF-8
  std::array<Colour, kUserStringCount> userColours{};

  ColourScheme() { userColours.fill(kDefaultUserColour); }

  // The colours the text is drawn in: a read-only text has its own.
  Colour TextFor(bool readOnly) const { return readOnly ? kReadOnlyText : text; }
  Colour BackgroundFor(bool readOnly) const { return readOnly ? kReadOnlyBackground : background; }

  // Reads every colour and string, with the defaults for what is not stored.
  static ColourScheme Load(const SettingsStore& settings);
  // Writes every colour and string.
  void Store(SettingsStore& settings) const;

  // The chooser's sixteen custom colours.
  using CustomColours = std::array<Colour, kCustomColourCount>;
  static CustomColours LoadCustomColours(const SettingsStore& settings);
  static void StoreCustomColours(SettingsStore& settings, const CustomColours& colours);

  bool operator==(const ColourScheme&) const = default;
};
