#include "display/DisplayCommands.h"

#include "dialogs/ColourDialog.h"
#include "display/FontProfile.h"
#include "document/Document.h"
#include "editor/CommandIds.h"
#include "editor/CommandTable.h"
#include "editor/EditorView.h"
#include "settings/AppIdentity.h"
#include "settings/SettingsKeys.h"
#include "settings/SettingsStore.h"

namespace display_commands {

namespace {

// Every view of the document hears the hint; a view without a document of
// its own type hears it alone.
void UpdateViews(EditorView& view, UpdateHint hint) {
  if (auto* doc = dynamic_cast<Document*>(&view.Doc())) {
    doc->UpdateAllViews(nullptr, hint);
  } else {
    view.OnUpdate(hint);
  }
}

}  // namespace

void ChangeDisplayFont(EditorView& view) {
  FontDescription saved;
  font_profile::Load(view.Settings(), setting::kScreenFontSection, saved);
  FontDescription chosen = saved;
  if (!view.Host().ChooseFont(chosen)) return;
  if (chosen == saved) return;  // OK without a change: the font in use stays, nothing is written
  if (chosen.height == 0 || chosen.faceName.empty()) return;  // no font can be made from it
  font_profile::Save(view.Settings(), setting::kScreenFontSection, chosen, saved);
  UpdateViews(view, UpdateHint::DisplayFont);
}

// The first visible line's text stays on top and the caret where it was.
void ToggleWordWrap(EditorView& view) {
  view.ApplyWordWrap(!view.Edit().IsWordWrap());
  view.modes.wordWrap = view.Edit().IsWordWrap();
  UpdateViews(view, UpdateHint::None);
}

void ToggleTabWidth(EditorView& view) {
  const bool toFour = view.modes.tabWidth == 8;
  const char* question = toFour ? "タブ幅を現在の 8 文字（既定）から\n 4 文字（半角）に設定します。"
                                : "タブ幅を現在の 4 文字から\n 既定の 8 文字（半角）に戻します。";
  if (view.Host().MessageBox(app_identity::kAppName, question, MsgButtons::OkCancel, MsgIcon::None) != MsgResult::Ok)
    return;
  view.modes.tabWidth = toFour ? 4 : 8;
  view.ApplyTabStops();
  view.Settings().WriteInt(setting::TextTabWidth, view.modes.tabWidth);
  view.redraw.colouring = true;
}

void ChangeColours(EditorView& view) {
  ColourDialog dialog(view.Settings());
  DialogData data = dialog.Build();
  if (!view.Host().RunDialog(data)) return;
  dialog.Read(data);
  dialog.Store();
  // Every view of the document takes the new colours.
  if (auto* doc = dynamic_cast<Document*>(&view.Doc())) {
    for (EditorView* v : doc->Views()) v->colours = dialog.scheme;
  } else {
    view.colours = dialog.scheme;
  }
  UpdateViews(view, UpdateHint::Colours);
}

}  // namespace display_commands

void RegisterDisplayCommands(CommandTable& t) {
  t.Add({.id = cmd::ChangeDisplayFont, .name = "change-display-font", .mainCaption = "フォントの変更",
         .run = display_commands::ChangeDisplayFont});
  t.Add({.id = cmd::ToggleWordWrap, .name = "toggle-word-wrap", .mainCaption = "ワードラップ(&W)",
         .run = display_commands::ToggleWordWrap, .checked = [](EditorView& v) { return v.modes.wordWrap; }});
  t.Add({.id = cmd::ToggleTabWidth, .name = "toggle-tab-width", .mainCaption = "タブ幅の変更 (&S)",
         .run = display_commands::ToggleTabWidth, .enabled = [](EditorView& v) { return !v.modes.table; }});
  t.Add({.id = cmd::ChangeColours, .name = "change-colours", .mainCaption = "色の設定",
         .run = display_commands::ChangeColours});
}
