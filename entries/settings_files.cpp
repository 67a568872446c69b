#include "entries/settings_files.h"

#include "entries/settings_io.h"
#include "entries/settings_store.h"

namespace diduzo {

// A save never writes into the settings file itself. It writes the new content completely into
// the backup file's name, puts it onto the medium, and only then renames it over the settings
// file in one step. Whenever a save is cut short, the settings file therefore holds the old
// settings or the new ones. A first save first creates an empty settings file, which reads as
// "never saved": without it a cut first save would leave a partial backup file alone, which the
// next start would take for the settings. A backup file alone is what a save that could not
// create its file leaves behind, and it holds complete settings.

Text settingsPath(const Text& programDir) { return programDir + u"Diduzo.prefs"; }
Text backupPath(const Text& programDir) { return programDir + u"Diduzo.prefs.bak"; }

void loadSettings(FileSystem& files, const Text& programDir, EntryList& list, SettingsHost& host) {
  list.clear();
  const Text settings = settingsPath(programDir);
  const Text backup = backupPath(programDir);
  const bool haveSettings = files.exists(settings);
  if (!haveSettings && !files.exists(backup)) return;
  // The backup file takes the place of a missing settings file; where it cannot be renamed (a
  // write-protected stick) it is read where it is, so that its entries are not hidden.
  const bool fromBackup = !haveSettings && !files.move(backup, settings);

  SettingsStore store(files);
  const bool opened = store.openForReading(fromBackup ? backup : settings);
  // An empty settings file is the mark of a first save that did not finish.
  if (haveSettings && opened && store.fileSize() == 0) return;
  Options options;
  readSettings(store, list, options);
  store.close();
  host.setOption(kEndOptionItem, options.endOnExit);
  host.setOption(kRunOptionItem, options.runOnStart);
  host.entriesChanged();
}

bool IconLoader::step(EntryList& list, SettingsHost& host) {
  if (!pending_) return false;
  for (; next_ < list.size(); ++next_) {
    LaunchEntry& e = *list.at(next_);
    if (e.is(EntryKind::Application) && !e.icon) {
      e.icon = host.iconFor(e.command);
      took_ = took_ || e.icon;
      ++next_;
      return true;
    }
  }
  pending_ = false;
  if (took_) host.entriesChanged();
  return false;
}

bool saveSettings(FileSystem& files, const Text& programDir, EntryList& list, SettingsHost& host) {
  const int remembered = list.currentIndex();
  const Text settings = settingsPath(programDir);
  const Text backup = backupPath(programDir);

  bool ok = true;
  if (!files.exists(settings)) {
    // A backup file alone holds the last settings: it takes its place first. Otherwise this is
    // the first save, which marks itself with an empty settings file.
    if (files.exists(backup)) {
      ok = files.move(backup, settings);
    } else if (auto marker = files.open(settings, OpenMode::CreateAlways)) {
      ok = marker->close();
    } else {
      ok = false;
    }
  }

  if (ok) {
    SettingsStore store(files);
    ok = store.createForWriting(backup);
    // A backup left behind that cannot be written over is removed once and tried again.
    if (!ok && files.exists(backup) && files.remove(backup)) ok = store.createForWriting(backup);
    if (ok) {
      writeSettings(store, list, Options{host.isOptionOn(kEndOptionItem), host.isOptionOn(kRunOptionItem)});
      ok = store.close();
    }
    ok = ok && files.replace(backup, settings);
    if (!ok) files.remove(backup);  // what was written is not complete; the settings file is
  }

  if (list.size() > 0) list.selectAt(remembered);
  if (!ok) host.showWriteError();
  return ok;
}

}  // namespace diduzo
