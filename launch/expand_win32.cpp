#include <windows.h>

#include <vector>

#include "base/wide_win32.h"
#include "launch/expand.h"

namespace diduzo {

namespace {

class SystemEnvironment : public Environment {
 public:
  Text get(const Text& name) override {
    // A name with a NUL inside would be looked up as the shorter name before it.
    if (name.find(u'\0') != Text::npos) return {};
    const std::wstring wideName = wide(name);
    std::vector<wchar_t> buffer(256);
    for (;;) {
      const DWORD n = GetEnvironmentVariableW(wideName.c_str(), buffer.data(), static_cast<DWORD>(buffer.size()));
      if (n == 0) return {};
      if (n < buffer.size()) return fromWide(buffer.data(), n);
      buffer.resize(n > buffer.size() ? n : buffer.size() + 1);  // n: the size needed, with its zero
    }
  }
};

}  // namespace

Environment& systemEnvironment() {
  static SystemEnvironment environment;
  return environment;
}

}  // namespace diduzo
