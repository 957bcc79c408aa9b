// PrintHost: the printer as the print commands see it.
//
// The commands decide what is printed and what happens to the editor around
// it (print/PrintSession.h); the host owns the printer: it asks which printer
// to use (the print dialog, or the default one), measures the text with the
// printer's font, lays the pages out with PrintPages, draws them and shows the
// preview. The window's host works on Qt Print Support; a batch run's host
// writes PDF files. Only one host serves a process; until one is installed
// the commands find none and say so.
#pragma once

#include <string>

#include "print/PrintFont.h"

class SettingsStore;
class UiHost;

struct PrintRequest {
  enum class Kind { WithDialog, WithoutDialog, Preview };
  Kind kind = Kind::WithDialog;
  std::string text;  // CP932, as it is printed
  int columns = 1;
  int marginStep = 1;
  int tabWidth = 8;          // in average characters of the printer's font
  int printFontHeight = 0;   // the view's; 0: the display font scaled
  int firstVisibleChar = 0;  // the editor's first shown byte, for the preview
};

struct PrintOutcome {
  bool prepared = false;  // false: cancelled, or no printer
  int startPage = 0;      // the page the preview opened on (1-based)
  int endPage = 0;        // the page it was left on
  int endPageStart = 0;   // the byte where that page begins
};

// What asking for the printer's resolution gave.
enum class PrinterQuery { Ok, NoDefaults, NoDeviceContext };

class PrintHost {
 public:
  virtual ~PrintHost() = default;

  // Prints or previews the request; `ui` answers questions and messages,
  // `settings` holds the fonts.
  virtual PrintOutcome Run(const PrintRequest& request, UiHost& ui, const SettingsStore& settings) = 0;
  // The page setup dialog of the printer the next printout uses.
  virtual void PageSetup(UiHost& ui) = 0;

  // The resolution of the printer the next printout uses.
  virtual PrinterQuery PrinterResolution(int& dpiX, int& dpiY) = 0;
  virtual int ScreenDpiY() const { return 96; }
  // The font chooser, in screen units; false unless the user chose OK.
  virtual bool ChooseFont(FontDescription& font, UiHost& ui) = 0;

  // The wait cursor while a long step runs.
  virtual void BeginWait() {}
  virtual void EndWait() {}
};

namespace print_host {

// The process's host (not owned); nullptr uninstalls it.
void Install(PrintHost* host);
PrintHost* Installed();

// True while a print preview is open: the window's idle pass rests and its
// status bar says so.
bool InPreview();
void SetInPreview(bool open);

}  // namespace print_host
