#pragma once

namespace tavero {

enum class WaitResult {
    Elapsed,
    // The program was asked to quit during the wait; the request stays queued for the caller's
    // own message loop.
    QuitRequested,
};

// Waits while the program's windows keep working: every message that arrives meanwhile is
// dispatched. Failures are raised as RunTimeError.
class TimedWait {
  public:
    virtual ~TimedWait() = default;
    virtual WaitResult Pause(int milliseconds) = 0;
};

}  // namespace tavero
