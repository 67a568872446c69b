// Launching entries: the chosen one, the ones marked to run at start, and closing the tracked
// applications at exit.
#pragma once

#include "entries/entry_list.h"
#include "launch/expand.h"
#include "launch/starter.h"

namespace diduzo {

// Where the program runs from: its folder (ending in a backslash) and the drive of it.
struct ProgramPlace {
  Text programDir;
  Text driveSpec;
};

// What launching reaches besides processes and the environment.
class LaunchHost {
 public:
  virtual ~LaunchHost() = default;
  virtual bool isOptionOn(int item) = 0;
  virtual Environment& environment() = 0;
  virtual Processes& processes() = 0;
  // The "Starting..." notice, open while a tracked start waits for its window.
  virtual void* openNotice(const Text& title, const Text& text) = 0;
  virtual void closeNotice(void* notice) = 0;
  // Asks another program's window to close (WM_SYSCOMMAND, SC_CLOSE), without waiting.
  virtual void askToClose(WindowHandle window) = 0;
  virtual void destroyIcon(IconHandle icon) = 0;
};

// The command, parameters and working directory of an entry, absolute and expanded.
struct LaunchTexts {
  Text file;
  Text parameters;
  Text workingDir;
};
LaunchTexts launchTextsOf(const LaunchEntry& entry, const ProgramPlace& place, Environment& environment);

void launchCurrentEntry(EntryList& list, const ProgramPlace& place, LaunchHost& host);
void runStartEntries(EntryList& list, const ProgramPlace& place, LaunchHost& host);
void closeTrackedApplications(EntryList& list, LaunchHost& host);

}  // namespace diduzo
