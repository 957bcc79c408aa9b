#include "print/qt/QtPrintHost.h"

#include <QApplication>
#include <QFile>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProgressDialog>
#include <QScreen>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <ostream>

#include "display/qt/DisplayFont.h"
#include "display/qt/OffscreenApplication.h"
#include "platform/DialogData.h"
#include "platform/UiHost.h"
#include "platform/qt/FontChooser.h"
#include "platform/qt/FontLayout.h"
#include "print/PrintPages.h"
#include "settings/AppIdentity.h"
#include "settings/SettingsKeys.h"
#include "text/Cp932.h"

namespace {

constexpr int kPdfDpi = 600;
constexpr int kBatchScreenDpi = 96;
constexpr double kPdfBorderMm = 5.0;
constexpr int kFontDialogId = 32775;
constexpr int kFaceControl = 1;
constexpr int kHeightControl = 2;
constexpr int kWeightControl = 3;
// Drawing shorter than this shows no progress dialog.
constexpr int kProgressDelayMs = 800;

QString Q(const std::string& utf8) { return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())); }

// The Qt font of a font description whose height is in the device's pixels;
// a height of 0 stands for the default -16.
QFont QtFontOf(FontDescription d) {
  if (d.height == 0) d.height = -16;
  return display_font::FromDescription(d);
}

void SetUpPdfPage(QPagedPaintDevice& device) {
  device.setPageSize(QPageSize(QPageSize::A4));
  device.setPageMargins(QMarginsF(kPdfBorderMm, kPdfBorderMm, kPdfBorderMm, kPdfBorderMm), QPageLayout::Millimeter);
}

int DeviceDpiY(QPagedPaintDevice& device) { return device.logicalDpiY(); }

bool IsWindowApplication() { return qobject_cast<QApplication*>(QCoreApplication::instance()) != nullptr; }

}  // namespace

QtPrintHost::Layout::~Layout() = default;

bool QtPrintHost::Layout::FitsDevice(QPagedPaintDevice& device) const {
  return device.logicalDpiX() == dpiX && DeviceDpiY(device) == dpiY &&
         device.pageLayout().paintRectPixels(device.logicalDpiX()) == paintRect;
}

QtPrintHost::QtPrintHost(QWidget* parent) : parent_(parent) {}
QtPrintHost::~QtPrintHost() = default;

std::unique_ptr<QtPrintHost> QtPrintHost::ForBatch(std::ostream& out) {
  auto host = std::make_unique<QtPrintHost>();
  host->batchOut_ = &out;
  return host;
}

QPrinter& QtPrintHost::Printer() {
  if (!printer_) {
    printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    if (QPrinterInfo::availablePrinters().isEmpty() || printer_->outputFormat() == QPrinter::PdfFormat) {
      printer_->setOutputFormat(QPrinter::PdfFormat);
      printer_->setResolution(kPdfDpi);
      SetUpPdfPage(*printer_);
    }
    printer_->setDocName(QString::fromUtf8(app_identity::kAppName));
  }
  return *printer_;
}

int QtPrintHost::ScreenDpiY() const {
  if (batchOut_) return kBatchScreenDpi;
  if (const QScreen* screen = QGuiApplication::primaryScreen()) return std::max(1, qRound(screen->logicalDotsPerInchY()));
  return 96;
}

std::unique_ptr<QtPrintHost::Layout> QtPrintHost::Paginate(const PrintRequest& request, const SettingsStore& settings,
                                                           QPagedPaintDevice& device, int screenDpiY) {
  auto layout = std::make_unique<Layout>();
  const int dpiY = DeviceDpiY(device);
  const FontDescription font = print_font::ForPrinting(settings, request.printFontHeight, screenDpiY, dpiY);
  layout->described = font;
  layout->font = std::make_unique<FontLayout>(QtFontOf(font));
  const QRect paint = device.pageLayout().paintRectPixels(device.logicalDpiX());
  layout->paintRect = paint;
  layout->dpiX = device.logicalDpiX();
  layout->dpiY = dpiY;
  ::PageSetup setup;
  setup.area = {0, 0, paint.width(), paint.height()};
  setup.columns = request.columns;
  setup.marginStep = request.marginStep;
  setup.tabPixels = std::max(1, request.tabWidth * layout->font->AverageCharWidth());
  layout->pages = std::make_unique<PrintPages>(request.text, setup, *layout->font);
  return layout;
}

