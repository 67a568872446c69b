#include "tray/launch_menu.h"

#include "tray/tray_text.h"

namespace diduzo {

namespace {
constexpr std::size_t kLastMenuId = 0xFFFF;
}  // namespace

std::vector<LaunchMenuItem> launchMenuModel(const EntryList& list) {
  std::vector<LaunchMenuItem> top;
  // The chain of open submenus; the back is where the next item goes.
  std::vector<std::vector<LaunchMenuItem>*> open{&top};
  int mark = -1;  // the level that items of the innermost open submenu are expected at
  for (std::size_t i = 0; i < list.size(); ++i) {
    const LaunchEntry& entry = *list.at(i);
    if (entry.level < mark) {
      // Close (mark - level) submenus, but never the top level.
      for (int n = mark - entry.level; n > 0 && open.size() > 1; --n) open.pop_back();
      mark = entry.level;
    }
    std::vector<LaunchMenuItem>& into = *open.back();
    LaunchMenuItem item;
    if (entry.is(EntryKind::Application) || entry.is(EntryKind::Folder)) {
      // A menu command carries 16 bits: an entry beyond them could only launch another one.
      if (launchMenuFirstId + i > kLastMenuId) continue;
      item.kind = LaunchMenuItem::Kind::Command;
      item.id = launchMenuFirstId + static_cast<int>(i);
      item.text = entry.name;
      item.icon = entry.icon;
      into.push_back(std::move(item));
    } else if (entry.is(EntryKind::Separator)) {
      item.kind = LaunchMenuItem::Kind::Separator;
      into.push_back(std::move(item));
    } else if (entry.is(EntryKind::Group)) {
      item.kind = LaunchMenuItem::Kind::Submenu;
      item.text = entry.name;
      into.push_back(std::move(item));
      open.push_back(&into.back().items);
      mark = entry.level + 1;
    }
  }
  return top;
}

}  // namespace diduzo
