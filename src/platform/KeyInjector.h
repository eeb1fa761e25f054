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

// Whether keys are down right now, whoever pressed them. The answers can lag behind the
// keyboard for a moment after the last question (Wine answers each thread from a copy it keeps
// for 50 ms), so a key pressed since may read as up.
class KeyboardState {
  public:
    virtual ~KeyboardState() = default;
    // Whether the answers follow the keyboard now; asked before the first question of a look.
    virtual bool Current() const = 0;
    virtual bool IsDown(int key) const = 0;
};

}  // namespace tavero
