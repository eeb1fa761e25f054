#pragma once

#include <windows.h>

#include "platform/Handles_win.h"
#include "platform/TimedWait.h"

namespace tavero {

// One timed wait that keeps the program's windows working: it blocks until its own timer is
// due or a message arrives, and dispatches every message meanwhile. Each wait owns its timer,
// so a wait that starts inside another (a hotkey during a pause) can neither re-arm nor close
// the outer one's.
class WaitableTimer {
  public:
    WaitableTimer() = default;
    WaitableTimer(const WaitableTimer&) = delete;
    WaitableTimer& operator=(const WaitableTimer&) = delete;
    ~WaitableTimer() = default;  // closes a timer left open by an error

    // Raises RunTimeError described "[clsWaitableTimer.Wait]..." when the timer cannot be made
    // or the wait fails; it never loops on a failure.
    WaitResult Wait(double milliseconds);

  private:
    UniqueKernelHandle timer_;
};

// The pause between a playback's presses and releases.
class MessagePumpingPause : public TimedWait {
  public:
    WaitResult Pause(int milliseconds) override {
        WaitableTimer timer;
        return timer.Wait(milliseconds);
    }
};

}  // namespace tavero
