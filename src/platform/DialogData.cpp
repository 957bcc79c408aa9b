#include "platform/DialogData.h"

#include <charconv>
#include <utility>

namespace {

DialogControl MakeControl(int id, DialogControl::Kind kind, std::string label) {
  DialogControl c;
  c.id = id;
  c.kind = kind;
  c.label = std::move(label);
  return c;
}

}  // namespace

DialogControl MakeLabel(std::string label) { return MakeControl(-1, DialogControl::Kind::Label, std::move(label)); }

DialogControl MakeEdit(int id, std::string label, std::string text, bool integerOnly) {
  DialogControl c = MakeControl(id, DialogControl::Kind::Edit, std::move(label));
  c.text = std::move(text);
  c.integerOnly = integerOnly;
  return c;
}

DialogControl MakeIntegerEdit(int id, std::string label, int value) {
  return MakeEdit(id, std::move(label), std::to_string(value), true);
}

DialogControl MakeCheck(int id, std::string label, bool checked) {
  DialogControl c = MakeControl(id, DialogControl::Kind::Check, std::move(label));
  c.value = checked ? 1 : 0;
  return c;
}

DialogControl MakeRadio(int id, std::string label, int group, bool selected) {
  DialogControl c = MakeControl(id, DialogControl::Kind::Radio, std::move(label));
  c.value = selected ? 1 : 0;
  c.group = group;
  return c;
}

DialogControl MakeCombo(int id, std::string label, std::vector<std::string> items, int value) {
  DialogControl c = MakeControl(id, DialogControl::Kind::Combo, std::move(label));
  c.items = std::move(items);
  c.value = value;
  return c;
}

DialogControl MakeButton(int id, std::string label) {
  return MakeControl(id, DialogControl::Kind::Button, std::move(label));
}

DialogControl MakeColourButton(int id, std::string label, std::uint32_t colour) {
  DialogControl c = MakeControl(id, DialogControl::Kind::ColourButton, std::move(label));
  c.value = static_cast<int>(colour);
  return c;
}

bool ParseDialogInteger(const std::string& text, int& value) {
  const char* first = text.data();
  const char* last = text.data() + text.size();
  while (first < last && *first == ' ') ++first;
  while (last > first && last[-1] == ' ') --last;
  if (first < last && *first == '+') ++first;
  const auto [end, ec] = std::from_chars(first, last, value);
  return ec == std::errc() && end == last && first < last;
}

bool DialogData::Set(int id, const std::string& value) {
  DialogControl* c = Find(id);
  if (!c) return false;
  if (c->kind == DialogControl::Kind::Edit) {
    c->text = value;
    return true;
  }
  if (c->kind == DialogControl::Kind::Button) {
    if (value != "click") return false;
    if (onButton) onButton(*this, id);
    return true;
  }
  if (c->kind == DialogControl::Kind::ColourButton) {
    unsigned rgb = 0;
    if (value.size() != 7 || value[0] != '#') return false;
    const auto [end, ec] = std::from_chars(value.data() + 1, value.data() + 7, rgb, 16);
    if (ec != std::errc() || end != value.data() + 7) return false;
    // #RRGGBB, kept with red in the low byte.
    c->value = static_cast<int>((rgb >> 16 & 0xFF) | (rgb & 0xFF00) | (rgb & 0xFF) << 16);
    return true;
  }
  int n = 0;
  const auto [end, ec] = std::from_chars(value.data(), value.data() + value.size(), n);
  if (ec != std::errc() || end != value.data() + value.size()) return false;
  switch (c->kind) {
    case DialogControl::Kind::Check:
      if (n != 0 && n != 1) return false;
      c->value = n;
      return true;
    case DialogControl::Kind::Radio:
      if (n != 0 && n != 1) return false;
      if (n == 1)
        for (auto& other : controls)
          if (other.kind == DialogControl::Kind::Radio && other.group == c->group) other.value = 0;
      c->value = n;
      return true;
    case DialogControl::Kind::List:
    case DialogControl::Kind::Combo:
      if (n < 0 || n >= static_cast<int>(c->items.size())) return false;
      c->value = n;
      return true;
    default:
      return false;
  }
}
