#pragma once

#include <array>
#include <functional>
#include <stdexcept>
#include <vector>

#include "platform/KeyHold.h"
#include "platform/KeyInjector.h"
#include "platform/Keys.h"
#include "platform/PendingRelease.h"

namespace tavero::testing {

// The system's key state table, fed by what the player sends and by the user's own keys.
// A left or right modifier also sets its generic code, as the system does. While `lagging`, it
// answers as a stale copy would: the user's latest presses read as up.
class FakeInput : public KeyInjector, public KeyboardState {
  public:
    void Send(std::span<const KeyEvent> events) override {
        calls.emplace_back(events.begin(), events.end());
        for (const KeyEvent& e : events) {
            Set(e.key, !e.up);
        }
    }
    bool Current() const override { return !lagging; }
    bool IsDown(int key) const override {
        return down_[static_cast<std::size_t>(key)] && !(lagging && key == latestPress_);
    }

    void UserPress(int key) {
        Set(key, true);
        latestPress_ = key;
    }

    // All events sent, in order, flattened.
    std::vector<KeyEvent> Events() const {
        std::vector<KeyEvent> all;
        for (const auto& call : calls) {
            all.insert(all.end(), call.begin(), call.end());
        }
        return all;
    }
    int FirstKeyDown() const {
        for (int k = 1; k < 256; ++k) {
            if (down_[static_cast<std::size_t>(k)]) {
                return k;
            }
        }
        return 0;
    }

    std::vector<std::vector<KeyEvent>> calls;
    bool lagging = false;

  private:
    void Set(int key, bool down) {
        down_[static_cast<std::size_t>(key)] = down;
        int generic = Generic(key);
        if (generic != key) {
            down_[static_cast<std::size_t>(generic)] = SideDown(generic);
        }
    }
    static int Generic(int key) {
        switch (key) {
            case vk::kLShift:
            case vk::kRShift:
                return vk::kShift;
            case vk::kLControl:
            case vk::kRControl:
                return vk::kControl;
            case vk::kLMenu:
            case vk::kRMenu:
                return vk::kMenu;
            default:
                return key;
        }
    }
    bool SideDown(int generic) const {
        int left = generic == vk::kShift     ? vk::kLShift
                   : generic == vk::kControl ? vk::kLControl
                                             : vk::kLMenu;
        return down_[static_cast<std::size_t>(left)] || down_[static_cast<std::size_t>(left + 1)];
    }

    std::array<bool, 256> down_{};
    int latestPress_ = 0;
};

// Holds at once: the presses go in at Begin and the releases at the end of Wait, after
// `during` (a nested hotkey, say); the wait can be made to fail or to see a quit.
class FakeKeyHold : public KeyHold {
  public:
    explicit FakeKeyHold(KeyInjector& injector) : injector_(injector) {}

    void Begin(std::span<const KeyEvent> presses, std::vector<KeyEvent> releases,
               int milliseconds) override {
        holds.push_back(milliseconds);
        injector_.Send(presses);
        pending_.Set(std::move(releases), 0);
    }
    WaitResult Wait() override {
        if (during) {
            during();
        }
        if (fail) {
            throw std::runtime_error("wait failed");
        }
        ReleaseNow();
        return quit ? WaitResult::QuitRequested : WaitResult::Elapsed;
    }
    void ReleaseNow() override {
        std::vector<KeyEvent> releases = pending_.Take();
        if (!releases.empty()) {
            injector_.Send(releases);
        }
    }

    std::vector<int> holds;
    std::function<void()> during;
    bool fail = false;
    bool quit = false;

  private:
    KeyInjector& injector_;
    PendingRelease pending_;
};

class FakeRepeatGuard : public KeyRepeatGuard {
  public:
    void SwallowRepeatsOf(int key) override { guarded.push_back(key); }
    std::vector<int> guarded;
};

}  // namespace tavero::testing
