#include "app/message_layout.h"

#include <algorithm>

namespace diduzo {

namespace {

constexpr int measureMargin = 20;
constexpr int lineStep = 13;
constexpr int buttonWidth = 75;
constexpr int buttonHeight = 23;
constexpr int buttonGap = 6;

bool isBreak(char16_t c) { return c == u'\r' || c == u'\n'; }

}  // namespace

std::vector<MessageButton> messageButtons(int buttonSet) {
  switch (buttonSet) {
    case -1: return {};
    case 4: return {{u"Yes", 6}, {u"No", 7}};
    case 3: return {{u"Yes", 6}, {u"No", 7}, {u"Cancel", 2}};
    default: return {{u"Ok", 0}};
  }
}

int messageRefusal(int buttonSet) {
  const std::vector<MessageButton> buttons = messageButtons(buttonSet);
  return buttons.empty() ? 0 : buttons.back().result;
}

MessageLayout layoutMessage(TextView text, int buttonCount, int displayWidth, const MeasureText& measure) {
  MessageLayout out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') {
      out.shownText.push_back(u'\r');
      ++i;
    } else {
      out.shownText.push_back(text[i]);
    }
  }
  const int maxWidth = static_cast<int>(static_cast<long long>(displayWidth) * 62 / 100);

  // A line ends at a CR or LF, or at the character whose prefix reaches the maximum width; the
  // character it ends at is not measured again.
  const TextView shown = out.shownText;
  int k = 0;
  int w = 0;
  std::size_t start = 0;
  std::size_t p = 1;
  while (start + p <= shown.size()) {
    const char16_t c = shown[start + p - 1];
    const int width = measure(shown.substr(start, p));
    if (width + measureMargin >= maxWidth || isBreak(c)) {
      if (isBreak(c)) w = std::max(w, measure(shown.substr(start, p - 1)) + measureMargin);
      ++k;
      start += p;
      p = 1;
    } else {
      w = std::max(w, width + measureMargin);
      ++p;
    }
  }

  const int n = std::clamp(buttonCount, 0, 3);
  const int rowWidth = buttonWidth * n + buttonGap * std::max(n - 1, 0);
  if (n >= 1 && w < rowWidth) w = rowWidth + measureMargin;

  out.lineBreaks = k;
  out.clientWidth = w;
  out.clientHeight = (n > 0 ? 75 : 40) + lineStep * k;
  out.label = {13, 11, w - 10, 18 + lineStep * k};
  const int rowLeft = (w - rowWidth) / 2;  // w is at least the row width here
  for (int i = 0; i < n; ++i)
    out.buttons.push_back({rowLeft + (buttonWidth + buttonGap) * i, out.clientHeight - 33, buttonWidth, buttonHeight});
  return out;
}

MessagePoint centreOverOwner(const MessageRect& owner, int width, int height) {
  return {std::max(owner.left + (owner.width - width) / 2, 0), std::max(owner.top + (owner.height - height) / 2, 0)};
}

MessagePoint centreOnScreen(int screenWidth, int screenHeight, int width, int height) {
  return {(screenWidth - std::min(screenWidth, width)) / 2, (screenHeight - std::min(screenHeight, height)) / 2};
}

}  // namespace diduzo
