// The program's own message window: a question or notice sized to its text.
#pragma once

#include <windows.h>

#include "base/text.h"

namespace diduzo {

// Shows `text` under `title` with a button set (0 "Ok", 4 "Yes" "No", 3 "Yes" "No" "Cancel",
// -1 none), centred over `owner` when that is a window, else on the screen. Waits, dropping every
// other event, until one of its buttons is pressed and returns that button's value (0, 6, 7, 2).
// With -1 it returns the open window at once; the caller destroys it. When the window cannot be
// made it does not wait: -1 gives 0 and the other sets their refusal (0, 7, 2).
INT_PTR showMessage(const Text& title, const Text& text, int buttonSet, HWND owner);

}  // namespace diduzo
