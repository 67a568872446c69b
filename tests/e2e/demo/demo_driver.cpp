// Shows Diduzo at work without a person: starts it in the demo folder, opens the launch menu
// with its group and the tray menu, takes pictures of both, and ends it through "Exit".
#include <windows.h>

#include <cstdio>
#include <string>

#include "tests/e2e/support/e2e_win32.h"

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: demo_driver FOLDER\n");
    return 2;
  }
  std::wstring folder = argv[1];
  if (folder.back() != L'\\') folder += L'\\';
  e2e::Child diduzo;
  if (!diduzo.start(L"\"" + folder + L"Diduzo.exe\"", folder)) {
    std::fprintf(stderr, "demo: Diduzo.exe did not start\n");
    return 1;
  }
  HWND about = e2e::waitForWindowOf(diduzo.id(), L"DiduzoAbout", false, 30000);
  if (!about) {
    std::fprintf(stderr, "demo: no tray window appeared\n");
    return 1;
  }
  const e2e::TrayDriver tray(diduzo.id(), about);
  bool ok = true;
  if (tray.press(WM_LBUTTONDOWN)) {
    tray.letter(L't');  // opens the "Tools" group
    tray.waitForMenus(2);
    ok = e2e::screenshot(L"launch-menu") && ok;
    tray.key(VK_ESCAPE);
    tray.waitForMenus(1);
    tray.key(VK_ESCAPE);
    tray.waitForMenus(0);
  } else {
    ok = false;
  }
  if (tray.press(WM_RBUTTONDOWN)) {
    ok = e2e::screenshot(L"tray-menu") && ok;
    tray.letter(L'e');  // "Exit"
  } else {
    ok = false;
  }
  const long code = diduzo.waitForExit(15000);
  std::printf("demo: Diduzo ended with exit code %ld\n", code);
  return ok && code == 0 ? 0 : 1;
}
