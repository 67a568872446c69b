// Files and libraries of the system directory, never from the program's folder (a USB stick).
#pragma once

#include <windows.h>

#include <string>

namespace diduzo {

// The full path of `file` in the system directory; empty when the directory is unknown.
std::wstring systemFilePath(const wchar_t* file);

// Loads a DLL from the system directory only: with LOAD_LIBRARY_SEARCH_SYSTEM32 where the system
// supports that flag, otherwise by its full path there. Null when it cannot be loaded.
HMODULE loadSystemLibrary(const wchar_t* file);

}  // namespace diduzo
