#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>

#include "KeyTarget_win.h"
#include "ProgramUnderTest_win.h"
#include "WinTestSupport_win.h"

using namespace tavero;
using namespace tavero::testing;

namespace {

// Ctrl + Alt + F6 plays A; Ctrl + Alt + F7 plays F7, its own main key; Ctrl + Alt + F9 plays S,
// the sentinel that shows every hotkey pressed before it has been handled.
const std::string kRows =
    "[conftext]\r\n0=A \r\n1=F7 \r\n2=S \r\n"
    "[conftooltip]\r\n0=1|65\r\n1=1|118\r\n2=1|83\r\n"
    "[Tavero]\r\nTavero1Text=Ctrl + Alt + F6\r\nTavero1KeyCode=117\r\nTavero1ModKeyCode=3\r\n"
    "Tavero2Text=Ctrl + Alt + F7\r\nTavero2KeyCode=118\r\nTavero2ModKeyCode=3\r\n"
    "Tavero3Text=Ctrl + Alt + F9\r\nTavero3KeyCode=120\r\nTavero3ModKeyCode=3\r\n";

// The keys around a hotkey on the user's side, against the real program and a focused
// application that logs every key it gets.
class HotKeyKeys : public ::testing::Test {
  protected:
    HotKeyKeys() : program(kRows) {}
    void SetUp() override {
        ASSERT_TRUE(program.Start());
        for (int row = 0; row < 3; ++row) {
            ASSERT_TRUE(program.Tick(row));
        }
        target = std::make_unique<KeyTarget>();
        ASSERT_TRUE(target->Activate());
        WaitOutWinesKeyStateCopy();
    }
    ~HotKeyKeys() override {
        PumpUntil([] { return FirstKeyDown() == 0; }, 1000);
        EXPECT_EQ(FirstKeyDown(), 0) << "a key is left down";
    }

    int Count(int key, bool down) const {
        int n = 0;
        for (const KeyRecord& r : target->Records()) {
            n += r.key == key && r.Down() == down;
        }
        return n;
    }
    ::testing::AssertionResult AwaitReleases(int key, int count) {
        return target->Await([&](auto&) { return Count(key, false) >= count; }, "the action");
    }
    // Everything the program does for the hotkeys pressed so far is done once the sentinel's S,
    // pressed now, has come: it handles hotkeys in order. One that comes while an action plays
    // is ignored, so the sentinel is pressed again until it plays.
    void AwaitPlayedSoFar() {
        int before = Count('S', false);
        for (int attempt = 0; attempt < 3; ++attempt) {
            WaitOutWinesKeyStateCopy();
            SendChord({VK_CONTROL, VK_MENU, VK_F9});
            auto played =
                target->Await([&](auto&) { return Count('S', false) > before; }, "S", 2000);
            if (played) {
                return;
            }
            ASSERT_TRUE(target->KeptFocus());
        }
        FAIL() << "the sentinel hotkey never played";
    }

    ProgramUnderTest program;
    std::unique_ptr<KeyTarget> target;
};

TEST_F(HotKeyKeys, ModifiersHeldThroughTwoTapsFireTheHotkeyTwice) {
    SendKey(VK_CONTROL, false);
    SendKey(VK_MENU, false);
    SendChord({VK_F6});
    ASSERT_TRUE(AwaitReleases('A', 1));
    PumpFor(500);
    SendChord({VK_F6});
    EXPECT_TRUE(AwaitReleases('A', 2)) << "the second tap played nothing";
    SendKey(VK_MENU, true);
    SendKey(VK_CONTROL, true);
    AwaitPlayedSoFar();
    EXPECT_EQ(Count(VK_F6, true), 0) << "a bare F6 reached the application";
}

TEST_F(HotKeyKeys, ModifiersLetGoOfAtOnceAreNotGivenBack) {
    SendChord({VK_CONTROL, VK_MENU, VK_F6});
    ASSERT_TRUE(AwaitReleases('A', 1));
    AwaitPlayedSoFar();
    EXPECT_EQ(FirstKeyDown(), 0) << "a key the user let go of was pressed again";
}

// The keyboard repeats a held key every 40 ms from 40 ms after the press: during the hold, and
// after it, when the program has given Ctrl and Alt back.
TEST_F(HotKeyKeys, RepeatsOfTheHeldMainKeyReachNothingFromTheFirstOne) {
    for (auto [key, action] : {std::pair{VK_F6, 'A'}, {VK_F7, VK_F7}}) {
        SCOPED_TRACE(key == VK_F6 ? "plays A" : "plays its own main key");
        target->Clear();
        SendKey(VK_CONTROL, false);
        SendKey(VK_MENU, false);
        SendKey(key, false);
        for (int repeat = 0; repeat < 10; ++repeat) {
            PumpFor(40);
            SendKey(key, false);
        }
        SendKey(key, true);
        SendKey(VK_MENU, true);
        SendKey(VK_CONTROL, true);
        ASSERT_TRUE(AwaitReleases(action, 1));
        AwaitPlayedSoFar();
        EXPECT_EQ(Count(action, true), 1) << "played more than once, or a repeat got through";
    }
}

}  // namespace
