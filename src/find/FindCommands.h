// FindCommands: searching and replacing through the find and replace bars.
//
// The bars' buttons, lists and check boxes are commands (editor/CommandIds.h)
// that act on the view's SearchBars (find/SearchBars.h). A search starts
// from the selection: forward from its start (after it when it already holds
// the match), backward from before its start; it selects the match, or beeps
// and puts the caret at the far end of the text so that the next search
// starts over from the other end. Searches step over double-byte characters,
// so a trail byte never starts a match, and letter case is folded only for
// single-byte ASCII letters.
#pragma once

#include <string>

class CommandTable;
class EditorView;

namespace find {

void RegisterFindCommands(CommandTable& table);

// The bar's command behind each control; each function is the whole command.
void OpenOrCloseFindBar(EditorView& view);     // 32840
void OpenOrCloseReplaceBar(EditorView& view);  // 32841
void FindNext(EditorView& view);               // 32844
void FindPrevious(EditorView& view);           // 32845
void Replace(EditorView& view);                // 32849
void ReplaceAll(EditorView& view);             // 32850
void RecordPosition(EditorView& view);         // 32851
void ReturnToStart(EditorView& view);          // 32846
void Repeat(EditorView& view);                 // 32852
void RepeatLastSearch(EditorView& view);       // F3

// A button of a shown bar: its command as the menu runs it, except that the
// buttons that close or switch the bar (32840, 32841) act even when the text
// has become empty.
void PressBarButton(EditorView& view, int id);

// Esc or the close box of the shown bar: the bar is hidden; its histories are
// saved when the next open/close command forgets it.
void CloseShownBar(EditorView& view);

// Saves the histories of the bars and forgets them (the window closing).
void ForgetBars(EditorView& view);

// Sets a control of the shown bar as the user would: the edit field of a
// list (32842, 32843; CP932 text) or a check box (32847, 32848, 32853; "0" or
// "1", which toggles the box's flag when it differs). False, with why, when
// no bar is shown or the shown bar has no such control or the value does not fit.
bool SetBarControl(EditorView& view, int control, const std::string& value, std::string& why);

}  // namespace find
