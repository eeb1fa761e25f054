#include <gtest/gtest.h>

#include "hotkeybox/HotKeyStore.h"
#include "hotkeybox/Tavero.h"
#include "platform/Keys.h"
#include "support/Fakes.h"

using namespace tavero;
using namespace tavero::testing;

namespace {

class RecordingView : public TaveroView {
  public:
    void ShowText(const std::wstring& text) override { shown = text; }
    void MoveCaretToEnd() override { ++caretMoves; }
    std::wstring shown;
    int caretMoves = 0;
};

// A box with fakes behind it; key helpers press and release like a user.
struct Box : FakeBoxServices {
    FakeHotKeySystem& system;
    FakeHotKeyRegistrar registrar{system};
    Tavero box{L"Tavero1", registrar, names, messages, HotKeyStore(ini, userStore, {})};
    RecordingView view;

    explicit Box(FakeHotKeySystem& s) : system(s) { box.AttachView(&view); }

    void Down(int key, int shiftState = 0, bool winDown = false, bool repeat = false) {
        box.KeyDown(key, shiftState, winDown, repeat);
    }
    void Up(int key, int shiftState = 0) { box.KeyUp(key, shiftState); }
};

class CaptureTest : public ::testing::Test {
  protected:
    FakeHotKeySystem system;
    Box b{system};
};

TEST_F(CaptureTest, CtrlAltF5) {
    b.Down(vk::kControl, shift::kCtrl);
    b.Down(vk::kMenu, shift::kCtrl | shift::kAlt);
    EXPECT_EQ(b.view.shown, L"Ctrl + Alt + ");
    EXPECT_EQ(b.box.KeyCode(), 0);
    b.Down(116, shift::kCtrl | shift::kAlt);
    EXPECT_EQ(b.view.shown, L"Ctrl + Alt + F5");
    EXPECT_EQ(b.box.KeyCode(), 116);
    EXPECT_EQ(b.box.ModKeyCode(), 3);
    // Releasing the keys keeps the captured hotkey.
    b.Up(116, shift::kCtrl | shift::kAlt);
    b.Up(vk::kMenu, shift::kCtrl);
    b.Up(vk::kControl);
    EXPECT_EQ(b.view.shown, L"Ctrl + Alt + F5");
    EXPECT_EQ(b.box.ModKeyCode(), 3);
}

TEST_F(CaptureTest, WinComesFromTheKeysStateNotFromWhatTheBoxSaw) {
    for (int win : {vk::kLWin, vk::kRWin}) {
        b.Down(win, 0, true);
        EXPECT_EQ(b.box.Text(), L"Win + ");
        b.Down('E', 0, true);
        EXPECT_EQ(b.box.Text(), L"Win + E") << win;
        EXPECT_EQ(b.box.KeyCode(), 69);
        EXPECT_EQ(b.box.ModKeyCode(), 8);
        // Win went up while another window had the focus: the box never saw it go.
        b.Down('E', 0, false);
        EXPECT_EQ(b.box.Text(), L"E");
        EXPECT_EQ(b.box.ModKeyCode(), 0);
    }
    b.Down(116, shift::kShift | shift::kCtrl | shift::kAlt, true);
    EXPECT_EQ(b.box.Text(), L"Win + Ctrl + Alt + Shift + F5");
    EXPECT_EQ(b.box.ModKeyCode(), 15);
}

// Shift+Tab out of the box, Alt+Tab away, a lone Ctrl tap: none of them touches the hotkey.
TEST_F(CaptureTest, ModifiersAloneOnlyPreviewAndNeverWipeOrDisarm) {
    int disarmed = 0;
    b.box.Events().hotKeyDisarmed = [&] { ++disarmed; };
    b.Down(116, shift::kCtrl | shift::kAlt);
    b.box.SetHotKeyEnabled(true);
    ASSERT_TRUE(b.box.HotKeyEnabled());

    b.Down(vk::kShift, shift::kShift);
    EXPECT_EQ(b.view.shown, L"Shift + ");
    b.box.FocusLost();  // Tab took the focus; Shift's key-up goes elsewhere
    EXPECT_EQ(b.view.shown, L"Ctrl + Alt + F5");

    b.Down(vk::kMenu, shift::kAlt);
    b.Down(vk::kTab, shift::kAlt);  // where the system lets Alt+Tab through
    b.Up(vk::kMenu);
    b.Down(vk::kControl, shift::kCtrl);
    b.Up(vk::kControl);
    b.Down(vk::kRWin, 0, true);
    b.Up(vk::kRWin);

    EXPECT_EQ(b.view.shown, L"Ctrl + Alt + F5");
    EXPECT_EQ(b.box.KeyCode(), 116);
    EXPECT_EQ(b.box.ModKeyCode(), 3);
    EXPECT_TRUE(b.box.HotKeyEnabled());
    EXPECT_EQ(disarmed, 0);

    // An empty box falls back to "Press Hotkey".
    Box empty{system};
    empty.Down(vk::kShift, shift::kShift);
    EXPECT_EQ(empty.view.shown, L"Shift + ");
    empty.Up(vk::kShift);
    EXPECT_EQ(empty.view.shown, L"Press Hotkey");
    EXPECT_EQ(empty.box.ModKeyCode(), 0);
}

TEST_F(CaptureTest, ContextMenuKeyAndCharacterPacketsChangeNothing) {
    int raised = 0;
    b.box.Events().keyDown = [&](int&, int&) { ++raised; };
    b.Down('A');
    int key = vk::kApps, state = 0;
    b.box.KeyDown(key, state, false);
    EXPECT_EQ(key, 0);
    b.Down(vk::kPacket);
    EXPECT_EQ(raised, 1);
    EXPECT_EQ(b.box.Text(), L"A");
    EXPECT_EQ(b.box.KeyCode(), 'A');
}

TEST_F(CaptureTest, BackspaceIsAKeyAndNamelessKeysGetReadableNames) {
    b.Down(vk::kBack);
    EXPECT_EQ(b.box.Text(), L"Backspace");
    EXPECT_EQ(b.box.KeyCode(), 8);
    // The fake, as some layouts, names none of these.
    const std::pair<int, const wchar_t*> nameless[] = {{124, L"Ctrl + F13"},
                                                       {135, L"Ctrl + F24"},
                                                       {175, L"Ctrl + Volume Up"},
                                                       {179, L"Ctrl + Play/Pause Media"},
                                                       {255, L"Ctrl + Key 255"}};
    for (const auto& [key, text] : nameless) {
        b.Down(key, shift::kCtrl);
        EXPECT_EQ(b.box.Text(), text);
        EXPECT_EQ(b.box.KeyCode(), key);
    }
}

// On a layout with AltGr, Ctrl + Alt + Q types @: the box says so, and keeps the hotkey.
TEST_F(CaptureTest, ACtrlAltHotkeyThatTypesACharacterIsToldAndKept) {
    b.Down('Q', shift::kCtrl | shift::kAlt);
    EXPECT_EQ(b.box.TypingClash(), L"On this keyboard Ctrl + Alt + Q types @");
    EXPECT_EQ(b.box.KeyCode(), 'Q');
    for (int state : {shift::kCtrl, shift::kCtrl | shift::kAlt | shift::kShift}) {
        b.Down('Q', state);
        EXPECT_EQ(b.box.TypingClash(), L"");
    }
    b.Down('W', shift::kCtrl | shift::kAlt);
    EXPECT_EQ(b.box.TypingClash(), L"");
}

// A key held since before the box had the focus goes on repeating there: not a new hotkey,
// and the box's row stays armed.
TEST_F(CaptureTest, ARepeatOfAKeyAlreadyDownIsNoNewHotkey) {
    b.Down(116, shift::kCtrl | shift::kAlt);
    b.box.SetHotKeyEnabled(true);
    b.Down('Q', 0, false, true);
    EXPECT_EQ(b.box.KeyCode(), 116);
    EXPECT_TRUE(b.box.HotKeyEnabled());
}

TEST_F(CaptureTest, HostMayChangeKeyBeforeCapture) {
    b.box.Events().keyDown = [](int& key, int& state) {
        key = 'Q';
        state = shift::kCtrl;
    };
    b.Down('A');
    EXPECT_EQ(b.box.Text(), L"Ctrl + Q");
    EXPECT_EQ(b.box.KeyCode(), 'Q');
}

TEST_F(CaptureTest, KeyUpEventRaisedAfterOwnHandling) {
    std::wstring textAtEvent;
    b.box.Events().keyUp = [&](int&, int&) { textAtEvent = b.box.Text(); };
    b.Down(vk::kControl, shift::kCtrl);
    EXPECT_EQ(b.box.Text(), L"Ctrl + ");
    b.Up(vk::kControl);
    EXPECT_EQ(textAtEvent, L"Press Hotkey");
}

// Arming and its refusals.
TEST_F(CaptureTest, ArmingEmptyBoxRefusesWithMessage) {
    b.box.SetHotKeyEnabled(true);
    EXPECT_FALSE(b.box.HotKeyEnabled());
    ASSERT_EQ(b.messages.shown.size(), 1u);
    EXPECT_EQ(b.messages.shown[0].first, L"error");
    EXPECT_EQ(b.messages.shown[0].second, L"Not set hotkey");
    EXPECT_EQ(b.box.Text(), L"Press Hotkey");
    EXPECT_EQ(b.registrar.calls, 0);
}

TEST_F(CaptureTest, ArmingTakenCombinationClearsTheBox) {
    Box first{system};
    first.Down(116, shift::kCtrl | shift::kAlt);
    first.box.SetHotKeyEnabled(true);
    ASSERT_TRUE(first.box.HotKeyEnabled());

    b.Down(116, shift::kCtrl | shift::kAlt);
    b.box.SetHotKeyEnabled(true);
    EXPECT_FALSE(b.box.HotKeyEnabled());
    ASSERT_EQ(b.messages.shown.size(), 1u);
    EXPECT_EQ(b.messages.shown[0].second, L"Hotkey already exists, please change a hotkey.");
    EXPECT_EQ(b.view.shown, L"Press Hotkey");
    EXPECT_EQ(b.box.KeyCode(), 0);
    EXPECT_EQ(b.box.ModKeyCode(), 0);
    EXPECT_TRUE(first.box.HotKeyEnabled());
}

TEST_F(CaptureTest, SettingSameValueCallsNothing) {
    b.box.SetHotKeyEnabled(false);
    EXPECT_EQ(b.registrar.calls, 0);
    b.Down('A', shift::kCtrl);
    b.box.SetHotKeyEnabled(true);
    int calls = b.registrar.calls;
    b.box.SetHotKeyEnabled(true);
    EXPECT_EQ(b.registrar.calls, calls);
    EXPECT_TRUE(b.messages.shown.empty());
}

TEST_F(CaptureTest, KeyPressDisarmsAndTellsTheHost) {
    int disarmed = 0;
    b.box.Events().hotKeyDisarmed = [&] { ++disarmed; };
    b.Down('A', shift::kCtrl);
    b.box.SetHotKeyEnabled(true);
    ASSERT_TRUE(b.registrar.Holds(1));
    b.Down('B', shift::kCtrl);
    EXPECT_FALSE(b.box.HotKeyEnabled());
    EXPECT_FALSE(b.registrar.Holds(1));
    EXPECT_FALSE(system.IsTaken(2, 'A'));
    EXPECT_EQ(disarmed, 1);
    // Re-arming takes the newly captured combination.
    b.box.SetHotKeyEnabled(true);
    EXPECT_TRUE(system.IsTaken(2, 'B'));
    // A modifier alone does not disarm; nor does a key-down in a disarmed box report one.
    b.Down(vk::kControl, shift::kCtrl);
    EXPECT_TRUE(b.box.HotKeyEnabled());
    b.box.SetHotKeyEnabled(false);
    b.Down('C');
    EXPECT_EQ(disarmed, 1);
}

TEST_F(CaptureTest, HotKeyPressedReachesTheHost) {
    int pressed = 0;
    b.box.Events().hotKeyPressed = [&] { ++pressed; };
    b.box.RaiseEvents();
    EXPECT_EQ(pressed, 1);
}

}  // namespace
