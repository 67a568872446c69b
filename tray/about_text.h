// The About window's fixed texts.
#pragma once

#include "base/text.h"

namespace diduzo {

// The window title.
extern const char16_t aboutTitle[];

// The description: 36 lines, each ending with CR LF.
Text aboutText();

}  // namespace diduzo
