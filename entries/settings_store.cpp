#include "entries/settings_store.h"

#include <limits>
#include <utility>

namespace diduzo {

namespace {

constexpr std::size_t kIndexThreshold = 16;
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

bool isBlank(char c) { return c == ' ' || c == '\t'; }

char fold(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

// FNV-1a over the folded bytes, so that names that match hash alike.
std::uint32_t foldedHash(std::string_view s) {
  std::uint32_t h = 2166136261u;
  for (char c : s) h = (h ^ static_cast<unsigned char>(fold(c))) * 16777619u;
  return h;
}

bool sameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (fold(a[i]) != fold(b[i])) return false;
  return true;
}


std::string_view trimTrailingBlanks(std::string_view s) {
  while (!s.empty() && isBlank(s.back())) s.remove_suffix(1);
  return s;
}

}  // namespace

// Names to positions by open addressing; of several equal names the first added is kept.
class SettingsStore::NameIndex {
 public:
  template <class NameAt>
  std::uint32_t find(std::string_view name, NameAt nameAt) const {
    if (slots_.empty()) return kNone;
    const std::uint32_t h = foldedHash(name);
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t i = h & mask;; i = (i + 1) & mask) {
      const Slot& slot = slots_[i];
      if (slot.position == kNone) return kNone;
      if (slot.hash == h && sameName(nameAt(slot.position), name)) return slot.position;
    }
  }

  template <class NameAt>
  void add(std::uint32_t position, std::string_view name, NameAt nameAt) {
    if ((used_ + 1) * 2 > slots_.size()) grow();
    const std::uint32_t h = foldedHash(name);
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t i = h & mask;; i = (i + 1) & mask) {
      Slot& slot = slots_[i];
      if (slot.position == kNone) {
        slot = Slot{h, position};
        ++used_;
        return;
      }
      if (slot.hash == h && sameName(nameAt(slot.position), name)) return;
    }
  }

 private:
  struct Slot {
    std::uint32_t hash = 0;
    std::uint32_t position = kNone;
  };

  void grow() {
    std::vector<Slot> old = std::move(slots_);
    slots_.assign(old.empty() ? 64 : old.size() * 2, Slot{});
    const std::size_t mask = slots_.size() - 1;
    for (const Slot& slot : old) {
      if (slot.position == kNone) continue;
      std::size_t i = slot.hash & mask;
      while (slots_[i].position != kNone) i = (i + 1) & mask;
      slots_[i] = slot;
    }
  }

  std::vector<Slot> slots_;
  std::size_t used_ = 0;
};

// Memory for written texts, in large chunks that never move.
class SettingsStore::Arena {
 public:
  // Encodes the text as UTF-8 with every CR and LF made a space, so that a written text can
  // never start a line of its own.
  std::string_view lineSafeUtf8(TextView text) {
    char* start = room(text.size() * 3);
    return keep(start, encodeUtf8(text, start));
  }
  std::string_view lineSafe(std::string_view utf8) {
    char* start = room(utf8.size());
    utf8.copy(start, utf8.size());
    return keep(start, utf8.size());
  }

 private:
  char* room(std::size_t bytes) {
    if (chunks_.empty() || bytes > size_ - used_) {
      size_ = bytes > kChunk ? bytes : kChunk;
      chunks_.push_back(std::make_unique<char[]>(size_));
      used_ = 0;
    }
    return chunks_.back().get() + used_;
  }
  std::string_view keep(char* start, std::size_t n) {
    for (std::size_t i = 0; i < n; ++i)
      if (start[i] == '\r' || start[i] == '\n') start[i] = ' ';
    used_ += n;
    return std::string_view(start, n);
  }

  static constexpr std::size_t kChunk = 64 * 1024;
  std::vector<std::unique_ptr<char[]>> chunks_;
  std::size_t used_ = 0, size_ = 0;
};

std::int64_t parseNumber(TextView text) {
  std::size_t i = 0;
  const std::size_t n = text.size();
  while (i < n && (text[i] == u' ' || text[i] == u'\t')) ++i;
  bool negative = false;
  if (i < n && (text[i] == u'-' || text[i] == u'+')) {
    negative = text[i] == u'-';
    ++i;
  }
  unsigned base = 10;
  if (i < n && text[i] == u'$') {
    base = 16;
    ++i;
  } else if (i < n && text[i] == u'%') {
    base = 2;
    ++i;
  }
  std::uint64_t value = 0;  // unsigned, so that overflow wraps and keeps the low bits
  for (; i < n; ++i) {
    const char16_t c = text[i];
    unsigned digit;
    if (c >= u'0' && c <= u'9') {
      digit = static_cast<unsigned>(c - u'0');
    } else if (base == 16 && c >= u'a' && c <= u'f') {
      digit = static_cast<unsigned>(c - u'a' + 10);
    } else if (base == 16 && c >= u'A' && c <= u'F') {
      digit = static_cast<unsigned>(c - u'A' + 10);
    } else {
      break;
    }
    if (digit >= base) break;
    value = value * base + digit;
  }
  if (negative) value = 0 - value;
  return static_cast<std::int64_t>(value);
}

