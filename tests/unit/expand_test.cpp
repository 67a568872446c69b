#include "launch/expand.h"

#include <gtest/gtest.h>

#include "tests/fakes/fake_processes.h"

namespace diduzo {
namespace {

TEST(ExpandDrive, ReplacesOnlyTheExactPlaceholder) {
  struct Case {
    const char16_t* text;
    const char16_t* drive;
    const char16_t* out;
  };
  const Case cases[] = {
      {u"%drive%\\Data", u"G:", u"G:\\Data"},
      {u"%DRIVE%\\Data", u"G:", u"%DRIVE%\\Data"},
      {u"%Drive%\\Data", u"G:", u"%Drive%\\Data"},
      {u"-a %drive%\\x -b %drive%\\y", u"G:", u"-a G:\\x -b G:\\y"},
      {u"%drive%\\Data", u"\\\\", u"\\\\\\Data"},  // program on a share
      {u"%drive%drive%", u"G:", u"G:drive%"},      // no overlap
      {u"%drive%", u"%drive%", u"%drive%"},        // the inserted text is not scanned again
      {u"%driv", u"G:", u"%driv"},
      {u"", u"G:", u""},
  };
  for (const Case& c : cases) EXPECT_EQ(expandDrive(c.text, c.drive), c.out) << toUtf8(c.text);
}

class ExpandEnvironment : public ::testing::Test {
 protected:
  Text expand(TextView text) { return expandEnvironment(text, environment); }
  fakes::FakeEnvironment environment;
};

TEST_F(ExpandEnvironment, ReplacesReferencesByTheirValues) {
  environment.values = {{u"windir", u"C:\\Windows"}, {u"A", u"a1"}, {u"B", u"b2"}, {u"PATH", u"C:\\bin"},
                        {u"EMPTY", u""},            {u"x%y", u"XY"}, {u"P", u"50%"}};
  struct Case {
    const char16_t* text;
    const char16_t* out;
  };
  const Case cases[] = {
      {u"%windir%\\explorer.exe", u"C:\\Windows\\explorer.exe"},
      {u"no signs", u"no signs"},
      {u"", u""},
      {u"%", u"%"},
      {u"abc%", u"abc%"},
      {u"%%", u"%%"},
      {u"50%%", u"50%%"},
      {u"%NOSUCHVAR%\\tool.exe", u"%NOSUCHVAR%\\tool.exe"},
      {u"%EMPTY%\\tool.exe", u"%EMPTY%\\tool.exe"},
      {u"%A%%B%", u"a1b2"},
      {u"%A%B%", u"a1B%"},
      {u"%PATH%;%PATH%", u"C:\\bin;C:\\bin"},
      {u"%%PATH%%", u"%C:\\bin%"},
      {u"%a%", u"%a%"},                // names are matched exactly as written
      {u"A%A%A", u"Aa1A"},             // text outside the signs is never a name
      {u"%A% and %B%", u"a1 and b2"},
      {u"%x%y%", u"%x%y%"},            // a name cannot hold a sign: "x" and "y" are the candidates
      {u"%P%%P%", u"50%50%"},          // a value with a sign is not split again
      {u"%drive%\\x", u"%drive%\\x"},
  };
  for (const Case& c : cases) EXPECT_EQ(expand(c.text), c.out) << toUtf8(c.text);
}

TEST_F(ExpandEnvironment, LooksUpEachTextBetweenTwoSigns) {
  environment.values = {{u"B", u"b"}};
  EXPECT_EQ(expand(u"pre%A%B%post"), u"pre%Abpost");
  EXPECT_EQ(environment.lookups, (std::vector<Text>{u"A", u"B"}));
  environment.lookups.clear();
  EXPECT_EQ(expand(u"%A% and %B%"), u"%A% and b");
  EXPECT_EQ(environment.lookups, (std::vector<Text>{u"A", u" and ", u"B"}));
}

TEST_F(ExpandEnvironment, LaterStepsActOnTheTextAsItChanged) {
  // A value that refers to a later candidate is expanded by that later step.
  environment.values = {{u"A", u"[%B%]"}, {u"B", u"b"}};
  EXPECT_EQ(expand(u"%A%%B%"), u"[b]b");
  // A value that refers to an earlier candidate stays as inserted.
  environment.values = {{u"A", u"a"}, {u"B", u"[%A%]"}};
  EXPECT_EQ(expand(u"%A%%B%"), u"a[%A%]");
  // An earlier step consumes signs that a later candidate would have matched.
  environment.values = {{u"A", u"a"}, {u"B", u"b"}};
  EXPECT_EQ(expand(u"%A%B%"), u"aB%");
  environment.values = {{u"B", u"b"}};
  EXPECT_EQ(expand(u"%A%B%"), u"%Ab");
}

TEST_F(ExpandEnvironment, CountsSignsInEightSignedBits) {
  environment.values = {{u"A", u"a"}};
  const auto withSigns = [](std::size_t signs) { return u"x%A%" + Text(signs - 2, u'%'); };
  struct Case {
    std::size_t signs;
    bool expanded;
  };
  const Case cases[] = {{3, true},    {127, true},   {128, false}, {200, false}, {255, false},
                        {256, false}, {257, false},  {258, true},  {383, true},  {384, false}};
  for (const Case& c : cases) {
    const Text text = withSigns(c.signs);
    const Text expected = c.expanded ? u"xa" + Text(c.signs - 2, u'%') : text;
    EXPECT_EQ(expand(text), expected) << c.signs << " signs";
  }
  // With a residue of 2, only the first two signs count: the reference after them is left.
  environment.values = {{u"A", u"a"}, {u"B", u"b"}};
  Text text = u"%A%%B%" + Text(254, u'%');
  EXPECT_EQ(expand(text), u"a%B%" + Text(254, u'%'));
}

TEST_F(ExpandEnvironment, ASelfReferringValueCannotGrowWithoutBound) {
  // Every candidate "A" would double the text: 60 of them would need more memory than exists.
  environment.values = {{u"A", u"%A%%A%"}};
  Text text;
  for (int i = 0; i < 60; ++i) text += u"%A%";
  const Text out = expand(text);
  EXPECT_LE(out.size(), 32767u);
  EXPECT_GT(out.size(), text.size());
  EXPECT_EQ(out.find_first_not_of(u"%A"), Text::npos);
  // A long value that fits is inserted whole.
  environment.values = {{u"LONG", Text(30000, u'v')}};
  EXPECT_EQ(expand(u"%LONG%"), Text(30000, u'v'));
}

}  // namespace
}  // namespace diduzo
