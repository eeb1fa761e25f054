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
// the loop ends, seconds here. Never short; late, on a busy machine, by no more than the margin
// in the best of three tries.
constexpr double kClockStep = 0.5;
constexpr double kLateMargin = 15.0;

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
        double bestLate = 1e9;
        for (int attempt = 0; attempt < 3 && bestLate > kLateMargin; ++attempt) {
            double hold = HoldAcross(interrupt, opened, end);
            std::printf("[ measure  ] hold across %s: %.2f ms (error %+.2f ms)\n", what, hold,
                        hold - 200);
            if (hold >= 0) {
                EXPECT_GE(hold, 200 - kClockStep) << what << ": released early";
                bestLate = std::min(bestLate, hold - 200);
            }
        }
        EXPECT_LE(bestLate, kLateMargin) << what;
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

}  // namespace
