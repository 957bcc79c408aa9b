#include "print/PrintCommands.h"

#include "editor/CommandIds.h"
#include "editor/CommandTable.h"
#include "editor/EditorView.h"
#include "print/PrintFont.h"
#include "print/PrintHost.h"
#include "print/PrintSession.h"
#include "settings/AppIdentity.h"
#include "settings/SettingsKeys.h"
#include "settings/SettingsStore.h"

namespace print_commands {

void SetColumns(EditorView& view, int columns) {
  view.print.columns = columns;
  view.Settings().WriteInt(setting::PrintColumns, columns);
  print_session::Run(view, PrintRequest::Kind::Preview);
}

void SetMarginStep(EditorView& view, int step) {
  if (view.print.marginStep == step) return;
  view.print.marginStep = step;
  view.Settings().WriteInt(setting::PrintMarginStep, step);
  print_session::Run(view, PrintRequest::Kind::Preview);
}

namespace {

// Shows a plain message with the program's name, as the printing framework does.
void Report(EditorView& view, const char* text) {
  view.Host().MessageBox(app_identity::kAppName, text, MsgButtons::Ok, MsgIcon::Exclamation);
}

}  // namespace

void ChoosePrintFont(EditorView& view) {
  PrintHost* host = print_host::Installed();
  if (!host) {
    Report(view, "Failed to get device defaults!");
    return;
  }
  host->BeginWait();
  int dpiX = 0, dpiY = 0;
  const PrinterQuery query = host->PrinterResolution(dpiX, dpiY);
  host->EndWait();
  if (query == PrinterQuery::NoDefaults) {
    Report(view, "Failed to get device defaults!");
    return;
  }
  if (query == PrinterQuery::NoDeviceContext) {
    Report(view, "Failed to get printer DC");
    return;
  }
  const int screenDpiY = host->ScreenDpiY();
  // The chooser opens on the font a printout uses now: the print font, or
  // the display font at its screen size while none is chosen.
  const FontDescription font = print_font::ForPrinting(
      view.Settings(), view.print.fontChosen ? view.print.fontHeight : 0, screenDpiY, dpiY);
  const FontDescription before = print_font::ToScreenUnits(font, screenDpiY, dpiY);
  FontDescription shown = before;
  if (!host->ChooseFont(shown, view.Host())) return;
  // OK without a change keeps the font (and its exact printer height) as it is.
  const FontDescription chosen = shown == before ? font : print_font::ToPrinterUnits(shown, screenDpiY, dpiY);
  if (chosen.height != 0 && !(shown == before)) {
    view.print.fontHeight = chosen.height;
    view.print.fontChosen = true;
    print_font::SavePrintFont(view.Settings(), chosen);
  }
  print_session::Run(view, PrintRequest::Kind::Preview);
}

}  // namespace print_commands

void RegisterPrintCommands(CommandTable& t) {
  using Kind = PrintRequest::Kind;
  t.Add({.id = cmd::FilePrint, .name = "file-print", .mainCaption = "印刷(&P)...",
         .run = [](EditorView& v) { print_session::Run(v, Kind::WithDialog); }});
  t.Add({.id = cmd::FilePrintDirect, .name = "file-print-direct",
         .run = [](EditorView& v) { print_session::Run(v, Kind::WithoutDialog); }});
  t.Add({.id = cmd::FilePrintPreview, .name = "file-print-preview", .mainCaption = "印刷プレビュー(&V)",
         .run = [](EditorView& v) { print_session::Run(v, Kind::Preview); }});
  t.Add({.id = cmd::PrintSetup, .name = "print-setup", .mainCaption = "プリンターの設定...",
         .run = [](EditorView& v) {
           if (PrintHost* host = print_host::Installed()) host->PageSetup(v.Host());
         }});
  t.Add({.id = cmd::PrintFont, .name = "print-font", .mainCaption = "印刷用フォントの変更",
         .run = print_commands::ChoosePrintFont});

  static const char* const columnCaptions[] = {"段組無し（デフォルト）", "2段組", "3段組", "4段組"};
  static const char* const marginCaptions[] = {"100 (論理単位)", "200", "300", "400"};
  for (int n = 1; n <= 4; ++n) {
    t.Add({.id = cmd::PrintColumns1 + n - 1, .name = "print-columns-" + std::to_string(n),
           .mainCaption = columnCaptions[n - 1], .run = [n](EditorView& v) { print_commands::SetColumns(v, n); },
           .checked = [n](EditorView& v) { return v.print.columns == n; }});
    t.Add({.id = cmd::PrintMargin1 + n - 1, .name = "print-margin-" + std::to_string(n),
           .mainCaption = marginCaptions[n - 1], .run = [n](EditorView& v) { print_commands::SetMarginStep(v, n); },
           .checked = [n](EditorView& v) { return v.print.marginStep == n; }});
  }
}
