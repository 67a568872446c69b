// The launch entries in menu order, with a level per entry and a cursor on the current one.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "base/text.h"

namespace diduzo {

enum class EntryKind : std::int8_t { Application = 1, Group = 2, Separator = 3, Folder = 4 };

// Handles of the running system that an entry carries; never written to the settings file.
using WindowHandle = void*;
using IconHandle = void*;

struct LaunchEntry {
  std::int8_t kind = 0;   // an EntryKind code; other values from a hand-edited file stay as read
  std::int8_t run = 0;    // 1: launched at start when the RUN option is on
  std::int8_t stop = 0;   // 1: started tracked, asked to close at exit when the END option is on
  std::int8_t level = 0;  // nesting depth, 0 at the top level of the launch menu
  Text name;
  Text command;
  Text options;
  Text homedir;
  WindowHandle window = nullptr;
  IconHandle icon = nullptr;

  bool is(EntryKind k) const { return kind == static_cast<std::int8_t>(k); }
};

// Entry references are plain pointers: every entry lives in its own allocation, so a reference
// stays valid across insertions, deletions, swaps and cursor moves until the entry is deleted.
class EntryList {
 public:
  std::size_t size() const { return entries_.size(); }
  LaunchEntry* current() const;
  int currentIndex() const { return cursor_; }
  LaunchEntry* at(std::size_t index) const { return entries_[index].get(); }

  void reset() { cursor_ = -1; }
  bool first();
  bool next();
  bool previous();
  bool selectAt(long long index);
  LaunchEntry* addAfter();
  LaunchEntry* insertBefore();
  LaunchEntry* deleteCurrent();
  void swapEntries(LaunchEntry* a, LaunchEntry* b);
  void clear();

 private:
  int indexOf(const LaunchEntry* entry) const;
  LaunchEntry* insertAt(std::size_t position);

  std::vector<std::unique_ptr<LaunchEntry>> entries_;
  int cursor_ = -1;
};

}  // namespace diduzo
