// The program starts from a folder of its own and ends with exit code 0.
#include <gtest/gtest.h>

#include "tests/e2e/support/e2e_win32.h"

TEST(Smoke, DiduzoStartsAndEnds) {
  const std::wstring folder = e2e::freshFolder(L"smoke");
  ASSERT_TRUE(e2e::copyFile(e2e::buildFolder() + L"Diduzo.exe", folder + L"Diduzo.exe"));
  e2e::Child diduzo;
  ASSERT_TRUE(diduzo.start(L"\"" + folder + L"Diduzo.exe\"", folder));
  EXPECT_EQ(diduzo.waitForExit(30000), 0);
  EXPECT_TRUE(e2e::screenshot(L"smoke"));
}
