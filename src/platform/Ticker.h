#pragma once

#include <functional>

namespace tavero {

// Calls back after a while on the user-interface thread, one call per start: timers by number.
class Ticker {
  public:
    virtual ~Ticker() = default;
    // `id`'s call comes once, `ms` from now (from now again where it was started already).
    virtual void Start(int id, int ms) = 0;
    virtual void Stop(int id) = 0;

    std::function<void(int id)> onTick;
};

// The user's keyboard repeat, as the system's settings have it: how long a key is held before it
// repeats, and how often it repeats then.
struct KeyboardRepeat {
    int delayMs = 500;
    int periodMs = 33;
};

}  // namespace tavero
