#pragma once

#include <windows.h>

#include <mutex>
#include <thread>

#include "platform/Handles_win.h"
#include "platform/KeyHold.h"
#include "platform/PendingRelease.h"

namespace tavero {

// Holds keys on a high-resolution waitable timer watched by a thread of its own, which sends
// the releases the moment the timer is due, whatever the user-interface thread is doing
// meanwhile. The user-interface thread waits for that moment while it keeps dispatching
// messages. One timer and one thread serve every playback: playbacks never overlap.
class TimerKeyHold : public KeyHold {
  public:
    explicit TimerKeyHold(KeyInjector& injector) : injector_(injector) {}
    ~TimerKeyHold() override;  // lets go of a hold in progress
    TimerKeyHold(const TimerKeyHold&) = delete;
    TimerKeyHold& operator=(const TimerKeyHold&) = delete;

    void Begin(std::span<const KeyEvent> presses, std::vector<KeyEvent> releases,
               int milliseconds) override;
    WaitResult Wait() override;
    void ReleaseNow() override;

  private:
    void Start();
    void Arm(std::int64_t microseconds);
    void Watch();
    void Send(const std::vector<KeyEvent>& releases);

    KeyInjector& injector_;
    PendingRelease pending_;
    std::mutex sending_;  // presses and releases never cross in the input stream
    UniqueKernelHandle timer_;
    UniqueKernelHandle released_;
    UniqueKernelHandle stop_;
    std::thread watcher_;
};

}  // namespace tavero
