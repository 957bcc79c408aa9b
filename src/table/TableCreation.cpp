#include "table/TableCreation.h"

#include <algorithm>
#include <string>

#include "dialogs/TableCreationDialog.h"
#include "editor/EditorView.h"
#include "editor/TextRewrite.h"
#include "settings/AppIdentity.h"
#include "text/Cp932.h"

namespace table_creation {

namespace {

std::size_t DecimalDigits(long long n) {
  std::size_t digits = n < 0 ? 2 : 1;
  for (n = n < 0 ? -n : n; n >= 10; n /= 10) ++digits;
  return digits;
}

// Wide: a column count of INT_MAX with a numbering column is one label more.
long long HeaderLabels(const TableCreationDialog& c) {
  return static_cast<long long>(c.columns) + (c.numbering == 1 || c.numbering == 2 ? 1 : 0);
}

long long FirstLineNumber(const TableCreationDialog& c, int caretRow) {
  return static_cast<long long>(caretRow) + 3 + (c.headerRow ? 1 : 0);
}

}  // namespace

std::size_t TableTextLength(const TableCreationDialog& c, int caretRow, std::size_t cap) {
  std::size_t length = 4;
  if (c.headerRow) {
    for (long long i = 1; i <= HeaderLabels(c) && length <= cap; ++i) length += 1 + DecimalDigits(i) + 1;
    length += 2;
  }
  const std::size_t tabs = c.columns > 0 ? static_cast<std::size_t>(c.columns) : 0;
  const long long first = FirstLineNumber(c, caretRow);
  for (long long b = 0; b < c.rows && length <= cap; ++b) {
    if (c.numbering == 1) length += DecimalDigits(b + 1) + 1;
    if (c.numbering == 2) length += DecimalDigits(first + b) + 1;
    length += tabs + 2;
  }
  return length;
}

std::string BuildTableText(const TableCreationDialog& c, int caretRow) {
  std::string t;
  t.reserve(TableTextLength(c, caretRow));
  t += "\r\n\r\n";
  if (c.headerRow) {
    for (long long i = 1; i <= HeaderLabels(c); ++i) {
      t += 'R';
      t += std::to_string(i);
      t += '\t';
    }
    t += "\r\n";
  }
  const long long first = FirstLineNumber(c, caretRow);
  for (long long b = 0; b < c.rows; ++b) {
    if (c.numbering == 1) t += std::to_string(b + 1) + '\t';
    if (c.numbering == 2) t += std::to_string(first + b) + '\t';
    if (c.columns > 0) t.append(static_cast<std::size_t>(c.columns), '\t');
    t += "\r\n";
  }
  return t;
}

void CreateTable(EditorView& view) {
  TableCreationDialog choice;
  choice.Load(view.Settings());
  DialogData dialog = choice.Build();
  if (!view.Host().RunDialog(dialog) || !choice.Read(dialog)) return;

  const EditBuffer& edit = view.Edit();
  const int pos = edit.GetSel().second;
  const std::string_view text = edit.Text();
  const int caretRow = static_cast<int>(cp932::Count(text.substr(0, static_cast<std::size_t>(pos)), "\r"));

  // The grid goes in front of the line break that ends the caret's line.
  std::size_t insertAt = text.find_first_of("\r\n", static_cast<std::size_t>(pos));
  if (insertAt == std::string_view::npos) insertAt = text.size();

  // A grid that cannot fit into the text is refused before it is built, so a
  // mistyped row count cannot exhaust memory; the message is the one every
  // change past the size limit gives.
  const std::size_t room = static_cast<std::size_t>(edit.LimitText()) - std::min(text.size(), static_cast<std::size_t>(edit.LimitText()));
  if (TableTextLength(choice, caretRow, room) > room) {
    view.Host().MessageBox(app_identity::kAppName, view.TextTooLongMessage(), MsgButtons::Ok,
                           MsgIcon::Exclamation);
    return;
  }
  const std::string grid = BuildTableText(choice, caretRow);
  // Typed into the control: the change notification records the undo step.
  TextRewrite::TypeAsUser(view, static_cast<int>(insertAt), static_cast<int>(insertAt), grid);
  choice.Save(view.Settings());
}

}  // namespace table_creation
