#include "undo/SnapshotStore.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace {

// A plain model: every snapshot as a whole string.
struct Model {
  std::vector<std::string> texts;
  std::vector<SnapshotView> views;
};

void ExpectSame(const SnapshotStore& store, const Model& model, const char* when) {
  ASSERT_EQ(store.Size(), model.texts.size()) << when;
  ASSERT_TRUE(store.HasKeyframe(0)) << when;
  for (std::uint32_t i = 0; i < store.Size(); ++i) {
    ASSERT_EQ(store.Text(i), model.texts[i]) << when << ", snapshot " << i;
    ASSERT_EQ(store.View(i), model.views[i]) << when << ", snapshot " << i;
  }
}

// Mixed single- and double-byte text with CR LF, like the documents.
std::string RandomText(std::mt19937& rng, std::size_t bytes) {
  static const char* pieces[] = {"a", "1", "\t", "\r\n", "\x95\x5C", "\x82\xA0", "xyz", " "};
  std::string s;
  while (s.size() < bytes) s += pieces[rng() % 8];
  return s;
}

// The next text: mostly a one-character edit near `point`, sometimes a paste,
// a large rewrite, no change at all or an empty text.
std::string Edit(std::mt19937& rng, const std::string& text, std::size_t& point) {
  std::string s = text;
  point = std::min(s.size(), point + rng() % 9 - rng() % 9 + (point < 8 ? 8 : 0));
  switch (rng() % 20) {
    case 0:
      return RandomText(rng, rng() % 3000);  // a command rewrote everything
    case 1:
      return s;
    case 2:
      return std::string();
    case 3:
      s.insert(point, RandomText(rng, rng() % 200));
      return s;
    case 4:
    case 5:
    case 6:
      s.erase(point, std::min<std::size_t>(s.size() - point, 1 + rng() % 3));
      return s;
    case 7:
    case 8:
      if (point < s.size()) s[point] = static_cast<char>('A' + rng() % 26);
      return s;
    default:
      s.insert(point, 1, static_cast<char>('a' + rng() % 26));
      return s;
  }
}

SnapshotView RandomView(std::mt19937& rng) {
  const int a = static_cast<int>(rng() % 100);
  return {static_cast<int>(rng() % 50), a, a + static_cast<int>(rng() % 3)};
}

struct OptionsCase {
  const char* name;
  SnapshotStore::Options options;
};

// Appends, replacements below the top (which rebase the snapshot above),
// drops of the oldest, view changes and reads in random order, against the
// model; copies taken on the way must not change with the original.
TEST(UndoSnapshotStore, RandomOperationsMatchWholeTextModel) {
  const OptionsCase optionCases[] = {
      {"defaults", {}},
      {"keyframe every 4, tiny chunks", {4, 16, 64}},
      {"keyframe every snapshot", {1, 32, 1 << 20}},
      {"every change large", {8, 64, 0}},
  };
  for (const OptionsCase& oc : optionCases) {
    for (unsigned seed = 1; seed <= 4; ++seed) {
      SCOPED_TRACE(std::string(oc.name) + ", seed " + std::to_string(seed));
      std::mt19937 rng(seed);
      Model model;
      model.texts.push_back(RandomText(rng, 2000 + rng() % 3000));
      model.views.push_back(RandomView(rng));
      SnapshotStore store(model.texts[0], model.views[0], oc.options);
      std::uint32_t at = 0;  // the snapshot edits start from, like `current`
      std::size_t point = model.texts[0].size() / 2;

      std::vector<std::pair<SnapshotStore, Model>> copies;
      for (int step = 0; step < 600; ++step) {
        const unsigned op = rng() % 100;
        if (op < 55) {
          const std::uint32_t i = at + 1;
          const std::string next = Edit(rng, store.Text(at), point);
          const SnapshotView view = RandomView(rng);
          store.Put(i, next, view);
          if (i == model.texts.size()) {
            model.texts.push_back(next);
            model.views.push_back(view);
          } else {
            model.texts[i] = next;
            model.views[i] = view;
          }
          at = i;
        } else if (op < 75) {
          at = at > 0 ? at - static_cast<std::uint32_t>(rng() % std::min<std::uint32_t>(at + 1, 4)) : 0;
        } else if (op < 85) {
          at = std::min<std::uint32_t>(store.Size() - 1, at + static_cast<std::uint32_t>(rng() % 4));
        } else if (op < 90) {
          at = static_cast<std::uint32_t>(rng() % store.Size());  // a far jump
        } else if (op < 94) {
          const std::uint32_t i = static_cast<std::uint32_t>(rng() % store.Size());
          model.views[i] = RandomView(rng);
          store.SetView(i, model.views[i]);
        } else if (op < 97 && store.Size() >= 2) {
          store.DropOldest();
          model.texts.erase(model.texts.begin());
          model.views.erase(model.views.begin());
          at = at > 0 ? at - 1 : 0;
        } else if (copies.size() < 3) {
          copies.emplace_back(store, model);
        }
        ASSERT_EQ(store.Text(at), model.texts[at]) << "step " << step;
        if (step % 50 == 0) ExpectSame(store, model, "periodic check");
        if (HasFatalFailure()) return;
      }
      ExpectSame(store, model, "end");
      for (const auto& [copy, copyModel] : copies) ExpectSame(copy, copyModel, "copy");
    }
  }
}

