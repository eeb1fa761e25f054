#include <gtest/gtest.h>

#include <random>
#include <string>

#include "hotkeybox/HotKeyCapture.h"
#include "platform/Keys.h"
#include "playback/ActionCode.h"
#include "support/Fakes.h"

using namespace tavero;
using Kind = PlaybackStep::Kind;

namespace {

// A plan is empty, or 1 to 3 downs, one pause of the matching length, and the same keys up in
// reverse order.
void ExpectBalancedPlan(const std::vector<PlaybackStep>& plan, const std::wstring& code) {
    if (plan.empty()) {
        return;
    }
    std::size_t downs = 0;
    while (downs < plan.size() && plan[downs].kind == Kind::KeyDown) {
        ++downs;
    }
    ASSERT_GE(downs, 1u) << code;
    ASSERT_LE(downs, 3u) << code;
    ASSERT_EQ(plan.size(), 2 * downs + 1) << code;
    EXPECT_EQ(plan[downs].kind, Kind::Pause);
    EXPECT_EQ(plan[downs].value, downs == 1 ? 100 : 200);
    for (std::size_t i = 0; i < downs; ++i) {
        EXPECT_EQ(plan[downs + 1 + i].kind, Kind::KeyUp);
        EXPECT_EQ(plan[downs + 1 + i].value, plan[downs - 1 - i].value);
        EXPECT_GE(plan[i].value, 0);
        EXPECT_LE(plan[i].value, 255);
    }
}

TEST(Randomized, ActionCodeReaderKeepsItsInvariants) {
    const std::wstring alphabet = L"0123456789||||| -+xA";
    for (unsigned seed : {1u, 2u, 3u, 42u, 2026u}) {
        std::mt19937 random(seed);
        for (int i = 0; i < 20000; ++i) {
            std::wstring code;
            // Half the cases start like a real code, so that valid plans occur often.
            if (random() % 2 == 0) {
                code = std::to_wstring(1 + random() % 3) + L"|";
            }
            std::size_t length = random() % 16;
            for (std::size_t c = 0; c < length; ++c) {
                code += alphabet[random() % alphabet.size()];
            }
            ExpectBalancedPlan(ReadActionCode(code), code);
        }
    }
}

// The sixteen modifier prefixes written out, flags 0 to 15 (Alt 1, Ctrl 2, Shift 4, Win 8).
const wchar_t* const kPrefix[16] = {
    L"",
    L"Alt + ",
    L"Ctrl + ",
    L"Ctrl + Alt + ",
    L"Shift + ",
    L"Alt + Shift + ",
    L"Ctrl + Shift + ",
    L"Ctrl + Alt + Shift + ",
    L"Win + ",
    L"Win + Alt + ",
    L"Win + Ctrl + ",
    L"Win + Ctrl + Alt + ",
    L"Win + Shift + ",
    L"Win + Alt + Shift + ",
    L"Win + Ctrl + Shift + ",
    L"Win + Ctrl + Alt + Shift + ",
};

// Only a key other than a modifier changes the hotkey; what the box shows is the hotkey, or
// while modifiers are held alone, their prefix.
TEST(Randomized, CaptureChangesTheHotkeyOnlyOnAMainKey) {
    tavero::testing::FakeKeyNames names;
    const int keys[] = {vk::kShift, vk::kControl, vk::kMenu, vk::kLWin, vk::kRWin, 'A', 'Z',
                        vk::kBack,  vk::kLeft,    vk::kTab,  112,       123,       255};
    for (unsigned seed : {7u, 8u, 9u}) {
        std::mt19937 random(seed);
        HotKeyCapture capture(names);
        int wantKey = 0;
        int wantMods = 0;
        std::wstring wantText = L"Press Hotkey";
        for (int i = 0; i < 20000; ++i) {
            int key = keys[random() % std::size(keys)];
            if (random() % 3 == 0) {
                capture.KeyUp();
                ASSERT_EQ(capture.Text(), wantText);
            } else {
                int state = static_cast<int>(random() % 8);
                bool win = random() % 2 == 0;
                int mods = (win ? 8 : 0) | ((state & shift::kCtrl) ? 2 : 0) |
                           ((state & shift::kAlt) ? 1 : 0) | ((state & shift::kShift) ? 4 : 0);
                capture.KeyDown(key, state, win);
                bool modifier = key == vk::kShift || key == vk::kControl || key == vk::kMenu ||
                                key == vk::kLWin || key == vk::kRWin;
                bool switching = key == vk::kTab && (mods & (mod::kAlt | mod::kWin)) != 0;
                if (modifier) {
                    ASSERT_EQ(capture.Text(), kPrefix[mods]);
                } else if (!switching) {
                    wantKey = key;
                    wantMods = mods;
                    std::wstring name = names.NameOf(key);
                    wantText = kPrefix[mods] + (name.empty() ? FallbackKeyName(key) : name);
                    ASSERT_EQ(capture.Text(), wantText);
                }
            }
            ASSERT_EQ(capture.KeyCode(), wantKey);
            ASSERT_EQ(capture.ModKeyCode(), wantMods);
            ASSERT_EQ(capture.HotKeyText(), wantText);
        }
    }
}

}  // namespace
