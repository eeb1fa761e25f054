#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>

#include "KeyTarget_win.h"
#include "ProgramUnderTest_win.h"
#include "WinTestSupport_win.h"
#include "platform/Registry_win.h"
#include "platform/Wine_win.h"
#include "ui/ControlIds.h"
#include "ui/MainLayout.h"

using namespace tavero;
using namespace tavero::testing;

namespace {

// Two rows with hotkeys Ctrl + Alt + F7 and Ctrl + Alt + F8 and actions A and B.
const std::string kPrepared =
    "[conftext]\r\n0=A \r\n9=B \r\n"
    "[conftooltip]\r\n0=1|65\r\n9=1|66\r\n"
    "[Tavero]\r\nTavero1Text=Ctrl + Alt + F7\r\nTavero1KeyCode=118\r\nTavero1ModKeyCode=3\r\n"
    "Tavero10Text=Ctrl + Alt + F8\r\nTavero10KeyCode=119\r\nTavero10ModKeyCode=3\r\n";

RECT ClientRectIn(HWND parent, HWND child) {
    RECT r;
    ::GetWindowRect(child, &r);
    ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

class MainWindowTest : public ::testing::Test {
  protected:
    ~MainWindowTest() override {
        PumpUntil([] { return FirstKeyDown() == 0; }, 1000);
        EXPECT_EQ(FirstKeyDown(), 0) << "a key is left down";
    }
};

TEST_F(MainWindowTest, StartsEmptyWithoutSettingsAndLaysOutAt96Dpi) {
    ProgramUnderTest program;
    ASSERT_TRUE(program.Start());
    RECT client;
    ::GetClientRect(program.MainWindow(), &client);
    EXPECT_EQ(client.right, 368);
    EXPECT_EQ(client.bottom, 371);
    for (int row = 0; row < 10; ++row) {
        EXPECT_FALSE(program.Ticked(row)) << row;
        EXPECT_EQ(ControlText(program.HotKeyEdit(row)), L"Press Hotkey") << row;
        EXPECT_EQ(ControlText(program.ActionText(row)), L"") << row;
        EXPECT_EQ(ControlText(program.ArmBox(row)), L"START");

        const auto& design = main_layout::kRowTable[static_cast<std::size_t>(row)];
        RECT box = ClientRectIn(program.MainWindow(), program.Control(control_ids::HotKeyBox(row)));
        EXPECT_EQ(box.left, 8);
        EXPECT_EQ(box.top, design.hotKeyBox.top / 15) << row;
        EXPECT_EQ(box.right - box.left, 81);
        EXPECT_EQ(box.bottom - box.top, 25);
        RECT text = ClientRectIn(program.MainWindow(), program.ActionText(row));
        EXPECT_EQ(text.left, 184);
        EXPECT_EQ(text.top, design.actionText.top / 15) << row;
        EXPECT_EQ(text.bottom - text.top, design.actionText.height / 15) << row;
        RECT arm = ClientRectIn(program.MainWindow(), program.ArmBox(row));
        EXPECT_EQ(arm.left, 104);
        EXPECT_EQ(arm.top, design.armBox.top / 15) << row;
    }
    // The capture box's edit fills it.
    RECT edit = ClientRectIn(program.MainWindow(), program.HotKeyEdit(0));
    EXPECT_EQ(edit.right - edit.left, 81);
}

TEST_F(MainWindowTest, TickingAnEmptyRowSaysNotSetAndStaysUnticked) {
    ProgramUnderTest program;
    ASSERT_TRUE(program.Start());
    program.Click(program.ArmBox(2));
    EXPECT_EQ(program.AnswerMessageBox(), L"Not set hotkey");
    EXPECT_TRUE(PumpUntil([&] { return !program.Ticked(2); }));
    EXPECT_EQ(ControlText(program.HotKeyEdit(2)), L"Press Hotkey");
}

TEST_F(MainWindowTest, SecondRowWithTheSameHotkeyIsRefusedAndEmptied) {
    ProgramUnderTest program(kPrepared +
                             "Tavero2Text=Ctrl + Alt + F7\r\nTavero2KeyCode=118\r\n"
                             "Tavero2ModKeyCode=3\r\n");
    ASSERT_TRUE(program.Start());
    ASSERT_TRUE(program.Tick(0));
    program.Click(program.ArmBox(1));
    EXPECT_EQ(program.AnswerMessageBox(), L"Hotkey already exists, please change a hotkey.");
    EXPECT_TRUE(PumpUntil([&] { return !program.Ticked(1); }));
    EXPECT_EQ(ControlText(program.HotKeyEdit(1)), L"Press Hotkey");
    EXPECT_TRUE(program.Ticked(0));
}

TEST_F(MainWindowTest, ASecondStartInTheSameFolderBringsTheFirstForwardAndLeaves) {
    ProgramUnderTest program(kPrepared);
    ASSERT_TRUE(program.Start());
    HWND main = program.MainWindow();
    ::ShowWindow(main, SW_HIDE);  // as the hide button leaves it
    ASSERT_TRUE(PumpUntil([&] { return !::IsWindowVisible(main); }));
    std::string before = program.Settings();
    EXPECT_EQ(program.StartAgainBeside(), 0);
    EXPECT_TRUE(AwaitForeground(main));
    EXPECT_EQ(program.Settings(), before);
    program.AwaitIdle();

    // Covered by another window: a second start brings it on top of that one too.
    RECT r;
    ::GetWindowRect(main, &r);
    HWND cover =
        ::CreateWindowExW(0, L"STATIC", L"cover", WS_POPUP | WS_VISIBLE | SS_NOTIFY, r.left, r.top,
                          r.right - r.left, r.bottom - r.top, nullptr, nullptr, nullptr, nullptr);
    POINT centre{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    auto coverOnTop = [&] { return ::WindowFromPoint(centre) == cover; };
    // Under Wine without a window manager, the X server's focus events of the program's last
    // show can arrive after the cover took the focus and raise the program's window once more:
    // there the cover is raised again until it stays on top.
    bool covered = false;
    for (int tries = 0; !covered && tries < (tavero::RunningUnderWine() ? 5 : 1); ++tries) {
        ASSERT_TRUE(FocusWindow(cover, cover));
        ::SetWindowPos(cover, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        covered = PumpUntil(coverOnTop, 2000) && !PumpUntil([&] { return !coverOnTop(); }, 300);
    }
    ASSERT_TRUE(covered) << "set-up: the cover is not on top; " << DescribeForeground();
    EXPECT_EQ(program.StartAgainBeside(), 0);
    EXPECT_TRUE(
        PumpUntil([&] { return ::GetAncestor(::WindowFromPoint(centre), GA_ROOT) == main; }));
    ::DestroyWindow(cover);

    // A copy in another folder is another program, with a file of its own.
    ProgramUnderTest elsewhere(kPrepared);
    EXPECT_TRUE(elsewhere.Start());
    EXPECT_TRUE(program.Running());
}

// The same folder by another path, a link to it or a drive letter of its own, is the same
// folder: one copy runs, and its set.ini is left alone.
TEST_F(MainWindowTest, OneCopyRunsPerFolderWhateverPathReachesIt) {
    if (!PlaceOffered("no-links")) {
        GTEST_SKIP() << "no linked folder here (made by the test command on Linux)";
    }
    ProgramUnderTest program(ProgramUnderTest::InPlace{TestPlace("linked/real")});
    ASSERT_TRUE(program.Start());
    std::string before = program.Settings();
    std::vector<std::wstring> others = {TestPlace("linked/via")};
    std::string letter = ReadFileBytes(TestPlace("drive-letter"));
    if (!letter.empty()) {
        others.push_back(std::wstring(1, static_cast<wchar_t>(letter[0])) + L":");
    }
    for (const std::wstring& other : others) {
        ProgramUnderTest again(ProgramUnderTest::InPlace{other});
        EXPECT_EQ(again.StartAgainBeside(), 0) << "a second copy ran from the same folder, by "
                                               << std::string(other.begin(), other.end());
    }
    EXPECT_TRUE(program.Running());
    EXPECT_EQ(program.Settings(), before);
}

// Started by a link to its exe in another folder (winget's alias, a launcher's), it is the copy
// of the exe's own folder: its settings beside the exe, its sign-in value naming the exe, and a
// start by the exe's own path hands over to it.
TEST_F(MainWindowTest, StartedByALinkItIsTheCopyOfTheExesOwnFolder) {
    if (!PlaceOffered("no-links")) {
        GTEST_SKIP() << "no link to an exe here (made by the test command on Linux)";
    }
    ProgramUnderTest byLink(
        ProgramUnderTest::InPlace{TestPlace("exe-link/Links"), L"taveromirelle.exe"});
    ProgramUnderTest real(ProgramUnderTest::InPlace{TestPlace("exe-link/pkg")});
    tavero::RegistryRunKey run;
    auto valuesNaming = [&](const std::wstring& folder) {
        int n = 0;
        for (const auto& [name, command] : run.Values()) {
            std::wstring lower = command;
            std::transform(lower.begin(), lower.end(), lower.begin(), ::towlower);
            n += lower.find(folder) != std::wstring::npos;
        }
        return n;
    };
    ASSERT_TRUE(byLink.Start());
    ASSERT_TRUE(byLink.ChooseFromTrayMenu(ProgramUnderTest::kStartWithWindows, [&] {
        return valuesNaming(L"\\pkg\\taveromirelle.exe") > 0;
    })) << "the sign-in value does not name the exe itself";
    EXPECT_EQ(valuesNaming(L"\\links\\"), 0);

    EXPECT_EQ(real.StartAgainBeside(L"/exit"), 0)
        << "a start by the exe's own path is another copy";
    EXPECT_EQ(byLink.WaitForExit(), 0);
    EXPECT_EQ(CountHotKeyKeys(real.Settings()), 30) << "the settings are not beside the exe";
    EXPECT_EQ(::GetFileAttributesW((TestPlace("exe-link/Links") + L"\\set.ini").c_str()),
              INVALID_FILE_ATTRIBUTES)
        << "settings beside the link";
    EXPECT_EQ(byLink.StartAgainBeside(L"/forget"), 0);
    EXPECT_EQ(valuesNaming(L"\\pkg\\taveromirelle.exe"), 0) << "/forget by the link left it";
}

// Closed, or asked to close by an installer's restart manager at the end of a session: it ends,
// and a start straight after runs.
TEST_F(MainWindowTest, ItEndsWhenAskedAndAStartRightAfterRuns) {
    ProgramUnderTest program(kPrepared);
    ASSERT_TRUE(program.Start());
    LPARAM closeApp = ENDSESSION_CLOSEAPP;
    EXPECT_TRUE(::SendMessageW(program.MainWindow(), WM_QUERYENDSESSION, 0, closeApp));
    ::SendMessageW(program.MainWindow(), WM_ENDSESSION, TRUE, closeApp);
    EXPECT_EQ(program.WaitForExit(), 0);
    EXPECT_EQ(CountHotKeyKeys(program.Settings()), 30);

    ASSERT_TRUE(program.Start());
    ::PostMessageW(program.MainWindow(), WM_CLOSE, 0, 0);
    PumpFor(400);
    EXPECT_TRUE(program.Start()) << "nothing runs after a start 0.4 s after a close";
}

// The keyboard's focus shows plainly: a ring round the focused box, at 3:1 or better against
// the window's face; and a hotkey the box's font would cut is shown whole, in a smaller one.
TEST_F(MainWindowTest, FocusIsPlainAndHotkeysAreReadableWhole) {
    ProgramUnderTest program(
        "[Tavero]\r\nTavero1Text=Ctrl + Shift + F10\r\nTavero1KeyCode=121\r\n"
        "Tavero1ModKeyCode=6\r\n");
    ASSERT_TRUE(program.Start());
    HWND edit = program.HotKeyEdit(0);
    std::wstring text = ControlText(edit);
    ASSERT_EQ(text, L"Ctrl + Shift + F10");
    RECT client;
    ::GetClientRect(edit, &client);
    auto position = [&](int index) {
        return static_cast<int>(
            static_cast<short>(LOWORD(::SendMessageW(edit, EM_POSFROMCHAR, index, 0))));
    };
    EXPECT_GE(position(0), 0) << "its start is cut";
    EXPECT_LT(position(static_cast<int>(text.size()) - 1), client.right - 4) << "its end is cut";

    RECT box;
    ::GetWindowRect(program.Control(control_ids::HotKeyBox(0)), &box);
    int y = (box.top + box.bottom) / 2;
    COLORREF face = ScreenPixel(box.left - 1, y);
    ASSERT_TRUE(program.ClickToFocus(edit));
    // Measured once the focus has been drawn.
    EXPECT_TRUE(PumpUntil([&] { return Contrast(ScreenPixel(box.left - 2, y), face) >= 3.0; }))
        << Contrast(ScreenPixel(box.left - 2, y), face);
}

TEST_F(MainWindowTest, DraggingTheTitleMovesTheWindow) {
    ProgramUnderTest program;
    ASSERT_TRUE(program.Start());
    RECT before;
    ::GetWindowRect(program.MainWindow(), &before);
    // Press on the title, move, release: the window follows the mouse.
    ::SetCursorPos(before.left + 150, before.top + 10);
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    ::SendInput(1, &input, sizeof(INPUT));
    PumpFor(100);  // a user's hand: the press, then the moves
    for (int step = 1; step <= 8; ++step) {
        ::SetCursorPos(before.left + 150 + 5 * step, before.top + 10 + 5 * step);
        input.mi.dwFlags = MOUSEEVENTF_MOVE;
        ::SendInput(1, &input, sizeof(INPUT));
        PumpFor(20);
    }
    input.mi.dwFlags = MOUSEEVENTF_LEFTUP;
    ::SendInput(1, &input, sizeof(INPUT));
    EXPECT_TRUE(PumpUntil([&] {
        RECT now;
        ::GetWindowRect(program.MainWindow(), &now);
        return now.left == before.left + 40 && now.top == before.top + 40;
    }));
}

// The close button and Alt+F4 (where the focus is not in a hotkey box) each save all thirty
// hotkey values and end the program.
TEST_F(MainWindowTest, TheCloseButtonAndAltF4QuitAndSave) {
    ProgramUnderTest program;
    ASSERT_TRUE(program.Start());
    program.ClickAt(main_layout::kCloseButton.left / 15 + 20, 8);
    EXPECT_EQ(program.WaitForExit(), 0)
        << "after the click on the close button, " << DescribeForeground();
    EXPECT_EQ(CountHotKeyKeys(program.Settings()), 30);

    ::DeleteFileW(program.SettingsPath().c_str());
    ASSERT_TRUE(program.Start());
    ASSERT_TRUE(program.ClickToFocus(program.ActionText(0)));
    WaitOutWinesKeyStateCopy();
    SendChord({VK_MENU, VK_F4});
    EXPECT_EQ(program.WaitForExit(), 0) << "after Alt+F4, " << DescribeForeground();
    EXPECT_EQ(CountHotKeyKeys(program.Settings()), 30);
}

// Row 10's box has the focus while row 1's hotkey plays A into it; then Shift+Tab out of it,
// Alt+Tab, a lone Ctrl. None of these is a new hotkey: nothing changes, nothing is disarmed.
TEST_F(MainWindowTest, KeysThatCompleteNoNewHotkeyLeaveTheBoxAsItWas) {
    ProgramUnderTest program(kPrepared);
    ASSERT_TRUE(program.Start());
    ASSERT_TRUE(program.Tick(0));
    ASSERT_TRUE(program.Tick(9));
    HWND box = program.HotKeyEdit(9);
    auto unchanged = [&](const char* after) {
        PumpFor(150);
        EXPECT_EQ(ControlText(box), L"Ctrl + Alt + F8") << after;
        EXPECT_TRUE(program.Ticked(9)) << after;
    };

    ASSERT_TRUE(program.ClickToFocus(box));
    {
        InputRecorder recorder;
        ASSERT_TRUE(PressHotKey({VK_CONTROL, VK_MENU}, VK_F7,
                                [&] { return recorder.Seen('A', true) >= 0; }));
    }
    unchanged("the program's own keys");
    SendChord({VK_SHIFT, VK_TAB});
    unchanged("Shift+Tab");
    ASSERT_TRUE(program.ClickToFocus(box));
    SendChord({VK_MENU, VK_TAB});
    unchanged("Alt+Tab");
    ASSERT_TRUE(program.ClickToFocus(box));
    SendChord({VK_CONTROL});
    unchanged("a lone Ctrl");

    ::PostMessageW(program.MainWindow(), WM_CLOSE, 0, 0);
    ASSERT_EQ(program.WaitForExit(), 0);
    std::string saved = program.Settings();
    for (const char* value : {"Tavero10Text=Ctrl + Alt + F8", "Tavero10KeyCode=119",
                              "Tavero10ModKeyCode=3", "Tavero1KeyCode=118"}) {
        EXPECT_NE(saved.find(value), std::string::npos) << value;
    }
}

}  // namespace
