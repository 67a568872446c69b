#include "launch/paths_win32.h"

#include <windows.h>

#include <vector>

#include "base/wide_win32.h"

namespace diduzo {

Text readModuleFileName(ModuleNameReader read, void* context) {
  for (unsigned long size = MAX_PATH;; size *= 2) {
    std::vector<wchar_t> buffer(size);
    const unsigned long n = read(buffer.data(), size, context);
    if (n == 0) return {};
    if (n < size) return fromWide(buffer.data(), n);
    if (size >= (1ul << 20)) return {};  // no path is that long; the system is failing
  }
}

Text programFileName() {
  return readModuleFileName(
      [](wchar_t* buffer, unsigned long size, void*) -> unsigned long {
        return GetModuleFileNameW(nullptr, buffer, size);
      },
      nullptr);
}

}  // namespace diduzo