bool QtPrintHost::Paint(const Layout& layout, QPagedPaintDevice& device, int first, int last,
                        const PageProgress& progress) {
  const PrintPages& pages = *layout.pages;
  if (first <= 0) first = 1;
  if (last <= 0 || last > pages.PageCount()) last = pages.PageCount();
  QPainter painter;
  if (!painter.begin(&device)) return true;
  // The font is measured in printer pixels; it is drawn at the point size
  // that gives those pixels on this device, which every paint engine (the
  // preview's recording one too) scales the same way.
  QFont font = layout.font->Font();
  font.setPointSizeF(font.pixelSize() * 72.0 / std::max(1, device.logicalDpiY()));
  painter.setFont(QFont(font, &device));
  painter.setPen(Qt::black);
  painter.setBackgroundMode(Qt::TransparentMode);
  const int ascent = layout.font->Ascent();
  const std::string_view text = pages.Text();
  bool complete = true;
  for (int page = first; page <= last; ++page) {
    if (page > first) device.newPage();
    for (const print_layout::PrintedRun& r : pages.PageRuns(page)) {
      const std::string utf8 = cp932::ToUtf8(text.substr(r.begin, r.end - r.begin));
      painter.drawText(QPoint(r.x, r.y + ascent), Q(utf8));
    }
    if (progress && !progress(page - first + 1, last - first + 1)) {
      complete = page == last;
      break;
    }
  }
  painter.end();
  return complete;
}

// The dialog shows itself only when the drawing lasts longer than a moment;
// each page drawn lets the window take its events, so Cancel is heard.
bool QtPrintHost::PaintWithProgress(const Layout& layout, QPagedPaintDevice& device, int first, int last) {
  if (batchOut_ || !IsWindowApplication()) return Paint(layout, device, first, last);
  // Over the preview when it asks for the pages, else over the main window.
  QWidget* over = QApplication::activeModalWidget() ? QApplication::activeModalWidget() : parent_.data();
  QProgressDialog dialog(QStringLiteral("ページを描いています…"), QStringLiteral("キャンセル"), 0, 1, over);
  dialog.setWindowTitle(QString::fromUtf8(app_identity::kAppName));
  dialog.setWindowModality(Qt::WindowModal);
  dialog.setMinimumDuration(kProgressDelayMs);
  dialog.setAutoReset(false);
  dialog.setValue(0);
  return Paint(layout, device, first, last, [&dialog](int drawn, int total) {
    if (dialog.maximum() != total) dialog.setMaximum(total);
    dialog.setLabelText(QStringLiteral("ページを描いています… %1 / %2").arg(drawn).arg(total));
    dialog.setValue(drawn);
    return !dialog.wasCanceled();
  });
}

PrintOutcome QtPrintHost::Run(const PrintRequest& request, UiHost& ui, const SettingsStore& settings) {
  if (batchOut_) return RunBatch(request, ui, settings);
  if (request.kind == PrintRequest::Kind::Preview) return Preview(request, settings);
  QPrinter& printer = Printer();
  if (request.kind == PrintRequest::Kind::WithDialog) {
    QPrintDialog dialog(&printer, parent_);
    if (dialog.exec() != QDialog::Accepted) return {};
  } else if (QPrinterInfo::availablePrinters().isEmpty()) {
    ui.MessageBox(app_identity::kAppName, "印刷できるプリンターがありません。", MsgButtons::Ok, MsgIcon::Exclamation);
    return {};
  }
  BeginWait();
  const std::unique_ptr<Layout> layout = Paginate(request, settings, printer, ScreenDpiY());
  EndWait();
  PrintOutcome out;
  if (!PaintWithProgress(*layout, printer, printer.fromPage(), printer.toPage())) {
    printer.abort();
    return out;
  }
  out.prepared = true;
  return out;
}

PrintOutcome QtPrintHost::Preview(const PrintRequest& request, const SettingsStore& settings) {
  QPrinter& printer = Printer();
  BeginWait();
  std::unique_ptr<Layout> layout = Paginate(request, settings, printer, ScreenDpiY());
  const int startPage = PreviewStartPage(layout->pages->PageStarts(), request.firstVisibleChar);
  EndWait();

  QPrintPreviewDialog dialog(&printer, parent_);
  dialog.setWindowTitle(QStringLiteral("印刷プレビュー - %1 ページ").arg(layout->pages->PageCount()));
  // The page setup may change inside the preview: the pages are laid out
  // again when a repaint finds it changed.
  QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog, [&](QPrinter* p) {
    if (!layout->FitsDevice(*p)) layout = Paginate(request, settings, *p, ScreenDpiY());
    PaintWithProgress(*layout, *p);
  });
  QPrintPreviewWidget* widget = dialog.findChild<QPrintPreviewWidget*>();
  bool placed = false;
  // A preview whose drawing was cancelled before the start page opens on
  // the last page drawn: that is the page it started on, and leaving it
  // there moves nothing in the editor.
  int openedOn = startPage;
  if (widget) {
    QObject::connect(widget, &QPrintPreviewWidget::previewChanged, &dialog, [&] {
      if (placed) return;
      placed = true;
      widget->setCurrentPage(std::clamp(widget->pageCount(), 1, startPage));
      openedOn = std::clamp(widget->currentPage(), 1, startPage);
    });
  }
  dialog.exec();
  PrintOutcome out;
  out.prepared = true;
  out.startPage = openedOn;
  out.endPage = widget ? std::clamp(widget->currentPage(), 1, layout->pages->PageCount()) : startPage;
  out.endPageStart = layout->pages->PageStarts()[out.endPage - 1];
  return out;
}

