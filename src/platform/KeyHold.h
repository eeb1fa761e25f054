#pragma once

#include <span>
#include <vector>

#include "platform/KeyInjector.h"

namespace tavero {

enum class WaitResult {
    Elapsed,
    // The program was asked to quit during the wait; the releases went out at once and the
    // request stays queued for the caller's own message loop.
    QuitRequested,
};

// Holds keys for a set time on a clock of its own: the releases go into the input stream when
// the time is up even while the calling thread is held up in a nested loop of its own (a
// message box, a menu, a window drag). Each release goes out once. Failures are raised as
// RunTimeError, before any key is pressed where they can be.
class KeyHold {
  public:
    virtual ~KeyHold() = default;
    // Sends `presses` now and `releases` `milliseconds` later.
    virtual void Begin(std::span<const KeyEvent> presses, std::vector<KeyEvent> releases,
                       int milliseconds) = 0;
    // Dispatches every message that arrives until the releases have gone out.
    virtual WaitResult Wait() = 0;
    // Sends the releases now unless they went out already.
    virtual void ReleaseNow() = 0;
};

// Swallows the keyboard's auto-repeat of a key the user still holds: once an action released
// the hotkey's modifiers, the repeats of its main key would reach the application bare.
class KeyRepeatGuard {
  public:
    virtual ~KeyRepeatGuard() = default;
    // Until `key` goes up (or another key goes down), its repeats go nowhere; nothing happens
    // when it is already up.
    virtual void SwallowRepeatsOf(int key) = 0;
};

}  // namespace tavero
