// WindowShot: the port through which a batch run has the main window painted
// into a picture file.
//
// The core has no window; the Qt front end installs the painter (one per
// process) that builds the main window around the run's document and active
// view, paints it offscreen with the window's own paint code (menus, tool
// bar, panes with their overlay, status bar) and saves it as PNG. Invariant:
// painting is no input: the view's text, selection, scroll, modes and layout
// are what they were before the shot.
#pragma once

#include <functional>
#include <string>

class AppContext;
class EditorView;

namespace window_shot {

// Paints the window of `view` into `path`; false with the reason otherwise.
using Painter = std::function<bool(AppContext& app, EditorView& view, const std::string& path, std::string& why)>;

// Installs the process's painter (an empty one uninstalls it).
void Install(Painter painter);

// Paints with the installed painter; without one, false and why says so.
bool Take(AppContext& app, EditorView& view, const std::string& path, std::string& why);

}  // namespace window_shot
