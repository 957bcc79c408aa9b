// EditorView's input: keys, characters, the input method and the mouse, in
// the order the control receives them, and the idle pass between inputs.
// The window, the batch runner and the tests all type through PressKey,
// TypeKeys and OnImeCommit, so which keys also type a character is decided here.
#include <algorithm>
#include <string>

#include "editor/CommandTable.h"
#include "editor/EditorView.h"
#include "editor/Navigation.h"
#include "text/Cp932.h"

namespace {

// Virtual-key codes after which the caret's x is remembered: those the CP932
// locale's isalpha accepts (letters and half-width katakana codes), and
// Backspace, Tab, Enter, Left, Right, Home and End.
bool MovesCaretColumn(int key) {
  if ((key >= 0x41 && key <= 0x5A) || (key >= 0x61 && key <= 0x7A) || (key >= 0xA1 && key <= 0xDF)) return true;
  return key == key::Back || key == key::Tab || key == key::Return || key == key::Left || key == key::Right ||
         key == key::Home || key == key::End;
}

}  // namespace

void EditorView::OnEditChange() {
  if (history_.autoSnapshot && RefuseOversizedText()) return;
  const bool erasing = IsKeyDown(key::Back) || IsKeyDown(key::Delete);
  if (!history_.RecordsChange(edit_, erasing)) return;
  NormaliseLineEndsOfChange();
  history_.Push(edit_);
  doc_.SetModifiedFlag(true);
}

bool EditorView::OnKeyDown(int key, bool ctrl, bool shift, bool alt) {
  keysDown_.insert(key);
  if (const int id = commands_.CommandForKey(key, ctrl, shift, alt)) {
    Execute(id);
    return true;
  }
  using M = EditBuffer::Move;
  switch (key) {
    case key::Left: edit_.MoveCaret(M::Left, shift); break;
    case key::Right: edit_.MoveCaret(M::Right, shift); break;
    case key::Up: edit_.MoveCaret(M::Up, shift); break;
    case key::Down: edit_.MoveCaret(M::Down, shift); break;
    case key::Home: edit_.MoveCaret(ctrl ? M::TextStart : M::Home, shift); break;
    case key::End: edit_.MoveCaret(ctrl ? M::TextEnd : M::End, shift); break;
    case key::PageUp: edit_.MoveCaret(M::PageUp, shift); break;
    case key::PageDown: edit_.MoveCaret(M::PageDown, shift); break;
    case key::Delete: edit_.DeleteChar(); break;
    case key::Insert:
      if (!ctrl && !shift && !alt) modes.insert = !modes.insert;
      break;
    default: break;
  }
  fixedBlock_.fixed = false;
  return false;
}

void EditorView::OnChar(std::string_view ch) {
  if (ch.empty()) return;
  fixedBlock_.fixed = false;
  const unsigned char first = static_cast<unsigned char>(ch[0]);
  if (ch == "\b") {
    edit_.Backspace();
    return;
  }
  if (ch == "\r" || ch == "\n") {
    TypeOrBeep("\r\n");
    return;
  }
  if (first < 0x20 && ch != "\t") return;  // other control characters are not text
  if (!modes.insert && ch != "\t" && !edit_.IsReadOnly()) {
    // Overwrite: the typed character takes the place of the one at the caret,
    // never of a line break.
    const int pos = edit_.CaretPosition().second;
    if (pos < edit_.GetTextLength() && edit_.At(pos) != '\r' && edit_.At(pos) != '\n') {
      const std::string_view character = edit_.Slice(pos, std::min(pos + 2, edit_.GetTextLength()));
      edit_.SetSel(pos, pos + static_cast<int>(cp932::CharLen(character, 0)));
      edit_.ScrollCaret();
      edit_.ReplaceSel("");
    }
  }
  TypeOrBeep(ch);
}

// Typing that would pass the size limit is refused by the control; the beep
// tells the user why nothing appeared.
void EditorView::TypeOrBeep(std::string_view cp932Text) {
  if (!edit_.TypeText(cp932Text) && !edit_.IsReadOnly()) host_.Beep();
}

// The release runs the view's own steps (the overwrite after an input-method
// commit, the caret column), then the handlers the subsystems registered.
void EditorView::OnKeyUp(int key) {
  keysDown_.erase(key);
  OverwriteAfterImeCommit(key);
  RememberCaretColumn(key);
  for (const auto& handler : commands_.KeyReleaseHandlers()) handler(*this, key);
}

