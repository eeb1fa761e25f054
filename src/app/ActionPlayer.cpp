#include "app/ActionPlayer.h"

#include <algorithm>
#include <array>

#include "platform/Keys.h"

namespace tavero {

namespace {

struct ModifierFamily {
    int flag;                     // its hotkey modifier flag
    std::array<int, 3> keys;      // the generic code and the left and right keys
    bool opensMenuOnLoneRelease;  // Alt (menu bar) and Win (Start menu)
};

constexpr std::array<ModifierFamily, 4> kModifierFamilies = {{
    {mod::kShift, {vk::kShift, vk::kLShift, vk::kRShift}, false},
    {mod::kCtrl, {vk::kControl, vk::kLControl, vk::kRControl}, false},
    {mod::kAlt, {vk::kMenu, vk::kLMenu, vk::kRMenu}, true},
    {mod::kWin, {vk::kLWin, vk::kLWin, vk::kRWin}, true},  // no generic code
}};

bool PlanPresses(const std::vector<PlaybackStep>& plan, const ModifierFamily& family) {
    return std::any_of(plan.begin(), plan.end(), [&](const PlaybackStep& step) {
        return step.kind == PlaybackStep::Kind::KeyDown &&
               std::find(family.keys.begin(), family.keys.end(), step.value) != family.keys.end();
    });
}

}  // namespace

ActionPlayer::Outcome ActionPlayer::Play(const std::vector<PlaybackStep>& plan, HeldHotKey from) {
    if (plan.empty()) {
        return Outcome::Empty;
    }
    if (busy_) {
        return Outcome::Ignored;
    }
    // The plan is its presses, one hold, and its releases. The user's modifiers go up in the
    // same call as the presses: nothing can come between.
    std::vector<KeyEvent> presses = HeldModifierReleases(plan, from.modifiers);
    std::vector<KeyEvent> releases;
    int holdMs = 0;
    bool held = false;
    for (const PlaybackStep& step : plan) {
        if (step.kind == PlaybackStep::Kind::Pause) {
            holdMs += step.value;
            held = true;
        } else {
            (held ? releases : presses)
                .push_back({step.value, step.kind == PlaybackStep::Kind::KeyUp});
        }
    }

    busy_ = true;
    WaitResult result = WaitResult::Elapsed;
    try {
        hold_.Begin(presses, std::move(releases), holdMs);
        result = hold_.Wait();
        // After the hold rather than before it: nothing may delay the presses, and a keyboard
        // starts repeating a held key only after a longer delay than any hold.
        if (result == WaitResult::Elapsed && from.key != 0) {
            repeats_.SwallowRepeatsOf(from.key);
        }
    } catch (...) {
        hold_.ReleaseNow();
        busy_ = false;
        throw;
    }
    busy_ = false;
    return result == WaitResult::QuitRequested ? Outcome::CutShort : Outcome::Played;
}

std::vector<KeyEvent> ActionPlayer::HeldModifierReleases(const std::vector<PlaybackStep>& plan,
                                                         int heldModifiers) {
    // The system matched the hotkey, so each of its modifiers was down as it fired. Which of a
    // modifier's two keys, and whether it is down still, is not asked: under Wine the answer can
    // come from a cache 50 ms old, and a key left down is worse than a release of a key already
    // up, which does no harm. Both keys go up.
    std::vector<KeyEvent> events;
    bool masked = false;
    for (const ModifierFamily& family : kModifierFamilies) {
        if ((heldModifiers & family.flag) == 0 || PlanPresses(plan, family)) {
            continue;
        }
        // A key event between the press and the release of Alt or Win keeps the release from
        // opening the application's menu bar or the Start menu.
        if (family.opensMenuOnLoneRelease && !masked) {
            events.push_back({vk::kUnassigned, false});
            events.push_back({vk::kUnassigned, true});
            masked = true;
        }
        events.push_back({family.keys[1], true});
        events.push_back({family.keys[2], true});
    }
    return events;
}

}  // namespace tavero
