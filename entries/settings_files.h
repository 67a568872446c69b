// Loading and saving the settings file beside the program, so that a save cut short at any
// point leaves the old settings or the new ones, complete.
#pragma once

#include "entries/entry_list.h"
#include "entries/file_system.h"

namespace diduzo {

// Tray menu items that hold the two options.
constexpr int kEndOptionItem = 4;
constexpr int kRunOptionItem = 5;

// What loading and saving reach besides the files.
class SettingsHost {
 public:
  virtual ~SettingsHost() = default;
  virtual bool isOptionOn(int item) = 0;
  virtual void setOption(int item, bool on) = 0;
  // The small icon of an application, from its stored command; none when it names no file.
  virtual IconHandle iconFor(const Text& storedCommand) = 0;
  // The entries changed: the launch menu is built anew.
  virtual void entriesChanged() = 0;
  // The settings could not be written.
  virtual void showWriteError() = 0;
};

Text settingsPath(const Text& programDir);
Text backupPath(const Text& programDir);

// Reads the settings into the list and the options. Without either file nothing changes. The
// applications' icons are taken afterwards by an IconLoader.
void loadSettings(FileSystem& files, const Text& programDir, EntryList& list, SettingsHost& host);

// Takes the small icons of the loaded applications one at a time, so that start-up need not wait
// for the shell: the program takes them while it has nothing else to do, and all at once before
// anything needs them.
class IconLoader {
 public:
  void start() {
    next_ = 0;
    pending_ = true;
    took_ = false;
  }
  bool pending() const { return pending_; }
  // Takes the next missing icon: true when one was taken. Once none is left, the entries are
  // reported changed (the launch menu shows the icons) and it is false.
  bool step(EntryList& list, SettingsHost& host);
  void finish(EntryList& list, SettingsHost& host) {
    while (step(list, host)) {
    }
  }

 private:
  std::size_t next_ = 0;
  bool pending_ = false;
  bool took_ = false;
};

// Writes the options and every entry. On failure shows the write error and leaves the last good
// settings on disk; returns whether the new settings were written. The current entry stays.
bool saveSettings(FileSystem& files, const Text& programDir, EntryList& list, SettingsHost& host);

}  // namespace diduzo
