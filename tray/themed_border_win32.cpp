#include "tray/themed_border_win32.h"

#include <commctrl.h>
#include <vsstyle.h>

#include "base/system_library_win32.h"

namespace diduzo {

namespace {

using HTheme = HANDLE;

struct ThemeLibrary {
  bool loaded = false;
  BOOL(WINAPI* isThemeActive)() = nullptr;
  BOOL(WINAPI* isAppThemed)() = nullptr;
  HTheme(WINAPI* openThemeData)(HWND, LPCWSTR) = nullptr;
  HRESULT(WINAPI* closeThemeData)(HTheme) = nullptr;
  HRESULT(WINAPI* drawThemeBackground)(HTheme, HDC, int, int, const RECT*, const RECT*) = nullptr;
};

template <typename F>
void take(HMODULE module, const char* name, F& out) {
  // Through the generic function type, which function pointer casts may use without a warning.
  out = reinterpret_cast<F>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

ThemeLibrary& themes() {
  static ThemeLibrary library;
  if (!library.loaded) {
    library.loaded = true;
    if (HMODULE module = loadSystemLibrary(L"uxtheme.dll")) {
      take(module, "IsThemeActive", library.isThemeActive);
      take(module, "IsAppThemed", library.isAppThemed);
      take(module, "OpenThemeData", library.openThemeData);
      take(module, "CloseThemeData", library.closeThemeData);
      take(module, "DrawThemeBackground", library.drawThemeBackground);
    }
  }
  return library;
}

bool stylesActive() {
  const ThemeLibrary& t = themes();
  return t.isThemeActive && t.isAppThemed && t.openThemeData && t.closeThemeData && t.drawThemeBackground &&
         t.isThemeActive() && t.isAppThemed();
}

void drawBorder(HWND control) {
  HTheme theme = themes().openThemeData(control, L"Edit");
  if (!theme) return;
  HDC dc = GetWindowDC(control);
  if (dc) {
    RECT outer{};
    GetWindowRect(control, &outer);
    OffsetRect(&outer, -outer.left, -outer.top);
    // Only the client edge's frame: the scroll bars inside it are left as the control drew them.
    RECT inner = outer;
    InflateRect(&inner, -GetSystemMetrics(SM_CXEDGE), -GetSystemMetrics(SM_CYEDGE));
    ExcludeClipRect(dc, inner.left, inner.top, inner.right, inner.bottom);
    const int state = IsWindowEnabled(control) ? ETS_READONLY : ETS_DISABLED;
    themes().drawThemeBackground(theme, dc, EP_EDITTEXT, state, &outer, nullptr);
    ReleaseDC(control, dc);
  }
  themes().closeThemeData(theme);
}

LRESULT CALLBACK borderProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
  if (message == WM_NCPAINT) {
    const LRESULT result = DefSubclassProc(control, message, wParam, lParam);
    if (stylesActive()) drawBorder(control);
    return result;
  }
  if (message == WM_NCDESTROY) RemoveWindowSubclass(control, borderProc, 1);
  return DefSubclassProc(control, message, wParam, lParam);
}

}  // namespace

void useThemedBorder(HWND control) {
  if (control) SetWindowSubclass(control, borderProc, 1, 0);
}

}  // namespace diduzo
