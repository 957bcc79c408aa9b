// WindowShotPainter: the Qt side of a batch run's `shot`: the main window
// built around the run's view, painted offscreen and saved as PNG.
//
// The window is the one the program shows (MainWindow: menus, tool bar "標準",
// the pane with its text and overlay, status bar), a fixed 960 x 720 pixels,
// the text laid out in the display font of the settings. While it shows the
// view, the view's buffer is laid out in that font and the window's size;
// afterwards the view gets back its layout, client rectangle, scroll,
// selection and margins, and the document its pane hooks, so a shot changes
// nothing a later line of the script sees.
#pragma once

#include <string>

class AppContext;
class EditorView;

namespace window_shot_painter {

inline constexpr int kWidth = 960;
inline constexpr int kHeight = 720;

// Paints the window of `view` into the PNG file `path`.
bool Paint(AppContext& app, EditorView& view, const std::string& path, std::string& why);

}  // namespace window_shot_painter

// Installs Paint as the process's window_shot painter (main's batch mode).
void InstallBatchWindowShots();
