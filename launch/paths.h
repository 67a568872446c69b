// Path rules on text alone: the parts of a path, and the stored (relative) and absolute forms of
// the paths of launch entries. Characters are compared exactly, one UTF-16 unit at a time.
#pragma once

#include "base/text.h"

namespace diduzo {

// The directory part up to and including its last "\" or "/"; a leading quote is skipped and a
// "|" ends the scan. Empty when there is no separator.
Text pathPart(TextView path);
// The file name after the last separator, up to the end or a double quote.
Text filePart(TextView path);
// The extension without its dot; empty for a name without one and for a name that starts with
// its only dot ('.profile').
Text extensionPart(TextView path);

// A stored path made absolute against base (the program directory, ending in a backslash).
Text toAbsolutePath(TextView stored, TextView base);
// The stored form of an absolute directory (ending in a backslash) relative to base.
Text toRelativePath(TextView directory, TextView base);

// The program directory from the executable's full path: without a "\\?\" prefix, ending in
// its separator.
Text programDirFrom(TextView moduleFileName);
// The drive of a program directory: its first two characters ('G:', or '\\' on a share).
Text driveSpecOf(TextView programDir);

}  // namespace diduzo