TEST(UndoSnapshotStore, KeyframesFollowTheGridAcrossDrops) {
  SnapshotStore store("start", {}, {4, 16, 1 << 20});
  for (std::uint32_t i = 1; i <= 12; ++i) store.Put(i, "start" + std::to_string(i), {});
  for (std::uint32_t i = 0; i <= 12; ++i) EXPECT_EQ(store.HasKeyframe(i), i % 4 == 0) << i;
  store.DropOldest();  // old 1 becomes 0 and gets a keyframe; the grid stays put
  EXPECT_TRUE(store.HasKeyframe(0));
  EXPECT_FALSE(store.HasKeyframe(1));
  EXPECT_TRUE(store.HasKeyframe(3));
  EXPECT_EQ(store.Text(0), "start1");
  EXPECT_EQ(store.Text(11), "start12");
}

TEST(UndoSnapshotStore, ReplacingBelowTheTopRebasesTheNextSnapshot) {
  SnapshotStore store("abc");
  store.Put(1, "abcd", {});
  store.Put(2, "abcde", {});
  store.Put(3, "abcdef", {});
  store.Text(0);  // move the cache away
  store.Put(1, "Xabc", {});
  EXPECT_EQ(store.Text(2), "abcde");
  EXPECT_EQ(store.Text(1), "Xabc");
  EXPECT_EQ(store.Text(3), "abcdef");
  EXPECT_EQ(store.Text(2), "abcde");
  EXPECT_EQ(store.Text(0), "abc");
}

TEST(UndoSnapshotStore, PutMayTakeTheStoresOwnText) {
  SnapshotStore store("one");
  store.Put(1, "two", {});
  const std::string& cached = store.Text(0);
  store.Put(1, cached, {});  // the reference points into the cache
  EXPECT_EQ(store.Text(1), "one");
}

// Small and large changes on a short keyframe grid, then the cache walked
// down to snapshot 0, up to the top, and pushed from in the middle: every
// text read on the way, and every keyframe made from the cache, must match.
TEST(UndoSnapshotStore, CacheWalksAcrossKeyframesAndLargeChanges) {
  const SnapshotStore::Options options{3, 8, 10};
  std::vector<std::string> texts{"0123456789abcdefghijklmnopqrstuvwxyz"};
  SnapshotStore store(texts[0], {}, options);
  const auto put = [&](std::uint32_t i, std::string text) {
    store.Put(i, text, {});
    texts.resize(i);
    texts.push_back(std::move(text));
  };
  for (std::uint32_t i = 1; i <= 14; ++i) {
    std::string t = texts.back();
    if (i % 5 == 0) {
      t = std::string(40 + i, static_cast<char>('A' + i));  // large: a keyframe of its own
    } else {
      t.insert(t.size() / 2, 1, static_cast<char>('a' + i));
    }
    put(i, t);
    EXPECT_EQ(store.HasKeyframe(i), i % 3 == 0 || i % 5 == 0) << i;
  }
  for (std::uint32_t i = 15; i-- > 0;) ASSERT_EQ(store.Text(i), texts[i]) << "down, " << i;
  for (std::uint32_t i = 0; i < 15; ++i) ASSERT_EQ(store.Text(i), texts[i]) << "up, " << i;
  store.Text(7);
  put(8, texts[7] + "!");  // the cache moves on from the middle
  for (std::uint32_t i = 0; i < 9; ++i) ASSERT_EQ(store.Text(i), texts[i]) << "after the push, " << i;
}

