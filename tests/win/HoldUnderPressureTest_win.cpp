#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>

#include "KeyTarget_win.h"
#include "ProgramUnderTest_win.h"
#include "WinTestSupport_win.h"
#include "ui/MainLayout.h"

using namespace tavero;
using namespace tavero::testing;

namespace {

// Measured errors are printed, typically under 1 ms; a hold kept by a modal loop lasts until
// the loop ends, seconds here.
constexpr double kHoldTolerance = 5.0;

// Row 1 plays A + B, held 200 ms, on Ctrl + Alt + F7; row 3 has no hotkey.
const std::string kChordRow =
    "[conftext]\r\n0=A + B \r\n[conftooltip]\r\n0=2|65|66\r\n"
    "[Tavero]\r\nTavero1Text=Ctrl + Alt + F7\r\nTavero1KeyCode=118\r\nTavero1ModKeyCode=3\r\n";

class HoldUnderPressure : public ::testing::Test {
  protected:
    HoldUnderPressure() : program(kChordRow) {}
    ~HoldUnderPressure() override {
        PumpUntil([] { return FirstKeyDown() == 0; }, 1000);
        EXPECT_EQ(FirstKeyDown(), 0) << "a key is left down";
    }

    // Fires row 1 and, once its keys are down, starts `interrupt`, which opens a loop of the
    // program's own; `opened` tells that loop is running. Returns the hold as the input stream
    // saw it, or -1; `end` then closes the loop.
    double HoldAcross(const std::function<void()>& interrupt, const std::function<bool()>& opened,
                      const std::function<void()>& end) {
        InputRecorder recorder;
        PumpFor(60);  // no one presses a hotkey within 50 ms of the last action
        SendChord({VK_CONTROL, VK_MENU, VK_F7});
        if (!PumpUntil([&] { return recorder.Seen('B', false) >= 0; })) {
            return -1;
        }
        double down = recorder.Seen('B', false);
        interrupt();
        // The loop must be open while the keys are still held, or this attempt proves nothing
        // (a busy machine can be that slow to open it).
        PumpUntil([&] { return opened() || recorder.Seen('B', true, down) >= 0; });
        bool openInTime = opened() && recorder.Seen('B', true, down) < 0;
        PumpUntil([&] { return recorder.Seen('B', true, down) >= 0; }, 3000);
        double up = recorder.Seen('B', true, down);
        end();
        if (!openInTime) {
            std::printf("[ note     ] the loop did not open during the hold\n");
            return -1;
        }
        return up < 0 ? -1 : up - down;
    }

    void ExpectHeld200(const char* what, const std::function<void()>& interrupt,
                       const std::function<bool()>& opened, const std::function<void()>& end) {
        double bestError = 1e9;
        for (int attempt = 0; attempt < 3 && bestError > kHoldTolerance; ++attempt) {
            double hold = HoldAcross(interrupt, opened, end);
            std::printf("[ measure  ] hold across %s: %.2f ms (error %+.2f ms)\n", what, hold,
                        hold - 200);
            if (hold >= 0) {
                bestError = std::min(bestError, std::abs(hold - 200));
            }
        }
        EXPECT_LE(bestError, kHoldTolerance) << what;
    }

    ProgramUnderTest program;
};

TEST_F(HoldUnderPressure, ReleasesGoOutOnTimeWhateverLoopTheProgramIsIn) {
    ASSERT_TRUE(program.Start());
    ASSERT_TRUE(program.Tick(0));

    // Ticking an empty row opens "Not set hotkey".
    ExpectHeld200(
        "a message box", [&] { program.Click(program.ArmBox(2)); },
        [&] { return !program.NoMessageBox(); },
        [&] { EXPECT_EQ(program.AnswerMessageBox(), L"Not set hotkey"); });

    HWND menu = nullptr;
    ExpectHeld200(
        "the tray menu", [&] { menu = program.OpenTrayMenu(); },
        [&] { return menu != nullptr && ::IsWindowVisible(menu); },
        [&] { ProgramUnderTest::DismissMenu(menu); });

    // A press on the title strip drags the window until the button comes up.
    RECT before{};
    ExpectHeld200(
        "a window drag",
        [&] {
            ::GetWindowRect(program.MainWindow(), &before);
            ::SetCursorPos(before.left + 150, before.top + 10);
            INPUT input{};
            input.type = INPUT_MOUSE;
            input.mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
            ::SendInput(1, &input, sizeof(INPUT));
        },
        [&] {
            // The window follows the mouse only inside the drag's loop.
            ::SetCursorPos(before.left + 170, before.top + 30);
            INPUT input{};
            input.type = INPUT_MOUSE;
            input.mi.dwFlags = MOUSEEVENTF_MOVE;
            ::SendInput(1, &input, sizeof(INPUT));
            RECT now;
            ::GetWindowRect(program.MainWindow(), &now);
            return now.left == before.left + 20;
        },
        [&] {
            INPUT input{};
            input.type = INPUT_MOUSE;
            input.mi.dwFlags = MOUSEEVENTF_LEFTUP;
            ::SendInput(1, &input, sizeof(INPUT));
            PumpFor(50);
        });
}

TEST_F(HoldUnderPressure, AHotkeyHeldPastTheRepeatDelaySendsNoBareMainKey) {
    ASSERT_TRUE(program.Start());
    ASSERT_TRUE(program.Tick(0));
    KeyTarget target;
    // Holds Ctrl + Alt + F7 for half a second, F7 repeating past the keyboard's repeat delay
    // (250 ms at the shortest); how many F7 key-downs reached the application.
    auto holdTheHotKey = [&] {
        target.Clear();
        PumpFor(60);
        SendKey(VK_CONTROL, false);
        SendKey(VK_MENU, false);
        SendKey(VK_F7, false);
        EXPECT_TRUE(PumpUntil([&] {
            for (const KeyRecord& r : target.Records()) {
                if (r.key == 'B' && !r.Down()) {
                    return true;
                }
            }
            return false;
        }));
        PumpFor(80);
        for (int repeat = 0; repeat < 8; ++repeat) {
            PumpFor(25);
            SendKey(VK_F7, false);
        }
        SendKey(VK_F7, true);
        SendKey(VK_MENU, true);
        SendKey(VK_CONTROL, true);
        PumpFor(200);
        int f7Downs = 0;
        for (const KeyRecord& r : target.Records()) {
            f7Downs += r.key == VK_F7 && r.Down();
        }
        return f7Downs;
    };
    // Under Wine a focus change can make the X server's view of the keyboard, which knows
    // nothing of injected keys, count a held key as up; a try that meets it is not the
    // program's fault. One that works every time is.
    int leaked = holdTheHotKey();
    for (int attempt = 1; attempt < 3 && leaked > 0; ++attempt) {
        std::printf("[ note     ] %d repeats leaked (attempt %d)\n", leaked, attempt);
        leaked = holdTheHotKey();
    }
    EXPECT_EQ(leaked, 0) << "the held key's repeats reached the application bare";
    // Pressed again later, F7 is an ordinary key once more.
    target.Clear();
    SendChord({VK_F7});
    EXPECT_TRUE(PumpUntil([&] { return !target.Records().empty(); }));
}

}  // namespace
