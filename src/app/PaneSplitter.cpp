#include "app/PaneSplitter.h"

#include <algorithm>
#include <string>
#include <utility>

#include "document/CaretMemory.h"
#include "document/Document.h"
#include "document/ViewAttachment.h"
#include "editor/EditorView.h"
#include "print/PrintHost.h"

namespace {

constexpr int kMinPaneSize = 10;
constexpr int kRowSplitShortening = 5;      // pixels the upper pane is short of half
constexpr int kColumnSplitShortening = 18;  // pixels the left pane is short of half

std::vector<std::pair<const Document*, PaneSplitter*>>& Registry() {
  static std::vector<std::pair<const Document*, PaneSplitter*>> splitters;
  return splitters;
}

// The caret's position as the frame reads it: the selection end the caret
// stands at.
int CaretOf(EditorView& view) { return view.Edit().CaretPosition().second; }

}  // namespace

PaneSplitter::PaneSplitter(Document& doc, EditorView& first, ViewFactory factory)
    : doc_(doc), factory_(std::move(factory)), borrowed_(&first), panes_{&first}, lastActive_(&first) {
  Registry().emplace_back(&doc_, this);
  doc_.unsplit = [this] { Unsplit(); };
  doc_.saveCaretPosition = [this](EditorView&) { SaveCaretPosition(); };
}

PaneSplitter::~PaneSplitter() {
  doc_.unsplit = nullptr;
  doc_.saveCaretPosition = nullptr;
  auto& r = Registry();
  r.erase(std::remove(r.begin(), r.end(), std::make_pair(static_cast<const Document*>(&doc_), this)), r.end());
}

PaneSplitter* PaneSplitter::Of(const Document& doc) {
  for (const auto& [d, s] : Registry())
    if (d == &doc) return s;
  return nullptr;
}

// ---------------------------------------------------------------- panes

int PaneSplitter::HalfLines() const {
  const int h = std::max(1, Pane(0).LineHeight());
  return height_ / (2 * h);
}

void PaneSplitter::SendHint(int hint, EditorView* except) {
  const std::vector<EditorView*> panes = panes_;
  for (EditorView* v : panes)
    if (v != except) v->OnUpdate(static_cast<UpdateHint>(hint));
}

// The pane leaves the document's views at once; its view lives on until
// ReleaseRemovedPanes, as the command removing it may be running in it.
void PaneSplitter::RemovePane(int index) {
  EditorView* gone = panes_[static_cast<std::size_t>(index)];
  panes_.erase(panes_.begin() + index);
  doc_.RemoveView(gone);
  split_ = Split::None;
  active_ = 0;
  firstPaneSize_ = 0;
  if (lastActive_ == gone) lastActive_ = panes_.front();
  if (onPaneRemoved) onPaneRemoved(*gone);
  if (gone == borrowed_) {
    borrowed_ = nullptr;
  } else {
    auto it = std::find_if(owned_.begin(), owned_.end(), [gone](const auto& p) { return p.get() == gone; });
    if (it != owned_.end()) {
      removed_.push_back(std::move(*it));
      owned_.erase(it);
    }
  }
  ApplyGeometry();
}

// The new pane is set up for the document as the first one was (its file's
// modes, the directive line), then shows the same text in the same modes
// and starts with the same undo history as pane 0, of which it is a copy.
EditorView& PaneSplitter::AddPane(int firstPaneSize) {
  EditorView& first = Pane(0);
  owned_.push_back(factory_());
  EditorView& pane = *owned_.back();
  panes_.push_back(&pane);
  firstPaneSize_ = firstPaneSize;
  ApplyGeometry();
  // Laid out once, unwrapped, until the modes are known: a 1 MB text is
  // wrapped only when it is to be shown wrapped.
  pane.Edit().SetWordWrap(false);
  pane.Edit().SetText(first.Edit().Text());
  pane.OnInitialUpdate();
  pane.modes.table = first.modes.table;
  pane.modes.paneTable = first.modes.paneTable;
  pane.modes.editor = first.modes.editor;
  pane.modes.lineNumbers = first.modes.lineNumbers;
  pane.modes.tabWidth = first.modes.tabWidth;
  pane.ApplyTabStops();
  pane.modes.wordWrap = first.modes.wordWrap;
  pane.ApplyWordWrap(first.Edit().IsWordWrap());
  pane.modes.insert = first.modes.insert;
  pane.decimalPlaces = first.decimalPlaces;
  pane.History() = first.History();
  pane.Edit().LineScroll(0, -pane.Edit().FirstVisibleLine());
  if (onPaneAdded) onPaneAdded(pane);
  return pane;
}

