// The About window: the program's description with an "OK" button. Hidden or shown, it lives for
// the whole run, owns the tray icon and receives both popup menus' commands.
#pragma once

#include <windows.h>

namespace diduzo {

// Control numbers of the About window.
constexpr int aboutOkButton = 23;
constexpr int aboutTextControl = 28;

// Creates the window hidden and centred on the screen, with its text; null when it cannot.
HWND createAboutWindow(HINSTANCE instance);

// The window made by createAboutWindow (null before, or when it failed).
HWND aboutWindow();

// Shows and activates it where it was last; hides it.
void showAboutWindow();
void hideAboutWindow();

// Destroys it (at exit).
void destroyAboutWindow();

}  // namespace diduzo
