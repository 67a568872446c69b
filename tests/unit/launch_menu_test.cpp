#include "tray/launch_menu.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace diduzo {
namespace {

struct Row {
  int kind;  // 1 application, 2 group, 3 separator, 4 folder, other codes as a hand-edited file holds
  int level;
  const char* name;
};

EntryList makeList(const std::vector<Row>& rows) {
  EntryList list;
  for (const Row& row : rows) {
    LaunchEntry* e = list.addAfter();
    e->kind = static_cast<std::int8_t>(row.kind);
    e->level = static_cast<std::int8_t>(row.level);
    e->name = fromAscii(row.name);
  }
  return list;
}

// "name#id" for a command, "-" for a separator, "name[...]" for a submenu, items separated by blanks.
std::string describe(const std::vector<LaunchMenuItem>& items) {
  std::string out;
  for (const LaunchMenuItem& item : items) {
    if (!out.empty()) out += ' ';
    const std::string name = toUtf8(item.text);
    switch (item.kind) {
      case LaunchMenuItem::Kind::Command: out += name + "#" + std::to_string(item.id); break;
      case LaunchMenuItem::Kind::Separator: out += "-"; break;
      case LaunchMenuItem::Kind::Submenu: out += name + "[" + describe(item.items) + "]"; break;
    }
  }
  return out;
}

struct Case {
  const char* what;
  std::vector<Row> rows;
  const char* menu;
};

TEST(LaunchMenuModel, NestsEntriesByLevel) {
  const Case cases[] = {
      {"the usual nesting",
       {{1, 0, "A"}, {2, 0, "G"}, {1, 1, "B"}, {2, 1, "H"}, {4, 2, "C"}, {3, 0, ""}, {1, 0, "D"}},
       "A#10 G[B#12 H[C#14]] - D#16"},
      {"a group first: no item has id 10", {{2, 0, "G"}, {1, 1, "B"}, {1, 0, "D"}}, "G[B#11] D#12"},
      {"a group without members is an empty submenu", {{2, 0, "G"}, {1, 0, "A"}}, "G[] A#11"},
      {"separators inside groups", {{2, 0, "G"}, {3, 1, ""}, {1, 1, "B"}, {3, 0, ""}}, "G[- B#12] -"},
      {"a drop by two closes both submenus",
       {{2, 0, "G"}, {2, 1, "H"}, {1, 2, "C"}, {1, 0, "D"}},
       "G[H[C#12]] D#13"},
      {"deeper than the open submenu stays in it", {{2, 0, "G"}, {1, 5, "B"}, {1, 1, "C"}}, "G[B#11 C#12]"},
      {"levels at the top never leave the top", {{1, 3, "A"}, {1, 0, "B"}, {1, -2, "C"}}, "A#10 B#11 C#12"},
      {"closing more than is open stops at the top",
       {{2, 0, "G"}, {2, 6, "H"}, {1, 7, "C"}, {1, 0, "D"}},
       "G[H[C#12]] D#13"},
      {"the mark, not the nesting, decides how many close",
       {{2, 0, "G"}, {2, 3, "H"}, {1, 4, "C"}, {1, 2, "D"}},
       "G[H[C#12]] D#13"},
      {"submenus left open at the end", {{1, 0, "A"}, {2, 0, "G"}, {2, 1, "H"}}, "A#10 G[H[]]"},
      {"unknown kinds are left out but keep their index", {{0, 0, "X"}, {7, 0, "Y"}, {1, 0, "A"}}, "A#12"},
      {"an empty name", {{1, 0, ""}}, "#10"},
  };
  for (const Case& c : cases) {
    const EntryList list = makeList(c.rows);
    EXPECT_EQ(describe(launchMenuModel(list)), c.menu) << c.what;
  }
}

TEST(LaunchMenuModel, CarriesIconsAndLeavesTheCursor) {
  EntryList list = makeList({{1, 0, "A"}, {4, 0, "F"}, {1, 0, "B"}});
  int iconA = 0;
  list.at(0)->icon = &iconA;
  list.selectAt(1);
  const std::vector<LaunchMenuItem> menu = launchMenuModel(list);
  ASSERT_EQ(menu.size(), 3u);
  EXPECT_EQ(menu[0].icon, &iconA);
  EXPECT_EQ(menu[1].icon, nullptr);
  EXPECT_EQ(list.currentIndex(), 1);
  EXPECT_TRUE(launchMenuModel(EntryList{}).empty());
}

TEST(LaunchMenuModel, LeavesOutEntriesBeyondTheSixteenBitCommandIds) {
  EntryList list;
  for (int i = 0; i < 65530; ++i) list.addAfter()->kind = 1;
  const std::vector<LaunchMenuItem> menu = launchMenuModel(list);
  ASSERT_EQ(menu.size(), 65526u);  // ids 10 to 65535
  EXPECT_EQ(menu.back().id, 65535);
}

}  // namespace
}  // namespace diduzo
