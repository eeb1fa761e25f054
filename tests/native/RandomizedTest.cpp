#include <gtest/gtest.h>

#include <random>
#include <string>

#include "app/ActionCode.h"
#include "hotkeybox/HotKeyCapture.h"
#include "platform/Keys.h"
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

// The modifier parts in their fixed order, then at most the name of one key.
void ExpectWellFormedText(const std::wstring& text, int modKeyCode, int keyCode,
                          const KeyNames& names) {
    if (text == HotKeyCapture::kEmptyText) {
        EXPECT_EQ(keyCode, 0);
        EXPECT_EQ(modKeyCode, 0);
        return;
    }
    std::wstring expected;
    if (modKeyCode & mod::kWin)
        expected += L"Win + ";
    if (modKeyCode & mod::kCtrl)
        expected += L"Ctrl + ";
    if (modKeyCode & mod::kAlt)
        expected += L"Alt + ";
    if (modKeyCode & mod::kShift)
        expected += L"Shift + ";
    if (keyCode != 0)
        expected += names.NameOf(keyCode);
    EXPECT_EQ(text, expected);
}

TEST(Randomized, CaptureKeepsItsInvariants) {
    tavero::testing::FakeKeyNames names;
    const int keys[] = {vk::kShift, vk::kControl, vk::kMenu, vk::kLWin, vk::kRWin, 'A',      'Z',
                        vk::kBack,  vk::kLeft,    112,       123,       255,       vk::kApps};
    for (unsigned seed : {7u, 8u, 9u}) {
        std::mt19937 random(seed);
        HotKeyCapture capture(names);
        int lastKey = 0;
        for (int i = 0; i < 20000; ++i) {
            int key = keys[random() % std::size(keys)];
            if (random() % 3 == 0) {
                capture.KeyUp(key);
            } else {
                capture.KeyDown(key, static_cast<int>(random() % 8));
                bool modifier = key == vk::kShift || key == vk::kControl || key == vk::kMenu ||
                                key == vk::kLWin || key == vk::kRWin;
                lastKey = modifier ? 0 : key;
                EXPECT_EQ(capture.KeyCode(), lastKey);
            }
            ASSERT_GE(capture.ModKeyCode(), 0);
            ASSERT_LE(capture.ModKeyCode(), 15);
            ExpectWellFormedText(capture.Text(), capture.ModKeyCode(), capture.KeyCode(), names);
        }
    }
}

}  // namespace
