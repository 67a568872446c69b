// UTF-16 text, and the conversions that the settings file's edge needs.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace diduzo {

using Text = std::u16string;
using TextView = std::u16string_view;

// Decodes UTF-8. Every ill-formed sequence (including encoded surrogates and overlong forms)
// becomes one U+FFFD per maximal ill-formed subpart, so nothing vanishes and nothing crashes.
Text fromUtf8(std::string_view utf8);

// Encodes UTF-16 as UTF-8. A lone surrogate is written as U+FFFD.
std::string toUtf8(TextView text);
// The same into `out`, which has room for 3 bytes per unit of `text`; returns the bytes written.
std::size_t encodeUtf8(TextView text, char* out);

// Each byte is the character of the same code (U+0000 to U+00FF), written as UTF-8.
std::string latin1ToUtf8(std::string_view latin1);

// ASCII text as UTF-16, for literals and numbers.
Text fromAscii(std::string_view ascii);

// Decimal text of a signed value: a minus sign for negative values, no plus, no leading zeros.
std::string decimal(std::int64_t value);

}  // namespace diduzo
