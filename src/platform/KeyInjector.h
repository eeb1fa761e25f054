#pragma once

#include <cstddef>
#include <span>

namespace tavero {

struct KeyEvent {
    int key = 0;  // virtual-key code
    bool up = false;
    // The scan code it goes in with; 0 until worked out. A key goes down and up with the same one,
    // worked out once, so a program that reads scan codes never sees a key left down.
    int scan = 0;
};

// Puts key events into the system's input stream, all of one call back to back, so that no
// other input can land between them.
class KeyInjector {
  public:
    virtual ~KeyInjector() = default;
    // How many of the events, from the first, the system took; it may refuse some (a secure
    // desktop in front, say).
    virtual std::size_t Send(std::span<const KeyEvent> events) = 0;
};

// Whether keys are down right now, whoever pressed them. On Windows the answers follow the
// keyboard; under Wine they may not, and a key that is down may read as up.
class KeyboardState {
  public:
    virtual ~KeyboardState() = default;
    // Whether the answers can be trusted.
    virtual bool Current() const = 0;
    virtual bool IsDown(int key) const = 0;
};

// What the user's own hands do on the keyboard, told apart from the program's keys by the
// program's marker. Known only while listening: a key whose going down was not heard is
// Unknown, and the program treats it as not held.
class UserKeyboard {
  public:
    enum class Key { Unknown, Down, Up };

    virtual ~UserKeyboard() = default;
    // Listens while any hotkey is armed; stopping forgets everything.
    virtual void Listen(bool on) = 0;
    // Takes in every key event the system has taken so far.
    virtual void CatchUp() = 0;
    virtual Key StateOf(int key) const = 0;
    // The program is about to press `key` back down, because the user holds it: should the user
    // have let go of it just before the press goes in, the press is undone.
    virtual void PressingBack(int key) = 0;
    // Swallows the keyboard's auto-repeat of `key`, the main key of the hotkey that is playing,
    // from now until the user lets go of it (or a moment after the last repeat): its repeats
    // would otherwise reach the application bare, or fire the hotkey again.
    virtual void SwallowRepeatsOf(int key) = 0;
};

}  // namespace tavero
