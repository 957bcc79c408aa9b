// WaitCursorScope: the wait cursor over the application while one step of
// work runs on the user-interface thread (opening a large file, a table
// command over a million rows).
//
// The cursor is the application's override cursor, pushed when the scope is
// made and popped when it ends; scopes nest. A modal window (a message box,
// a file or other dialog) that the step opens is not work: while one is
// shown the scope steps aside, so the user answers it with the ordinary
// cursor, and the wait cursor comes back when it closes. Invariant: the
// scope holds exactly one override cursor while no modal window of its own
// is shown, none while one is, and none after it ends.
#pragma once

#include <QObject>

class WaitCursorScope final : public QObject {
 public:
  WaitCursorScope();
  ~WaitCursorScope() override;
  WaitCursorScope(const WaitCursorScope&) = delete;
  WaitCursorScope& operator=(const WaitCursorScope&) = delete;

  // Whether the wait cursor is shown now (no modal window of the step is open).
  bool Showing() const { return shownModals_ == 0; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  int shownModals_ = 0;  // modal windows shown since the scope began and not yet hidden
};
