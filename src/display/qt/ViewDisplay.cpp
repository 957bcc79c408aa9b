#include "display/qt/ViewDisplay.h"

#include <QApplication>
#include <QLabel>
#include <QMenuBar>
#include <QPainter>
#include <algorithm>

#include "display/Overlay.h"
#include "display/qt/DisplayFont.h"
#include "display/qt/OverlayPainter.h"
#include "display/qt/TextPainter.h"
#include "editor/EditorView.h"
#include "editor/qt/PivraTextWidget.h"
#include "platform/qt/FontLayout.h"
#include "settings/SettingsKeys.h"
#include "text/Cp932.h"

ViewDisplay::ViewDisplay(PivraTextWidget& widget, SettingsStore& settings)
    : QObject(&widget), widget_(widget), settings_(settings), fontSerial_(widget.View().displayFontSerial) {
  TextPainter::Attach(widget_, [this](QPainter& p) {
    overlay_painter::Paint(p, overlay::Compute(widget_.View(), widget_.hasFocus()), widget_.Layout());
  });
  connect(&widget_, &PivraTextWidget::viewChanged, this, &ViewDisplay::Refresh);
}

// A child of the widget, it goes with it: the widget is already half
// destroyed then, so it is left alone.
ViewDisplay::~ViewDisplay() = default;

void ViewDisplay::ShowImeMarkIn(QMenuBar& menuBar) {
  imeMark_ = new QLabel(&menuBar);
  imeMark_->setContentsMargins(4, 0, 8, 0);
  FitImeMark(*imeMark_);
  menuBar.setCornerWidget(imeMark_, Qt::TopRightCorner);
  imeMark_->setText(ImeMarkText());
}

void ViewDisplay::FitImeMark(QLabel& label) {
  int widest = 0;
  for (const bool open : {false, true})
    widest = std::max(widest, label.fontMetrics().horizontalAdvance(
                                  QString::fromStdString(cp932::ToUtf8(overlay::ImeMark(open)))));
  const QMargins margins = label.contentsMargins();
  label.setMinimumWidth(widest + margins.left() + margins.right());
}

QString ViewDisplay::ImeMarkText() const {
  const EditorView& view = widget_.View();
  if (view.Edit().IsReadOnly()) return {};
  return QString::fromStdString(cp932::ToUtf8(overlay::ImeMark(view.ime.open)));
}

void ViewDisplay::Refresh() {
  EditorView& view = widget_.View();
  if (view.displayFontSerial != fontSerial_) {
    fontSerial_ = view.displayFontSerial;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    auto font = std::make_unique<FontLayout>(display_font::FromSettings(settings_, setting::kScreenFontSection));
    widget_.SetFontLayout(*font);
    font_ = std::move(font);  // the widget's previous font is no longer used
    view.OnUpdate(UpdateHint::None);
    widget_.Refresh();
    QApplication::restoreOverrideCursor();
  }
  if (imeMark_ && imeMark_->text() != ImeMarkText()) imeMark_->setText(ImeMarkText());
  // The overlay is painted whole in every paint event; what the idle pass
  // was asked to redraw is drawn by the repaint that follows.
  if (view.redraw.lineNumbers || view.redraw.colouring || view.redraw.imeMark) {
    view.redraw.lineNumbers = view.redraw.colouring = view.redraw.imeMark = false;
    widget_.viewport()->update();
  }
}
