#pragma once

#include <cstdint>

namespace tavero {

// Tells the keyboard's auto-repeat of a held key from the user's next press of it, by time: a
// keyboard repeats a held key first after its repeat delay (a second at the longest) and then at
// its repeat rate (two or more a second). So a release the watch did not see (the key state can
// lag behind it) never leaves the next real press swallowed.
class RepeatFilter {
  public:
    static constexpr std::uint32_t kLongestDelayMs = 1200;
    static constexpr std::uint32_t kLongestIntervalMs = 600;

    // Watches `key`, pressed at `pressedMs`.
    void Watch(int key, std::uint32_t pressedMs) {
        key_ = key;
        deadline_ = pressedMs + kLongestDelayMs;
        done_ = false;
    }
    // A key event at `timeMs`; `own` when the program sent it. True when it is a repeat to
    // swallow. The watch ends at the key's release, at another key's press, and at a press
    // that comes too late to be a repeat.
    bool Swallow(int key, bool up, bool own, std::uint32_t timeMs) {
        if (done_ || own) {
            return false;
        }
        if (key != key_) {
            done_ = !up;
            return false;
        }
        if (up || static_cast<std::int32_t>(timeMs - deadline_) > 0) {
            done_ = true;
            return false;
        }
        deadline_ = timeMs + kLongestIntervalMs;
        return true;
    }
    bool Done() const { return done_; }
    int Key() const { return key_; }
    // When the watch ends by itself if nothing comes.
    std::uint32_t Deadline() const { return deadline_; }

  private:
    int key_ = 0;
    std::uint32_t deadline_ = 0;
    bool done_ = true;
};

}  // namespace tavero
