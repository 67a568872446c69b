// Keyboard focus moves for the program's own windows.
#pragma once

#include <windows.h>

namespace diduzo {

// Tab and Shift+Tab move the focus to the next or previous enabled, visible control with
// WS_TABSTOP of the window the key was typed in, wrapping around; also out of the multi-line
// About text, which would keep the key for itself. The dialog manager is not used: its Enter
// would send WM_COMMAND IDOK (1), which the About window cannot tell from the menu command
// "Exit". True when the message was used.
inline bool moveFocusOnTab(const MSG& msg) {
  if (msg.message != WM_KEYDOWN || msg.wParam != VK_TAB || !msg.hwnd) return false;
  HWND root = GetAncestor(msg.hwnd, GA_ROOT);
  if (!root) return false;
  HWND next = GetNextDlgTabItem(root, msg.hwnd == root ? nullptr : msg.hwnd, GetKeyState(VK_SHIFT) < 0);
  if (!next) return false;
  SetFocus(next);
  return true;
}

}  // namespace diduzo
