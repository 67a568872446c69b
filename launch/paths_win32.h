// The running executable's own path (Windows builds only).
#pragma once

#include "base/text.h"

namespace diduzo {

// The full path of the running executable, however long; empty if the system gives none.
Text programFileName();

// What programFileName does with GetModuleFileNameW: read into a buffer of 260 characters and
// grow it for as long as the path fills it (a filled buffer may hold a cut-off path).
// `read` behaves like GetModuleFileNameW for the running module.
using ModuleNameReader = unsigned long (*)(wchar_t* buffer, unsigned long size, void* context);
Text readModuleFileName(ModuleNameReader read, void* context);

}  // namespace diduzo