struct PutChangeCase {
  const char* name;
  std::string before;
  std::size_t prefix;
  std::size_t suffix;
  std::string changed;
};

// A snapshot given only its changed bytes is the same as one given whole,
// whether the change given is the exact one or wider than it.
TEST(UndoSnapshotStore, PutChangeMatchesPutOfTheWholeText) {
  const std::string text = "line one\r\n\x95\x5C line two\r\nline three";
  const PutChangeCase cases[] = {
      {"a letter typed", text, 4, text.size() - 4, "X"},
      {"a letter removed", text, 4, text.size() - 5, ""},
      {"wider than the change", text, 2, 3, text.substr(2, 10) + "Y" + text.substr(12, text.size() - 15)},
      {"nothing changed after all", text, 0, 0, text},
      {"the whole text replaced", text, 0, 0, "new"},
      {"into an empty text", "", 0, 0, "abc"},
  };
  for (const PutChangeCase& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string after = c.before.substr(0, c.prefix) + c.changed + c.before.substr(c.before.size() - c.suffix);
    SnapshotStore store(c.before, {}, {2, 8, 16});
    store.PutChange(1, c.prefix, c.suffix, c.changed, {1, 2, 3});
    store.Put(2, c.before, {});
    store.PutChange(3, 0, 0, after, {});
    EXPECT_EQ(store.Text(1), after);
    EXPECT_EQ(store.Text(3), after);
    EXPECT_EQ(store.Text(2), c.before);
    EXPECT_EQ(store.Text(0), c.before);
    EXPECT_EQ(store.View(1), (SnapshotView{1, 2, 3}));
  }
}

// The working copy of the text shares its chunks with the keyframes and
// changes one chunk per keystroke: neither typing nor walking all the way
// back costs anything near a second copy of the text.
TEST(UndoSnapshotStore, CacheCostsNoSecondCopyOfTheText) {
  std::mt19937 rng(11);
  const std::string text = RandomText(rng, 1 << 20);
  SnapshotStore store(text);
  const std::size_t start = store.MemoryBytes();
  EXPECT_LT(start, text.size() + text.size() / 8);  // snapshot 0 and the cache share the chunks
  std::string t = text;
  for (std::uint32_t i = 1; i <= 1000; ++i) {
    const std::size_t at = t.size() / 2 + i;
    t.insert(at, 1, 'k');
    store.Put(i, t, {}, at, t.size() - at - 1);
    ASSERT_LT(store.MemoryBytes() - start, text.size() / 2) << "after push " << i;
  }
  for (std::uint32_t i = 1000; i-- > 0;) {
    store.TextChunks(i);
    if (i % 100 == 0) ASSERT_LT(store.MemoryBytes() - start, text.size() / 2) << "back at " << i;
  }
  EXPECT_EQ(store.Text(0), text);
}

TEST(UndoSnapshotStore, MemoryFollowsTheEditsNotTheTextSize) {
  std::mt19937 rng(7);
  const std::string text = RandomText(rng, 1 << 20);
  SnapshotStore store(text);
  const std::size_t start = store.MemoryBytes();
  std::string t = text;
  for (std::uint32_t i = 1; i <= 1000; ++i) {
    t.insert(t.size() / 2 + i, 1, 'k');
    store.Put(i, t, {});
  }
  // 15 keyframes of a few changed chunks each, 1000 small deltas, the cache.
  EXPECT_LT(store.MemoryBytes() - start, 3u << 20);
  EXPECT_EQ(store.Text(0), text);
  EXPECT_EQ(store.Text(1000), t);
}

}  // namespace
