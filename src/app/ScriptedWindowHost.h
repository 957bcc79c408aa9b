// ScriptedWindowHost: the window of a batch run, which has none.
//
// The window stands at (0, 0) with an inside of 640 x 640 pixels on a screen
// of 1920 x 1080 with 24-pixel captions; the desktop's smallest window is
// 136 x 39. Moving it prints "window: X Y WIDTH HEIGHT". Closing it first
// asks the close check (the caret memory and the save prompt, as the close
// box does); when that lets it close it prints "close" and the window stays
// closed, which ends the script. The program is the running pivraf. Addresses are read only when
// they name a local file (file:///path or /path); any other address prints
// "fetch: ADDRESS" and fails, as a run without network would.
#pragma once

#include <functional>
#include <iosfwd>
#include <utility>

#include "app/WindowHost.h"

class ScriptedWindowHost final : public WindowHost {
 public:
  // Serves the process while it lives.
  explicit ScriptedWindowHost(std::ostream& out) : out_(out) { window_host::Install(this); }
  ~ScriptedWindowHost() override {
    if (window_host::Installed() == this) window_host::Install(nullptr);
  }

  WindowBox WindowRect() override { return box_; }
  void MoveWindow(const WindowBox& box) override;
  int ScreenWidth() override { return 1920; }
  int ScreenHeight() override { return 1080; }
  int CaptionHeight() override { return 24; }
  int MinimumWidth() override { return 136; }
  int MinimumHeight() override { return 39; }
  std::string ExecutablePath() override;
  FetchResult Fetch(const std::string& address, int timeoutMs) override;
  void CloseWindow() override;

  // Asked before the window closes; false keeps it open.
  void SetCloseCheck(std::function<bool()> check) { closeCheck_ = std::move(check); }
  bool Closed() const { return closed_; }

 private:
  std::ostream& out_;
  std::function<bool()> closeCheck_;
  bool closed_ = false;
  WindowBox box_{0, 0, 640, 640};
};
