#include "undo/UndoHistory.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "buffer/EditBuffer.h"

namespace {

// A pane as the view wires it: the buffer's change notification goes through
// the history's rule with the key state of the moment.
struct Pane {
  EditBuffer buffer;
  UndoHistory history;
  bool backspaceOrDeleteDown = false;
  int pushesByNotification = 0;

  explicit Pane(std::string_view text) {
    buffer.SetText(text);
    history.Restart(buffer);
    buffer.onChange = [this] { pushesByNotification += history.OnChange(buffer, backspaceOrDeleteDown); };
  }
  void Type(std::string_view s) { buffer.TypeText(s); }
  void PressDelete() {
    backspaceOrDeleteDown = true;
    buffer.DeleteChar();
    backspaceOrDeleteDown = false;
  }
  void PressBackspace() {
    backspaceOrDeleteDown = true;
    buffer.Backspace();
    backspaceOrDeleteDown = false;
  }
  // A text command: capture off, change, capture on, one push.
  void Command(std::string_view newText, int caret) {
    history.autoSnapshot = false;
    buffer.SetText(newText);
    buffer.SetSel(caret, caret);
    history.autoSnapshot = true;
    history.Push(buffer);
  }
};

std::string Lines(int n) {
  std::string s;
  for (int i = 0; i < n; ++i) s += "line " + std::to_string(i) + " \x95\x5C\r\n";
  return s;
}

TEST(UndoHistory, ThreeTypedLettersThreeUndos) {
  Pane p("");
  p.Type("a");
  p.Type("b");
  p.Type("c");
  EXPECT_EQ(p.pushesByNotification, 3);
  EXPECT_EQ(p.history.Top(), 3u);
  const char* expected[] = {"ab", "a", ""};
  for (const char* text : expected) {
    ASSERT_TRUE(p.history.Undo(p.buffer));
    EXPECT_EQ(p.buffer.Text(), text);
    const int len = static_cast<int>(std::string(text).size());
    EXPECT_EQ(p.buffer.GetSel(), std::make_pair(len, len));  // the caret where it was
  }
  EXPECT_FALSE(p.history.CanUndo());
  EXPECT_FALSE(p.history.Undo(p.buffer));
  EXPECT_EQ(p.history.Current(), 0u);
}

struct RemovalCase {
  const char* name;
  bool idlePassFirst;    // the mouse rested after the selection was made
  enum { Cut, Delete, Backspace, TypeOver } action;
  std::uint32_t snapshots;  // new snapshots the removal makes
  std::pair<int, int> selAfterUndoingAll;
};

// The selection the idle pass records lets the rule tell a Cut (which pushes
// by itself) from a Delete or Backspace (keys down) and from typing over.
TEST(UndoHistory, RemovingASelectedBlock) {
  const RemovalCase cases[] = {
      {"cut after idle pass", true, RemovalCase::Cut, 1, {6, 8}},
      // Snapshot 0 still records the caret of the opened text.
      {"cut without idle pass", false, RemovalCase::Cut, 2, {0, 0}},
      {"delete key", true, RemovalCase::Delete, 1, {6, 8}},
      {"backspace key", true, RemovalCase::Backspace, 1, {6, 8}},
      {"typing over the block", true, RemovalCase::TypeOver, 1, {6, 8}},
  };
  for (const RemovalCase& c : cases) {
    SCOPED_TRACE(c.name);
    Pane p("hello \x95\x5C world");
    p.buffer.SetSel(6, 8);  // 表
    if (c.idlePassFirst) p.history.TrackSelection(p.buffer);
    MemoryClipboard clip;
    switch (c.action) {
      case RemovalCase::Cut:
        ASSERT_TRUE(p.buffer.Cut(clip));
        p.history.Push(p.buffer);  // the Cut command's own snapshot
        break;
      case RemovalCase::Delete:
        p.PressDelete();
        break;
      case RemovalCase::Backspace:
        p.PressBackspace();
        break;
      case RemovalCase::TypeOver:
        p.Type("x");
        break;
    }
    EXPECT_EQ(p.history.Top(), c.snapshots);
    while (p.history.Undo(p.buffer)) {
    }
    EXPECT_EQ(p.buffer.Text(), "hello \x95\x5C world");
    EXPECT_EQ(p.buffer.GetSel(), c.selAfterUndoingAll);
  }
}

// Only a change that took out exactly the recorded block is a Cut: typing
// before the block, which leaves the caret where the block starts, is recorded
// like any other change, so it can be undone and the document is modified.
TEST(UndoHistory, TypingThatEndsWhereTheRecordedBlockStartsIsRecorded) {
  Pane p("\r\n");
  p.buffer.SetSel(2, 1);  // a block the idle pass records: [1, 2)
  p.history.TrackSelection(p.buffer);
  p.buffer.SetSel(0, 0);
  p.Type("}");  // the caret ends at 1, where the block starts
  EXPECT_EQ(p.pushesByNotification, 1);
  ASSERT_TRUE(p.history.Undo(p.buffer));
  EXPECT_EQ(p.buffer.Text(), "\r\n");
  EXPECT_FALSE(p.history.Undo(p.buffer));  // nothing before the opened text
}

TEST(UndoHistory, TypingAfterUndoKeepsTheSnapshotsAbove) {
  Pane p("");
  p.Type("a");
  p.Type("b");
  p.Type("c");
  p.history.Undo(p.buffer);
  p.history.Undo(p.buffer);
  EXPECT_EQ(p.buffer.Text(), "a");
  p.Type("x");
  EXPECT_EQ(p.buffer.Text(), "ax");
  EXPECT_EQ(p.history.Current(), 2u);
  ASSERT_TRUE(p.history.CanRedo());
  ASSERT_TRUE(p.history.Redo(p.buffer));
  EXPECT_EQ(p.buffer.Text(), "abc");
  ASSERT_TRUE(p.history.Undo(p.buffer));
  EXPECT_EQ(p.buffer.Text(), "ax");
  ASSERT_TRUE(p.history.Undo(p.buffer));
  EXPECT_EQ(p.buffer.Text(), "a");

  Pane q("");
  q.Type("a");
  q.Type("b");
  q.Type("c");
  q.history.Undo(q.buffer);
  q.Type("y");
  EXPECT_EQ(q.history.Current(), q.history.Top());
  EXPECT_FALSE(q.history.CanRedo());
  EXPECT_FALSE(q.history.Redo(q.buffer));
  EXPECT_EQ(q.buffer.Text(), "aby");
}

TEST(UndoHistory, SavedMarkFollowsUndoAndRedo) {
  Pane p("text");
  EXPECT_TRUE(p.history.CurrentIsSaved());  // as loaded
  p.buffer.SetSel(4, 4);
  p.Type("1");
  EXPECT_FALSE(p.history.CurrentIsSaved());
  p.history.MarkSaved();
  EXPECT_TRUE(p.history.SavedMarkAt(1));
  EXPECT_FALSE(p.history.SavedMarkAt(0));
  p.Type("2");
  EXPECT_FALSE(p.history.CurrentIsSaved());
  p.history.Undo(p.buffer);
  EXPECT_TRUE(p.history.CurrentIsSaved());  // modified flag cleared
  p.history.Redo(p.buffer);
  EXPECT_FALSE(p.history.CurrentIsSaved());
  p.history.Undo(p.buffer);
  p.history.Undo(p.buffer);
  EXPECT_FALSE(p.history.CurrentIsSaved());  // the file on disk has "text1"
  p.history.Redo(p.buffer);
  p.Type("3");  // overwrites nothing saved, but a push onto the saved one clears it
  p.history.Undo(p.buffer);
  EXPECT_TRUE(p.history.CurrentIsSaved());
  p.history.Undo(p.buffer);
  p.Type("4");  // overwrites snapshot 1, the saved one
  EXPECT_FALSE(p.history.SavedMarkAt(1));
  p.history.Undo(p.buffer);
  p.history.Redo(p.buffer);
  EXPECT_FALSE(p.history.CurrentIsSaved());
}

TEST(UndoHistory, UndoRestoresFirstVisibleLineAndSelection) {
  Pane p(Lines(200));
  p.buffer.LineScroll(0, 50);
  const int pos = p.buffer.LineIndex(60);
  p.buffer.SetSel(pos, pos);
  p.Type("k");  // snapshot 1: first visible line 50, caret after "k"
  EXPECT_EQ(p.history.FirstVisibleLineAt(1), 50);

  p.buffer.LineScroll(0, 100);
  const int pos2 = p.buffer.LineIndex(170);
  p.buffer.SetSel(pos2, pos2);
  p.Type("m");  // snapshot 2
  p.buffer.SetSel(pos2 - 2, pos2);  // selected before undoing
  ASSERT_TRUE(p.history.Undo(p.buffer));
  EXPECT_EQ(p.buffer.FirstVisibleLine(), 50);
  EXPECT_EQ(p.buffer.GetSel(), std::make_pair(pos + 1, pos + 1));
  // Undo stored the selection it left; redo brings it back.
  ASSERT_TRUE(p.history.Redo(p.buffer));
  EXPECT_EQ(p.buffer.GetSel(), std::make_pair(pos2 - 2, pos2));
  EXPECT_EQ(p.buffer.FirstVisibleLine(), p.history.FirstVisibleLineAt(2));
}

TEST(UndoHistory, RecordedSelectionComesBackWhenACommandIsUndone) {
  Pane p("abc def ghi");
  p.buffer.SetSel(4, 7);
  p.history.RecordSelection(p.buffer);
  p.Command("abc DEF ghi", 0);
  EXPECT_EQ(p.history.SelectionAt(1), std::make_pair(0, 0));
  ASSERT_TRUE(p.history.Undo(p.buffer));
  EXPECT_EQ(p.buffer.Text(), "abc def ghi");
  EXPECT_EQ(p.buffer.GetSel(), std::make_pair(4, 7));
}

TEST(UndoHistory, NoNotificationPushWhileCaptureIsOff) {
  Pane p("abc");
  p.history.autoSnapshot = false;
  p.Type("x");
  EXPECT_EQ(p.history.Top(), 0u);
  p.history.autoSnapshot = true;
  p.Type("y");
  EXPECT_EQ(p.history.Top(), 1u);
}

TEST(UndoHistory, CopyIsUnaffectedByPushesOnTheOriginal) {
  Pane p("shared text");
  p.Type("1");
  UndoHistory copy = p.history;
  p.Type("2");
  p.history.Undo(p.buffer);
  p.Type("3");
  p.history.RecordSelection(p.buffer);
  EXPECT_EQ(copy.Top(), 1u);
  EXPECT_EQ(copy.Current(), 1u);
  EXPECT_EQ(copy.TextAt(0), "shared text");
  EXPECT_EQ(copy.TextAt(1), "1shared text");
  EXPECT_EQ(p.history.TextAt(2), "13shared text");

  // And the other way round: pushes on the copy leave the original alone.
  EditBuffer other;
  other.SetText("elsewhere");
  copy.Push(other);
  EXPECT_EQ(copy.TextAt(2), "elsewhere");
  EXPECT_EQ(p.history.TextAt(2), "13shared text");
  EXPECT_EQ(p.history.Top(), 2u);
}

TEST(UndoHistory, EqualiseTakesTheGreaterTopAndTheActivePaneOnATie) {
  struct Case {
    const char* name;
    int activePushes;
    int otherPushes;
    bool activeWins;
  };
  const Case cases[] = {
      {"active ahead", 3, 1, true},
      {"other ahead", 1, 3, false},
      {"tie goes to the active pane", 2, 2, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Pane active("base");
    Pane other("base");
    for (int i = 0; i < c.activePushes; ++i) active.Type("a");
    for (int i = 0; i < c.otherPushes; ++i) other.Type("o");
    other.history.autoSnapshot = false;
    const UndoHistory winner = c.activeWins ? active.history : other.history;
    UndoHistory::Equalise(active.history, other.history);
    for (const UndoHistory* h : {&active.history, &other.history}) {
      EXPECT_EQ(h->Top(), winner.Top());
      EXPECT_EQ(h->Current(), winner.Current());
      EXPECT_EQ(h->autoSnapshot, winner.autoSnapshot);
      for (std::uint32_t i = 0; i <= winner.Top(); ++i) EXPECT_EQ(h->TextAt(i), winner.TextAt(i));
    }
    // Equal histories: a second pass changes nothing, and each pane goes on
    // with its own copy.
    UndoHistory::Equalise(active.history, other.history);
    active.Type("z");
    EXPECT_EQ(other.history.Top(), winner.Top());
  }
}

// The plain model of the same rules: whole texts in a vector.
struct ReferenceHistory {
  struct Snap {
    std::string text;
    int firstVisibleLine;
    std::pair<int, int> sel;
  };
  std::vector<Snap> snaps;
  std::uint32_t current = 0;
  std::uint32_t top = 0;
  std::int64_t saved = 0;

  void Restart(const EditBuffer& b) {
    snaps.assign(1, {b.GetText(), 0, b.GetSel()});
    current = top = 0;
    saved = 0;
  }
  void Push(const EditBuffer& b) {
    ++current;
    if (saved == current) saved = -1;
    top = std::max(top, current);
    if (snaps.size() <= current) snaps.resize(current + 1);
    snaps[current] = {b.GetText(), b.FirstVisibleLine(), b.GetSel()};
  }
  bool OnChange(const EditBuffer& b, bool keyDown) {
    const auto [s, e] = b.GetSel();
    const auto [S, E] = snaps[current].sel;
    const std::string& before = snaps[current].text;
    if (e == S && S < E && !keyDown && b.GetText() == before.substr(0, S) + before.substr(E)) return false;
    Push(b);
    return true;
  }
};

// Random typing, deletions, commands, selections, undos, redos, saves and
// idle passes on a few KB of text, against the model; after every undo and
// redo the buffer must hold the model's text and selection.
TEST(UndoHistory, RandomSessionsMatchTheWholeTextModel) {
  for (unsigned seed = 1; seed <= 6; ++seed) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 rng(seed);
    EditBuffer buffer;
    buffer.SetText(Lines(60 + seed * 20));
    UndoHistory history;
    ReferenceHistory model;
    history.Restart(buffer);
    model.Restart(buffer);
    bool keyDown = false;
    buffer.onChange = [&] {
      const bool pushed = history.OnChange(buffer, keyDown);
      EXPECT_EQ(pushed, model.OnChange(buffer, keyDown));
    };
    auto randomPos = [&] { return static_cast<int>(rng() % (buffer.GetTextLength() + 1)); };

    for (int step = 0; step < 700; ++step) {
      const unsigned op = rng() % 100;
      bool restored = false;
      if (op < 25) {
        buffer.TypeText(rng() % 4 == 0 ? "\x82\xA0" : std::string(1, static_cast<char>('a' + rng() % 26)));
      } else if (op < 32) {
        keyDown = true;
        rng() % 2 ? buffer.Backspace() : buffer.DeleteChar();
        keyDown = false;
      } else if (op < 38) {
        const int a = randomPos();
        buffer.SetSel(a, std::min(buffer.GetTextLength(), a + static_cast<int>(rng() % 20)));
        if (rng() % 2) {
          history.TrackSelection(buffer);
          if (buffer.GetSel().first < buffer.GetSel().second) {
            model.snaps[model.current].firstVisibleLine = buffer.FirstVisibleLine();
            model.snaps[model.current].sel = buffer.GetSel();
          }
        }
      } else if (op < 42) {
        MemoryClipboard clip;
        if (buffer.Cut(clip)) {
          history.Push(buffer);
          model.Push(buffer);
        }
      } else if (op < 47) {
        // A command rewriting a stretch of text, with the selection recorded first.
        history.RecordSelection(buffer);
        model.snaps[model.current].sel = buffer.GetSel();
        std::string t = buffer.GetText();
        const int a = randomPos();
        t.replace(static_cast<std::size_t>(a), std::min<std::size_t>(t.size() - a, rng() % 500),
                  Lines(static_cast<int>(rng() % 5)));
        history.autoSnapshot = false;
        buffer.SetText(t);
        buffer.LineScroll(0, static_cast<int>(rng() % 30));
        buffer.SetSel(a, a);
        history.autoSnapshot = true;
        history.Push(buffer);
        model.Push(buffer);
      } else if (op < 72) {
        const std::pair<int, int> leaving = buffer.GetSel();
        const bool did = history.Undo(buffer);
        ASSERT_EQ(did, model.current > 0);
        if (did) {
          model.snaps[model.current].sel = leaving;
          model.current--;
        }
        restored = did;
      } else if (op < 90) {
        const bool did = history.Redo(buffer);
        ASSERT_EQ(did, model.current < model.top);
        if (did) model.current++;
        restored = did;
      } else if (op < 93) {
        history.MarkSaved();
        model.saved = model.current;
      } else {
        buffer.SetSel(randomPos(), randomPos());
      }

      if (restored) {
        const auto& snap = model.snaps[model.current];
        ASSERT_EQ(buffer.Text(), snap.text) << "step " << step;
        ASSERT_EQ(buffer.GetSel(), snap.sel) << "step " << step;
        ASSERT_EQ(history.CurrentIsSaved(), model.saved == model.current);
      }
      ASSERT_EQ(history.Current(), model.current);
      ASSERT_EQ(history.Top(), model.top);
      if (step % 25 == 0 || step == 699) {
        for (std::uint32_t i = 0; i <= model.top; ++i) {
          ASSERT_EQ(history.TextAt(i), model.snaps[i].text) << "step " << step << ", snapshot " << i;
          ASSERT_EQ(history.SelectionAt(i), model.snaps[i].sel) << "step " << step << ", snapshot " << i;
          ASSERT_EQ(history.FirstVisibleLineAt(i), model.snaps[i].firstVisibleLine);
          ASSERT_EQ(history.SavedMarkAt(i), model.saved == i);
        }
      }
    }
  }
}

struct SpanRestoreCase {
  const char* name;
  std::string before;
  std::string after;
};

// A buffer given the whole text, scrolled and selected as Restore does it.
struct Shown {
  std::string text;
  std::pair<int, int> sel;
  int firstVisibleLine;
  int horizontalScroll;
  int lineCount;
  bool operator==(const Shown&) const = default;
};
Shown ShownBy(const EditBuffer& b) {
  return {std::string(b.Text()), b.GetSel(), b.FirstVisibleLine(), b.HorizontalScroll(), b.LineCount()};
}
Shown ShownAfterSetText(const EditBuffer& like, const std::string& text, int firstVisibleLine,
                        std::pair<int, int> sel) {
  EditBuffer b;
  b.SetClientRect(like.ClientRect());
  b.SetWordWrap(like.IsWordWrap());
  b.SetText(text);
  b.LineScroll(0, firstVisibleLine);
  b.SetSel(sel.first, sel.second);
  b.ScrollCaret();
  return ShownBy(b);
}

// Undo and redo put back only the bytes two snapshots do not share. That
// span, found byte by byte, may start or end inside a double-byte character
// or between CR and LF; the buffer must still end up holding and showing the
// text exactly as a buffer given the whole text does.
TEST(UndoHistory, UndoAndRedoReplaceOnlyTheChangedSpan) {
  const std::string lines = Lines(120) + std::string(300, 'w') + "\r\n" + Lines(120);
  const SpanRestoreCase cases[] = {
      {"a trail byte changes", lines + "\x82\xA0", lines + "\x82\xA2"},
      {"a lead byte changes, trail 5C kept", "x\x95\x5Cy" + lines, "x\x94\x5Cy" + lines},
      {"a trail byte in the middle", lines + "\x95\x5C" + lines, lines + "\x95\x41" + lines},
      {"CR LF gains a CR", lines + "ab\r\ncd", lines + "ab\r\r\ncd"},
      {"a line inserted", lines + lines, lines + "new line\r\n" + lines},
      {"one letter typed", lines + lines, lines + "k" + lines},
      {"everything removed", lines, ""},
      {"nothing changed", lines, lines},
  };
  for (const bool wrap : {false, true}) {
    for (const SpanRestoreCase& c : cases) {
      SCOPED_TRACE(std::string(c.name) + (wrap ? ", wrap on" : ", wrap off"));
      EditBuffer buffer;
      buffer.SetClientRect({0, 0, 200, 160});
      buffer.SetWordWrap(wrap);
      buffer.SetText(c.before);
      UndoHistory history;
      history.Restart(buffer);
      buffer.SetText(c.after);
      buffer.LineScroll(0, 40);
      const int caret = static_cast<int>(c.after.size() / 2) & ~1;
      buffer.SetSel(caret, caret);
      history.Push(buffer);
      const int firstAfter = buffer.FirstVisibleLine();
      const std::pair<int, int> selAfter = buffer.GetSel();

      buffer.SetHorizontalScroll(40);
      buffer.LineScroll(0, 7);
      ASSERT_TRUE(history.Undo(buffer));
      EXPECT_EQ(ShownBy(buffer), ShownAfterSetText(buffer, c.before, 0, {0, 0}));
      buffer.SetHorizontalScroll(40);
      ASSERT_TRUE(history.Redo(buffer));
      EXPECT_EQ(ShownBy(buffer), ShownAfterSetText(buffer, c.after, firstAfter, selAfter));
      ASSERT_TRUE(history.Undo(buffer));
      EXPECT_EQ(buffer.Text(), c.before);
    }
  }
}

// At capacity the oldest snapshot goes and recording goes on.
TEST(UndoHistory, FullHistoryDropsTheOldestSnapshot) {
  EditBuffer buffer;
  buffer.SetText("0");
  UndoHistory history;
  history.Restart(buffer);
  for (std::uint32_t i = 1; i < UndoHistory::kCapacity; ++i) {
    buffer.SetText(std::to_string(i));
    history.Push(buffer);
  }
  EXPECT_EQ(history.Top(), UndoHistory::kCapacity - 1);
  EXPECT_EQ(history.TextAt(0), "0");
  EXPECT_TRUE(history.SavedMarkAt(0));

  buffer.SetText("65535");  // would need index 65535
  history.Push(buffer);
  EXPECT_EQ(history.Top(), 65534u);
  EXPECT_EQ(history.Current(), 65534u);
  EXPECT_EQ(history.TextAt(0), "1");
  EXPECT_EQ(history.TextAt(65534), "65535");
  EXPECT_FALSE(history.SavedMarkAt(0));  // the saved text is gone

  buffer.SetText("65536");
  history.Push(buffer);
  EXPECT_EQ(history.TextAt(0), "2");
  EXPECT_EQ(history.TextAt(65533), "65535");
  EXPECT_EQ(history.TextAt(65534), "65536");

  // Undo all the way down and back up through the shifted indices.
  std::uint32_t undos = 0;
  while (history.Undo(buffer)) ++undos;
  EXPECT_EQ(undos, 65534u);
  EXPECT_EQ(buffer.Text(), "2");
  history.Redo(buffer);
  EXPECT_EQ(buffer.Text(), "3");

  // Below the top a push overwrites and needs no drop.
  buffer.SetText("new");
  history.Push(buffer);
  EXPECT_EQ(history.Current(), 2u);
  EXPECT_EQ(history.TextAt(0), "2");
  EXPECT_EQ(history.TextAt(3), "5");
}

}  // namespace
