// The bridge between the core's UTF-16 text and the Win32 API's wchar_t strings.
#pragma once

#include <string>

#include "base/text.h"

namespace diduzo {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Win32 wide strings are UTF-16");

inline std::wstring wide(TextView text) { return std::wstring(text.begin(), text.end()); }
inline Text fromWide(const wchar_t* text) {
  Text out;
  if (text)
    for (; *text; ++text) out.push_back(static_cast<char16_t>(*text));
  return out;
}
inline Text fromWide(const wchar_t* text, std::size_t length) { return Text(text, text + length); }

}  // namespace diduzo