SettingsStore::SettingsStore(FileSystem& files) : files_(files) { clearItems(); }

SettingsStore::~SettingsStore() { close(); }

bool SettingsStore::openForReading(const Text& path) {
  close();
  // A settings file on a write-protected medium or held open by another program is still read.
  for (OpenMode mode : {OpenMode::ReadWriteShareRead, OpenMode::ReadShareRead, OpenMode::ReadShareReadWrite}) {
    file_ = files_.open(path, mode);
    if (file_) break;
  }
  if (!file_) return false;
  std::string bytes;
  if (!file_->readAll(bytes)) {
    file_->close();
    file_.reset();
    return false;
  }
  parse(std::move(bytes));
  return true;
}

void SettingsStore::parse(std::string bytes) {
  clearItems();
  fileSize_ = bytes.size();
  std::size_t pos = 0;
  if (bytes.size() >= 3 && std::string_view(bytes).substr(0, 3) == kByteOrderMark) {
    content_ = std::move(bytes);
    pos = 3;
  } else {
    content_ = latin1ToUtf8(bytes);
  }
  const std::string_view text = content_;
  std::uint32_t group = kNone;
  const std::size_t n = text.size();
  while (pos < n) {
    // Any run of CR and LF ends a line, so blank lines vanish.
    while (pos < n && (text[pos] == '\r' || text[pos] == '\n')) ++pos;
    if (pos >= n) break;
    std::size_t end = text.find_first_of("\r\n", pos);
    if (end == std::string_view::npos) end = n;
    std::string_view line = text.substr(pos, end - pos);
    pos = end;

    std::size_t start = 0;
    while (start < line.size() && isBlank(line[start])) ++start;
    line.remove_prefix(start);
    if (line.empty() || line.front() == ';') continue;
    if (line.front() == '[') {
      const std::size_t close = line.find(']', 1);
      appendGroup(line.substr(1, close == std::string_view::npos ? std::string_view::npos : close - 1));
      group = static_cast<std::uint32_t>(groups_.size() - 1);
      continue;
    }
    if (group == kNone) continue;  // keys before the first header belong to no group and are never read
    std::string_view key = line;
    std::string_view value;
    const std::size_t equals = line.find('=');
    if (equals != std::string_view::npos) {
      key = line.substr(0, equals);
      value = line.substr(equals + 1);
      while (!value.empty() && isBlank(value.front())) value.remove_prefix(1);
    }
    appendKey(group, trimTrailingBlanks(key), value);
  }
}

void SettingsStore::appendKey(std::uint32_t group, std::string_view key, std::string_view value) {
  const auto position = static_cast<std::uint32_t>(keys_.size());
  keys_.push_back(Key{key, value, kNone});
  Group& g = groups_[group];
  if (g.last == kNone) {
    g.first = position;
  } else {
    keys_[g.last].next = position;
  }
  g.last = position;
  ++g.count;
  auto keyAt = [this](std::uint32_t i) { return keys_[i].key; };
  if (g.keyIndex) {
    g.keyIndex->add(position, key, keyAt);
  } else if (g.count > kIndexThreshold) {
    // A group grown large gets an index, so that a lookup never walks a long group.
    g.keyIndex = std::make_unique<NameIndex>();
    for (std::uint32_t i = g.first; i != kNone; i = keys_[i].next) g.keyIndex->add(i, keys_[i].key, keyAt);
  }
}

void SettingsStore::appendGroup(std::string_view name) {
  const auto position = static_cast<std::uint32_t>(groups_.size());
  groups_.push_back(Group{name, kNone, kNone, 0, nullptr});
  groupIndex_->add(position, name, [this](std::uint32_t i) { return groups_[i].name; });
}

void SettingsStore::clearItems() {
  groups_.clear();
  keys_.clear();
  content_.clear();
  content_.shrink_to_fit();
  arena_ = std::make_unique<Arena>();
  groupIndex_ = std::make_unique<NameIndex>();
  current_ = -1;
  pending_.reset();
  changed_ = false;
}

bool SettingsStore::selectGroup(TextView name) {
  std::string utf8 = toUtf8(name);
  const std::uint32_t found = groupIndex_->find(utf8, [this](std::uint32_t i) { return groups_[i].name; });
  if (found == kNone) {
    pending_ = std::move(utf8);
    return false;
  }
  current_ = static_cast<std::ptrdiff_t>(found);
  pending_.reset();
  return true;
}

