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

// Measured errors are printed, typically under 1 ms; a hold is never short but for the clock's
// step. A hold kept by a modal loop would last until the loop ends: here the release must come
// while the loop is still open, which no timing of a busy machine can change.
constexpr double kClockStep = 0.5;

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

    struct Hold {
        bool loopOpened = false;  // while the keys were down: else the try proves nothing
        bool releasedInLoop = false;
        double ms = -1;
    };

    // Fires row 1 and, once its keys are down, starts `interrupt`, which opens a loop of the
    // program's own; `opened` tells that loop is running. The hold as the input stream saw it;
    // `end` then closes the loop.
    Hold HoldAcross(const std::function<void()>& interrupt, const std::function<bool()>& opened,
                    const std::function<void()>& end) {
        Hold hold;
        InputRecorder recorder;
        WaitOutWinesKeyStateCopy();
        SendChord({VK_CONTROL, VK_MENU, VK_F7});
        if (!PumpUntil([&] { return recorder.Seen('B', false) >= 0; })) {
            ADD_FAILURE() << "the hotkey played nothing";
            return hold;
        }
        double down = recorder.Seen('B', false);
        interrupt();
        PumpUntil([&] { return opened() || recorder.Seen('B', true, down) >= 0; });
        hold.loopOpened = opened() && recorder.Seen('B', true, down) < 0;
        PumpUntil([&] { return recorder.Seen('B', true, down) >= 0; }, 3000);
        double up = recorder.Seen('B', true, down);
        hold.releasedInLoop = up >= 0 && opened();
        hold.ms = up - down;
        end();
        return hold;
    }

    void ExpectHeld200(const char* what, const std::function<void()>& interrupt,
                       const std::function<bool()>& opened, const std::function<void()>& end) {
        for (int attempt = 0; attempt < 3; ++attempt) {
            Hold hold = HoldAcross(interrupt, opened, end);
            if (!hold.loopOpened) {
                // A busy machine can be that slow to open it: the try proves nothing.
                std::printf("[ note     ] %s did not open during the hold\n", what);
                continue;
            }
            std::printf("[ measure  ] hold across %s: %.2f ms (error %+.2f ms)\n", what, hold.ms,
                        hold.ms - 200);
            EXPECT_TRUE(hold.releasedInLoop) << what << ": the keys were held until it closed";
            EXPECT_GE(hold.ms, 200 - kClockStep) << what << ": released early";
            return;
        }
        ADD_FAILURE() << "set-up: " << what << " never opened while the keys were held";
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
