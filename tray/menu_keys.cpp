#include "tray/menu_keys.h"

namespace diduzo {

namespace {

char16_t folded(char16_t c) { return (c >= u'a' && c <= u'z') ? static_cast<char16_t>(c - u'a' + u'A') : c; }

// The first character the item shows: a leading "&" only marks the mnemonic (or, doubled, shows
// one ampersand).
char16_t shownInitial(TextView text) {
  if (text.empty()) return 0;
  if (text[0] != u'&') return text[0];
  return text.size() > 1 ? text[1] : 0;
}

}  // namespace

char16_t mnemonicOf(TextView text) {
  for (std::size_t i = 0; i + 1 < text.size(); ++i) {
    if (text[i] != u'&') continue;
    if (text[i + 1] == u'&') {
      ++i;  // "&&" shows one ampersand
      continue;
    }
    return text[i + 1];
  }
  return 0;
}

int itemForLetter(const std::vector<Text>& texts, char16_t letter) {
  if (letter == 0) return -1;
  const char16_t key = folded(letter);
  for (std::size_t i = 0; i < texts.size(); ++i) {
    const char16_t m = mnemonicOf(texts[i]);
    if (m != 0 && folded(m) == key) return static_cast<int>(i);
  }
  for (std::size_t i = 0; i < texts.size(); ++i)
    if (folded(shownInitial(texts[i])) == key) return static_cast<int>(i);
  return -1;
}

}  // namespace diduzo
