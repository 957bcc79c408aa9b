// InputMethodStatus: whether the desktop's input method is on (converting
// into Japanese), as the input method itself tells it over the session bus.
//
// fcitx5 tells its state through its controller ("State": 0 no input
// context, 1 off, 2 on). The state is asked for without waiting: Ask sends
// the question and `answered` carries the reply when it comes. Ask is called
// on focus changes; every key the window system delivers to the application
// (also those the input method keeps for itself, such as its on/off key) asks
// again when the key comes and a moment after, once the input method has
// acted on it. Where no such input method runs (no session bus, no service,
// an error) nothing is ever answered and `Known()` stays false; the caller
// keeps its own rule then.
#pragma once

#include <QAbstractNativeEventFilter>
#include <QObject>
#include <QTimer>

class InputMethodStatus : public QObject, public QAbstractNativeEventFilter {
  Q_OBJECT

 public:
  explicit InputMethodStatus(QObject* parent = nullptr);
  ~InputMethodStatus() override;

  // Sends the question; returns at once.
  void Ask();
  bool Known() const { return known_; }
  bool On() const { return on_; }

  bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

 signals:
  // A reply came; `on` is the input method's state for the focused text.
  void answered(bool on);

 private:
  bool known_ = false;
  bool on_ = false;
  bool waiting_ = false;  // one question at a time
  QTimer afterKey_;
};
