// An INI-style settings file: groups of key/value pairs, read whole and written whole.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/text.h"
#include "entries/file_system.h"

namespace diduzo {

// Reads a number as the settings entries store it: blanks, a sign, then "$" and hex digits, "%"
// and binary digits, or decimal digits. No digits give 0. Overflow wraps, keeping the low bits.
std::int64_t parseNumber(TextView text);

class SettingsStore {
 public:
  explicit SettingsStore(FileSystem& files);
  ~SettingsStore();
  SettingsStore(const SettingsStore&) = delete;
  SettingsStore& operator=(const SettingsStore&) = delete;

  // Reading. A file that cannot be opened or read leaves an empty store and gives false.
  bool openForReading(const Text& path);
  // Fills the store from a file's bytes, as openForReading does after opening it.
  void parse(std::string bytes);
  // The size in bytes of the file last read.
  std::size_t fileSize() const { return fileSize_; }

  bool selectGroup(TextView name);
  Text readString(TextView key, TextView fallback) const;
  std::int32_t readInteger(TextView key, std::int32_t fallback) const;
  void rewindGroups();
  bool nextGroup();
  Text groupName() const;

  // Writing. The file is created at once and written whole by close().
  bool createForWriting(const Text& path);
  void writeString(TextView key, TextView value);
  void writeInteger(TextView key, std::int32_t value);

  // Writes a changed store, then closes the file and empties the store. False when writing,
  // flushing or closing a changed store failed: the file may then hold less than the store.
  bool close();

  // The written form of the store's items.
  std::string serialize() const;

 private:
  static constexpr std::uint32_t kNone = 0xFFFFFFFF;

  // Texts are views into the file's content or into the arena, both of which live as long as
  // the items. The keys of all groups share one vector; each group chains its own in order.
  struct Key {
    std::string_view key;
    std::string_view value;
    std::uint32_t next = kNone;
  };
  class NameIndex;
  struct Group {
    std::string_view name;
    std::uint32_t first = kNone, last = kNone, count = 0;
    std::unique_ptr<NameIndex> keyIndex;  // only for large groups
  };
  class Arena;

  const Key* findKey(std::string_view key) const;
  std::uint32_t keyPosition(const Group& group, std::string_view key) const;
  void appendKey(std::uint32_t group, std::string_view key, std::string_view value);
  void appendGroup(std::string_view name);
  void clearItems();

  FileSystem& files_;
  std::unique_ptr<File> file_;
  bool writing_ = false;
  bool changed_ = false;
  std::size_t fileSize_ = 0;
  std::string content_;
  std::unique_ptr<Arena> arena_;
  std::vector<Group> groups_;
  std::vector<Key> keys_;
  std::unique_ptr<NameIndex> groupIndex_;  // folded name -> first header of that name
  std::ptrdiff_t current_ = -1;
  std::optional<std::string> pending_;
};

}  // namespace diduzo
