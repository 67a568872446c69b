// Handing files to Windows: an untracked start that falls back to the shell, and a tracked start
// of an executable that waits for its main window.
#pragma once

#include "base/text.h"
#include "entries/entry_list.h"

namespace diduzo {

// A process created through the seam, held until released.
struct ProcessRef {
  unsigned long id = 0;
  void* handle = nullptr;
};

// What the starter needs of the system: Win32 in the program, a recording fake in the tests.
class Processes {
 public:
  virtual ~Processes() = default;
  // Creates a process with the starter's fixed settings (shown normally, normal priority, no
  // inherited handles, the launcher's environment). An empty application or directory means
  // none is given. On success `out` holds the process until `release`.
  virtual bool create(const Text& application, const Text& commandLine, const Text& directory,
                      ProcessRef& out) = 0;
  // Opens the file with its type's default verb, without error dialogs; an empty directory
  // means none.
  virtual bool shellOpen(const Text& file, const Text& parameters, const Text& directory) = 0;
  virtual void sleep(unsigned milliseconds) = 0;
  // Waits until the process is ready for input, or the time is up, or it cannot tell.
  virtual void waitForInputIdle(const ProcessRef& process, unsigned milliseconds) = 0;
  // One walk over the top-level windows in Z order: the first one of that process that has no
  // parent, or none.
  virtual WindowHandle firstTopLevelWindowOf(unsigned long processId) = 0;
  // Upper case as the system's user interface converts it.
  virtual Text upperCase(TextView text) = 0;
  virtual void release(ProcessRef& process) = 0;
};

// Timing of the tracked start.
inline constexpr unsigned kPauseAfterCreation = 100;
inline constexpr unsigned kInputIdleTimeout = 30000;
inline constexpr int kWindowSearchAttempts = 100;
inline constexpr unsigned kPauseBeforeAttempt = 100;

// The command line of an untracked start: the file in double quotes (unless it starts with one),
// then a space and the parameters when there are any.
Text commandLineFor(TextView file, TextView parameters);

// Starts the file as a process, or else opens it through the shell (in the working directory,
// or the file's own folder when none is given). True when either worked. Does not wait.
bool runProgram(Processes& processes, TextView file, TextView parameters, TextView workingDir);

// A tracked start: an "EXE" file is started directly and its first top-level window without
// a parent is returned once it appears (up to about 40 s); anything else goes through
// runProgram and gives none.
WindowHandle startProgram(Processes& processes, TextView file, TextView parameters, TextView workingDir);

// The real processes and windows (Windows builds only).
Processes& systemProcesses();

}  // namespace diduzo
