// The program's real screen, files and processes, for the portable Program.
#pragma once

#include <windows.h>

#include "app/program.h"

namespace diduzo {

class Win32Shell : public Shell {
 public:
  explicit Win32Shell(Text programDir) : programDir_(std::move(programDir)) {}

  FileSystem& files() override;
  Environment& environment() override;
  Processes& processes() override;
  bool isOptionOn(int item) override;
  void setOption(int item, bool on) override;
  void toggleOption(int item) override;
  IconHandle iconFor(const Text& storedCommand) override;
  void entriesChanged() override;
  void showWriteError() override;
  void* openNotice(const Text& title, const Text& text) override;
  void closeNotice(void* notice) override;
  void askToClose(WindowHandle window) override;
  void destroyIcon(IconHandle icon) override;
  void showLaunchMenu() override;
  void showTrayMenu() override;
  void showAbout() override;
  void hideAbout() override;
  bool offerConfiguration() override;
  bool configurationOpen() override;
  void openConfiguration() override;
  void closeConfiguration() override;
  void shutDown() override;

  void setEntries(EntryList& list) { list_ = &list; }

 private:
  Text programDir_;
  EntryList* list_ = nullptr;
  HWND configuration_ = nullptr;  // the configuration window, once it has been opened
};

// Pumps window messages until an event is queued; false when the thread is asked to quit. While
// no message waits, `idle` is given a turn; it returns whether it has more to do.
bool waitForEvent(Event& out, Program& program);

}  // namespace diduzo