void PaneSplitter::ReleaseRemovedPanes() { removed_.clear(); }

void PaneSplitter::ReleaseRemovedPane(EditorView* view) {
  removed_.erase(std::remove_if(removed_.begin(), removed_.end(), [view](const auto& p) { return p.get() == view; }),
                 removed_.end());
}

void PaneSplitter::LayoutChanged() {
  if (onLayoutChanged) onLayoutChanged();
}

// ---------------------------------------------------------------- geometry

Rect PaneSplitter::PaneRect(int index) const {
  const Rect all{0, 0, width_, height_};
  if (split_ == Split::None) return all;
  const int size = std::clamp(firstPaneSize_, kMinPaneSize,
                              std::max(kMinPaneSize, (split_ == Split::Rows ? height_ : width_) - kMinPaneSize));
  if (split_ == Split::Rows) return index == 0 ? Rect{0, 0, width_, size} : Rect{0, size, width_, height_};
  return index == 0 ? Rect{0, 0, size, height_} : Rect{size, 0, width_, height_};
}

void PaneSplitter::ApplyGeometry() {
  for (int i = 0; i < PaneCount(); ++i) {
    const Rect r = PaneRect(i);
    Pane(i).Edit().SetClientRect({0, 0, r.Width(), r.Height()});
  }
}

void PaneSplitter::SetClientSize(int width, int height) {
  width = std::max(0, width);
  height = std::max(0, height);
  if (width == width_ && height == height_) return;
  width_ = width;
  height_ = height;
  if (split_ == Split::Rows) firstPaneSize_ = std::max(kMinPaneSize, height_ / 2);
  if (split_ == Split::Columns) firstPaneSize_ = std::max(kMinPaneSize, width_ / 2);
  ApplyGeometry();
  SendHint(0);
  LayoutChanged();
}

// ---------------------------------------------------------------- the split commands

void PaneSplitter::ToggleRowSplit() {
  const int h = std::max(1, Pane(0).LineHeight());
  const int half = HalfLines();
  if (split_ == Split::Rows) {
    if (Pane(0).Edit().IsReadOnly()) {
      RemovePane(0);
      SendHint(static_cast<int>(UpdateHint::WordWrap));
    } else {
      if (active_ == 1) {
        Pane(1).Edit().LineScroll(0, -half);
        RemovePane(0);
      } else {
        RemovePane(1);
      }
      SendHint(0);
    }
    LayoutChanged();
    return;
  }
  if (split_ == Split::Columns) {
    RemovePane(!Pane(0).Edit().IsReadOnly() && active_ == 0 ? 1 : 0);
    SendHint(static_cast<int>(UpdateHint::WordWrap));
  }

  const bool modified = doc_.IsModified();
  const int pos = CaretOf(Active());
  EditorView& first = Pane(0);
  const int caretLine = first.Edit().LineFromChar(-1);
  splitLineCount_ = first.Edit().LineCount();

  split_ = Split::Rows;
  EditorView& lower = AddPane(half * h - kRowSplitShortening);
  SendHint(0, &lower);

  const int top = first.Edit().FirstVisibleLine();
  lower.Edit().LineScroll(0, top + half);
  active_ = 1;
  if (caretLine >= top + half) {
    lower.Edit().SetSel(pos, pos);
  } else {
    const int x = lower.Edit().LineIndex(top + half + 1);
    lower.Edit().SetSel(x, x);
    active_ = 0;
    first.Edit().SetSel(pos, pos);
  }
  lastActive_ = &Active();
  doc_.SetModifiedFlag(modified);
  LayoutChanged();
}

void PaneSplitter::ToggleColumnSplit() {
  const int half = HalfLines();
  if (split_ == Split::Columns) {
    RemovePane(!Pane(0).Edit().IsReadOnly() && active_ == 0 ? 1 : 0);
    SendHint(static_cast<int>(UpdateHint::WordWrap));
    LayoutChanged();
    return;
  }
  if (split_ == Split::Rows) {
    if (Pane(0).Edit().IsReadOnly()) {
      RemovePane(0);
    } else if (active_ == 1) {
      Pane(1).Edit().LineScroll(0, -half);
      RemovePane(0);
    } else {
      RemovePane(1);
    }
  }

  const bool modified = doc_.IsModified();
  const int pos = CaretOf(Active());
  SendHint(static_cast<int>(UpdateHint::SplitStarted));
  EditorView& left = Pane(0);
  splitLineCount_ = left.Edit().LineCount();

  split_ = Split::Columns;
  EditorView& right = AddPane(width_ / 2 - kColumnSplitShortening);
  SendHint(static_cast<int>(UpdateHint::SplitStarted));

  const int top = left.Edit().FirstVisibleLine();
  right.Edit().LineScroll(0, top);
  const int x = right.Edit().LineIndex(top);
  right.Edit().SetSel(x, x);

  active_ = 0;
  left.Edit().SetSel(pos, pos);
  lastActive_ = &Active();
  doc_.SetModifiedFlag(modified);
  LayoutChanged();
}

