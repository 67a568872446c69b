// The themed edit border for controls that do not draw one themselves (the rich edit).
#pragma once

#include <windows.h>

namespace diduzo {

// Draws the visual style's edit border over the control's WS_EX_CLIENTEDGE frame whenever visual
// styles are active; without them the plain client edge stays. The theme library is loaded at
// run time from the system directory.
void useThemedBorder(HWND control);

}  // namespace diduzo
