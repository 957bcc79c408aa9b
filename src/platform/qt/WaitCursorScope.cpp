#include "platform/qt/WaitCursorScope.h"

#include <QApplication>
#include <QEvent>
#include <QWidget>

namespace {

bool IsModalWindow(QObject* object) {
  const auto* widget = qobject_cast<QWidget*>(object);
  return widget && widget->isWindow() && widget->isModal();
}

}  // namespace

WaitCursorScope::WaitCursorScope() {
  QApplication::setOverrideCursor(Qt::WaitCursor);
  qApp->installEventFilter(this);
}

WaitCursorScope::~WaitCursorScope() {
  qApp->removeEventFilter(this);
  if (Showing()) QApplication::restoreOverrideCursor();
}

bool WaitCursorScope::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  if ((type == QEvent::Show || type == QEvent::Hide) && IsModalWindow(watched)) {
    if (type == QEvent::Show) {
      if (Showing()) QApplication::restoreOverrideCursor();
      ++shownModals_;
    } else if (shownModals_ > 0) {
      --shownModals_;
      if (Showing()) QApplication::setOverrideCursor(Qt::WaitCursor);
    }
  }
  return false;
}
