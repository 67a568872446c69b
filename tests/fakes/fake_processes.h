// A process seam for tests: records every creation, shell call, pause, wait and window walk in
// order, with a clock that only the pauses move; creation, the shell and the window that a walk
// finds are set by the test.
#pragma once

#include <map>
#include <vector>

#include "launch/expand.h"
#include "launch/starter.h"

namespace diduzo::fakes {

enum class ProcessOp { Create, Shell, Sleep, WaitIdle, Walk, Release };

struct ProcessCall {
  ProcessOp op;
  Text application;  // Create
  Text commandLine;  // Create; Shell: the parameters
  Text directory;    // Create, Shell
  Text file;         // Shell
  unsigned milliseconds = 0;  // Sleep, WaitIdle
  unsigned long processId = 0;  // WaitIdle, Walk, Release
  unsigned long now = 0;  // the clock when the call was made
};

class FakeProcesses : public Processes {
 public:
  // What the system does.
  bool createWorks = true;
  bool shellWorks = true;
  unsigned long nextProcessId = 4242;
  // The window each process's walks find, from its `windowFromWalk`-th walk on (1 = the first).
  std::map<unsigned long, WindowHandle> windowOf;
  int windowFromWalk = 1;

  // What the code did.
  std::vector<ProcessCall> calls;
  unsigned long now = 0;
  int openHandles = 0;

  std::vector<ProcessCall> callsOf(ProcessOp op) const;
  int walks() const { return static_cast<int>(callsOf(ProcessOp::Walk).size()); }

  bool create(const Text& application, const Text& commandLine, const Text& directory, ProcessRef& out) override;
  bool shellOpen(const Text& file, const Text& parameters, const Text& directory) override;
  void sleep(unsigned milliseconds) override;
  void waitForInputIdle(const ProcessRef& process, unsigned milliseconds) override;
  WindowHandle firstTopLevelWindowOf(unsigned long processId) override;
  Text upperCase(TextView text) override;
  void release(ProcessRef& process) override;
};

// Environment variables from a table; every lookup is recorded.
class FakeEnvironment : public Environment {
 public:
  std::map<Text, Text> values;
  std::vector<Text> lookups;
  Text get(const Text& name) override;
};

}  // namespace diduzo::fakes
