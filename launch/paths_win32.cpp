#include "launch/paths_win32.h"

#include <windows.h>

#include <vector>

#include "base/wide_win32.h"

namespace diduzo {

Text programFileName() {
  // A path that fills the buffer may have been cut off: grow until it fits.
  for (DWORD size = MAX_PATH;; size *= 2) {
    std::vector<wchar_t> buffer(size);
    const DWORD n = GetModuleFileNameW(nullptr, buffer.data(), size);
    if (n == 0) return {};
    if (n < size) return fromWide(buffer.data(), n);
    if (size >= (1u << 20)) return {};  // no path is that long; the system is failing
  }
}

}  // namespace diduzo
