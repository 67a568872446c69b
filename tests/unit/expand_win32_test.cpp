// The process's own environment, read at each call.
#include <windows.h>

#include <gtest/gtest.h>

#include "base/wide_win32.h"
#include "launch/expand.h"

namespace diduzo {
namespace {

TEST(SystemEnvironment, ReadsTheCurrentValueOfAnyLength) {
  Environment& environment = systemEnvironment();
  ASSERT_TRUE(SetEnvironmentVariableW(L"DIDUZO_TEST_VALUE", L"first"));
  EXPECT_EQ(environment.get(u"DIDUZO_TEST_VALUE"), u"first");
  EXPECT_EQ(environment.get(u"diduzo_test_value"), u"first");  // Windows ignores the case of names
  ASSERT_TRUE(SetEnvironmentVariableW(L"DIDUZO_TEST_VALUE", L"second"));
  EXPECT_EQ(environment.get(u"DIDUZO_TEST_VALUE"), u"second");  // nothing is cached

  const Text longValue(5000, u'\u03A9');
  ASSERT_TRUE(SetEnvironmentVariableW(L"DIDUZO_TEST_VALUE", wide(longValue).c_str()));
  EXPECT_EQ(environment.get(u"DIDUZO_TEST_VALUE"), longValue);
  EXPECT_EQ(expandEnvironment(u"<%DIDUZO_TEST_VALUE%>", environment), u"<" + longValue + u">");

  ASSERT_TRUE(SetEnvironmentVariableW(L"DIDUZO_TEST_VALUE", nullptr));
  EXPECT_EQ(environment.get(u"DIDUZO_TEST_VALUE"), u"");
  EXPECT_EQ(environment.get(u""), u"");
  // A name with a NUL inside is not the name before it.
  ASSERT_TRUE(SetEnvironmentVariableW(L"DIDUZO_TEST_VALUE", L"v"));
  EXPECT_EQ(environment.get(Text(u"DIDUZO_TEST_VALUE\0x", 19)), u"");
  SetEnvironmentVariableW(L"DIDUZO_TEST_VALUE", nullptr);
}

}  // namespace
}  // namespace diduzo
