// The least a tray program does: a hidden window, one notification-area icon whose right press
// opens a popup menu, a message loop. Start-up figures of Diduzo are measured against it.
#include <windows.h>
#include <shellapi.h>

namespace {

HMENU menu;

LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_APP && lParam == WM_RBUTTONDOWN) {
    POINT at;
    GetCursorPos(&at);
    SetForegroundWindow(window);
    TrackPopupMenu(menu, TPM_RIGHTBUTTON, at.x - 1, at.y - 1, 0, window, nullptr);
    return 0;
  }
  if (message == WM_CLOSE) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

// With "ask" on its command line it first asks a question in a standard message box, as a
// program does at its first start.
int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandLine, int) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = procedure;
  wc.hInstance = instance;
  wc.lpszClassName = L"BaselineTray";
  RegisterClassW(&wc);
  HWND window = CreateWindowExW(0, L"BaselineTray", L"Baseline", WS_CAPTION, 0, 0, 100, 100, nullptr, nullptr, instance, nullptr);
  menu = CreatePopupMenu();
  AppendMenuW(menu, MF_STRING, 1, L"Exit");
  NOTIFYICONDATAW data{};
  data.cbSize = sizeof data;
  data.hWnd = window;
  data.uID = 1;
  data.uFlags = NIF_ICON | NIF_MESSAGE | NIF_TIP;
  data.uCallbackMessage = WM_APP;
  data.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
  lstrcpyW(data.szTip, L"Baseline");
  Shell_NotifyIconW(NIM_ADD, &data);
  if (commandLine && wcsstr(commandLine, L"ask"))
    MessageBoxW(nullptr, L"There are no applications defined yet. Do you want to set them now?", L"Question", MB_YESNO);
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
  Shell_NotifyIconW(NIM_DELETE, &data);
  return 0;
}
