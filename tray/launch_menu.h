// The launch menu as a tree, made from the flat entry list by each entry's level.
#pragma once

#include <vector>

#include "base/text.h"
#include "entries/entry_list.h"

namespace diduzo {

struct LaunchMenuItem {
  enum class Kind { Command, Separator, Submenu };
  Kind kind = Kind::Command;
  int id = 0;                  // Command: 10 + the entry's index
  Text text;                   // Command and Submenu: the entry's name
  IconHandle icon = nullptr;   // Command: the entry's icon (owned by the entry)
  std::vector<LaunchMenuItem> items;  // Submenu: its items
};

// The top level of the launch menu for `list`. Applications and folders become commands,
// separators separators, groups submenus that take the following entries until one's level
// drops below the open level; entries of other kinds are left out. The list's cursor is not
// moved.
std::vector<LaunchMenuItem> launchMenuModel(const EntryList& list);

}  // namespace diduzo
