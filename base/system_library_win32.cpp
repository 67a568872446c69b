#include "base/system_library_win32.h"

#include <vector>

namespace diduzo {

std::wstring systemFilePath(const wchar_t* file) {
  std::vector<wchar_t> buffer(MAX_PATH);
  for (;;) {
    const UINT n = GetSystemDirectoryW(buffer.data(), static_cast<UINT>(buffer.size()));
    if (n == 0) return L"";
    if (n < buffer.size()) {
      std::wstring path(buffer.data(), n);
      if (path.back() != L'\\') path += L'\\';
      return path + file;
    }
    buffer.resize(n + 1);
  }
}

HMODULE loadSystemLibrary(const wchar_t* file) {
  // The search flags exist where kernel32 has AddDllDirectory; older systems reject them.
  HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
  if (kernel && GetProcAddress(kernel, "AddDllDirectory")) {
    if (HMODULE module = LoadLibraryExW(file, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32)) return module;
    if (GetLastError() != ERROR_INVALID_PARAMETER) return nullptr;
  }
  const std::wstring path = systemFilePath(file);
  return path.empty() ? nullptr : LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

}  // namespace diduzo
