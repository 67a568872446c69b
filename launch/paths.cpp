#include "launch/paths.h"

#include <algorithm>

namespace diduzo {

namespace {

bool isSeparator(char16_t c) { return c == u'\\' || c == u'/'; }

bool startsWith(TextView text, TextView prefix) { return text.substr(0, prefix.size()) == prefix; }

// The first component from the fourth character on: up to and including the first backslash
// found there, or empty.
TextView firstComponent(TextView path) {
  if (path.size() <= 3) return {};
  const std::size_t slash = path.find(u'\\', 3);
  return slash == TextView::npos ? TextView{} : path.substr(0, slash + 1);
}

}  // namespace

Text pathPart(TextView path) {
  const std::size_t start = !path.empty() && path[0] == u'"' ? 1 : 0;
  std::size_t end = start;  // one past the last separator met
  for (std::size_t i = start; i < path.size() && path[i] != u'|'; ++i)
    if (isSeparator(path[i])) end = i + 1;
  return Text(path.substr(start, end - start));
}

Text filePart(TextView path) {
  std::size_t start = !path.empty() && path[0] == u'"' ? 1 : 0;
  const std::size_t last = path.find_last_of(u"\\/");
  if (last != TextView::npos) start = std::max(start, last + 1);
  const std::size_t quote = path.find(u'"', start);
  return Text(path.substr(start, quote == TextView::npos ? TextView::npos : quote - start));
}

Text extensionPart(TextView path) {
  if (path.empty()) return {};
  std::size_t i = path.size() - 1;
  while (i > 0 && path[i] != u'.' && path[i] != u' ' && !isSeparator(path[i])) --i;
  if (i == 0 || path[i] != u'.' || isSeparator(path[i - 1])) return {};
  const TextView rest = path.substr(i + 1);
  return Text(rest.substr(0, rest.find(u'"')));
}

Text toAbsolutePath(TextView stored, TextView base) {
  if (stored == u".\\") return Text(base);
  if ((stored.size() >= 2 && stored[1] == u':') || startsWith(stored, u"\\\\") || startsWith(stored, u"%"))
    return Text(stored);
  if (startsWith(stored, u"\\")) return driveSpecOf(base) + Text(stored);
  TextView dir = base.substr(0, base.empty() ? 0 : base.size() - 1);
  TextView rest = stored;
  while (startsWith(rest, u"..\\")) {
    rest.remove_prefix(3);
    const std::size_t slash = dir.size() > 1 ? dir.find_last_of(u'\\') : TextView::npos;
    dir = slash == TextView::npos || slash == 0 ? TextView{} : dir.substr(0, slash);
  }
  Text out(dir);
  out += u'\\';
  out += rest;
  return out;
}

Text toRelativePath(TextView directory, TextView base) {
  if (directory.substr(0, 3) != base.substr(0, 3)) return Text(directory);
  if (firstComponent(directory) != firstComponent(base)) {
    // Another server of a network path has no common root to keep it from; dropping two
    // characters there would leave a path relative to nothing.
    if (startsWith(directory, u"\\\\")) return Text(directory);
    return Text(directory.substr(2));
  }
  if (directory == base) return u".\\";
  TextView dir = directory, rest = base;
  for (;;) {
    const std::size_t d = dir.find(u'\\');
    if (d == TextView::npos) break;
    const std::size_t b = rest.find(u'\\');
    if (b == TextView::npos || dir.substr(0, d + 1) != rest.substr(0, b + 1)) break;
    dir.remove_prefix(d + 1);
    rest.remove_prefix(b + 1);
  }
  Text out;
  for (char16_t c : rest)
    if (c == u'\\') out += u"..\\";
  out += dir;
  return out;
}

Text programDirFrom(TextView moduleFileName) {
  Text path(moduleFileName);
  // A long-path share name comes as "\\?\UNC\server\share\..."; it is the share '\\server\share\'.
  if (startsWith(path, u"\\\\?\\UNC\\"))
    path = u"\\\\" + path.substr(8);
  else if (startsWith(path, u"\\\\?\\"))
    path = path.substr(4);
  return pathPart(path);
}

Text driveSpecOf(TextView programDir) { return Text(programDir.substr(0, 2)); }

}  // namespace diduzo
