#pragma once

#include <cstdint>
#include <mutex>
#include <vector>

#include "platform/KeyInjector.h"

namespace tavero {

// The releases of the hold in progress and when they are due. Two threads may reach for them
// at once (the timer when the time is up, the player when it must let go early); each release
// is handed out exactly once.
class PendingRelease {
  public:
    void Set(std::vector<KeyEvent> releases, std::int64_t dueMicroseconds) {
        std::lock_guard lock(mutex_);
        releases_ = std::move(releases);
        due_ = dueMicroseconds;
    }
    // The releases, if any are left.
    std::vector<KeyEvent> Take() {
        std::lock_guard lock(mutex_);
        return std::exchange(releases_, {});
    }
    // The releases when they are due at `now` (within `slack`); nothing otherwise, so a timer
    // that fired for an earlier hold cannot end this one early.
    std::vector<KeyEvent> TakeIfDue(std::int64_t nowMicroseconds, std::int64_t slackMicroseconds) {
        std::lock_guard lock(mutex_);
        if (nowMicroseconds + slackMicroseconds < due_) {
            return {};
        }
        return std::exchange(releases_, {});
    }
    bool Empty() const {
        std::lock_guard lock(mutex_);
        return releases_.empty();
    }
    // Microseconds until the releases are due; 0 when nothing is pending.
    std::int64_t Remaining(std::int64_t nowMicroseconds) const {
        std::lock_guard lock(mutex_);
        return releases_.empty() || due_ <= nowMicroseconds ? 0 : due_ - nowMicroseconds;
    }

  private:
    mutable std::mutex mutex_;
    std::vector<KeyEvent> releases_;
    std::int64_t due_ = 0;
};

}  // namespace tavero
