// The program's events: what window procedures turn window messages into, taken one at a time
// by the event loop (or dropped by a question's nested wait).
#pragma once

#include <deque>

namespace diduzo {

enum class EventKind { TrayPress, MenuCommand, ControlEvent, CloseRequest };

enum class TrayButton { Left, Right, LeftDouble, RightDouble };

struct Event {
  EventKind kind = EventKind::MenuCommand;
  int number = 0;         // TrayPress: a TrayButton; MenuCommand: the item id; ControlEvent: the control number
  void* window = nullptr;  // CloseRequest: the window asked to close; ControlEvent: the control
};

// First in, first out, on the program's one thread.
class EventQueue {
 public:
  void push(const Event& event) { events_.push_back(event); }
  bool pop(Event& out) {
    if (events_.empty()) return false;
    out = events_.front();
    events_.pop_front();
    return true;
  }
  bool empty() const { return events_.empty(); }
  void clear() { events_.clear(); }

 private:
  std::deque<Event> events_;
};

// The program's queue.
inline EventQueue& events() {
  static EventQueue queue;
  return queue;
}

}  // namespace diduzo
