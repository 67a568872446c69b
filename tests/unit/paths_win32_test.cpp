// The executable's own path.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "base/wide_win32.h"
#include "launch/paths.h"
#include "launch/paths_win32.h"

namespace diduzo {
namespace {

TEST(ProgramFileName, IsTheModulesWholePath) {
  std::vector<wchar_t> buffer(32768);
  const DWORD n = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
  const Text path = programFileName();
  EXPECT_EQ(path, fromWide(buffer.data(), n));
  EXPECT_EQ(filePart(path), u"diduzo_tests.exe");
  EXPECT_EQ(driveSpecOf(programDirFrom(path)).size(), 2u);
}

// A module name as GetModuleFileNameW hands it out: cut off to fit the buffer, which then is
// full and its size is returned.
struct ModuleName {
  std::wstring path;
  int reads = 0;
};

unsigned long readCut(wchar_t* buffer, unsigned long size, void* context) {
  auto* name = static_cast<ModuleName*>(context);
  ++name->reads;
  if (name->path.empty()) return 0;
  const std::size_t n = name->path.size() < size ? name->path.size() : size - 1;
  std::memcpy(buffer, name->path.data(), n * sizeof(wchar_t));
  buffer[n] = L'\0';
  return name->path.size() < size ? static_cast<unsigned long>(n) : size;
}

TEST(ProgramFileName, APathLongerThan260CharactersComesBackWhole) {
  struct Case {
    std::size_t length;
    int reads;
  };
  const Case cases[] = {{20, 1}, {259, 1}, {260, 2}, {300, 2}, {519, 2}, {520, 3}, {5000, 6}};
  for (const Case& c : cases) {
    ModuleName name;
    name.path = L"\\\\?\\G:\\" + std::wstring(c.length - 15, L'\u00C4') + L"\\app.exe";
    ASSERT_EQ(name.path.size(), c.length);
    EXPECT_EQ(readModuleFileName(readCut, &name), fromWide(name.path.c_str())) << c.length;
    EXPECT_EQ(name.reads, c.reads) << c.length;
  }
  ModuleName none;
  EXPECT_EQ(readModuleFileName(readCut, &none), u"");
}

}  // namespace
}  // namespace diduzo