bool EditorView::PressKey(int key, bool ctrl, bool shift, bool alt, std::string_view text) {
  if (key != 0 && OnKeyDown(key, ctrl, shift, alt)) return true;
  if (ctrl || alt) return false;  // Ctrl and Alt change a key into no text
  std::string_view typed = key == key::Return ? "\r" : key == key::Back ? "\b" : key == key::Tab ? "\t" : text;
  if (typed.empty()) return false;
  if (modes.insert || typed.size() == 1) {
    OnChar(typed);  // a whole string is one change
  } else {
    for (std::size_t p = 0; p < typed.size(); p = cp932::Next(typed, p))
      OnChar(typed.substr(p, cp932::CharLen(typed, p)));  // overwriting replaces one character per character
  }
  edit_.ScrollCaret();  // the control keeps the typing caret in view
  return false;
}

int EditorView::KeyOfCharacter(std::string_view ch) {
  if (ch == "\r" || ch == "\n") return key::Return;
  if (ch == "\t") return key::Tab;
  if (ch == "\b") return key::Back;
  if (ch.size() != 1) return 0;
  const char c = ch[0];
  if (c >= 'a' && c <= 'z') return c - 'a' + 'A';
  if ((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) return c;
  return 0;
}

void EditorView::TypeKeys(std::string_view cp932Text) {
  for (std::size_t p = 0; p < cp932Text.size();) {
    const std::size_t len = cp932::CharLen(cp932Text, p);
    const std::string_view ch = cp932Text.substr(p, len);
    p += len;
    const int key = KeyOfCharacter(ch);
    PressKey(key, false, false, false, ch);
    OnKeyUp(key);
  }
}

// The method is open while its text arrives, so nothing is overwritten then;
// the committing Enter's release makes the text take the place of what
// followed it.
void EditorView::OnImeCommit(std::string_view cp932Text) {
  if (cp932Text.empty()) return;
  if (modes.insert) {
    OnChar(cp932Text);
  } else {
    const bool wasOpen = ime.open;
    ime.open = true;
    ime.startPos = edit_.CaretPosition().second;
    modes.insert = true;
    OnChar(cp932Text);
    modes.insert = false;
    OverwriteAfterImeCommit(key::Return);
    ime.open = wasOpen;
  }
  edit_.ScrollCaret();
}

void EditorView::OnMousePress(int x, int y, bool shift) {
  fixedBlock_.fixed = false;
  mouseDown_ = true;
  edit_.MoveCaretToPoint(x, y, shift);
}

void EditorView::OnMouseMove(int x, int y) {
  if (mouseDown_) edit_.MoveCaretToPoint(x, y, true);
}

void EditorView::OnMouseRelease() {
  mouseDown_ = false;
  if (modes.keepCaretColumn) caretColumnX = std::max(0, edit_.CaretPoint().x);
  if (!edit_.IsReadOnly()) redraw.imeMark = true;
  if (modes.table) ComputeCellRange();
}

void EditorView::OnDoubleClick() { navigation::SelectWord(*this); }

void EditorView::OnIdle(bool mouseAtRest) {
  if (mouseAtRest) history_.TrackSelection(edit_);
  // Numbers switched off give the margin back; a gutter whose largest number
  // got a digit more or less is sized again.
  if (modes.lineNumbers == LineNumberMode::Off && leftMargin != 10) {
    OnUpdate(UpdateHint::None);
  } else if (modes.lineNumbers != LineNumberMode::Off && static_cast<int>(GutterLabel().size()) != gutterLabelLength) {
    OnUpdate(UpdateHint::None);
  }
}

void EditorView::OverwriteAfterImeCommit(int key) {
  if (modes.insert) return;
  EditBuffer& edit = edit_;
  const std::string_view text = edit.Text();
  const int pos = edit.CaretPosition().second;
  if (pos < 0 || pos >= edit.GetTextLength() || !ime.open || key != key::Return) return;
  const auto p = static_cast<std::size_t>(pos);
  if (p == 0 || text[p - 1] == '\n' || text[p] == '\r') return;
  // The committed text lies between the recorded start and the caret, on
  // the caret's line; a start that is not there was not recorded for it.
  const int committed = pos - ime.startPos;
  if (committed <= 0 || ime.startPos < edit.LogicalLineStart(edit.LogicalLineFromChar(pos))) return;
  // The caret's line ends at the CR before the next LF (or at that LF when
  // it stands alone), or at the end of the text.
  std::size_t lineEnd = text.size();
  const std::size_t lf = cp932::Find(text, '\n', p);
  if (lf != cp932::npos) lineEnd = (lf > p && text[lf - 1] == '\r') ? lf - 1 : lf;
  const std::size_t target = std::min(p + static_cast<std::size_t>(committed), lineEnd);
  // A double-byte character that the count reaches into goes whole.
  std::size_t end = p;
  while (end < target) end = cp932::Next(text, end);
  edit.SetSel(pos, static_cast<int>(end));
  edit.ScrollCaret();
  edit.ReplaceSel("");
}

void EditorView::RememberCaretColumn(int key) {
  if (!modes.keepCaretColumn) return;
  if (MovesCaretColumn(key)) caretColumnX = edit_.CaretPoint().x;
  if (caretColumnX < 0) caretColumnX = 0;
}
