#include "tray/tray_text.h"

namespace diduzo {

Text cutTooltip(TextView text) { return Text(text.substr(0, maxTooltipLength)); }

Text trayTooltip() {
  return cutTooltip(u"Diduzo\rLeft-Click -> Launch Apps\rRight-Click -> Help/About/Exit");
}

const TrayMenuRow trayMenuRows[7] = {
    {cmdEndOption, u"Activate automatic END on exit", -1},
    {cmdRunOption, u"Activate automatic RUN on start", -1},
    {0, nullptr, -1},
    {cmdSetApplications, u"Set Applications", 69},
    {cmdHelpAbout, u"Help/About", 23},
    {0, nullptr, -1},
    {cmdExit, u"Exit", 27},
};

}  // namespace diduzo
