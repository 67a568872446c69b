#include "tray/tray_text.h"

#include <gtest/gtest.h>

#include "tray/about_text.h"
#include "tray/menu_keys.h"

namespace diduzo {
namespace {

TEST(TrayText, TooltipIsThreeLinesOf63Units) {
  const Text tip = trayTooltip();
  EXPECT_EQ(tip, u"Diduzo\rLeft-Click -> Launch Apps\rRight-Click -> Help/About/Exit");
  EXPECT_EQ(tip.size(), 63u);
  EXPECT_EQ(tip.find(u'\n'), Text::npos);
}

TEST(TrayText, TooltipsAreCutTo63Units) {
  const Text tip63(63, u'x');
  EXPECT_EQ(cutTooltip(tip63), tip63);
  EXPECT_EQ(cutTooltip(tip63 + u"y"), tip63);
  EXPECT_EQ(cutTooltip(u"short"), u"short");
  EXPECT_EQ(cutTooltip(u""), u"");
}

TEST(AboutText, Has36LinesEndingWithCrLf) {
  const Text text = aboutText();
  ASSERT_GE(text.size(), 2u);
  EXPECT_EQ(text.substr(text.size() - 2), u"\r\n");
  std::vector<Text> lines;
  std::size_t start = 0;
  for (std::size_t end; (end = text.find(u"\r\n", start)) != Text::npos; start = end + 2)
    lines.push_back(text.substr(start, end - start));
  EXPECT_EQ(start, text.size());
  ASSERT_EQ(lines.size(), 36u);
  for (const Text& line : lines) {
    EXPECT_EQ(line.find(u'\r'), Text::npos);
    EXPECT_EQ(line.find(u'\n'), Text::npos);
  }
  EXPECT_EQ(lines[0], u"Diduzo - a small and easy usable application launcher for your USB stick");
  EXPECT_EQ(lines[2], u"Description:");
  EXPECT_EQ(lines[7], u"Special features:");
  EXPECT_EQ(lines[20], u"Usage:");
  for (int empty : {1, 6, 19, 31, 32, 33}) EXPECT_EQ(lines[empty], u"") << "line " << empty + 1;
  for (int i = 3; i <= 5; ++i) EXPECT_EQ(lines[i].substr(0, 3).find_first_not_of(u' '), 2u) << "line " << i + 1;
  for (int i = 8; i <= 18; ++i)
    EXPECT_TRUE(lines[i].starts_with(u"  * ") || lines[i].starts_with(u"    ")) << "line " << i + 1;
  for (int i = 21; i <= 30; ++i) EXPECT_EQ(lines[i].substr(0, 3).find_first_not_of(u' '), 2u) << "line " << i + 1;
  EXPECT_NE(lines[34].find(u"Diduzo authors"), Text::npos);
  EXPECT_FALSE(lines[35].empty());
  EXPECT_EQ(Text(aboutTitle), u"Help/About - Diduzo v1.6.0");
}

TEST(MenuKeys, MnemonicIsTheLetterAfterASingleAmpersand) {
  EXPECT_EQ(mnemonicOf(u"&Exit"), u'E');
  EXPECT_EQ(mnemonicOf(u"Save &as"), u'a');
  EXPECT_EQ(mnemonicOf(u"Fish && &Chips"), u'C');
  EXPECT_EQ(mnemonicOf(u"A && B"), 0);
  EXPECT_EQ(mnemonicOf(u"Trailing &"), 0);
  EXPECT_EQ(mnemonicOf(u""), 0);
}

TEST(MenuKeys, LetterChoosesMnemonicFirstThenInitial) {
  std::vector<Text> tray;
  for (const TrayMenuRow& row : trayMenuRows) tray.push_back(row.text ? Text(row.text) : Text());
  const std::vector<Text> mixed = {u"Alpha", u"Be&ta", u"&alpha two", u"", u"tango", u"9 lives", u"\u00e9t\u00e9", u"&&more"};
  struct Case {
    const std::vector<Text>* items;
    char16_t letter;
    int chosen;
  };
  const Case cases[] = {
      {&tray, u'e', 6},  {&tray, u'E', 6}, {&tray, u'h', 4},  {&tray, u's', 3}, {&tray, u'a', 0},
      {&tray, u'x', -1}, {&tray, 0, -1},
      {&mixed, u'a', 2},   // a mnemonic wins over an earlier initial
      {&mixed, u'T', 1},   // "Be&ta" before "tango"
      {&mixed, u'b', 1},   // the initial when no mnemonic matches
      {&mixed, u'9', 5},   // other characters compare exactly
      {&mixed, u'\u00c9', -1},  // case is folded only for A to Z
      {&mixed, u'&', 7},   // a doubled ampersand shows one
      {&mixed, u'm', -1},
  };
  for (const Case& c : cases)
    EXPECT_EQ(itemForLetter(*c.items, c.letter), c.chosen) << "letter " << static_cast<int>(c.letter);
}

}  // namespace
}  // namespace diduzo
