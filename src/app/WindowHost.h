// WindowHost: the main window and the desktop as the window commands see them.
//
// Rectangles are in screen pixels: the window's outer left and top, and the
// width and height of its inside (what a window started with them gets back).
// The window answers with Qt; a batch run with a fixed window on a fixed
// screen (app/ScriptedWindowHost.h). One host serves a process.
#pragma once

#include <string>

struct WindowBox {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  bool operator==(const WindowBox&) const = default;
};

struct FetchResult {
  bool ok = false;
  std::string body;   // the bytes returned
  std::string error;  // why not, in words for the user (UTF-8)
};

class WindowHost {
 public:
  virtual ~WindowHost() = default;

  virtual WindowBox WindowRect() = 0;
  // Moves and sizes the window, taking it out of the maximised state first.
  virtual void MoveWindow(const WindowBox& box) = 0;
  virtual int ScreenWidth() = 0;
  virtual int ScreenHeight() = 0;
  virtual int CaptionHeight() = 0;
  // The smallest width and height the desktop gives a window.
  virtual int MinimumWidth() = 0;
  virtual int MinimumHeight() = 0;
  // The running program, to start another window of it.
  virtual std::string ExecutablePath() = 0;

  // Reads an address; gives up after timeoutMs with an error.
  virtual FetchResult Fetch(const std::string& address, int timeoutMs) = 0;
  // Closes the window as its close box does (the save prompt included).
  virtual void CloseWindow() = 0;
  // The about box: the program's name, icon and `text`. False when the host
  // has none, and the text goes to an ordinary message box instead.
  virtual bool ShowAbout(const std::string& /*title*/, const std::string& /*text*/) { return false; }

  virtual void BeginWait() {}
  virtual void EndWait() {}
};

namespace window_host {
void Install(WindowHost* host);  // not owned; nullptr uninstalls
WindowHost* Installed();
}  // namespace window_host
