// The lazily shifted position list against a plain vector given the same
// shifts, inserts and erases: edits close together (the step point moves a
// little), far apart (it jumps, or the pending step is applied at once), and
// inserts and erases on either side of the step point and across it.
#include "buffer/Partitioning.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

namespace {

void ExpectSame(const Partitioning& p, const std::vector<int>& model, const std::string& where) {
  ASSERT_EQ(p.Count(), static_cast<int>(model.size())) << where;
  for (int i = 0; i < p.Count(); ++i) ASSERT_EQ(p.Value(i), model[static_cast<std::size_t>(i)]) << where << " at " << i;
  for (const int v : {-1, 0, model.empty() ? 0 : model.back(), model.empty() ? 1 : model[model.size() / 2]}) {
    const int expected = static_cast<int>(std::upper_bound(model.begin(), model.end(), v) - model.begin());
    ASSERT_EQ(p.UpperBound(v), expected) << where << " value " << v;
  }
}

TEST(Partitioning, StepsInsertsAndErasesMatchAPlainVector) {
  for (const bool local : {true, false}) {
    std::mt19937 rng(local ? 11 : 12);
    std::vector<int> model;
    for (int i = 0; i < 200; ++i) model.push_back(i * 10);
    Partitioning p;
    p.Assign(model);
    int cursor = 100;  // where the "typing" happens when edits are local
    for (int step = 0; step < 5000; ++step) {
      const int n = static_cast<int>(model.size());
      if (local) {
        cursor = std::clamp(cursor + std::uniform_int_distribution<int>(-3, 3)(rng), 0, n);
      } else {
        cursor = std::uniform_int_distribution<int>(0, n)(rng);
      }
      const std::string where = std::string(local ? "local" : "far") + " step " + std::to_string(step);
      switch (rng() % 4) {
        case 0:
        case 1: {  // a shift of everything from the cursor on, as an edit's length change
          const int delta = std::uniform_int_distribution<int>(-3, 5)(rng);
          // Keep the values ascending: a shrink never passes the value before.
          const int floor = cursor > 0 && cursor < n ? model[static_cast<std::size_t>(cursor) - 1] - model[static_cast<std::size_t>(cursor)] : -3;
          const int d = std::max(delta, floor);
          for (int i = cursor; i < n; ++i) model[static_cast<std::size_t>(i)] += d;
          p.Shift(cursor, d);
          break;
        }
        case 2: {  // new entries between their neighbours
          const int count = std::uniform_int_distribution<int>(1, 3)(rng);
          const int value = cursor > 0 ? model[static_cast<std::size_t>(cursor) - 1] : (n > 0 ? model[0] : 0);
          model.insert(model.begin() + cursor, static_cast<std::size_t>(count), value);
          p.Insert(cursor, count, 0);
          for (int i = cursor; i < cursor + count; ++i) p.SetValue(i, value);
          break;
        }
        default: {
          const int count = std::min(n - cursor, std::uniform_int_distribution<int>(0, 3)(rng));
          model.erase(model.begin() + cursor, model.begin() + cursor + count);
          p.Erase(cursor, count);
          break;
        }
      }
      ExpectSame(p, model, where);
      if (HasFatalFailure()) return;
    }
  }
}

TEST(Partitioning, AssignLeavesNothingPending) {
  Partitioning p;
  p.Assign({0, 5, 9});
  p.Shift(1, 4);
  EXPECT_EQ(p.Value(2), 13);
  p.Assign({0, 2});
  EXPECT_EQ(p.Count(), 2);
  EXPECT_EQ(p.Back(), 2);
  EXPECT_EQ(p.UpperBound(1), 1);
}

}  // namespace
