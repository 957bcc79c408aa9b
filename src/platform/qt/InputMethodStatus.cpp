#include "platform/qt/InputMethodStatus.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>

namespace {

constexpr int kAfterKeyMs = 150;  // the input method acts on a key before this
constexpr int kXcbKeyPress = 2;
constexpr int kXcbKeyRelease = 3;
constexpr int kFcitxOn = 2;

}  // namespace

InputMethodStatus::InputMethodStatus(QObject* parent) : QObject(parent) {
  afterKey_.setSingleShot(true);
  afterKey_.setInterval(kAfterKeyMs);
  connect(&afterKey_, &QTimer::timeout, this, &InputMethodStatus::Ask);
  QCoreApplication::instance()->installNativeEventFilter(this);
}

InputMethodStatus::~InputMethodStatus() {
  if (QCoreApplication::instance()) QCoreApplication::instance()->removeNativeEventFilter(this);
}

void InputMethodStatus::Ask() {
  // Without a session bus address there is no one to ask (and no bus is
  // started just to find that out).
  if (waiting_ || qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS")) return;
  QDBusConnection bus = QDBusConnection::sessionBus();
  if (!bus.isConnected()) return;
  const QDBusMessage question = QDBusMessage::createMethodCall(
      QStringLiteral("org.fcitx.Fcitx5"), QStringLiteral("/controller"), QStringLiteral("org.fcitx.Fcitx.Controller1"),
      QStringLiteral("State"));
  waiting_ = true;
  auto* watcher = new QDBusPendingCallWatcher(bus.asyncCall(question), this);
  connect(watcher, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher* call) {
    call->deleteLater();
    waiting_ = false;
    const QDBusPendingReply<int> reply = *call;
    if (reply.isError()) return;
    known_ = true;
    on_ = reply.value() == kFcitxOn;
    emit answered(on_);
  });
}

bool InputMethodStatus::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) {
  // Every xcb event starts with its one-byte type; the top bit marks events
  // another client sent.
  if (eventType == "xcb_generic_event_t" && message) {
    const int type = *static_cast<const unsigned char*>(message) & 0x7F;
    if (type == kXcbKeyPress || type == kXcbKeyRelease) {
      Ask();
      afterKey_.start();
    }
  }
  return false;
}
