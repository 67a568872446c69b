#include "app/message_layout.h"

#include <gtest/gtest.h>

namespace diduzo {
namespace {

// Every character 6 pixels wide, as a stand-in for the system font.
int sixEach(TextView text) { return static_cast<int>(text.size()) * 6; }

TEST(MessageLayout, OneLineWithThreeButtons) {
  const Text text = u"Save changes to application entry?";  // 34 characters: 204 + 20
  const MessageLayout m = layoutMessage(text, 3, 1024, sixEach);
  EXPECT_EQ(m.shownText, text);
  EXPECT_EQ(m.lineBreaks, 0);
  EXPECT_EQ(m.clientWidth, 257);  // below the row of 237: the row plus 20
  EXPECT_EQ(m.clientHeight, 75);
  EXPECT_EQ(m.label, (MessageRect{13, 11, 247, 18}));
  ASSERT_EQ(m.buttons.size(), 3u);
  EXPECT_EQ(m.buttons[0], (MessageRect{10, 42, 75, 23}));
  EXPECT_EQ(m.buttons[1], (MessageRect{91, 42, 75, 23}));
  EXPECT_EQ(m.buttons[2], (MessageRect{172, 42, 75, 23}));
}

TEST(MessageLayout, CrLfBecomesCrAndEachBreakCounts) {
  struct Case {
    const char16_t* text;
    const char16_t* shown;
    int breaks;
    int width;  // with no buttons
  };
  const Case cases[] = {
      {u"first line\r\nsecond", u"first line\rsecond", 1, 80},
      {u"first line\rsecond", u"first line\rsecond", 1, 80},
      {u"a\nbb", u"a\nbb", 1, 32},
      {u"a\r\rbbb", u"a\r\rbbb", 2, 38},
      {u"a\r\n\r\nbbb", u"a\r\rbbb", 2, 38},
      {u"a\n\rb", u"a\n\rb", 2, 26},
      {u"tail\r", u"tail\r", 1, 44},
      {u"", u"", 0, 0},
  };
  for (const Case& c : cases) {
    const MessageLayout m = layoutMessage(c.text, 0, 1024, sixEach);
    EXPECT_EQ(m.shownText, c.shown) << toUtf8(c.shown);
    EXPECT_EQ(m.lineBreaks, c.breaks) << toUtf8(c.shown);
    EXPECT_EQ(m.clientWidth, c.width) << toUtf8(c.shown);
    EXPECT_EQ(m.clientHeight, 40 + 13 * c.breaks) << toUtf8(c.shown);
    EXPECT_TRUE(m.buttons.empty());
  }
}

TEST(MessageLayout, OneCrWithThreeButtons) {
  const Text text =
      u"Save changes to application entry and overwrite existing information?\r(Cancel = restore old values)";
  const MessageLayout m = layoutMessage(text, 3, 1024, sixEach);
  EXPECT_EQ(m.lineBreaks, 1);
  EXPECT_EQ(m.clientWidth, 69 * 6 + 20);
  EXPECT_EQ(m.clientHeight, 88);
  EXPECT_EQ(m.label.height, 31);
  EXPECT_EQ(m.buttons[0].top, 55);
}

TEST(MessageLayout, ShortTextsTakeTheButtonRowPlusMargin) {
  // Two buttons make a row of 156: below it the width becomes 176, from it on it stays.
  struct Case {
    int characters;
    int width;
  };
  const Case cases[] = {{1, 176}, {22, 176}, {23, 158}, {25, 170}, {26, 176}, {30, 200}};
  for (const Case& c : cases) {
    const MessageLayout m = layoutMessage(Text(static_cast<std::size_t>(c.characters), u'x'), 2, 1024, sixEach);
    EXPECT_EQ(m.clientWidth, c.width) << c.characters;
    EXPECT_EQ(m.buttons[0].left, (c.width - 156) / 2) << c.characters;
    EXPECT_EQ(m.buttons[1].left, (c.width - 156) / 2 + 81) << c.characters;
  }
  EXPECT_EQ(layoutMessage(u"", 1, 1024, sixEach).clientWidth, 95);
}

TEST(MessageLayout, LongLinesWrapAt62PercentOfTheDisplay) {
  // Display 1000: at most 620. With 10 pixels a character the 60th character of a line reaches it
  // and ends the line without being measured again.
  const auto tenEach = [](TextView t) { return static_cast<int>(t.size()) * 10; };
  const MessageLayout m = layoutMessage(Text(150, u'x'), 1, 1000, tenEach);
  EXPECT_EQ(m.lineBreaks, 2);
  EXPECT_EQ(m.clientWidth, 610);
  EXPECT_EQ(m.clientHeight, 75 + 26);
  EXPECT_EQ(m.label.height, 18 + 26);
  // An odd display width is rounded down: 62 % of 999 is 619.
  EXPECT_EQ(layoutMessage(Text(150, u'x'), 0, 999, tenEach).lineBreaks, 2);
  // A character wider than the maximum makes a break of its own each time, and ends.
  const auto huge = [](TextView t) { return static_cast<int>(t.size()) * 5000; };
  EXPECT_EQ(layoutMessage(u"abc", 0, 1000, huge).lineBreaks, 3);
}

TEST(MessageLayout, ButtonSets) {
  struct Case {
    int set;
    std::vector<int> results;
    int refusal;
  };
  const Case cases[] = {{0, {0}, 0}, {4, {6, 7}, 7}, {3, {6, 7, 2}, 2}, {-1, {}, 0}, {9, {0}, 0}};
  for (const Case& c : cases) {
    std::vector<int> results;
    for (const MessageButton& b : messageButtons(c.set)) results.push_back(b.result);
    EXPECT_EQ(results, c.results) << c.set;
    EXPECT_EQ(messageRefusal(c.set), c.refusal) << c.set;
  }
  EXPECT_EQ(Text(messageButtons(3)[2].text), u"Cancel");
  EXPECT_EQ(Text(messageButtons(0)[0].text), u"Ok");
}

TEST(MessageLayout, Centring) {
  EXPECT_EQ(centreOverOwner({100, 50, 400, 300}, 200, 100), (MessagePoint{200, 150}));
  EXPECT_EQ(centreOverOwner({10, 0, 100, 50}, 300, 200), (MessagePoint{0, 0}));
  EXPECT_EQ(centreOverOwner({-500, -400, 100, 100}, 50, 50), (MessagePoint{0, 0}));
  EXPECT_EQ(centreOnScreen(1024, 768, 300, 100), (MessagePoint{362, 334}));
  EXPECT_EQ(centreOnScreen(1024, 768, 2000, 1000), (MessagePoint{0, 0}));
}

}  // namespace
}  // namespace diduzo
