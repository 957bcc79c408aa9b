#include "dialogs/DialogData.h"

#include <charconv>

bool DialogData::Set(int id, const std::string& value) {
  DialogControl* c = Find(id);
  if (!c) return false;
  if (c->kind == DialogControl::Kind::Edit) {
    c->text = value;
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
