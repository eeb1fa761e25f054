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
    {mod::kWin, {vk::kLWin, vk::kLWin, vk::kRWin}, true},
}};

bool PlanPresses(const std::vector<PlaybackStep>& plan, const ModifierFamily& family) {
    return std::any_of(plan.begin(), plan.end(), [&](const PlaybackStep& step) {
        return step.kind == PlaybackStep::Kind::KeyDown &&
               std::find(family.keys.begin(), family.keys.end(), step.value) != family.keys.end();
    });
}

// Marks the end of a run of downs or ups that go into the system as one call.
bool EndsRun(const std::vector<PlaybackStep>& plan, std::size_t i) {
    return i + 1 == plan.size() || plan[i + 1].kind != plan[i].kind;
}

}  // namespace

ActionPlayer::Outcome ActionPlayer::Play(const std::vector<PlaybackStep>& plan, int heldModifiers) {
    if (plan.empty()) {
        return Outcome::Empty;
    }
    if (busy_) {
        return Outcome::Ignored;
    }
    busy_ = true;
    pressed_.clear();
    try {
        // The releases go in with the first downs: one call, nothing can come between.
        std::vector<KeyEvent> run = HeldModifierReleases(plan, heldModifiers);
        std::size_t planEventsFrom = run.size();
        for (std::size_t i = 0; i < plan.size(); ++i) {
            const PlaybackStep& step = plan[i];
            if (step.kind == PlaybackStep::Kind::Pause) {
                if (wait_.Pause(step.value) == WaitResult::QuitRequested) {
                    ReleasePressed();
                    busy_ = false;
                    return Outcome::CutShort;
                }
                continue;
            }
            bool up = step.kind == PlaybackStep::Kind::KeyUp;
            run.push_back({step.value, up});
            if (EndsRun(plan, i)) {
                injector_.Send(run);
                // Only the plan's own keys are tracked: the releases before them are the user's.
                for (std::size_t e = planEventsFrom; e < run.size(); ++e) {
                    const KeyEvent& event = run[e];
                    if (event.up) {
                        auto it = std::find(pressed_.rbegin(), pressed_.rend(), event.key);
                        if (it != pressed_.rend()) {
                            pressed_.erase(std::next(it).base());
                        }
                    } else {
                        pressed_.push_back(event.key);
                    }
                }
                run.clear();
                planEventsFrom = 0;
            }
        }
    } catch (...) {
        ReleasePressed();
        busy_ = false;
        throw;
    }
    busy_ = false;
    return Outcome::Played;
}

std::vector<KeyEvent> ActionPlayer::HeldModifierReleases(const std::vector<PlaybackStep>& plan,
                                                         int heldModifiers) const {
    std::vector<KeyEvent> events;
    bool masked = false;
    for (const ModifierFamily& family : kModifierFamilies) {
        if ((heldModifiers & family.flag) == 0 || PlanPresses(plan, family)) {
            continue;
        }
        // The left and right keys that are down; where the system knows only the family's
        // generic code to be down, the left key stands for it.
        std::vector<int> down;
        for (std::size_t side = 1; side < family.keys.size(); ++side) {
            if (keyboard_.IsDown(family.keys[side])) {
                down.push_back(family.keys[side]);
            }
        }
        if (down.empty() && family.keys[0] != family.keys[1] && keyboard_.IsDown(family.keys[0])) {
            down.push_back(family.keys[1]);
        }
        for (int key : down) {
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

void ActionPlayer::ReleasePressed() {
    if (pressed_.empty()) {
        return;
    }
    std::vector<KeyEvent> ups;
    for (auto it = pressed_.rbegin(); it != pressed_.rend(); ++it) {
        ups.push_back({*it, true});
    }
    pressed_.clear();
    try {
        injector_.Send(ups);
    } catch (...) {
        // Releasing is the last resort; there is nothing left to fall back on.
    }
}

}  // namespace tavero
