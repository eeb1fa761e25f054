#include <windows.h>

#include <gtest/gtest.h>

#include "KeyTarget_win.h"
#include "ProgramUnderTest_win.h"
#include "WinTestSupport_win.h"
#include "instance/AppMessages_win.h"
#include "platform/ProgramFolder_win.h"
#include "platform/Registry_win.h"
#include "platform/Wine_win.h"
#include "ui/MenuIds.h"

using namespace tavero;
using namespace tavero::testing;

namespace {

// Wine keeps notification icons in a tray window of its own when the display has no tray; on
// Windows the icons belong to the shell, out of a test's reach.
#define SKIP_OUTSIDE_WINE()                                                                        \
    if (!RunningUnderWine()) {                                                                     \
        GTEST_SKIP() << "counts the icons in Wine's own tray window, which Windows does not have"; \
    }

int TrayIconCount() {
    HWND tray = ::FindWindowW(L"__winex11_standalone_tray", nullptr);
    int count = 0;
    for (HWND icon = ::FindWindowExW(tray, nullptr, L"__winex11_tray_icon", nullptr);
         icon != nullptr; icon = ::FindWindowExW(tray, icon, L"__winex11_tray_icon", nullptr)) {
        ++count;
    }
    return count;
}

class TrayTest : public ::testing::Test {
  protected:
    void IconEvent(UINT mouseMessage) {
        ::PostMessageW(program.MainWindow(), app_messages::kTrayCallback, 1, mouseMessage);
    }
    bool MainVisible() { return ::IsWindowVisible(program.MainWindow()) != FALSE; }
    void Hide() {
        ::ShowWindow(program.MainWindow(), SW_HIDE);
        ASSERT_TRUE(PumpUntil([&] { return !MainVisible(); }));
    }

