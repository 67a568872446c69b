// The program's spine: what start-up does once the windows exist, what each event does, and the
// exit sequence. Portable; the Win32 shell supplies the screen, the files and the processes.
#pragma once

#include "app/events.h"
#include "entries/entry_list.h"
#include "entries/file_system.h"
#include "entries/settings_files.h"
#include "launch/launching.h"

namespace diduzo {

// Menu item ids of the tray menu, and the launch menu's first id.
constexpr int kExitItem = 1;
constexpr int kAboutItem = 2;
constexpr int kSetApplicationsItem = 3;
constexpr int kLaunchMenuFirstId = 10;
// Control numbers handled by the loop itself.
constexpr int kAboutOkButton = 23;
constexpr int kConfigurationExitButton = 19;

class Shell : public SettingsHost, public LaunchHost {
 public:
  virtual FileSystem& files() = 0;
  virtual void showLaunchMenu() = 0;
  virtual void showTrayMenu() = 0;
  virtual void showAbout() = 0;
  virtual void hideAbout() = 0;
  virtual void toggleOption(int item) = 0;
  // "No applications defined yet": true when the user wants to set them now.
  virtual bool offerConfiguration() = 0;
  virtual bool configurationOpen() = 0;
  virtual void openConfiguration() = 0;
  virtual void closeConfiguration() = 0;
  // Closes the About window and removes the tray icon.
  virtual void shutDown() = 0;
};

class Program {
 public:
  Program(Shell& shell, EntryList& list, ProgramPlace place) : shell_(shell), list_(list), place_(std::move(place)) {}

  // Loads the settings, runs the entries marked for start, and offers the configuration window
  // when there are no entries.
  void startUp();
  // Handles one event; false once the exit sequence has run and the process is to end.
  bool handle(const Event& event);
  // Work that waits for a quiet moment (the entries' icons); true while some is left.
  bool idle();
  void exitSequence();
  bool save();

 private:
  void menuCommand(int id);
  void controlEvent(int number);

  Shell& shell_;
  EntryList& list_;
  ProgramPlace place_;
  IconLoader icons_;
};

}  // namespace diduzo
