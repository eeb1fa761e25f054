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
    // The system matched the hotkey, so each of its modifiers was down as it fired; the key
    // state tells which of its two keys are down still. Where the answers may lag behind the
    // keyboard, both keys go up: releasing a key that is up does no harm, leaving one down does.
    bool current = keyboard_.Current();
    std::vector<KeyEvent> events;
    bool masked = false;
    for (const ModifierFamily& family : kModifierFamilies) {
        if ((heldModifiers & family.flag) == 0 || PlanPresses(plan, family)) {
            continue;
        }
        for (std::size_t side = 1; side < family.keys.size(); ++side) {
            int key = family.keys[side];
            if (current && !keyboard_.IsDown(key)) {
                continue;
            }
            // A key event between the press and the release of Alt or Win keeps the release
            // from opening the application's menu bar or the Start menu.
            if (family.opensMenuOnLoneRelease && !masked) {
                events.push_back({vk::kUnassigned, false});
                events.push_back({vk::kUnassigned, true});
                masked = true;
            }
            events.push_back({key, true});
        }
    }
    return events;
}

}  // namespace tavero
