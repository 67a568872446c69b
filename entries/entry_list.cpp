#include "entries/entry_list.h"

#include <utility>

namespace diduzo {

LaunchEntry* EntryList::current() const { return cursor_ < 0 ? nullptr : entries_[static_cast<std::size_t>(cursor_)].get(); }

bool EntryList::first() {
  cursor_ = entries_.empty() ? -1 : 0;
  return cursor_ == 0;
}

bool EntryList::next() {
  if (cursor_ < 0) return first();
  if (static_cast<std::size_t>(cursor_) + 1 >= entries_.size()) return false;
  ++cursor_;
  return true;
}

bool EntryList::previous() {
  if (cursor_ <= 0) return false;
  --cursor_;
  return true;
}

bool EntryList::selectAt(long long index) {
  if (index < 0 || static_cast<unsigned long long>(index) >= entries_.size()) {
    cursor_ = -1;
    return false;
  }
  cursor_ = static_cast<int>(index);
  return true;
}

LaunchEntry* EntryList::insertAt(std::size_t position) {
  auto it = entries_.insert(entries_.begin() + static_cast<std::ptrdiff_t>(position), std::make_unique<LaunchEntry>());
  cursor_ = static_cast<int>(position);
  return it->get();
}

LaunchEntry* EntryList::addAfter() { return insertAt(cursor_ < 0 ? 0 : static_cast<std::size_t>(cursor_) + 1); }

LaunchEntry* EntryList::insertBefore() { return insertAt(cursor_ < 0 ? 0 : static_cast<std::size_t>(cursor_)); }

LaunchEntry* EntryList::deleteCurrent() {
  if (cursor_ < 0) return nullptr;
  entries_.erase(entries_.begin() + cursor_);
  if (cursor_ > 0) {
    --cursor_;
  } else if (entries_.empty()) {
    cursor_ = -1;
  }
  return current();
}

int EntryList::indexOf(const LaunchEntry* entry) const {
  for (std::size_t i = 0; i < entries_.size(); ++i)
    if (entries_[i].get() == entry) return static_cast<int>(i);
  return -1;
}

void EntryList::swapEntries(LaunchEntry* a, LaunchEntry* b) {
  if (a == b) return;
  const int ia = indexOf(a);
  const int ib = indexOf(b);
  if (ia < 0 || ib < 0) return;
  std::swap(entries_[static_cast<std::size_t>(ia)], entries_[static_cast<std::size_t>(ib)]);
  // The cursor follows its entry, not its position.
  if (cursor_ == ia) {
    cursor_ = ib;
  } else if (cursor_ == ib) {
    cursor_ = ia;
  }
}

void EntryList::clear() {
  entries_.clear();
  cursor_ = -1;
}

}  // namespace diduzo
