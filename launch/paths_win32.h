// The running executable's own path (Windows builds only).
#pragma once

#include "base/text.h"

namespace diduzo {

// The full path of the running executable, however long; empty if the system gives none.
Text programFileName();

}  // namespace diduzo
