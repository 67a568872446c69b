// Image menus: popup menus whose items are all owner-drawn, so that an icon can stand left of
// the text. The owner window forwards WM_MEASUREITEM, WM_DRAWITEM and WM_MENUCHAR here.
#pragma once

#include <windows.h>

#include "base/text.h"

namespace diduzo {

// A new, empty image menu. Letters typed choose items only in a top-level menu.
HMENU createImageMenu(bool topLevel);
// Appends an item (the icon is drawn, never owned), a separator, or a submenu item with a new
// image submenu, which is returned (null on failure).
bool appendImageItem(HMENU menu, UINT id, TextView text, HICON icon);
bool appendImageSeparator(HMENU menu);
HMENU appendImageSubmenu(HMENU menu, TextView text);
// Destroys the menu with its submenus (any menu: plain ones too); icons are left alone.
void destroyImageMenu(HMENU menu);

// What an image menu's item at `position` shows; false when it is no image menu item.
struct ImageItemView {
  Text text;
  HICON icon = nullptr;
  bool separator = false;
};
bool imageMenuItem(HMENU menu, UINT position, ImageItemView& out);

// Takes the system's menu font again (after WM_WININICHANGE).
void refreshMenuFont();

// The owner window's handlers; false when the message is not about an image menu.
bool measureImageMenuItem(MEASUREITEMSTRUCT* item);
bool drawImageMenuItem(const DRAWITEMSTRUCT* item);
bool imageMenuChar(WPARAM wParam, LPARAM lParam, LRESULT& result);

}  // namespace diduzo
