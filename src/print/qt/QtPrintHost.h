// QtPrintHost: printing on Qt Print Support.
//
// The window's host keeps one QPrinter for the process: the default printer,
// or, on a machine without printers, a PDF printer (A4 at 600 dpi with a
// 5 mm border), so the preview and printing to a file always work. Printing
// goes through QPrintDialog (or straight to the default printer), the preview
// is a QPrintPreviewDialog opened on the page holding the editor's first
// visible line, and the page setup is QPageSetupDialog.
//
// A batch run's host has no window: printing writes a PDF file (A4 at
// 600 dpi, 5 mm border) whose path is asked through the UI host's save
// dialog, and the preview prints the pages instead of showing them:
//   pages: N
//   starts: a,b,c        (the byte where each page begins)
//   column K LEFT TOP RIGHT BOTTOM   (each column of every page, 1-based K)
//   preview: page P      (the page it opened on)
// Text is measured and drawn with the printer's font, its pixel size in
// printer pixels; the core decides where every run of characters goes.
//
// Laying out the pages is quick even for a large text; drawing them is not
// (a 64 MB text is some 20,000 pages). In the window, printing and the
// preview draw under a progress dialog that counts the pages and can be
// cancelled: a cancelled printout is aborted, a cancelled preview shows the
// pages drawn so far. The preview lays the pages out once, and again only
// when its page setup changes.
#pragma once

#include <QPointer>
#include <QRect>
#include <QWidget>
#include <functional>
#include <iosfwd>
#include <memory>

#include "print/PrintHost.h"

class QPrinter;
class QPagedPaintDevice;
class FontLayout;
class PrintPages;

class QtPrintHost final : public PrintHost {
 public:
  explicit QtPrintHost(QWidget* parent = nullptr);
  ~QtPrintHost() override;
  // The host of a batch run, printing what it would show to `out`.
  static std::unique_ptr<QtPrintHost> ForBatch(std::ostream& out);

  PrintOutcome Run(const PrintRequest& request, UiHost& ui, const SettingsStore& settings) override;
  void PageSetup(UiHost& ui) override;
  PrinterQuery PrinterResolution(int& dpiX, int& dpiY) override;
  int ScreenDpiY() const override;
  bool ChooseFont(FontDescription& font, UiHost& ui) override;
  void BeginWait() override;
  void EndWait() override;

  QPrinter& Printer();

  // The request laid out for a device: the printer font's measures and the
  // pages, which refer to the request's text.
  struct Layout {
    FontDescription described;  // the font the printout is set in, its height in printer pixels
    std::unique_ptr<FontLayout> font;
    std::unique_ptr<PrintPages> pages;
    // What the layout depends on of the device: its paint rectangle and resolution.
    QRect paintRect;
    int dpiX = 0;
    int dpiY = 0;
    bool FitsDevice(QPagedPaintDevice& device) const;
    ~Layout();
  };
  static std::unique_ptr<Layout> Paginate(const PrintRequest& request, const SettingsStore& settings,
                                          QPagedPaintDevice& device, int screenDpiY);
  // Told after each page drawn (pages drawn, pages to draw); false stops the drawing.
  using PageProgress = std::function<bool(int drawn, int total)>;
  // Draws pages first..last (1-based; 0, 0 for all) on the device; false
  // when `progress` stopped it before the last page.
  static bool Paint(const Layout& layout, QPagedPaintDevice& device, int first = 0, int last = 0,
                    const PageProgress& progress = {});

 private:
  PrintOutcome RunBatch(const PrintRequest& request, UiHost& ui, const SettingsStore& settings);
  PrintOutcome Preview(const PrintRequest& request, const SettingsStore& settings);
  // Draws under a progress dialog (the window's); false when it was cancelled.
  bool PaintWithProgress(const Layout& layout, QPagedPaintDevice& device, int first = 0, int last = 0);

  QPointer<QWidget> parent_;
  std::unique_ptr<QPrinter> printer_;
  std::ostream* batchOut_ = nullptr;
};

// Installs the batch host for this process (main's batch mode).
void InstallBatchPrinting(std::ostream& out);
