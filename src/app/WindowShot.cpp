#include "app/WindowShot.h"

#include <utility>

namespace window_shot {

namespace {

Painter& Installed() {
  static Painter painter;
  return painter;
}

}  // namespace

void Install(Painter painter) { Installed() = std::move(painter); }

bool Take(AppContext& app, EditorView& view, const std::string& path, std::string& why) {
  if (!Installed()) {
    why = "no window can be painted in this program";
    return false;
  }
  return Installed()(app, view, path, why);
}

}  // namespace window_shot
