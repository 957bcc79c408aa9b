#include "app/qt/WindowShotPainter.h"

#include <QApplication>
#include <QImage>
#include <QString>
#include <functional>

#include "app/AppContext.h"
#include "app/WindowShot.h"
#include "app/qt/MainWindow.h"
#include "display/qt/DisplayFont.h"
#include "display/qt/OffscreenApplication.h"
#include "document/Document.h"
#include "editor/EditorView.h"
#include "editor/qt/PivraTextWidget.h"
#include "platform/qt/FontLayout.h"
#include "settings/SettingsKeys.h"

namespace window_shot_painter {

namespace {

// What the window changes in the view and its document while it shows them.
struct ViewPlace {
  explicit ViewPlace(EditorView& view, Document& doc)
      : view_(view),
        doc_(doc),
        layout_(&view.Edit().Layout()),
        client_(view.Edit().ClientRect()),
        firstVisibleChar_(view.Edit().LineIndex(view.Edit().FirstVisibleLine())),
        horizontal_(view.Edit().HorizontalScroll()),
        anchor_(view.Edit().Anchor()),
        caret_(view.Edit().Caret()),
        unsplit_(doc.unsplit),
        saveCaretPosition_(doc.saveCaretPosition) {}

  // The scroll and selection of the view, in whatever layout it has now:
  // the row that holds the first byte shown comes first, so a text that
  // wraps differently in the window's font still shows the same place.
  void PutScrollAndSelection() const {
    EditBuffer& e = view_.Edit();
    e.SetSel(anchor_, caret_);
    e.LineScroll(0, e.LineFromChar(firstVisibleChar_) - e.FirstVisibleLine());
    e.SetHorizontalScroll(horizontal_);
  }

  // Everything back as it was before the window was built.
  void Restore() const {
    doc_.unsplit = unsplit_;
    doc_.saveCaretPosition = saveCaretPosition_;
    EditBuffer& e = view_.Edit();
    e.SetLayout(layout_);
    e.SetClientRect(client_);
    view_.OnUpdate(UpdateHint::None);  // the margins of the old layout
    PutScrollAndSelection();
  }

 private:
  EditorView& view_;
  Document& doc_;
  const LineLayout* layout_;
  Rect client_;
  int firstVisibleChar_;
  int horizontal_;
  int anchor_;
  int caret_;
  std::function<void()> unsplit_;
  std::function<void(EditorView&)> saveCaretPosition_;
};

}  // namespace

bool Paint(AppContext& app, EditorView& view, const std::string& path, std::string& why) {
  offscreen_application::Ensure();
  const ViewPlace place(view, app.Doc());
  const FontLayout font(display_font::FromSettings(app.Settings(), setting::kScreenFontSection));
  QImage image;
  {
    MainWindow frame(app, view, font);
    frame.resize(kWidth, kHeight);
    frame.show();
    frame.activateWindow();
    frame.TextWidget().setFocus();
    QCoreApplication::processEvents();
    // The window's size gave the text its own layout; the state is the view's.
    place.PutScrollAndSelection();
    frame.TextWidget().Refresh();
    frame.RunIdle();
    image = frame.grab().toImage();
  }
  place.Restore();
  if (!image.save(QString::fromStdString(path), "PNG")) {
    why = "cannot write " + path;
    return false;
  }
  return true;
}

}  // namespace window_shot_painter

void InstallBatchWindowShots() { window_shot::Install(window_shot_painter::Paint); }
