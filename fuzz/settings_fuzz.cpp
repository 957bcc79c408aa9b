// The settings file's text: any bytes parse, with or without a byte-order
// mark in front; the text written back parses to
// the same values and is written back unchanged; a value set is found again
// and survives the trip through the file.
#include "FuzzSupport.h"
#include "settings/SettingsText.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzInput in(data, size);
  const std::string section = in.Bytes(12);
  const std::string key = in.Bytes(12);
  const bool isInt = in.Byte() & 1;
  const std::int32_t number = in.Int32();
  const std::string value = in.Bytes(16);
  const std::string file = in.Rest();

  SettingsText text;
  text.Parse(file);
  const std::string written = text.Serialize();
  SettingsText again;
  again.Parse(written);
  FUZZ_CHECK(again.Serialize() == written);

  // A byte-order mark in front hides nothing.
  if (!file.starts_with("\xEF\xBB\xBF")) {
    SettingsText marked;
    marked.Parse("\xEF\xBB\xBF" + file);
    const SettingsText::Value* plain = text.Find(section, key);
    const SettingsText::Value* found = marked.Find(section, key);
    FUZZ_CHECK((plain == nullptr) == (found == nullptr));
    if (plain && found) FUZZ_CHECK(plain->isInt == found->isInt && plain->number == found->number && plain->text == found->text);
  }

  SettingsText::Value v;
  v.isInt = isInt;
  if (isInt) v.number = number;
  else v.text = value;
  text.Set(section, key, v);
  const auto check = [&](const SettingsText& t) {
    const SettingsText::Value* found = t.Find(section, key);
    FUZZ_CHECK(found != nullptr);
    FUZZ_CHECK(found->isInt == isInt);
    if (isInt) FUZZ_CHECK(found->number == number);
    else FUZZ_CHECK(found->text == value);
  };
  check(text);
  SettingsText reread;
  reread.Parse(text.Serialize());
  check(reread);
  reread.Remove(section, key);
  FUZZ_CHECK(reread.Find(section, key) == nullptr);
  text.RemoveSection(section);
  FUZZ_CHECK(text.Find(section, key) == nullptr);
  return 0;
}