void PaneSplitter::Unsplit() {
  if (split_ == Split::Columns) ToggleColumnSplit();
  if (split_ == Split::Rows) ToggleRowSplit();
}

void PaneSplitter::SaveCaretPosition() {
  if (doc_.PathName().empty()) return;
  if (split_ != Split::None && active_ == 0 && Pane(0).Edit().IsReadOnly()) {
    ActivatePane(1);
    LayoutChanged();
    EditBuffer& edit = Active().Edit();
    const int top = edit.FirstVisibleLine();
    caret_memory::Save(Active().Settings(), doc_.PathName(), edit.LineIndex(top), top);
    return;
  }
  view_attachment::SaveCaretPosition(Active());
}

void PaneSplitter::ActivateOtherPane() {
  if (PaneCount() < 2) return;
  ActivatePane(1 - active_);
  LayoutChanged();  // the focus moves with it
}

void PaneSplitter::ActivatePane(int index) {
  if (index < 0 || index >= PaneCount()) return;
  active_ = index;
  SynchronisePanes();
}

// ---------------------------------------------------------------- keeping the panes alike

void PaneSplitter::SynchronisePanes() {
  if (print_host::InPreview() || split_ == Split::None || Pane(0).Edit().IsReadOnly()) return;
  EditorView& active = Active();
  if (&active == lastActive_) return;
  const bool wasModified = doc_.IsModified();
  // The document reads and writes its first view: the active pane.
  if (lastActive_) {
    doc_.RemoveView(lastActive_);
    doc_.AddView(lastActive_);
  }

  EditorView& p0 = Pane(0);
  EditorView& p1 = Pane(PaneCount() - 1);
  if (p0.Edit().Text() != p1.Edit().Text()) {
    EditorView& to = &active == &p1 ? p1 : p0;
    const EditorView& from = &to == &p1 ? p0 : p1;
    // The caret goes to the start of the first visible line of the new text
    // (an offset taken from the old text could land on another line).
    const int top = to.Edit().FirstVisibleLine();
    to.Edit().SetText(from.Edit().Text());
    to.Edit().LineScroll(0, top);
    const int start = to.Edit().LineIndex(to.Edit().FirstVisibleLine());
    to.Edit().SetSel(start, start);
    to.Edit().ScrollCaret();
  }
  if (!wasModified) doc_.SetModifiedFlag(false);
  lastActive_ = &active;
}

// The other pane follows the active one in table mode (the active pane's
// own choice when the user switched it there), word wrap (never in table
// mode) and tab width.
void PaneSplitter::AlignOtherPane(EditorView& active, EditorView& other) {
  bool modeChanged = false;
  if (active.modes.table != other.modes.table) {
    active.modes.table = other.modes.table = active.modes.paneTable;
    active.modes.lineNumbers = other.modes.lineNumbers = active.modes.paneTable ? LineNumberMode::Physical : LineNumberMode::Off;
    active.modes.paneTable = true;
    modeChanged = true;
  }
  if (active.modes.wordWrap != other.modes.wordWrap || modeChanged) {
    other.modes.wordWrap = active.modes.wordWrap;
    const bool wrap = !active.modes.table && active.modes.wordWrap;
    active.ApplyWordWrap(wrap);
    other.ApplyWordWrap(wrap);
    other.redraw.colouring = other.redraw.lineNumbers = true;
  }
  if (active.modes.tabWidth != other.modes.tabWidth) {
    other.modes.tabWidth = active.modes.tabWidth;
    other.ApplyTabStops();
    other.redraw.colouring = other.redraw.lineNumbers = true;
  }
  if (modeChanged) other.OnUpdate(UpdateHint::None);  // margin and gutter of the new line-number mode
}

void PaneSplitter::OnIdle(bool mouseAtRest) {
  EditorView& active = Active();
  if (PaneCount() == 2) {
    EditorView& other = Pane(1 - active_);
    other.modes.insert = active.modes.insert;
    if (!other.Edit().IsReadOnly()) {
      if (mouseAtRest) AlignOtherPane(active, other);
      UndoHistory::Equalise(active.History(), other.History());
    }
  }
  active.OnIdle(mouseAtRest);
}
