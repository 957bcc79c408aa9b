// QtWindowHost: the main window and the desktop for the window commands, on
// Qt: the window's geometry, the primary screen, the style's caption height,
// the running program's path, and reading an address with
// QNetworkAccessManager under a time limit. While it waits, the window
// repaints but takes no input.
#pragma once

#include <QPointer>
#include <QWidget>

#include "app/WindowHost.h"

class QtWindowHost final : public WindowHost {
 public:
  explicit QtWindowHost(QWidget* window) : window_(window) {}

  WindowBox WindowRect() override;
  void MoveWindow(const WindowBox& box) override;
  int ScreenWidth() override;
  int ScreenHeight() override;
  int CaptionHeight() override;
  int MinimumWidth() override;
  int MinimumHeight() override;
  std::string ExecutablePath() override;
  FetchResult Fetch(const std::string& address, int timeoutMs) override;
  void CloseWindow() override;
  bool ShowAbout(const std::string& title, const std::string& text) override;
  void BeginWait() override;
  void EndWait() override;

 private:
  QPointer<QWidget> window_;
};
