#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>

#include "KeyTarget_win.h"
#include "ProgramUnderTest_win.h"
#include "WinTestSupport_win.h"
#include "app/AppMessages_win.h"

using namespace tavero;
using namespace tavero::testing;

namespace {

// Ctrl + Alt + F6 plays A; Ctrl + Alt + F7 plays F7, its own main key; Ctrl + Alt + F8 plays
// A + B, held 200 ms.
const std::string kRows =
    "[conftext]\r\n0=A \r\n1=F7 \r\n2=A + B \r\n"
    "[conftooltip]\r\n0=1|65\r\n1=1|118\r\n2=2|65|66\r\n"
    "[Tavero]\r\nTavero1Text=Ctrl + Alt + F6\r\nTavero1KeyCode=117\r\nTavero1ModKeyCode=3\r\n"
    "Tavero2Text=Ctrl + Alt + F7\r\nTavero2KeyCode=118\r\nTavero2ModKeyCode=3\r\n"
    "Tavero3Text=Ctrl + Alt + F8\r\nTavero3KeyCode=119\r\nTavero3ModKeyCode=3\r\n";

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
        PumpFor(60);  // no one presses a hotkey within 50 ms of the last click
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
    bool AwaitReleases(int key, int count) {
        return PumpUntil([&] { return Count(key, false) >= count; });
    }
    // Everything the program does for the hotkeys pressed so far is done once a request posted
    // to it now is handled: it handles its messages one at a time.
    void AwaitProgramIdle() {
        HWND main = program.MainWindow();
        ::ShowWindow(main, SW_HIDE);
        ASSERT_TRUE(PumpUntil([&] { return !::IsWindowVisible(main); }));
        ::PostMessageW(main, app_messages::kShowRequest, 0, 0);
        ASSERT_TRUE(PumpUntil([&] { return ::IsWindowVisible(main) != FALSE; }));
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
    AwaitProgramIdle();
    EXPECT_EQ(Count(VK_F6, true), 0) << "a bare F6 reached the application";
}

TEST_F(HotKeyKeys, ModifiersLetGoOfAtOnceAreNotGivenBack) {
    SendChord({VK_CONTROL, VK_MENU, VK_F6});
    ASSERT_TRUE(AwaitReleases('A', 1));
    AwaitProgramIdle();
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
        AwaitProgramIdle();
        EXPECT_EQ(Count(action, true), 1) << "played more than once, or a repeat got through";
        target->Activate();
        PumpFor(60);
    }
}

// A + B fifty times: each key goes down and up with one scan code, and is held its whole 200 ms
// in the input stream, never less.
TEST_F(HotKeyKeys, EveryChordIsHeldItsLengthWithOneScanCodePerKey) {
    InputRecorder recorder;
    double shortest = 1e9;
    double longest = 0;
    for (int chord = 0; chord < 50; ++chord) {
        recorder.Clear();
        PumpFor(60);
        SendChord({VK_CONTROL, VK_MENU, VK_F8});
        ASSERT_TRUE(PumpUntil([&] { return recorder.Seen('A', true) >= 0; })) << chord;
        int scans[256] = {};
        for (const InputRecord& e : recorder.Records()) {
            if (e.extra != 0 && (e.key == 'A' || e.key == 'B')) {
                if (!e.up) {
                    scans[e.key] = e.scan;
                } else {
                    EXPECT_EQ(e.scan, scans[e.key]) << "key " << e.key << ", chord " << chord;
                }
            }
        }
        double held = recorder.Seen('B', true) - recorder.Seen('B', false);
        shortest = std::min(shortest, held);
        longest = std::max(longest, held);
    }
    std::printf("[ measure  ] 50 chords held %.2f to %.2f ms\n", shortest, longest);
    EXPECT_GE(shortest, 200 - 0.5) << "a chord was released early";
}

}  // namespace
