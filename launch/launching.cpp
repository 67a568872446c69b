#include "launch/launching.h"

#include "entries/settings_files.h"
#include "launch/paths.h"

namespace diduzo {

LaunchTexts launchTextsOf(const LaunchEntry& e, const ProgramPlace& place, Environment& environment) {
  return LaunchTexts{
      expandEnvironment(toAbsolutePath(e.command, place.programDir), environment),
      expandEnvironment(expandDrive(e.options, place.driveSpec), environment),
      expandEnvironment(toAbsolutePath(e.homedir, place.programDir), environment),
  };
}

void launchCurrentEntry(EntryList& list, const ProgramPlace& place, LaunchHost& host) {
  LaunchEntry* e = list.current();
  if (!e) return;
  const LaunchTexts texts = launchTextsOf(*e, place, host.environment());
  Processes& processes = host.processes();
  if (e->is(EntryKind::Folder)) {
    // Folders open in Explorer, given as its parameter without quotes.
    Environment& environment = host.environment();
    const Text windir = environment.get(u"windir");
    runProgram(processes, expandEnvironment(u"%windir%\\explorer.exe", environment), texts.workingDir, windir);
    return;
  }
  if (e->stop == 1 && host.isOptionOn(kEndOptionItem)) {
    void* notice = host.openNotice(u"Starting...", u"Application \"" + e->name + u"\" is currently starting. Please be patient...");
    e->window = startProgram(processes, texts.file, texts.parameters, texts.workingDir);
    host.closeNotice(notice);
    return;
  }
  e->window = nullptr;
  runProgram(processes, texts.file, texts.parameters, texts.workingDir);
}

void runStartEntries(EntryList& list, const ProgramPlace& place, LaunchHost& host) {
  if (!host.isOptionOn(kRunOptionItem)) return;
  list.reset();
  while (list.next())
    if (list.current()->run == 1) launchCurrentEntry(list, place, host);
}

void closeTrackedApplications(EntryList& list, LaunchHost& host) {
  const bool endOn = host.isOptionOn(kEndOptionItem);
  list.reset();
  while (list.next()) {
    LaunchEntry& e = *list.current();
    if (e.window && endOn) host.askToClose(e.window);
    if (e.icon) host.destroyIcon(e.icon);
    e.icon = nullptr;
  }
}

}  // namespace diduzo
