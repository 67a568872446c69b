// Feeds arbitrary bytes to the settings reader, writes what it read, and reads that back: the
// second reading must equal the first, and the store's own written form must be stable.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "entries/settings_io.h"
#include "entries/settings_store.h"
#include "tests/fakes/memory_file_system.h"

namespace {

using diduzo::EntryList;
using diduzo::LaunchEntry;

bool sameEntry(const LaunchEntry& a, const LaunchEntry& b) {
  return a.kind == b.kind && a.run == b.run && a.stop == b.stop && a.level == b.level && a.name == b.name &&
         a.command == b.command && a.options == b.options && a.homedir == b.homedir;
}

void check(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const diduzo::Text path = u"G:\\Diduzo.prefs";
  diduzo::fakes::MemoryFileSystem files;
  files.putFile(path, std::string(bytes));
  diduzo::SettingsStore store(files);

  EntryList first;
  diduzo::Options firstOptions;
  check(store.openForReading(path));
  diduzo::readSettings(store, first, firstOptions);
  // The store's written form of what it read reads back as the same items.
  const std::string once = store.serialize();
  store.close();
  store.parse(once);
  check(store.serialize() == once);
  store.close();

  check(store.createForWriting(path));
  diduzo::writeSettings(store, first, firstOptions);
  check(store.close());

  EntryList second;
  diduzo::Options secondOptions;
  check(store.openForReading(path));
  diduzo::readSettings(store, second, secondOptions);
  store.close();

  check(firstOptions.endOnExit == secondOptions.endOnExit && firstOptions.runOnStart == secondOptions.runOnStart);
  check(first.size() == second.size());
  for (std::size_t i = 0; i < first.size(); ++i) check(sameEntry(*first.at(i), *second.at(i)));
  return 0;
}
