// Which item of an open menu level a typed letter chooses.
#pragma once

#include <vector>

#include "base/text.h"

namespace diduzo {

// The mnemonic of a menu text: the character after the first "&" that is not part of "&&";
// 0 when there is none.
char16_t mnemonicOf(TextView text);

// The first item whose mnemonic is `letter`, else the first item whose shown text begins with
// it;
// -1 when none does. ASCII letters compare without regard to case, other characters exactly.
int itemForLetter(const std::vector<Text>& texts, char16_t letter);

}  // namespace diduzo
