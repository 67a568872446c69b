#include "base/text.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

namespace diduzo {
namespace {

TEST(Text, Utf8DecodesWellFormedText) {
  EXPECT_EQ(fromUtf8("Editor"), u"Editor");
  EXPECT_EQ(fromUtf8("\xC3\x84pps \xCE\xA9"), u"\u00C4pps \u03A9");
  EXPECT_EQ(fromUtf8("\xE2\x82\xAC"), u"\u20AC");
  EXPECT_EQ(fromUtf8("\xF0\x9F\x98\x80"), u"\U0001F600");
  EXPECT_EQ(fromUtf8(std::string_view("a\0b", 3)), Text(u"a\0b", 3));
}

TEST(Text, IllFormedUtf8BecomesReplacementCharacters) {
  struct Case {
    std::string_view in;
    Text out;
  };
  const Case cases[] = {
      {"\x80", u"\uFFFD"},                          // a lone continuation byte
      {"a\xC3", u"a\uFFFD"},                        // cut off at the end
      {"\xC0\xAF", u"\uFFFD\uFFFD"},                // overlong, never valid lead
      {"\xE0\x80\xAF", u"\uFFFD\uFFFD\uFFFD"},      // overlong three-byte form
      {"\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD"},      // an encoded surrogate
      {"\xF4\x90\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD"},  // above U+10FFFF
      {"\xE2\x82x", u"\uFFFDx"},                    // one maximal subpart, then the next character
      {"\xFF\xFE", u"\uFFFD\uFFFD"},
  };
  for (const Case& c : cases) EXPECT_EQ(fromUtf8(c.in), c.out) << testing::PrintToString(std::string(c.in));
}

TEST(Text, Utf8RoundTripsAndLoneSurrogatesAreReplaced) {
  const Text text = u"a\u00E9\u20AC\U0001F600z";
  EXPECT_EQ(fromUtf8(toUtf8(text)), text);
  EXPECT_EQ(toUtf8(Text(1, char16_t(0xD800))), "\xEF\xBF\xBD");
  EXPECT_EQ(toUtf8(Text(1, char16_t(0xDC00)) + u"x"), "\xEF\xBF\xBDx");
}

TEST(Text, Latin1BytesBecomeTheirCharacters) {
  EXPECT_EQ(latin1ToUtf8("caf\xE9"), "caf\xC3\xA9");
  EXPECT_EQ(fromUtf8(latin1ToUtf8("\x80\xFF")), u"\u0080\u00FF");
}

TEST(Text, DecimalHasNoPlusAndNoLeadingZeros) {
  EXPECT_EQ(decimal(0), "0");
  EXPECT_EQ(decimal(-56), "-56");
  EXPECT_EQ(decimal(127), "127");
  EXPECT_EQ(decimal(std::numeric_limits<std::int64_t>::min()), "-9223372036854775808");
}

}  // namespace
}  // namespace diduzo
