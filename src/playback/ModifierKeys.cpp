#include "playback/ModifierKeys.h"

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

bool InFamily(const ModifierFamily& family, int key) {
    return std::find(family.keys.begin(), family.keys.end(), key) != family.keys.end();
}

bool PlanPresses(const std::vector<PlaybackStep>& plan, const ModifierFamily& family) {
    return std::any_of(plan.begin(), plan.end(), [&](const PlaybackStep& step) {
        return step.kind == PlaybackStep::Kind::KeyDown && InFamily(family, step.value);
    });
}

const ModifierFamily* FamilyOf(int key, int hotkeyModifiers) {
    for (const ModifierFamily& family : kModifierFamilies) {
        if ((hotkeyModifiers & family.flag) != 0 && InFamily(family, key)) {
            return &family;
        }
    }
    return nullptr;
}

bool OpensMenu(int key) {
    const ModifierFamily* family = FamilyOf(key, mod::kAll);
    return family != nullptr && family->opensMenuOnLoneRelease;
}

void AddMask(std::vector<KeyEvent>& events) {
    events.push_back({vk::kUnassigned, false});
    events.push_back({vk::kUnassigned, true});
}

}  // namespace

std::vector<KeyEvent> ModifierReleases(const std::vector<PlaybackStep>& plan, int hotkeyModifiers,
                                       const KeyboardState& keyboard) {
    bool current = keyboard.Current();
    std::vector<KeyEvent> events;
    bool masked = false;
    for (const ModifierFamily& family : kModifierFamilies) {
        if ((hotkeyModifiers & family.flag) == 0 || PlanPresses(plan, family)) {
            continue;
        }
        for (std::size_t side = 1; side < family.keys.size(); ++side) {
            int key = family.keys[side];
            // Releasing a key that is up does no harm where the answer may be stale; leaving one
            // down would. Where it is not stale, a key that is up is left alone: its key-up
            // would reach the application and other programs' hooks for nothing.
            if (current && !keyboard.IsDown(key)) {
                continue;
            }
            if (family.opensMenuOnLoneRelease && !masked) {
                AddMask(events);
                masked = true;
            }
            events.push_back({key, true});
        }
    }
    return events;
}

std::vector<int> ModifiersTakenUp(const std::vector<KeyEvent>& releases,
                                  const std::vector<PlaybackStep>& plan, int hotkeyModifiers) {
    std::vector<int> keys;
    auto add = [&](int key) {
        const ModifierFamily* family = FamilyOf(key, hotkeyModifiers);
        if (family == nullptr) {
            return;
        }
        // A generic code goes in as the left key.
        int sided = key == family->keys[0] ? family->keys[1] : key;
        if (std::find(keys.begin(), keys.end(), sided) == keys.end()) {
            keys.push_back(sided);
        }
    };
    for (const KeyEvent& e : releases) {
        if (e.up) {
            add(e.key);
        }
    }
    for (const PlaybackStep& step : plan) {
        if (step.kind == PlaybackStep::Kind::KeyUp) {
            add(step.value);
        }
    }
    return keys;
}

std::vector<KeyEvent> ModifiersToGiveBack(const std::vector<int>& takenUp, UserKeyboard& user) {
    std::vector<KeyEvent> events;
    if (takenUp.empty()) {
        return events;
    }
    user.CatchUp();
    bool masked = false;
    for (int key : takenUp) {
        if (user.StateOf(key) != UserKeyboard::Key::Down) {
            continue;
        }
        user.PressingBack(key);
        events.push_back({key, false});
        masked = masked || OpensMenu(key);
    }
    if (masked) {
        AddMask(events);
    }
    return events;
}

}  // namespace tavero
