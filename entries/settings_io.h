// What the settings file holds: the two options and the entries, read from and written to a store.
#pragma once

#include "entries/entry_list.h"
#include "entries/settings_store.h"

namespace diduzo {

struct Options {
  bool endOnExit = true;
  bool runOnStart = true;
};

// Replaces the list's entries by the file's "Item" groups, in file order, and reads the options
// (END off and RUN on when their keys are missing). The last entry read is current.
void readSettings(SettingsStore& store, EntryList& list, Options& options);

// Writes the options and every entry, as "Item0", "Item1", ... in list order. Moves the cursor.
void writeSettings(SettingsStore& store, EntryList& list, const Options& options);

}  // namespace diduzo
