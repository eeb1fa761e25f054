#pragma once

#include <span>

namespace tavero {

struct KeyEvent {
    int key = 0;  // virtual-key code
    bool up = false;
};

// Puts key events into the system's input stream, all of one call back to back, so that no
// other input can land between them.
class KeyInjector {
  public:
    virtual ~KeyInjector() = default;
    virtual void Send(std::span<const KeyEvent> events) = 0;
};

}  // namespace tavero
