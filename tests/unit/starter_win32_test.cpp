// The parts of the real process seam that need no second program.
#include <windows.h>

#include <gtest/gtest.h>

#include "launch/starter.h"

namespace diduzo {
namespace {

TEST(SystemProcesses, UpperCasesLikeTheUserInterface) {
  Processes& processes = systemProcesses();
  EXPECT_EQ(processes.upperCase(u"exe"), u"EXE");
  EXPECT_EQ(processes.upperCase(u"Exe"), u"EXE");
  EXPECT_EQ(processes.upperCase(u"\u00E9x\u00E9"), u"\u00C9X\u00C9");
  EXPECT_EQ(processes.upperCase(u""), u"");
  EXPECT_EQ(processes.upperCase(Text(u"e\0x", 3)), Text(u"E\0X", 3));  // by length, not up to a zero
}

TEST(SystemProcesses, FindsTheFirstTopLevelWindowWithoutParentOfAProcess) {
  Processes& processes = systemProcesses();
  HWND top = CreateWindowExW(0, L"STATIC", L"top", WS_OVERLAPPED, 0, 0, 50, 50, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(top, nullptr);
  HWND owned = CreateWindowExW(0, L"STATIC", L"owned", WS_POPUP, 0, 0, 50, 50, top, nullptr, nullptr, nullptr);
  ASSERT_NE(owned, nullptr);
  BringWindowToTop(owned);  // an owned popup has a parent in GetParent's sense, so it is passed over
  const WindowHandle found = processes.firstTopLevelWindowOf(GetCurrentProcessId());
  EXPECT_NE(found, owned);
  ASSERT_NE(found, nullptr);
  DWORD owner = 0;
  GetWindowThreadProcessId(static_cast<HWND>(found), &owner);
  EXPECT_EQ(owner, GetCurrentProcessId());
  EXPECT_EQ(GetParent(static_cast<HWND>(found)), nullptr);
  DestroyWindow(owned);
  DestroyWindow(top);
  EXPECT_EQ(processes.firstTopLevelWindowOf(0xFFFFFFF0), nullptr);  // no such process
}

}  // namespace
}  // namespace diduzo
