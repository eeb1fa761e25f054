#pragma once

#include <array>
#include <functional>
#include <stdexcept>
#include <vector>

#include "platform/KeyInjector.h"
#include "platform/Keys.h"
#include "platform/TimedWait.h"

namespace tavero::testing {

// The system's key state table, fed by what the player sends and by the user's own keys.
// A left or right modifier also sets its generic code, as the system does.
class FakeInput : public KeyInjector, public KeyboardState {
  public:
    void Send(std::span<const KeyEvent> events) override {
        calls.emplace_back(events.begin(), events.end());
        for (const KeyEvent& e : events) {
            Set(e.key, !e.up);
        }
    }
    bool IsDown(int key) const override { return down_[static_cast<std::size_t>(key)]; }

    void UserPress(int key) { Set(key, true); }

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
};

// Records pauses; a test can act during one (a nested hotkey) or make it fail or quit.
class FakeTimedWait : public TimedWait {
  public:
    WaitResult Pause(int milliseconds) override {
        pauses.push_back(milliseconds);
        if (during) {
            during();
        }
        if (fail) {
            throw std::runtime_error("wait failed");
        }
        return quit ? WaitResult::QuitRequested : WaitResult::Elapsed;
    }
    std::vector<int> pauses;
    std::function<void()> during;
    bool fail = false;
    bool quit = false;
};

}  // namespace tavero::testing
