#include "app/message_window_win32.h"

#include "app/keyboard_win32.h"

#include <vector>

#include "app/events.h"
#include "app/message_layout.h"
#include "base/wide_win32.h"

namespace diduzo {

namespace {

constexpr wchar_t messageClass[] = L"DiduzoMessage";
constexpr DWORD windowStyle = WS_CAPTION;
constexpr int firstButtonId = 100;

LRESULT CALLBACK messageProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      if (lParam != 0) events().push(Event{EventKind::ControlEvent, LOWORD(wParam), reinterpret_cast<void*>(lParam)});
      return 0;
    case WM_CLOSE:
      events().push(Event{EventKind::CloseRequest, 0, window});
      return 0;
    default:
      return DefWindowProcW(window, message, wParam, lParam);
  }
}

bool registerClass(HINSTANCE instance) {
  WNDCLASSEXW cls{};
  cls.cbSize = sizeof cls;
  cls.lpfnWndProc = messageProc;
  cls.hInstance = instance;
  cls.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
  cls.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  cls.lpszClassName = messageClass;
  return RegisterClassExW(&cls) || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

MessageLayout measuredLayout(const Text& text, int buttonCount) {
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = dc ? SelectObject(dc, GetStockObject(SYSTEM_FONT)) : nullptr;
  const MeasureText measure = [dc](TextView part) {
    SIZE size{0, 0};
    if (dc && !part.empty())
      GetTextExtentPoint32W(dc, reinterpret_cast<const wchar_t*>(part.data()), static_cast<int>(part.size()), &size);
    return static_cast<int>(size.cx);
  };
  MessageLayout layout = layoutMessage(text, buttonCount, GetSystemMetrics(SM_CXSCREEN), measure);
  if (dc) {
    SelectObject(dc, old);
    DeleteDC(dc);
  }
  return layout;
}

}  // namespace

INT_PTR showMessage(const Text& title, const Text& text, int buttonSet, HWND owner) {
  const INT_PTR refusal = buttonSet == -1 ? 0 : messageRefusal(buttonSet);
  HINSTANCE instance = GetModuleHandleW(nullptr);
  if (!registerClass(instance)) return refusal;
  if (owner && !IsWindow(owner)) owner = nullptr;

  const std::vector<MessageButton> buttons = messageButtons(buttonSet);
  const MessageLayout layout = measuredLayout(text, static_cast<int>(buttons.size()));
  RECT outer{0, 0, layout.clientWidth, layout.clientHeight};
  AdjustWindowRectEx(&outer, windowStyle, FALSE, 0);
  const int width = outer.right - outer.left;
  const int height = outer.bottom - outer.top;
  MessagePoint at;
  RECT ownerRect{};
  if (owner && GetWindowRect(owner, &ownerRect))
    at = centreOverOwner({ownerRect.left, ownerRect.top, ownerRect.right - ownerRect.left, ownerRect.bottom - ownerRect.top},
                         width, height);
  else
    at = centreOnScreen(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), width, height);

  HWND window = CreateWindowExW(0, messageClass, wide(title).c_str(), windowStyle, at.left, at.top, width, height,
                                owner, nullptr, instance, nullptr);
  if (!window) return refusal;
  HFONT font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  // The children come first, so that the window never shows empty.
  HWND label = CreateWindowExW(0, L"Static", wide(layout.shownText).c_str(), WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX,
                               layout.label.left, layout.label.top, layout.label.width, layout.label.height, window,
                               nullptr, instance, nullptr);
  if (label) SendMessageW(label, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  std::vector<HWND> pressable;
  for (std::size_t i = 0; i < buttons.size(); ++i) {
    const MessageRect& r = layout.buttons[i];
    HWND button = CreateWindowExW(0, L"Button", wide(buttons[i].text).c_str(),
                                  WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, r.left, r.top, r.width, r.height,
                                  window, reinterpret_cast<HMENU>(static_cast<INT_PTR>(firstButtonId + i)), instance,
                                  nullptr);
    if (!button) {
      // Without all of its buttons the question could never be answered.
      DestroyWindow(window);
      return refusal;
    }
    SendMessageW(button, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    pressable.push_back(button);
  }
  ShowWindow(window, SW_SHOWNORMAL);
  if (buttons.empty()) return reinterpret_cast<INT_PTR>(window);

  // The nested wait: every event but a press of one of these buttons is dropped.
  INT_PTR result = refusal;
  for (bool answered = false; !answered;) {
    Event event;
    while (!answered && events().pop(event)) {
      if (event.kind != EventKind::ControlEvent) continue;
      for (std::size_t i = 0; i < pressable.size(); ++i)
        if (event.window == pressable[i]) {
          result = buttons[i].result;
          answered = true;
        }
    }
    if (answered || !IsWindow(window)) break;
    MSG msg;
    const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0) {
      PostQuitMessage(static_cast<int>(msg.wParam));  // leave the quit to the outer loop
      break;
    }
    if (got == -1) break;
    if (moveFocusOnTab(msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  events().clear();
  if (IsWindow(window)) DestroyWindow(window);
  return result;
}

}  // namespace diduzo
