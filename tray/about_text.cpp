#include "tray/about_text.h"

#include <iterator>

namespace diduzo {

const char16_t aboutTitle[] = u"Help/About - Diduzo v1.6.0";

namespace {

const char16_t* const aboutLines[] = {
    u"Diduzo - a small and easy usable application launcher for your USB stick",
    u"",
    u"Description:",
    u"  Diduzo is made to be easy to use and as small as possible.",
    u"  It takes only a few kilobytes of your USB stick and is well suited",
    u"  for a mobile office that you carry around on a USB stick.",
    u"",
    u"Special features:",
    u"  * Applications can be organised into groups",
    u"  * Separators give a better overview",
    u"  * Paths to applications and working directories are stored relative",
    u"    to the location of 'Diduzo.exe'; '\\' for the current drive is allowed too",
    u"  * Environment variables within paths, applications and options are",
    u"    replaced automatically (for example '%windir%' becomes 'C:\\windows')",
    u"  * Started applications can optionally be closed when Diduzo exits",
    u"  * After start only an additional tray icon is seen",
    u"  * Applications, folders and other files that open with their",
    u"    associated applications are supported",
    u"  * Applications, folders and files can be run or opened at program start",
    u"",
    u"Usage:",
    u"  A left click on the tray icon opens a popup menu with the defined",
    u"  applications; choosing an item starts it.",
    u"  A right click opens another popup menu, where the applications are set",
    u"  and configured.",
    u"  There you also choose whether marked started applications are closed",
    u"  on exit; a check mark shows that this option is on.",
    u"  Opened files of types other than .exe are not closed automatically.",
    u"  A further option switches the automatic run of marked applications on",
    u"  and off as a whole; while it is off, automatic run cannot be switched",
    u"  on when setting up the applications.",
    u"",
    u"",
    u"",
    u"Copyright (C) 2026 the Diduzo authors.",
    u"Diduzo is free to use and to copy; it comes without any warranty.",
};
static_assert(std::size(aboutLines) == 36, "the description has 36 lines");

}  // namespace

Text aboutText() {
  Text text;
  for (const char16_t* line : aboutLines) {
    text += line;
    text += u"\r\n";
  }
  return text;
}

}  // namespace diduzo
