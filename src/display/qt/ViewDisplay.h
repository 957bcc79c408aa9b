// ViewDisplay: joins a text widget to the display code.
//
// It gives the widget its painter: in every paint event a TextPainter draws
// the text, and the view's overlay, computed afresh, is painted over it, so
// the gutter, ruler, marks and colours are always complete and current. It
// follows the display font: when the view hears that the font changed, a new
// font is made from the settings store (with the wait cursor) and the widget
// lays its text out with it. It keeps the input-method mark of the menu bar's
// corner up to date. It is a child of the widget and lives exactly as long as it.
#pragma once

#include <QObject>
#include <QPointer>
#include <memory>

class FontLayout;
class PivraTextWidget;
class QLabel;
class QMenuBar;
class SettingsStore;

class ViewDisplay : public QObject {
  Q_OBJECT

 public:
  ViewDisplay(PivraTextWidget& widget, SettingsStore& settings);
  ~ViewDisplay() override;

  // Shows the input-method mark in the corner of `menuBar`.
  void ShowImeMarkIn(QMenuBar& menuBar);
  // After input or an idle pass: a new display font when the view heard of
  // one, the input-method mark, and the redraw requests taken as done.
  void Refresh();

  QString ImeMarkText() const;
  // Makes a label that shows the input-method mark wide enough for either mark.
  static void FitImeMark(QLabel& label);

 private:
  PivraTextWidget& widget_;
  SettingsStore& settings_;
  std::unique_ptr<FontLayout> font_;
  int fontSerial_;
  QPointer<QLabel> imeMark_;
};
