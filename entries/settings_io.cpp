#include "entries/settings_io.h"

namespace diduzo {

namespace {

const Text kSettings = u"Settings";

std::int8_t readNumber(const SettingsStore& store, TextView key) {
  // The low 8 bits of the number, as a signed value.
  return static_cast<std::int8_t>(static_cast<std::uint8_t>(parseNumber(store.readString(key, u"0")) & 0xFF));
}

}  // namespace

void readSettings(SettingsStore& store, EntryList& list, Options& options) {
  list.clear();
  store.selectGroup(kSettings);
  options.endOnExit = store.readInteger(u"EndOnExit", 0) != 0;
  options.runOnStart = store.readInteger(u"RunOnStart", 1) != 0;
  store.rewindGroups();
  while (store.nextGroup()) {
    if (store.groupName().compare(0, 4, u"Item") != 0) continue;
    LaunchEntry& e = *list.addAfter();
    e.kind = readNumber(store, u"type");
    e.level = readNumber(store, u"level");
    const bool application = e.is(EntryKind::Application);
    const bool folder = e.is(EntryKind::Folder);
    if (application || folder) {
      e.run = readNumber(store, u"run");
      e.stop = readNumber(store, u"stop");
    }
    if (application || folder || e.is(EntryKind::Group)) e.name = store.readString(u"name", u"");
    if (application) {
      e.command = store.readString(u"command", u"");
      e.options = store.readString(u"options", u"");
    }
    if (application || folder) e.homedir = store.readString(u"homedir", u"");
  }
}

void writeSettings(SettingsStore& store, EntryList& list, const Options& options) {
  store.selectGroup(kSettings);
  store.writeInteger(u"EndOnExit", options.endOnExit ? 1 : 0);
  store.writeInteger(u"RunOnStart", options.runOnStart ? 1 : 0);
  list.reset();
  while (list.next()) {
    const LaunchEntry& e = *list.current();
    store.selectGroup(u"Item" + fromAscii(decimal(list.currentIndex())));
    store.writeInteger(u"type", e.kind);
    store.writeInteger(u"level", e.level);
    const bool application = e.is(EntryKind::Application);
    const bool folder = e.is(EntryKind::Folder);
    if (application || folder) {
      store.writeInteger(u"run", e.run);
      store.writeInteger(u"stop", e.stop);
    }
    if (application || folder || e.is(EntryKind::Group)) store.writeString(u"name", e.name);
    if (application) {
      store.writeString(u"command", e.command);
      store.writeString(u"options", e.options);
    }
    if (application || folder) store.writeString(u"homedir", e.homedir);
  }
}

}  // namespace diduzo
