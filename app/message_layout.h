// The message window's text, size and placement, computed from its text and a measure of text.
#pragma once

#include <functional>
#include <vector>

#include "base/text.h"

namespace diduzo {

struct MessageRect {
  int left = 0, top = 0, width = 0, height = 0;
  bool operator==(const MessageRect&) const = default;
};

struct MessageButton {
  const char16_t* text;
  int result;
};

// The buttons of a button set, left to right: 0 "Ok", 4 "Yes" "No", 3 "Yes" "No" "Cancel",
// -1 none. Any other code is taken as 0.
std::vector<MessageButton> messageButtons(int buttonSet);

// What a pressed button set returns when the window is gone without an answer: the value of its
// rightmost button (the refusal: "Ok" 0, "No" 7, "Cancel" 2).
int messageRefusal(int buttonSet);

// Pixel width of a text in the measuring font.
using MeasureText = std::function<int(TextView)>;

struct MessageLayout {
  Text shownText;        // the text with CR LF turned into CR
  int lineBreaks = 0;    // k
  int clientWidth = 0;   // W
  int clientHeight = 0;  // H
  MessageRect label;
  std::vector<MessageRect> buttons;  // left to right
};

// Lays out a message window for `text` with `buttonCount` buttons on a display `displayWidth`
// pixels wide.
MessageLayout layoutMessage(TextView text, int buttonCount, int displayWidth, const MeasureText& measure);

struct MessagePoint {
  int left = 0, top = 0;
  bool operator==(const MessagePoint&) const = default;
};

// The top-left corner that centres a window of outer size width x height over the owner's
// window rectangle, each coordinate at least 0.
MessagePoint centreOverOwner(const MessageRect& owner, int width, int height);
// The same on a screen of that size when there is no owner.
MessagePoint centreOnScreen(int screenWidth, int screenHeight, int width, int height);

}  // namespace diduzo
