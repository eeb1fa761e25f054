#pragma once

#include <windows.h>

#include <atomic>
#include <mutex>

#include "platform/Handles_win.h"
#include "platform/Thread_win.h"
#include "playback/KeyHold.h"
#include "playback/PendingRelease.h"

namespace tavero {

// Holds keys on a high-resolution waitable timer watched by a thread of its own, which sends
// the releases the moment the timer is due, whatever the user-interface thread is doing
// meanwhile. The user-interface thread waits for that moment while it keeps dispatching
// messages, for a bounded time. One timer and one thread serve every playback: playbacks never
// overlap. Should the thread end (a failed wait), it lets go of what it holds first, and the
// next hold starts a new one.
class TimerKeyHold : public KeyHold {
  public:
    explicit TimerKeyHold(KeyInjector& injector) : injector_(injector) {}
    ~TimerKeyHold() override;  // lets go of a hold in progress
    TimerKeyHold(const TimerKeyHold&) = delete;
    TimerKeyHold& operator=(const TimerKeyHold&) = delete;

    void Prepare() override;
    void Begin(std::span<const KeyEvent> presses, std::vector<KeyEvent> releases,
               int milliseconds) override;
    WaitResult Wait(int timeoutMs) override;
    void ReleaseNow() override;

  private:
    void Start();
    void Arm(std::int64_t microseconds);
    void Watch();
    void WatchUntilStopped();
    // Sends what is pending when it is due (`now` given) or at once (none), and wakes the wait.
    void Release(const std::int64_t* now);
    bool Settled();

    KeyInjector& injector_;
    PendingRelease pending_;
    std::mutex sending_;  // presses and releases never cross in the input stream
    UniqueKernelHandle timer_;
    UniqueKernelHandle released_;
    UniqueKernelHandle stop_;
    Thread watcher_;
    std::atomic<bool> watching_{false};
};

}  // namespace tavero
