#include "tray/tray_win32.h"

#include <shellapi.h>

#include <cwchar>

#include "base/system_library_win32.h"
#include "base/wide_win32.h"
#include "tray/image_menu_win32.h"
#include "tray/tray_text.h"

namespace diduzo {

namespace {

const unsigned char trayImage[] = {
#include "res/tray_image.inc"
};

HWND trayWindow = nullptr;
HICON trayIcon = nullptr;
HMENU theTrayMenu = nullptr;
UINT taskbarCreated = 0;

NOTIFYICONDATAW iconData() {
  NOTIFYICONDATAW data{};
  data.cbSize = sizeof data;
  data.hWnd = trayWindow;
  data.uID = trayIconId;
  return data;
}

bool addIcon() {
  NOTIFYICONDATAW data = iconData();
  data.uFlags = NIF_ICON | NIF_MESSAGE;
  data.uCallbackMessage = trayCallbackMessage;
  data.hIcon = trayIcon;
  const bool added = Shell_NotifyIconW(NIM_ADD, &data) != FALSE;

  NOTIFYICONDATAW tip = iconData();
  tip.uFlags = NIF_TIP;
  const std::wstring text = wide(trayTooltip());
  wcsncpy(tip.szTip, text.c_str(), sizeof tip.szTip / sizeof tip.szTip[0] - 1);
  Shell_NotifyIconW(NIM_MODIFY, &tip);
  return added;
}

HICON shellIcon(const std::wstring& shell32, int index) {
  if (shell32.empty()) return nullptr;
  HICON icon = ExtractIconW(GetModuleHandleW(nullptr), shell32.c_str(), static_cast<UINT>(index));
  // 1 means the file holds no icons.
  return reinterpret_cast<UINT_PTR>(icon) > 1 ? icon : nullptr;
}

void buildTrayMenu() {
  theTrayMenu = createImageMenu(true);
  if (!theTrayMenu) return;
  const std::wstring shell32 = systemFilePath(L"shell32.dll");
  for (const TrayMenuRow& row : trayMenuRows) {
    if (row.id == 0)
      appendImageSeparator(theTrayMenu);
    else
      appendImageItem(theTrayMenu, static_cast<UINT>(row.id), row.text,
                      row.iconIndex >= 0 ? shellIcon(shell32, row.iconIndex) : nullptr);
  }
  setOption(cmdEndOption, true);
  setOption(cmdRunOption, true);
}

}  // namespace

bool setUpTray(HWND aboutWindow) {
  trayWindow = aboutWindow;
  taskbarCreated = RegisterWindowMessageW(L"TaskbarCreated");
  trayIcon = CreateIconFromResourceEx(const_cast<PBYTE>(trayImage), sizeof trayImage, TRUE, 0x00030000, 16, 16,
                                      LR_DEFAULTCOLOR);
  const bool added = addIcon();
  buildTrayMenu();
  createLaunchMenuPlaceholder();
  return added;
}

HMENU trayMenu() { return theTrayMenu; }

bool isOptionOn(int id) {
  MENUITEMINFOW info{};
  info.cbSize = sizeof info;
  info.fMask = MIIM_STATE;
  if (!theTrayMenu || !GetMenuItemInfoW(theTrayMenu, static_cast<UINT>(id), FALSE, &info)) return false;
  return (info.fState & MFS_CHECKED) != 0;
}

void setOption(int id, bool on) {
  MENUITEMINFOW info{};
  info.cbSize = sizeof info;
  info.fMask = MIIM_STATE;
  if (!theTrayMenu || !GetMenuItemInfoW(theTrayMenu, static_cast<UINT>(id), FALSE, &info)) return;
  info.fState = on ? (info.fState | MFS_CHECKED) : (info.fState & ~static_cast<UINT>(MFS_CHECKED));
  SetMenuItemInfoW(theTrayMenu, static_cast<UINT>(id), FALSE, &info);
}

void toggleOption(int id) { setOption(id, !isOptionOn(id)); }

void showMenuAtCursor(HMENU menu, HWND owner) {
  if (!menu) return;
  POINT at{};
  GetCursorPos(&at);
  SetForegroundWindow(owner);
  TrackPopupMenu(menu, TPM_RIGHTBUTTON, at.x - 1, at.y - 1, 0, owner, nullptr);
  // Lets the menu close properly when the user clicks elsewhere next time.
  PostMessageW(owner, WM_NULL, 0, 0);
}

void removeTrayIcon() {
  if (!trayWindow) return;
  NOTIFYICONDATAW data = iconData();
  Shell_NotifyIconW(NIM_DELETE, &data);
  trayWindow = nullptr;
}

UINT taskbarCreatedMessage() { return taskbarCreated; }

void addTrayIconAgain() {
  if (trayWindow) addIcon();
}

}  // namespace diduzo
