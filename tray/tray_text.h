// The tray icon's tooltip and the rows of the tray menu.
#pragma once

#include <cstddef>

#include "base/text.h"

namespace diduzo {

// The longest tooltip the notification area is given.
constexpr std::size_t maxTooltipLength = 63;

// The first 63 UTF-16 units of `text`.
Text cutTooltip(TextView text);

// The three lines of the tray icon's tooltip, joined by CR alone.
Text trayTooltip();

// Command ids of the tray menu; launch menu items start at launchMenuFirstId.
enum TrayCommand : int { cmdExit = 1, cmdHelpAbout = 2, cmdSetApplications = 3, cmdEndOption = 4, cmdRunOption = 5 };
constexpr int launchMenuFirstId = 10;

// One row of the tray menu: id 0 is a separator; iconIndex indexes the system's shell32.dll
// (-1: no icon).
struct TrayMenuRow {
  int id;
  const char16_t* text;
  int iconIndex;
};
extern const TrayMenuRow trayMenuRows[7];

}  // namespace diduzo