    ProgramUnderTest program;
};

TEST_F(TrayTest, MenuTreeIsShowAboutTheSwitchesAndExit) {
    ASSERT_TRUE(program.Start());
    HMODULE exe = ::LoadLibraryExW(program.ExePath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(exe, nullptr);
    HMENU bar = ::LoadMenuW(exe, MAKEINTRESOURCEW(TAVERO_TRAY_MENU));
    ASSERT_NE(bar, nullptr);
    HMENU popup = ::GetSubMenu(bar, 0);
    wchar_t text[64];
    // The empty ones are separators.
    const wchar_t* top[] = {L"Show",
                            L"About",
                            L"",
                            L"Start with Windows",
                            L"Arm hotkeys at start",
                            L"Pause hotkeys",
                            L"Pause key\u2026",
                            L"Release all keys",
                            L"",
                            L"Exit"};
    ASSERT_EQ(::GetMenuItemCount(popup), static_cast<int>(std::size(top)));
    for (int i = 0; i < static_cast<int>(std::size(top)); ++i) {
        text[0] = L'\0';
        ::GetMenuStringW(popup, static_cast<UINT>(i), text, 64, MF_BYPOSITION);
        EXPECT_STREQ(text, top[i]);
    }
    HMENU about = ::GetSubMenu(popup, 1);
    ASSERT_EQ(::GetMenuItemCount(about), 2);
    ::GetMenuStringW(about, 0, text, 64, MF_BYPOSITION);
    EXPECT_STREQ(text, L"About Mirelle");
    ::GetMenuStringW(about, 1, text, 64, MF_BYPOSITION);
    EXPECT_STREQ(text, L"Check Verson");
    ::DestroyMenu(bar);
    ::FreeLibrary(exe);
}

TEST_F(TrayTest, IconComesAndGoesWithTheProgram) {
    SKIP_OUTSIDE_WINE();
    int before = TrayIconCount();
    ASSERT_TRUE(program.Start());
    EXPECT_TRUE(PumpUntil([&] { return TrayIconCount() == before + 1; }));
    // A shell restart notice re-adds it without a second copy. The program handles its messages
    // in order: once a show request posted after the notice has shown the window, the notice
    // has been handled.
    Hide();
    ::PostMessageW(program.MainWindow(), ::RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
    ::PostMessageW(program.MainWindow(), app_messages::kShowRequest, 0, 0);
    ASSERT_TRUE(PumpUntil([&] { return MainVisible(); }));
    EXPECT_EQ(TrayIconCount(), before + 1);

    // Exit from the menu: saves all thirty hotkey values, removes the icon, ends.
    EXPECT_TRUE(
        program.ChooseFromTrayMenu(ProgramUnderTest::kExit, [&] { return !program.Running(); }));
    EXPECT_EQ(program.WaitForExit(), 0);
    EXPECT_EQ(CountHotKeyKeys(program.Settings()), 30);
    EXPECT_TRUE(PumpUntil([&] { return TrayIconCount() == before; }));
}

TEST_F(TrayTest, LeftReleaseShowsAndOtherMouseEventsDoNothing) {
    ASSERT_TRUE(program.Start());
    Hide();
    for (UINT other : {WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONDBLCLK, WM_RBUTTONDOWN}) {
        IconEvent(other);
    }
    // They are handled in order: once a right release posted after them has opened the menu,
    // they have been handled, and the window is still hidden. (Under Wine a menu asked for may
    // not open the first time.)
    HWND menu = program.OpenTrayMenu();
    for (int attempt = 1; attempt < 3 && menu == nullptr && RunningUnderWine(); ++attempt) {
        menu = program.OpenTrayMenu();
    }
    ASSERT_NE(menu, nullptr);
    EXPECT_FALSE(MainVisible());
    ProgramUnderTest::DismissMenu(menu);
    IconEvent(WM_LBUTTONUP);
    EXPECT_TRUE(PumpUntil([&] { return MainVisible(); }));
}

TEST_F(TrayTest, ShowFromTheMenu) {
    ASSERT_TRUE(program.Start());
    Hide();
    EXPECT_TRUE(program.ChooseFromTrayMenu(ProgramUnderTest::kShow, [&] { return MainVisible(); }));
    EXPECT_TRUE(program.Running());
}

TEST_F(TrayTest, ARealClickOnTheIconShowsTheWindow) {
    SKIP_OUTSIDE_WINE();
    int before = TrayIconCount();
    ASSERT_TRUE(program.Start());
    ASSERT_TRUE(PumpUntil([&] { return TrayIconCount() == before + 1; }));
    Hide();
    // The newest icon is ours.
    HWND tray = ::FindWindowW(L"__winex11_standalone_tray", nullptr);
    HWND last = nullptr;
    for (HWND icon = ::FindWindowExW(tray, nullptr, L"__winex11_tray_icon", nullptr);
         icon != nullptr; icon = ::FindWindowExW(tray, icon, L"__winex11_tray_icon", nullptr)) {
        last = icon;
    }
    ASSERT_NE(last, nullptr);
    ASSERT_TRUE(PumpUntil([&] { return ::IsWindowVisible(last) != FALSE; }));
    // The tray window may still be settling on the display: a click that landed before it was
    // mapped is not a failure of the program, so give it a few tries.
    bool shown = false;
    for (int attempt = 0; attempt < 3 && !shown; ++attempt) {
        program.Click(last);
        shown = PumpUntil([&] { return MainVisible(); }, 2000);
    }
    EXPECT_TRUE(shown);
}

// A program people keep running: started with Windows, hidden, its rows armed as they were;
// paused for a while, its combinations free for others. All from the tray menu, by keyboard.
TEST(KeptRunning, StartWithWindowsArmAtStartAndPauseFromTheTrayMenu) {
    const std::string rows =
        "[conftext]\r\n0=A \r\n2=B \r\n[conftooltip]\r\n0=1|65\r\n2=1|66\r\n"
        "[Tavero]\r\nTavero1Text=Ctrl + Alt + F7\r\nTavero1KeyCode=118\r\nTavero1ModKeyCode=3\r\n"
        "Tavero3Text=Ctrl + Alt + F8\r\nTavero3KeyCode=119\r\nTavero3ModKeyCode=3\r\n";
    ProgramUnderTest program(rows);
    RegistryRunKey run;
    const std::wstring other = L"\"C:\\Elsewhere\\TaveroMirelle.exe\" /tray";
    ASSERT_TRUE(run.Set(L"Another copy of Tavero Mirelle", other));
    auto ours = [&] {
        for (const auto& [name, command] : run.Values()) {
            if (command.find(program.ExePath()) != std::wstring::npos) {
                return command;
            }
        }
        return std::wstring();
    };
    auto plays = [&](int key, int action) -> ::testing::AssertionResult {
        KeyTarget target;
        if (auto focused = target.Activate(); !focused) {
            return focused;
        }
        auto released = [&](const std::vector<KeyRecord>& records) {
            for (const KeyRecord& r : records) {
                if (r.key == action && !r.Down()) {
                    return true;
                }
            }
            return false;
        };
        PressHotKey({VK_CONTROL, VK_MENU}, key, [&] { return released(target.Records()); });
        return target.Await(released, "the action", 0);
    };

    ASSERT_TRUE(program.Start());
    ASSERT_TRUE(program.Tick(0));
    ASSERT_TRUE(program.Tick(2));
    ASSERT_TRUE(program.ChooseFromTrayMenu(ProgramUnderTest::kStartWithWindows,
                                           [&] { return !ours().empty(); }));
    EXPECT_EQ(ours(), L"\"" + program.ExePath() + L"\" /tray");
    ASSERT_TRUE(program.ChooseFromTrayMenu(ProgramUnderTest::kArmAtStart));
    ::PostMessageW(program.MainWindow(), WM_CLOSE, 0, 0);
    ASSERT_EQ(program.WaitForExit(), 0);
    EXPECT_NE(program.Settings().find("[Options]\r\nArmAtStart=1\r\nArmedRows=1,3\r\n"),
              std::string::npos);

    // As Windows starts it: no window in sight, the rows armed as they were, and playing.
    ASSERT_TRUE(program.Start(L"/tray", true));
    EXPECT_FALSE(::IsWindowVisible(program.MainWindow()));
    ASSERT_TRUE(PumpUntil([&] { return program.Ticked(0) && program.Ticked(2); }));
    EXPECT_TRUE(plays(VK_F8, 'B'));

    // Paused: the combinations are free for another program, and play nothing; then again.
    ASSERT_TRUE(program.ChooseFromTrayMenu(ProgramUnderTest::kPauseHotkeys, [] {
        bool free = ::RegisterHotKey(nullptr, 1, MOD_CONTROL | MOD_ALT, VK_F7) != FALSE;
        ::UnregisterHotKey(nullptr, 1);
        return free;
    }));
    EXPECT_TRUE(program.Ticked(0));
    ASSERT_TRUE(program.ChooseFromTrayMenu(ProgramUnderTest::kPauseHotkeys));
    EXPECT_TRUE(plays(VK_F7, 'A'));

    // One taken by another program meanwhile: at the next start, one message says so.
    ::PostMessageW(program.MainWindow(), WM_CLOSE, 0, 0);
    ASSERT_EQ(program.WaitForExit(), 0);
    ASSERT_TRUE(::RegisterHotKey(nullptr, 2, MOD_CONTROL | MOD_ALT, VK_F8));
    ASSERT_TRUE(program.Start());
    std::wstring told = program.AnswerMessageBox();
    EXPECT_NE(told.find(L"Row 3: Ctrl + Alt + F8 is taken by another program."), std::wstring::npos)
        << told;
    EXPECT_TRUE(program.Ticked(0));
    EXPECT_FALSE(program.Ticked(2));
    ::UnregisterHotKey(nullptr, 2);

    ASSERT_TRUE(program.ChooseFromTrayMenu(ProgramUnderTest::kStartWithWindows,
                                           [&] { return ours().empty(); }));
    bool otherKept = false;
    for (const auto& [name, command] : run.Values()) {
        otherKept = otherKept || command == other;
    }
    EXPECT_TRUE(otherKept) << "another copy's value was touched";
    run.Remove(L"Another copy of Tavero Mirelle");
}

}  // namespace