PrintOutcome QtPrintHost::RunBatch(const PrintRequest& request, UiHost& ui, const SettingsStore& settings) {
  offscreen_application::Ensure();
  PrintOutcome out;
  if (request.kind == PrintRequest::Kind::Preview) {
    QPdfWriter device(QStringLiteral("/dev/null"));
    device.setResolution(kPdfDpi);
    SetUpPdfPage(device);
    const std::unique_ptr<Layout> layout = Paginate(request, settings, device, ScreenDpiY());
    const PrintPages& pages = *layout->pages;
    std::ostream& o = *batchOut_;
    o << "pages: " << pages.PageCount() << "\n";
    o << "font " << layout->described.faceName << " " << layout->described.height << "\nstarts: ";
    for (std::size_t i = 0; i < pages.PageStarts().size(); ++i) o << (i ? "," : "") << pages.PageStarts()[i];
    o << "\n";
    for (std::size_t k = 0; k < pages.Columns().size(); ++k) {
      const Rect& c = pages.Columns()[k];
      o << "column " << k + 1 << " " << c.left << " " << c.top << " " << c.right << " " << c.bottom << "\n";
    }
    out.prepared = true;
    out.startPage = out.endPage = PreviewStartPage(pages.PageStarts(), request.firstVisibleChar);
    out.endPageStart = pages.PageStarts()[out.endPage - 1];
    o << "preview: page " << out.startPage << "\n";
    return out;
  }
  FileDialogData file;
  file.save = true;
  file.title = "印刷";
  file.filter = "PDF (*.pdf)|*.pdf||";
  file.defaultExt = "pdf";
  if (!ui.ChooseFile(file)) return out;
  QPdfWriter device(QFile::decodeName(file.path.c_str()));
  device.setResolution(kPdfDpi);
  device.setTitle(QString::fromUtf8(app_identity::kAppName));
  SetUpPdfPage(device);
  const std::unique_ptr<Layout> layout = Paginate(request, settings, device, ScreenDpiY());
  Paint(*layout, device);
  *batchOut_ << "printed: " << layout->pages->PageCount() << " pages to " << file.path << "\n";
  out.prepared = true;
  return out;
}

void QtPrintHost::PageSetup(UiHost&) {
  if (batchOut_) return;
  QPageSetupDialog dialog(&Printer(), parent_);
  dialog.exec();
}

PrinterQuery QtPrintHost::PrinterResolution(int& dpiX, int& dpiY) {
  if (batchOut_) {
    dpiX = dpiY = kPdfDpi;
    return PrinterQuery::Ok;
  }
  QPrinter& printer = Printer();
  if (!printer.isValid()) return PrinterQuery::NoDeviceContext;
  dpiX = printer.logicalDpiX();
  dpiY = printer.logicalDpiY();
  return dpiX > 0 && dpiY > 0 ? PrinterQuery::Ok : PrinterQuery::NoDeviceContext;
}

bool QtPrintHost::ChooseFont(FontDescription& font, UiHost& ui) {
  if (batchOut_) {
    // A batch run answers a plain dialog: face, height (screen pixels), weight.
    DialogData d;
    d.templateId = kFontDialogId;
    d.caption = "印刷用フォント";
    d.controls.push_back(MakeEdit(kFaceControl, "フォント名", font.faceName).Named("face"));
    d.controls.push_back(MakeIntegerEdit(kHeightControl, "高さ", font.height).Named("height"));
    d.controls.push_back(MakeIntegerEdit(kWeightControl, "太さ", font.weight).Named("weight"));
    if (!ui.RunDialog(d)) return false;
    font.faceName = d.Text(kFaceControl);
    ParseDialogInteger(d.Text(kHeightControl), font.height);
    ParseDialogInteger(d.Text(kWeightControl), font.weight);
    return true;
  }
  return font_chooser::Choose(font, ScreenDpiY(), parent_, QStringLiteral("印刷用フォントの変更"));
}

void QtPrintHost::BeginWait() {
  if (!batchOut_ && IsWindowApplication()) QApplication::setOverrideCursor(Qt::WaitCursor);
}

void QtPrintHost::EndWait() {
  if (!batchOut_ && IsWindowApplication()) QApplication::restoreOverrideCursor();
}

void InstallBatchPrinting(std::ostream& out) {
  static std::unique_ptr<QtPrintHost> host;
  host = QtPrintHost::ForBatch(out);
  print_host::Install(host.get());
}
