// The tray icon with its tooltip, the tray menu with the two options, and showing popup menus.
#pragma once

#include <windows.h>

#include "tray/launch_menu_win32.h"

namespace diduzo {

// The tray icon's callback message and id.
constexpr UINT trayCallbackMessage = 12501;
constexpr UINT trayIconId = 1;

// Adds the icon owned by `aboutWindow`, sets its tooltip, builds the tray menu with both options
// checked and the launch menu with its placeholder. False when the icon could not be added (the
// menus are made all the same).
bool setUpTray(HWND aboutWindow);

// The tray menu (null before setUpTray).
HMENU trayMenu();

// The END (4) and RUN (5) options: the check marks of the tray menu's items.
bool isOptionOn(int id);
void setOption(int id, bool on);
void toggleOption(int id);

// Shows a popup menu at the mouse position; returns when it has closed. A chosen item reaches
// the owner as WM_COMMAND.
void showMenuAtCursor(HMENU menu, HWND owner);

// Removes the icon from the notification area.
void removeTrayIcon();

// The registered "TaskbarCreated" message (0 before setUpTray): the notification area was made
// again, and addTrayIconAgain puts the icon back with its tooltip.
UINT taskbarCreatedMessage();
void addTrayIconAgain();

}  // namespace diduzo
