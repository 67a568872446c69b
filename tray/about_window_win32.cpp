#include "tray/about_window_win32.h"

#include <richedit.h>

#include "app/events.h"
#include "base/system_library_win32.h"
#include "base/wide_win32.h"
#include "tray/about_text.h"
#include "tray/image_menu_win32.h"
#include "tray/themed_border_win32.h"
#include "tray/tray_win32.h"

namespace diduzo {

namespace {

constexpr wchar_t aboutClass[] = L"DiduzoAbout";
constexpr int clientWidth = 506;
constexpr int clientHeight = 217;
constexpr DWORD windowStyle = WS_CAPTION | WS_SYSMENU;

HWND theAboutWindow = nullptr;
HFONT textFont = nullptr;

void push(EventKind kind, int number, void* window) { events().push(Event{kind, number, window}); }

LRESULT CALLBACK aboutProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case trayCallbackMessage:
      switch (static_cast<UINT>(lParam)) {
        case WM_LBUTTONDOWN: push(EventKind::TrayPress, static_cast<int>(TrayButton::Left), window); break;
        case WM_RBUTTONDOWN: push(EventKind::TrayPress, static_cast<int>(TrayButton::Right), window); break;
        case WM_LBUTTONDBLCLK: push(EventKind::TrayPress, static_cast<int>(TrayButton::LeftDouble), window); break;
        case WM_RBUTTONDBLCLK: push(EventKind::TrayPress, static_cast<int>(TrayButton::RightDouble), window); break;
        default: break;  // moves, releases, the middle button
      }
      return 0;
    case WM_COMMAND:
      if (lParam == 0)
        push(EventKind::MenuCommand, LOWORD(wParam), nullptr);
      else
        push(EventKind::ControlEvent, LOWORD(wParam), reinterpret_cast<void*>(lParam));
      return 0;
    case WM_CLOSE:
      push(EventKind::CloseRequest, 0, window);  // the loop decides; never closes by itself
      return 0;
    case WM_MEASUREITEM:
      if (measureImageMenuItem(reinterpret_cast<MEASUREITEMSTRUCT*>(lParam))) return TRUE;
      break;
    case WM_DRAWITEM:
      if (drawImageMenuItem(reinterpret_cast<const DRAWITEMSTRUCT*>(lParam))) return TRUE;
      break;
    case WM_MENUCHAR: {
      LRESULT result = 0;
      if (imageMenuChar(wParam, lParam, result)) return result;
      break;
    }
    case WM_WININICHANGE:
      refreshMenuFont();
      break;
    default:
      if (message != 0 && message == taskbarCreatedMessage()) {
        addTrayIconAgain();
        return 0;
      }
      break;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

// The rich edit control's class, from the system directory's riched20.dll, else riched32.dll.
const wchar_t* richEditClass() {
  static const wchar_t* loaded = nullptr;
  if (!loaded) {
    if (loadSystemLibrary(L"riched20.dll"))
      loaded = L"RichEdit20W";
    else if (loadSystemLibrary(L"riched32.dll"))
      loaded = L"RichEdit";
  }
  return loaded;
}

void addControls(HWND window, HINSTANCE instance) {
  if (const wchar_t* cls = richEditClass()) {
    HWND text = CreateWindowExW(WS_EX_CLIENTEDGE, cls, L"",
                                WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL | WS_TABSTOP | ES_MULTILINE |
                                    ES_AUTOVSCROLL | ES_AUTOHSCROLL | ES_NOHIDESEL | ES_WANTRETURN | ES_READONLY,
                                5, 5, 496, 180, window, reinterpret_cast<HMENU>(aboutTextControl), instance, nullptr);
    if (text) {
      useThemedBorder(text);
      SendMessageW(text, EM_LIMITTEXT, 0x7FFFFFFE, 0);
      HDC screen = GetDC(nullptr);
      const int height = -MulDiv(10, GetDeviceCaps(screen, LOGPIXELSY), 72);
      ReleaseDC(nullptr, screen);
      if (!textFont)
        textFont = CreateFontW(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                               CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, L"Arial");
      if (textFont) SendMessageW(text, WM_SETFONT, reinterpret_cast<WPARAM>(textFont), FALSE);
      SetWindowTextW(text, wide(aboutText()).c_str());
    }
  }
  HWND ok = CreateWindowExW(0, L"Button", L"OK", WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_GROUP | BS_PUSHBUTTON, 213,
                            190, 80, 20, window, reinterpret_cast<HMENU>(aboutOkButton), instance, nullptr);
  if (ok) SendMessageW(ok, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
}

}  // namespace

HWND createAboutWindow(HINSTANCE instance) {
  if (theAboutWindow) return theAboutWindow;
  WNDCLASSEXW cls{};
  cls.cbSize = sizeof cls;
  cls.lpfnWndProc = aboutProc;
  cls.hInstance = instance;
  cls.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(1));
  cls.hIconSm = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(1), IMAGE_ICON, 16, 16, 0));
  cls.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
  cls.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  cls.lpszClassName = aboutClass;
  if (!RegisterClassExW(&cls) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) return nullptr;

  RECT outer{0, 0, clientWidth, clientHeight};
  AdjustWindowRectEx(&outer, windowStyle, FALSE, 0);
  const int width = outer.right - outer.left;
  const int height = outer.bottom - outer.top;
  const int left = width < GetSystemMetrics(SM_CXSCREEN) ? (GetSystemMetrics(SM_CXSCREEN) - width) / 2 : 0;
  const int top = height < GetSystemMetrics(SM_CYSCREEN) ? (GetSystemMetrics(SM_CYSCREEN) - height) / 2 : 0;
  HWND window = CreateWindowExW(0, aboutClass, wide(aboutTitle).c_str(), windowStyle, left, top, width, height,
                                nullptr, nullptr, instance, nullptr);
  if (!window) return nullptr;
  theAboutWindow = window;
  return window;
}

// The controls and their text are made when the window is first shown: start-up then does only
// what the first tray press needs (loading the rich edit library is most of the window's cost).
static void ensureControls() {
  static bool added = false;
  if (added || !theAboutWindow) return;
  added = true;
  addControls(theAboutWindow, reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(theAboutWindow, GWLP_HINSTANCE)));
}

HWND aboutWindow() { return theAboutWindow; }

void showAboutWindow() {
  if (!theAboutWindow) return;
  ensureControls();
  ShowWindow(theAboutWindow, SW_SHOWNORMAL);
  SetForegroundWindow(theAboutWindow);
}

void hideAboutWindow() {
  if (theAboutWindow) ShowWindow(theAboutWindow, SW_HIDE);
}

void destroyAboutWindow() {
  if (theAboutWindow) DestroyWindow(theAboutWindow);
  theAboutWindow = nullptr;
}

}  // namespace diduzo
