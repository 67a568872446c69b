#include "launch/starter.h"

#include "launch/paths.h"

namespace diduzo {

namespace {

// The folder the shell opens a file in when no working directory is given: the file's text up
// to its last backslash, unless that is its first character.
Text shellDirectoryFor(TextView file) {
  const std::size_t slash = file.find_last_of(u'\\');
  return slash == TextView::npos || slash == 0 ? Text() : Text(file.substr(0, slash + 1));
}

}  // namespace

Text commandLineFor(TextView file, TextView parameters) {
  Text line;
  if (!file.empty() && file[0] == u'"') {
    line = Text(file);
  } else {
    line = u"\"";
    line += file;
    line += u'"';
  }
  if (!parameters.empty()) {
    line += u' ';
    line += parameters;
  }
  return line;
}

bool runProgram(Processes& processes, TextView file, TextView parameters, TextView workingDir) {
  ProcessRef started;
  if (processes.create(Text(), commandLineFor(file, parameters), Text(workingDir), started)) {
    processes.release(started);
    return true;
  }
  const Text directory = workingDir.empty() ? shellDirectoryFor(file) : Text(workingDir);
  return processes.shellOpen(Text(file), Text(parameters), directory);
}

WindowHandle startProgram(Processes& processes, TextView file, TextView parameters, TextView workingDir) {
  // The command line of a tracked start is the parameters alone, always after a space.
  Text commandLine(parameters);
  if (commandLine.empty() || commandLine[0] != u' ') commandLine.insert(commandLine.begin(), u' ');

  if (processes.upperCase(extensionPart(file)) != u"EXE") {
    runProgram(processes, file, commandLine, workingDir);
    return nullptr;
  }
  ProcessRef started;
  if (!processes.create(Text(file), commandLine, Text(workingDir), started)) return nullptr;
  processes.sleep(kPauseAfterCreation);
  processes.waitForInputIdle(started, kInputIdleTimeout);
  WindowHandle found = nullptr;
  for (int attempt = 0; attempt < kWindowSearchAttempts && !found; ++attempt) {
    processes.sleep(kPauseBeforeAttempt);
    found = processes.firstTopLevelWindowOf(started.id);
  }
  processes.release(started);
  return found;
}

}  // namespace diduzo
