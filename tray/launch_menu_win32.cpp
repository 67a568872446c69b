#include "tray/launch_menu_win32.h"

#include <shellapi.h>

#include "base/wide_win32.h"
#include "tray/image_menu_win32.h"
#include "tray/launch_menu.h"
#include "tray/tray_text.h"

namespace diduzo {

namespace {

HMENU theLaunchMenu = nullptr;

constexpr wchar_t placeholderText[] = L"(empty)";

bool holdsOnlyPlaceholder(HMENU menu) {
  return menu && GetMenuItemCount(menu) == 1 && GetMenuItemID(menu, 0) == static_cast<UINT>(launchMenuFirstId) &&
         (GetMenuState(menu, 0, MF_BYPOSITION) & MF_GRAYED);
}

void appendItems(HMENU menu, const std::vector<LaunchMenuItem>& items) {
  for (const LaunchMenuItem& item : items) {
    switch (item.kind) {
      case LaunchMenuItem::Kind::Command:
        appendImageItem(menu, static_cast<UINT>(item.id), item.text, static_cast<HICON>(item.icon));
        break;
      case LaunchMenuItem::Kind::Separator:
        appendImageSeparator(menu);
        break;
      case LaunchMenuItem::Kind::Submenu:
        if (HMENU submenu = appendImageSubmenu(menu, item.text)) appendItems(submenu, item.items);
        break;
    }
  }
}

}  // namespace

HMENU launchMenu() { return theLaunchMenu; }

void createLaunchMenuPlaceholder() {
  destroyLaunchMenu();
  theLaunchMenu = createImageMenu(true);
  if (!theLaunchMenu) return;
  appendImageItem(theLaunchMenu, launchMenuFirstId, u"(empty)", nullptr);
  EnableMenuItem(theLaunchMenu, launchMenuFirstId, MF_BYCOMMAND | MF_GRAYED);
}

void rebuildLaunchMenu(EntryList& list) {
  if (list.size() == 0) {
    if (holdsOnlyPlaceholder(theLaunchMenu)) return;
    destroyLaunchMenu();
    // Drawn by the system: no image menu for the bare placeholder.
    theLaunchMenu = CreatePopupMenu();
    if (!theLaunchMenu) return;
    AppendMenuW(theLaunchMenu, MF_STRING, launchMenuFirstId, placeholderText);
    EnableMenuItem(theLaunchMenu, launchMenuFirstId, MF_BYCOMMAND | MF_GRAYED);
    return;
  }
  destroyLaunchMenu();
  theLaunchMenu = createImageMenu(true);
  if (!theLaunchMenu) return;
  // The model is made by index, so the list's current entry stays where it was.
  appendItems(theLaunchMenu, launchMenuModel(list));
}

void destroyLaunchMenu() {
  destroyImageMenu(theLaunchMenu);
  theLaunchMenu = nullptr;
}

IconHandle smallFileIcon(const Text& path) {
  SHFILEINFOW info{};
  if (!SHGetFileInfoW(wide(path).c_str(), FILE_ATTRIBUTE_NORMAL, &info, sizeof info, SHGFI_ICON | SHGFI_SMALLICON))
    return nullptr;
  return info.hIcon;
}

}  // namespace diduzo