std::uint32_t SettingsStore::keyPosition(const Group& group, std::string_view key) const {
  if (group.keyIndex) return group.keyIndex->find(key, [this](std::uint32_t i) { return keys_[i].key; });
  for (std::uint32_t i = group.first; i != kNone; i = keys_[i].next)
    if (sameName(keys_[i].key, key)) return i;
  return kNone;
}

const SettingsStore::Key* SettingsStore::findKey(std::string_view key) const {
  if (pending_ || current_ < 0) return nullptr;
  const std::uint32_t i = keyPosition(groups_[static_cast<std::size_t>(current_)], key);
  return i == kNone ? nullptr : &keys_[i];
}

Text SettingsStore::readString(TextView key, TextView fallback) const {
  const Key* k = findKey(toUtf8(key));
  if (!k) return Text(fallback);
  std::string_view value = trimTrailingBlanks(k->value);
  while (!value.empty() && isBlank(value.front())) value.remove_prefix(1);
  return fromUtf8(value);
}

std::int32_t SettingsStore::readInteger(TextView key, std::int32_t fallback) const {
  const Key* k = findKey(toUtf8(key));
  if (!k) return fallback;
  // As the C library's atoi, but saturating instead of undefined on overflow.
  std::string_view v = k->value;
  std::size_t i = 0;
  while (i < v.size() && (v[i] == ' ' || (v[i] >= '\t' && v[i] <= '\r'))) ++i;
  bool negative = false;
  if (i < v.size() && (v[i] == '-' || v[i] == '+')) negative = v[i++] == '-';
  std::int64_t value = 0;
  constexpr std::int64_t kLimit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
  for (; i < v.size() && v[i] >= '0' && v[i] <= '9'; ++i) {
    value = value * 10 + (v[i] - '0');
    if (value > kLimit) value = kLimit;
  }
  if (negative) value = -value;
  if (value > std::numeric_limits<std::int32_t>::max()) value = std::numeric_limits<std::int32_t>::max();
  return static_cast<std::int32_t>(value);
}

void SettingsStore::rewindGroups() {
  current_ = -1;
  pending_.reset();
}

bool SettingsStore::nextGroup() {
  if (static_cast<std::size_t>(current_ + 1) >= groups_.size()) return false;
  ++current_;
  pending_.reset();
  return true;
}

Text SettingsStore::groupName() const {
  return current_ < 0 ? Text() : fromUtf8(groups_[static_cast<std::size_t>(current_)].name);
}

bool SettingsStore::createForWriting(const Text& path) {
  close();
  file_ = files_.open(path, OpenMode::CreateAlways);
  writing_ = file_ != nullptr;
  return writing_;
}

void SettingsStore::writeString(TextView key, TextView value) {
  if (!writing_) return;
  if (pending_) {
    appendGroup(arena_->lineSafe(*pending_));
    pending_.reset();
    current_ = static_cast<std::ptrdiff_t>(groups_.size()) - 1;
  }
  if (current_ < 0) return;  // keys outside every group are never written
  const std::string_view k = arena_->lineSafeUtf8(key);
  const std::string_view v = arena_->lineSafeUtf8(value);
  changed_ = true;
  const auto group = static_cast<std::uint32_t>(current_);
  const std::uint32_t existing = keyPosition(groups_[group], k);
  if (existing != kNone) {
    keys_[existing].key = k;  // the key takes the letter case of this call
    keys_[existing].value = v;
    return;
  }
  appendKey(group, k, v);
}

void SettingsStore::writeInteger(TextView key, std::int32_t value) { writeString(key, fromAscii(decimal(value))); }

std::string SettingsStore::serialize() const {
  std::size_t size = 5;
  for (const Group& g : groups_) size += g.name.size() + 4;
  for (const Key& k : keys_) size += k.key.size() + k.value.size() + 5;
  std::string out;
  out.reserve(size);
  out.append(kByteOrderMark);
  out.append("\r\n");
  for (const Group& g : groups_) {
    out.push_back('[');
    out.append(g.name);
    out.append("]\r\n");
    for (std::uint32_t i = g.first; i != kNone; i = keys_[i].next) {
      out.append(keys_[i].key);
      out.append(" = ");
      out.append(keys_[i].value);
      out.append("\r\n");
    }
  }
  return out;
}

bool SettingsStore::close() {
  bool ok = true;
  if (file_) {
    if (writing_ && changed_) ok = file_->writeAll(serialize()) && file_->flush();
    ok = file_->close() && ok;
    file_.reset();
  }
  writing_ = false;
  clearItems();
  return ok;
}

}  // namespace diduzo
