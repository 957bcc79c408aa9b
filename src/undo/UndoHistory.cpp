// UndoHistory keeps only what the view needs on top of SnapshotStore: the
// positions current_ and top_, the saved mark and the rules that decide when
// to push. The store holds snapshots 0..top_ (its Size() is top_ + 1).
#include "undo/UndoHistory.h"

#include <algorithm>
#include <functional>
#include <string>
#include <string_view>
#include <tuple>

#include "buffer/EditBuffer.h"
#include "undo/SnapshotStore.h"

namespace {

// True when `text` is `before` with the bytes [start, end) taken out.
bool IsWithoutBlock(std::string_view text, const ChunkedText& before, int start, int end) {
  if (start < 0 || end < start || static_cast<std::size_t>(end) > before.Size()) return false;
  const auto s = static_cast<std::size_t>(start), e = static_cast<std::size_t>(end);
  return text.size() == before.Size() - (e - s) && before.HoldsAt(0, text.substr(0, s)) &&
         before.HoldsAt(e, text.substr(s));
}

// Holds back the buffer's change notification while it lives.
class NotificationPause {
 public:
  explicit NotificationPause(EditBuffer& buffer) : buffer_(buffer), notify_(std::move(buffer.onChange)) {
    buffer_.onChange = nullptr;
  }
  ~NotificationPause() { buffer_.onChange = std::move(notify_); }
  NotificationPause(const NotificationPause&) = delete;
  NotificationPause& operator=(const NotificationPause&) = delete;

 private:
  EditBuffer& buffer_;
  std::function<void()> notify_;
};

SnapshotView ViewOf(const EditBuffer& buffer) {
  const auto [s, e] = buffer.GetSel();
  return {buffer.FirstVisibleLine(), s, e};
}

}  // namespace

UndoHistory::UndoHistory() : store_(std::make_shared<SnapshotStore>()) {}
UndoHistory::~UndoHistory() = default;
UndoHistory::UndoHistory(const UndoHistory&) = default;
UndoHistory& UndoHistory::operator=(const UndoHistory&) = default;

void UndoHistory::Restart(const EditBuffer& buffer) {
  const auto [s, e] = buffer.GetSel();
  store_ = std::make_shared<SnapshotStore>(buffer.Text(), SnapshotView{0, s, e});
  current_ = 0;
  top_ = 0;
  saved_ = 0;
  autoSnapshot = true;
  MarkCurrent(buffer);
}

void UndoHistory::MarkCurrent(const EditBuffer& buffer) const {
  buffer.MarkUnchanged();
  markedBuffer_ = &buffer;
  markedRevision_ = buffer.TextRevision();
}

void UndoHistory::MakeUnique() {
  if (store_.use_count() == 1) return;
  auto own = std::make_shared<SnapshotStore>(*store_);
  // The pane that changes its history is the one the user works in; its next
  // step starts from the text just shown, so the cache goes with it.
  own->TakeCacheFrom(*store_);
  store_ = std::move(own);
}

void UndoHistory::Push(const EditBuffer& buffer) {
  MakeUnique();
  if (current_ == kCapacity - 1) {
    // Full: forget the oldest snapshot so that recording goes on.
    store_->DropOldest();
    --current_;
    --top_;
    if (saved_ != kNotSaved) --saved_;  // snapshot 0 carrying it leaves kNotSaved
  }
  ++current_;
  if (saved_ == current_) saved_ = kNotSaved;
  if (current_ > top_) top_ = current_;
  // Only the bytes between the ends no edit has touched since the mark are
  // handed over and compared.
  const EditBuffer::UnchangedEnds ends = markedBuffer_ == &buffer ? buffer.UnchangedSinceMark() : EditBuffer::UnchangedEnds{};
  const auto size = static_cast<std::size_t>(buffer.GetTextLength());
  const std::size_t shorter = std::min(size, store_->TextChunks(current_ - 1).Size());
  const std::size_t prefix = std::min(static_cast<std::size_t>(ends.prefix), shorter);
  const std::size_t suffix = std::min(static_cast<std::size_t>(ends.suffix), shorter - prefix);
  const std::string_view changed = buffer.Slice(static_cast<int>(prefix), static_cast<int>(size - suffix));
  store_->PutChange(current_, prefix, suffix, changed, ViewOf(buffer));
  MarkCurrent(buffer);
}

void UndoHistory::RecordSelection(const EditBuffer& buffer) {
  SnapshotView view = store_->View(current_);
  std::tie(view.selStart, view.selEnd) = buffer.GetSel();
  if (view == store_->View(current_)) return;
  MakeUnique();
  store_->SetView(current_, view);
}

