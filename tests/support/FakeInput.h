#pragma once

#include <algorithm>
#include <array>
#include <functional>
#include <stdexcept>
#include <vector>

#include "platform/KeyInjector.h"
#include "platform/Keys.h"
#include "playback/KeyHold.h"
#include "playback/PendingRelease.h"

namespace tavero::testing {

// The system's key state table, fed by what the player sends and by the user's own keys, and
// what the user's hands hold. A left or right modifier also sets its generic code, as the
// system does. While `lagging`, it answers as a stale copy would: the user's latest presses read
// as up. From the `acceptOnly`th event of a call on, the system refuses what is sent.
class FakeInput : public KeyInjector, public KeyboardState, public UserKeyboard {
  public:
    std::size_t Send(std::span<const KeyEvent> events) override {
        std::size_t taken = std::min(events.size(), acceptOnly);
        calls.emplace_back(events.begin(), events.begin() + static_cast<std::ptrdiff_t>(taken));
        for (const KeyEvent& e : events.first(taken)) {
            Set(e.key, !e.up);
        }
        return taken;
    }
    bool Current() const override { return !lagging; }
    bool IsDown(int key) const override {
        return down_[static_cast<std::size_t>(key)] && !(lagging && key == latestPress_);
    }

    void Listen(bool on) override { listening = on; }
    void CatchUp() override {}
    Key StateOf(int key) const override { return hands_[static_cast<std::size_t>(key)]; }
    void PressingBack(int key) override { pressedBack.push_back(key); }
    void SwallowRepeatsOf(int key) override { guarded.push_back(key); }

    // The user presses a key, and the program hears it; or presses it unheard (before the
    // program listened).
    void UserPress(int key, bool heard = true) {
        Set(key, true);
        latestPress_ = key;
        hands_[static_cast<std::size_t>(key)] = heard ? Key::Down : Key::Unknown;
    }
    void UserRelease(int key) {
        Set(key, false);
        hands_[static_cast<std::size_t>(key)] = Key::Up;
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
    std::size_t acceptOnly = static_cast<std::size_t>(-1);
    bool listening = false;
    std::vector<int> pressedBack;
    std::vector<int> guarded;

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
    std::array<Key, 256> hands_{};
    int latestPress_ = 0;
};

// Holds at once: the presses go in at Begin and the releases at the end of Wait, after
// `during` (a nested hotkey, say); the wait can be made to fail, to see a quit, or never to see
// its releases go out.
class FakeKeyHold : public KeyHold {
  public:
    explicit FakeKeyHold(KeyInjector& injector) : injector_(injector) {}

    void Prepare() override { prepared = true; }
    void Begin(std::span<const KeyEvent> presses, std::vector<KeyEvent> releases,
               int milliseconds) override {
        holds.push_back(milliseconds);
        injector_.Send(presses);
        pending_.Set(std::move(releases), 0);
    }
    WaitResult Wait(int timeoutMs) override {
        timeouts.push_back(timeoutMs);
        if (during) {
            during();
        }
        if (fail) {
            throw std::runtime_error("wait failed");
        }
        if (neverReleases) {
            return WaitResult::TimedOut;
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

    bool prepared = false;
    std::vector<int> holds;
    std::vector<int> timeouts;
    std::function<void()> during;
    bool fail = false;
    bool quit = false;
    bool neverReleases = false;

  private:
    KeyInjector& injector_;
    PendingRelease pending_;
};

}  // namespace tavero::testing
