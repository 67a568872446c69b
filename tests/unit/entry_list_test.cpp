#include "entries/entry_list.h"

#include <gtest/gtest.h>

#include <vector>

namespace diduzo {
namespace {

// A list of entries named "0", "1", ... with the cursor on no entry.
EntryList makeList(int count) {
  EntryList list;
  for (int i = 0; i < count; ++i) list.addAfter()->name = fromAscii(std::to_string(i));
  list.reset();
  return list;
}

std::vector<Text> names(const EntryList& list) {
  std::vector<Text> out;
  for (std::size_t i = 0; i < list.size(); ++i) out.push_back(list.at(i)->name);
  return out;
}

TEST(EntryList, EmptyListHasNoCurrentEntryAndNoMoves) {
  EntryList list;
  EXPECT_FALSE(list.next());
  EXPECT_FALSE(list.previous());
  EXPECT_FALSE(list.first());
  EXPECT_EQ(list.currentIndex(), -1);
  EXPECT_EQ(list.current(), nullptr);
  EXPECT_EQ(list.deleteCurrent(), nullptr);
  LaunchEntry* e = list.addAfter();
  EXPECT_EQ(list.size(), 1u);
  EXPECT_EQ(list.currentIndex(), 0);
  EXPECT_EQ(list.current(), e);
}

TEST(EntryList, NewEntriesAreBlank) {
  EntryList list;
  for (LaunchEntry* e : {list.addAfter(), list.insertBefore()}) {
    EXPECT_EQ(e->kind, 0);
    EXPECT_EQ(e->run, 0);
    EXPECT_EQ(e->stop, 0);
    EXPECT_EQ(e->level, 0);
    EXPECT_TRUE(e->name.empty() && e->command.empty() && e->options.empty() && e->homedir.empty());
    EXPECT_EQ(e->window, nullptr);
    EXPECT_EQ(e->icon, nullptr);
  }
}

TEST(EntryList, AppendingAfterTheLastKeepsOrder) {
  EntryList list = makeList(3);
  EXPECT_EQ(names(list), (std::vector<Text>{u"0", u"1", u"2"}));
}

TEST(EntryList, AddAfterWithoutCurrentEntryInsertsAtTheFront) {
  EntryList list = makeList(3);
  list.addAfter()->name = u"new";
  EXPECT_EQ(names(list), (std::vector<Text>{u"new", u"0", u"1", u"2"}));
  EXPECT_EQ(list.currentIndex(), 0);
}

TEST(EntryList, TraversalVisitsEveryEntryOnceAndStopsOnTheLast) {
  EntryList list = makeList(3);
  std::vector<int> seen;
  while (list.next()) seen.push_back(list.currentIndex());
  EXPECT_EQ(seen, (std::vector<int>{0, 1, 2}));
  EXPECT_EQ(list.currentIndex(), 2);
  EXPECT_FALSE(list.next());
  EXPECT_EQ(list.currentIndex(), 2);
}

TEST(EntryList, PreviousStopsAtTheFirstAndNeverLeavesNoEntry) {
  EntryList list = makeList(3);
  ASSERT_TRUE(list.first());
  EXPECT_FALSE(list.previous());
  EXPECT_EQ(list.currentIndex(), 0);
  list.reset();
  EXPECT_FALSE(list.previous());
  EXPECT_EQ(list.currentIndex(), -1);
  list.selectAt(2);
  EXPECT_TRUE(list.previous());
  EXPECT_EQ(list.currentIndex(), 1);
}

TEST(EntryList, SelectAtOutsideTheListLeavesNoEntryCurrent) {
  EntryList list = makeList(3);
  for (long long index : {-1LL, 3LL, 1000LL, -1000000000000LL}) {
    list.selectAt(1);
    EXPECT_FALSE(list.selectAt(index)) << index;
    EXPECT_EQ(list.currentIndex(), -1) << index;
  }
  EXPECT_TRUE(list.selectAt(2));
  EXPECT_EQ(list.current()->name, u"2");
}

TEST(EntryList, InsertBeforeTakesThePositionOfTheCurrentEntry) {
  EntryList list = makeList(5);
  list.selectAt(3);
  LaunchEntry* e = list.insertBefore();
  e->name = u"new";
  EXPECT_EQ(names(list), (std::vector<Text>{u"0", u"1", u"2", u"new", u"3", u"4"}));
  EXPECT_EQ(list.current(), e);
  EXPECT_EQ(list.currentIndex(), 3);
  list.reset();
  list.insertBefore()->name = u"front";
  EXPECT_EQ(list.at(0)->name, u"front");
}

TEST(EntryList, DeleteCurrentMovesTheCursorAsTheTableSays) {
  struct Case {
    int size, position;
    std::vector<Text> left;
    int currentIndex;
    const char16_t* currentName;
  };
  const Case cases[] = {
      {3, 0, {u"1", u"2"}, 0, u"1"},  // the first: the following entry, now at 0
      {3, 2, {u"0", u"1"}, 1, u"1"},  // the last: the preceding entry
      {3, 1, {u"0", u"2"}, 0, u"0"},  // in the middle: the preceding entry
      {1, 0, {}, -1, nullptr},        // the only one: no entry
  };
  for (const Case& c : cases) {
    EntryList list = makeList(c.size);
    list.selectAt(c.position);
    LaunchEntry* now = list.deleteCurrent();
    EXPECT_EQ(names(list), c.left) << c.size << "/" << c.position;
    EXPECT_EQ(list.currentIndex(), c.currentIndex) << c.size << "/" << c.position;
    if (c.currentName) {
      ASSERT_NE(now, nullptr);
      EXPECT_EQ(now->name, c.currentName);
    } else {
      EXPECT_EQ(now, nullptr);
    }
  }
}

TEST(EntryList, SwapMovesEntriesAndTheCursorFollowsItsEntry) {
  EntryList list = makeList(6);
  list.selectAt(2);
  LaunchEntry* a = list.current();
  LaunchEntry* b = list.at(5);
  list.swapEntries(a, b);
  EXPECT_EQ(list.at(5), a);
  EXPECT_EQ(list.at(2), b);
  EXPECT_EQ(list.current(), a);
  EXPECT_EQ(list.currentIndex(), 5);
  EXPECT_EQ(names(list), (std::vector<Text>{u"0", u"1", u"5", u"3", u"4", u"2"}));

  // The cursor on the other entry follows it the same way; an uninvolved cursor stays put.
  list.selectAt(2);
  list.swapEntries(list.at(5), list.at(2));
  EXPECT_EQ(list.currentIndex(), 5);
  list.selectAt(0);
  list.swapEntries(list.at(1), list.at(3));
  EXPECT_EQ(list.currentIndex(), 0);

  list.swapEntries(a, a);
  EXPECT_EQ(list.at(5), b);
}

TEST(EntryList, ReferencesSurviveInsertionsDeletionsAndMoves) {
  EntryList list = makeList(4);
  list.selectAt(1);
  LaunchEntry* kept = list.current();
  list.next();
  list.next();
  list.addAfter()->name = u"x";
  list.previous();
  list.reset();
  list.addAfter()->name = u"y";  // at the front: every later entry moves by one
  list.selectAt(4);
  list.deleteCurrent();
  EXPECT_EQ(kept->name, u"1");
  LaunchEntry* last = list.at(list.size() - 1);
  list.swapEntries(kept, last);
  EXPECT_EQ(list.at(list.size() - 1), kept);
  EXPECT_EQ(kept->name, u"1");
}

TEST(EntryList, ClearLeavesNoEntry) {
  EntryList list = makeList(3);
  list.selectAt(1);
  list.clear();
  EXPECT_EQ(list.size(), 0u);
  EXPECT_EQ(list.currentIndex(), -1);
  list.addAfter();
  EXPECT_EQ(list.currentIndex(), 0);
}

}  // namespace
}  // namespace diduzo