bool UndoHistory::RecordsChange(const EditBuffer& buffer, bool backspaceOrDeleteDown) const {
  const auto [s, e] = buffer.GetSel();
  const SnapshotView stored = store_->View(current_);
  // The change removed the block the current snapshot records, without
  // Backspace or Delete: a Cut, which pushes its own snapshot. Only a text
  // that is the snapshot without that block is one: typing that merely leaves
  // the caret where the block started is a change like any other, and must
  // not go unrecorded.
  if (e == stored.selStart && stored.selStart < stored.selEnd && !backspaceOrDeleteDown &&
      IsWithoutBlock(buffer.Text(), store_->TextChunks(current_), stored.selStart, stored.selEnd))
    return false;
  return autoSnapshot;
}

bool UndoHistory::OnChange(const EditBuffer& buffer, bool backspaceOrDeleteDown) {
  if (!RecordsChange(buffer, backspaceOrDeleteDown)) return false;
  Push(buffer);
  return true;
}

bool UndoHistory::Undo(EditBuffer& buffer) {
  if (current_ == 0) return false;
  RecordSelection(buffer);
  --current_;
  Restore(buffer, current_ + 1);
  return true;
}

bool UndoHistory::Redo(EditBuffer& buffer) {
  if (current_ >= top_) return false;
  ++current_;
  Restore(buffer, current_ - 1);
  return true;
}

void UndoHistory::Restore(EditBuffer& buffer, std::uint32_t from) const {
  const SnapshotView view = store_->View(current_);
  if (RestoreChangedSpan(buffer, from)) {
    // As SetText leaves the view: scrolled to the top left.
    buffer.SetHorizontalScroll(0);
    buffer.LineScroll(0, view.firstVisibleLine - buffer.FirstVisibleLine());
  } else {
    buffer.SetText(store_->Text(current_));
    buffer.LineScroll(0, view.firstVisibleLine);
  }
  buffer.SetSel(view.selStart, view.selEnd);
  buffer.ScrollCaret();
  MarkCurrent(buffer);
}

bool UndoHistory::RestoreChangedSpan(EditBuffer& buffer, std::uint32_t from) const {
  if (markedBuffer_ != &buffer || buffer.TextRevision() != markedRevision_) return false;
  const SnapshotStore::SharedEnds ends = store_->SharedEndsBetween(from, current_);
  const ChunkedText& target = store_->TextChunks(current_);
  const auto size = static_cast<std::size_t>(buffer.GetTextLength());
  const std::size_t prefix = ends.prefix;
  std::size_t suffix = ends.suffix;
  // A change of most of the text is put in whole: an edit that long costs
  // more than reading it in.
  if (std::max(size, target.Size()) - prefix - suffix > target.Size() / 2 + 4096) return false;
  if (size == target.Size() && prefix + suffix == size) return true;  // the same text

  // The span must start and end on character boundaries of the buffer's
  // text. Its start moves back to the character's lead byte (the bytes
  // before the span are the same in both texts); an end inside a character
  // moves past its trail byte.
  buffer.SetSel(static_cast<int>(prefix), static_cast<int>(size - suffix));
  auto [start, end] = buffer.GetSel();
  if (static_cast<std::size_t>(end) != size - suffix) {
    --suffix;
    buffer.SetSel(start, static_cast<int>(size - suffix));
    if (static_cast<std::size_t>(buffer.GetSel().second) != size - suffix) return false;
  }
  std::string bytes;
  target.AppendRange(bytes, static_cast<std::size_t>(start), target.Size() - suffix);
  // The history puts back a text it holds: no change of the user's to record.
  const NotificationPause pause(buffer);
  buffer.ReplaceSel(bytes);
  return true;
}

void UndoHistory::MarkSaved() { saved_ = current_; }

bool UndoHistory::CurrentIsSaved() const { return saved_ == current_; }

void UndoHistory::TrackSelection(const EditBuffer& buffer) {
  const SnapshotView view = ViewOf(buffer);
  if (view.selStart >= view.selEnd || view == store_->View(current_)) return;
  MakeUnique();
  store_->SetView(current_, view);
}

void UndoHistory::Equalise(UndoHistory& active, UndoHistory& other) {
  // Runs on every idle pass: when the two already share everything, there is
  // nothing to copy, and a copy only shares the store anyway.
  if (active.store_ == other.store_ && active.current_ == other.current_ && active.top_ == other.top_ &&
      active.saved_ == other.saved_ && active.autoSnapshot == other.autoSnapshot) {
    return;
  }
  if (other.top_ > active.top_) {
    active = other;
  } else {
    other = active;
  }
}

std::string UndoHistory::TextAt(std::uint32_t i) const { return store_->Text(i); }

std::string UndoHistory::CurrentText() const { return store_->Text(current_); }

int UndoHistory::FirstVisibleLineAt(std::uint32_t i) const { return store_->View(i).firstVisibleLine; }

std::pair<int, int> UndoHistory::SelectionAt(std::uint32_t i) const {
  const SnapshotView view = store_->View(i);
  return {view.selStart, view.selEnd};
}

bool UndoHistory::SavedMarkAt(std::uint32_t i) const { return saved_ == i; }

std::size_t UndoHistory::MemoryBytes() const { return store_->MemoryBytes(); }
