// DialogData: a modal dialog as plain data.
//
// A command fills one of these with the dialog's caption and controls and
// their initial values, hands it to the UI host and reads the values back when
// the host answers OK. The window builds a real dialog from it (each widget's
// objectName is its control id); the batch runner sets controls by id or by
// name. The data says which controls share a line, never how they are drawn.
//
// Ids and names: a control that takes a value has an id, unique in its
// dialog, and a name ("to-row"), lower-case words joined by '-' and unique in
// its dialog; static texts have neither. The same id may mean different
// things in different dialogs (1117 is "to-row" in the sort dialog and
// "columns" in the table creation dialog); names say which. Scripts store
// both, so neither changes.
//
// Control values: an edit field holds `text`; a check box or radio button holds
// `value` 0/1; a list or combo box holds the selected item index in `value`.
// Radio buttons with the same `group` exclude each other. A colour button
// holds its colour (0x00BBGGRR) in `value`; pressing it opens the colour
// chooser, which starts from that colour and the dialog's custom colours. A
// push button acts at once through the dialog's `onButton`, which may change
// any control's value while the dialog is open.
//
// Layout: controls go top to bottom, one line each, unless a control says it
// continues the line of the control before it (`sameLine`). A dialog's text is
// cut into fragments around its fields, so a line of fields and labels reads
// as one sentence; the label of an edit field, list or combo box goes before
// the field, or after it with `labelAfter` ("[5] 行 ×").
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "text/Csv.h"
#include "text/FileEncoding.h"

struct DialogControl {
  enum class Kind { Label, Edit, Check, Radio, List, Combo, Button, ColourButton };
  int id = 0;
  Kind kind = Kind::Label;
  std::string label;  // UTF-8
  std::string text;   // UTF-8, edit fields
  int value = 0;
  std::vector<std::string> items;  // lists and combo boxes
  int group = 0;
  bool integerOnly = false;  // edit field that must hold an integer
  bool sameLine = false;     // on the line of the control before it
  bool labelAfter = false;   // the label follows the field
  std::string name;          // what a script may call the control; "" for static texts

  // Settings on a control just made, its name and its layout:
  //   MakeIntegerEdit(kRowsId, "行 ×", rows).Named("rows").LabelAfter()
  DialogControl Named(std::string controlName) && {
    name = std::move(controlName);
    return std::move(*this);
  }
  DialogControl SameLine() && {
    sameLine = true;
    return std::move(*this);
  }
  DialogControl LabelAfter() && {
    labelAfter = true;
    return std::move(*this);
  }
};

// The controls as the dialogs build them. A static text has no id of its own.
DialogControl MakeLabel(std::string label);
DialogControl MakeEdit(int id, std::string label, std::string text, bool integerOnly = false);
// An integer-only edit field showing `value`.
DialogControl MakeIntegerEdit(int id, std::string label, int value);
DialogControl MakeCheck(int id, std::string label, bool checked);
DialogControl MakeRadio(int id, std::string label, int group, bool selected);
// A drop-down list opened on item `value` (off the list: no item selected).
DialogControl MakeCombo(int id, std::string label, std::vector<std::string> items, int value);

// A push button that acts at once, and a button showing a colour.
DialogControl MakeButton(int id, std::string label);
DialogControl MakeColourButton(int id, std::string label, std::uint32_t colour);

// An integer typed into an edit field: blanks around it and a sign before the
// digits are allowed; false for anything else or a number out of range.
bool ParseDialogInteger(const std::string& text, int& value);

struct DialogData {
  int templateId = 0;
  std::string caption;  // UTF-8
  std::string okLabel = "OK";
  std::string cancelLabel = "キャンセル";
  std::vector<DialogControl> controls;
  // What a push button does, given its id; empty when the dialog has none.
  std::function<void(DialogData&, int id)> onButton;
  // The colour chooser's sixteen custom colours (0x00BBGGRR), when the
  // dialog has colour buttons; the chooser gives back the ones it saved.
  std::vector<std::uint32_t> customColours;

  DialogControl* Find(int id) {
    for (auto& c : controls)
      if (c.id == id) return &c;
    return nullptr;
  }
  const DialogControl* Find(int id) const { return const_cast<DialogData*>(this)->Find(id); }
  // The control of that name, or nullptr ("" names none).
  const DialogControl* FindByName(std::string_view name) const {
    if (name.empty()) return nullptr;
    for (const auto& c : controls)
      if (c.name == name) return &c;
    return nullptr;
  }
  int Value(int id) const {
    const DialogControl* c = Find(id);
    return c ? c->value : 0;
  }
  std::string Text(int id) const {
    const DialogControl* c = Find(id);
    return c ? c->text : std::string();
  }
  // Sets a control from its textual form (batch runner): index or 0/1 for
  // lists and buttons, the text itself for edit fields. Selecting a radio
  // button clears the others of its group. A colour button takes "#RRGGBB"
  // (as the chooser would answer), a push button "click" (it acts at once).
  // False when there is no such control or the value does not fit it.
  bool Set(int id, const std::string& value);
};

// The open and save-as dialogs.
struct FileDialogData {
  bool save = false;
  std::string title;        // UTF-8
  std::string filter;       // "Name|pattern;pattern|Name|pattern||"
  std::string defaultExt;   // without the dot
  std::string initialPath;  // UTF-8 file system path
  std::string path;         // the answer
  // Save dialogs may offer the file's encoding. `encoding` is offered for
  // most names and `defaultExtEncoding` for names with the default
  // extension; when the user picks one, `encoding` holds it and
  // encodingChosen is set.
  bool offerEncoding = false;
  file_encoding::Encoding encoding = file_encoding::Encoding::Cp932;
  file_encoding::Encoding defaultExtEncoding = file_encoding::Encoding::Cp932;
  bool encodingChosen = false;
  // Save dialogs may offer the file's format likewise: `format` is offered
  // and holds the user's pick, formatChosen set.
  bool offerFormat = false;
  csv::FileFormat format = csv::FileFormat::Text;
  bool formatChosen = false;
};
