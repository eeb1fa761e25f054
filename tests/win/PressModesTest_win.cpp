#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "KeyTarget_win.h"
#include "ProgramUnderTest_win.h"
#include "WinTestSupport_win.h"

using namespace tavero::testing;

namespace {

constexpr double kClockStep = 0.5;

class PressModes : public ::testing::Test {
  protected:
    PressModes() : program(PressModeRows()) {}
    ~PressModes() override {
        PumpUntil([] { return FirstKeyDown() == 0; }, 1000);
        EXPECT_EQ(FirstKeyDown(), 0) << "a key is left down";
    }
    void SetUp() override {
        ASSERT_TRUE(program.Start());
        for (int row = 0; row < 3; ++row) {
            ASSERT_TRUE(program.Tick(row)) << row;
        }
        ASSERT_TRUE(target.Activate());
    }
    int Count(int key, bool down) const {
        int n = 0;
        for (const KeyRecord& r : target.Records()) {
            n += r.key == key && r.Down() == down;
        }
        return n;
    }
    // Holds Ctrl + Alt + `key` down, as a hand does, until B (or what the row presses) came.
    void HoldDown(int key, int comes) {
        WaitOutWinesKeyStateCopy();
        SendKey(VK_CONTROL, false);
        SendKey(VK_MENU, false);
        SendKey(key, false);
        ASSERT_TRUE(
            target.Await([&](const auto&) { return Count(comes, true) > 0; }, "the action"));
    }
    void LetGoOf(int key) {
        SendKey(key, true);
        SendKey(VK_MENU, true);
        SendKey(VK_CONTROL, true);
    }

    ProgramUnderTest program;
    KeyTarget target;
};

// Held about a second, the action's key stays down and goes up only when the hotkey's key does;
// the user's Ctrl and Alt, still held, are given back then.
TEST_F(PressModes, HoldWhileHeldHoldsTheKeyAsLongAsTheHotkeysKey) {
    HoldDown(VK_F5, 'B');
    PumpFor(1000);
    EXPECT_EQ(Count('B', false), 0) << "let go of while the hotkey was held";
    ASSERT_TRUE(target.KeptFocus());
    int ctrlDowns = Count(VK_CONTROL, true);
    SendKey(VK_F5, true);
    ASSERT_TRUE(target.Await([&](const auto&) { return Count('B', false) > 0; }, "B going up"));
    EXPECT_TRUE(target.Await([&](const auto&) { return Count(VK_CONTROL, true) > ctrlDowns; },
                             "Ctrl given back"));
    SendKey(VK_MENU, true);
    SendKey(VK_CONTROL, true);
}

// Held about a second, the action comes again and again; none after the release. The target
// sees a tap of another row, pressed after the release, behind every A the program played
// before it heard the release, so an A after that tap's C is one played after the release (the
// pause after it gives a repetition that outlived the release the time to show).
TEST_F(PressModes, RepeatWhileHeldRepeatsUntilTheHotkeysKeyGoesUp) {
    HoldDown(VK_F6, 'A');
    PumpFor(1000);
    LetGoOf(VK_F6);
    WaitOutWinesKeyStateCopy();
    SendChord({VK_CONTROL, VK_MENU, VK_F7});
    ASSERT_TRUE(target.Await([&](const auto&) { return Count('C', false) > 0; }, "the sentinel"));
    PumpFor(300);
    int before = 0;
    int after = 0;
    bool sentinel = false;
    for (const KeyRecord& r : target.Records()) {
        sentinel = sentinel || (r.key == 'C' && r.Down());
        if (r.key == 'A' && r.Down()) {
            ++(sentinel ? after : before);
        }
    }
    EXPECT_GT(before, 1) << "held a second, A came once";
    EXPECT_EQ(after, 0) << "A came after the hotkey's key went up";
    ASSERT_TRUE(target.KeptFocus());
}

// The file's 2=350: a tap the input stream sees held 350 ms, never less.
TEST_F(PressModes, ATapLengthOfTheRowsOwnIsNeverShort) {
    InputRecorder recorder;
    double start = NowMs();
    WaitOutWinesKeyStateCopy();
    SendChord({VK_CONTROL, VK_MENU, VK_F7});
    ASSERT_TRUE(PumpUntil([&] { return recorder.Seen('C', true, start) >= 0; }));
    double held = recorder.Seen('C', true, start) - recorder.Seen('C', false, start);
    std::printf("[ measure  ] a tap of 350 ms: %.2f ms (error %+.2f ms)\n", held, held - 350);
    EXPECT_GE(held, 350 - kClockStep) << "released early";
}

// What a row holds goes up when the hotkeys are paused, on "Release all keys", and at the quit,
// the hotkey's key still held.
TEST_F(PressModes, AHeldRowLetsGoOnAPauseAReleaseAndTheQuit) {
    for (const wchar_t* command : {L"/pause", L"/release", L"/exit"}) {
        SCOPED_TRACE(std::string(command, command + std::wcslen(command)));
        int ups = Count('B', false);
        HoldDown(VK_F5, 'B');
        EXPECT_EQ(program.StartAgainBeside(command), 0);
        EXPECT_TRUE(target.Await([&](const auto&) { return Count('B', false) > ups; }, "B up"));
        LetGoOf(VK_F5);
        if (std::wstring(command) == L"/pause") {
            EXPECT_EQ(program.StartAgainBeside(L"/resume"), 0);
        }
    }
    EXPECT_FALSE(program.Running());
}

// A tap length is asked for from the keyboard: one out of range is refused at the field, one in
// range is taken, and the file keeps it beside the other rows' modes.
TEST(PressMenu, ATapLengthIsAskedForAndKept) {
    ProgramUnderTest program(PressModeRows());
    ASSERT_TRUE(program.Start());
    ASSERT_TRUE(program.ChooseTapLength(0, {L"19", L"5001", L"x", L"750"}));
    EXPECT_EQ(program.StartAgainBeside(L"/exit"), 0);
    ASSERT_EQ(program.WaitForExit(), 0);
    std::string settings = program.Settings();
    EXPECT_NE(settings.find("[Press]\r\n0=750\r\n1=repeat\r\n2=350\r\n"), std::string::npos)
        << settings;
}

}  // namespace
