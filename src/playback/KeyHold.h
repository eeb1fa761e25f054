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
    // The releases did not go out in the time given: something is wrong with the hold's clock.
    // They are still pending; the caller lets go of them.
    TimedOut,
};

// Holds keys for a set time on a clock of its own: the releases go into the input stream when
// the time is up even while the calling thread is held up in a nested loop of its own (a
// message box, a menu, a window drag). The time counts from when the presses are in. Each
// release goes out once. Failures are raised as RunTimeError, before any key is pressed where
// they can be.
class KeyHold {
  public:
    virtual ~KeyHold() = default;
    // Makes ready what a hold needs, so that the first hotkey is as quick as any other.
    virtual void Prepare() = 0;
    // Sends `presses` now and `releases` `milliseconds` later.
    virtual void Begin(std::span<const KeyEvent> presses, std::vector<KeyEvent> releases,
                       int milliseconds) = 0;
    // Dispatches every message that arrives until the releases have gone out, for at most
    // `timeoutMs`.
    virtual WaitResult Wait(int timeoutMs) = 0;
    // Sends the releases now unless they went out already.
    virtual void ReleaseNow() = 0;
};

}  // namespace tavero
