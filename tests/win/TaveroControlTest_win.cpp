#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "WinTestSupport_win.h"
#include "hotkeybox/TaveroControl_win.h"
#include "platform/CodePage_win.h"
#include "platform/FileSystem_win.h"
#include "platform/KeyNames_win.h"
#include "platform/Keys.h"
#include "platform/Registry_win.h"
#include "support/Fakes.h"

using namespace tavero;
using namespace tavero::testing;

namespace {

constexpr int kF1 = VK_F1;

// A visible top-level window holding capture boxes, with the real key names, the real profile
// file in a fresh folder, and message boxes recorded instead of shown.
class HostWindow : public Window {
  public:
    HostWindow() {
        RegisterClassOnce(L"TaveroTestHost", 0, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
        Create(L"TaveroTestHost", L"host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 50, 50, 400, 600,
               nullptr, nullptr);
    }
    ~HostWindow() override { Destroy(); }
};

class TaveroControlTest : public ::testing::Test {
  protected:
    TaveroControlTest() { MakeBoxes(); }

    void MakeBoxes() {
        boxes.clear();
        for (int i = 0; i < 10; ++i) {
            auto box = std::make_unique<TaveroControl>(host.Handle(), 100 + i,
                                                       L"Tavero" + std::to_wstring(i + 1), services,
                                                       PixelRect{10, 10 + 40 * i, 200, 25});
            boxes.push_back(std::move(box));
        }
    }

    // Presses the combination in box i the way a user does: focus it, hold, release.
    void Capture(int i, std::initializer_list<int> chord) {
        ASSERT_TRUE(FocusWindow(host.Handle(), boxes[i]->EditHandle()));
        SendChord(chord);
        int last = *(chord.end() - 1);
        ASSERT_TRUE(PumpUntil([&] {
            return boxes[i]->Box().KeyCode() == last && FirstKeyDown() == 0;
        })) << "box "
            << i << " did not capture";
    }

    ~TaveroControlTest() override { EXPECT_EQ(FirstKeyDown(), 0); }

    // Keys reach a box in order: once a Shift tapped now has come and gone in box i, every key
    // before it has been handled there. Shift alone changes no hotkey.
    bool AwaitKeysHandled(int i) {
        bool seen = false;
        boxes[i]->Box().Events().keyUp = [&](int& key, int&) { seen = seen || key == VK_SHIFT; };
        SendChord({VK_SHIFT});
        bool handled = PumpUntil([&] { return seen; });
        boxes[i]->Box().Events().keyUp = nullptr;
        return handled;
    }

    TempFolder folder;
    FakeProgramFolder programFolder{folder.Path()};
    Win32FileSystem files;
    Win32AnsiCodePage ansi;
    IniSettings ini{files, ansi, programFolder};
    Win32KeyNames names;
    FakeMessageBoxes messages;
    RegistryUserSettingsStore userStore;
    TaveroServices services{names, messages, ini, userStore};
    HostWindow host;
    std::vector<std::unique_ptr<TaveroControl>> boxes;
};

TEST_F(TaveroControlTest, CapturesFromRealKeysAndShowsText) {
    EXPECT_EQ(ControlText(boxes[0]->EditHandle()), L"Press Hotkey");
    Capture(0, {VK_CONTROL, VK_MENU, VK_F5});
    EXPECT_EQ(boxes[0]->Box().ModKeyCode(), 3);
    std::wstring f5 = names.NameOf(VK_F5);
    EXPECT_EQ(ControlText(boxes[0]->EditHandle()), L"Ctrl + Alt + " + f5);
}

TEST_F(TaveroControlTest, KeysSharingAScanCodeWithTheKeypadAreNamedAsThemselves) {
    Capture(0, {VK_CONTROL, VK_LEFT});
    // With the extended bit the platform names the arrow, not keypad 4.
    EXPECT_EQ(names.NameOf(VK_LEFT), ControlText(boxes[0]->EditHandle()).substr(7));
    EXPECT_NE(names.NameOf(VK_LEFT), names.NameOf(VK_NUMPAD4));
    Capture(1, {VK_SNAPSHOT});
    EXPECT_EQ(ControlText(boxes[1]->EditHandle()), names.NameOf(VK_SNAPSHOT));
    EXPECT_NE(names.NameOf(VK_SNAPSHOT), names.NameOf(VK_MULTIPLY));
}

TEST_F(TaveroControlTest, WinReleasedInAnotherBoxLeavesNoWinBehind) {
    HWND first = boxes[0]->EditHandle();
    ASSERT_TRUE(FocusWindow(host.Handle(), first));
    SendKey(VK_LWIN, false);
    ASSERT_TRUE(PumpUntil([&] { return ControlText(first) == L"Win + "; }));
    ASSERT_TRUE(FocusWindow(host.Handle(), boxes[1]->EditHandle()));
    SendKey(VK_LWIN, true);
    PumpFor(100);
    Capture(0, {'E'});
    EXPECT_EQ(ControlText(first), names.NameOf('E'));
    EXPECT_EQ(boxes[0]->Box().ModKeyCode(), 0);
}

TEST_F(TaveroControlTest, TypedCharactersAndEditingNeverChangeTheText) {
    Capture(0, {'A'});
    HWND edit = boxes[0]->EditHandle();
    EXPECT_EQ(ControlText(edit), names.NameOf('A'));
    std::wstring before = ControlText(edit);
    ::SendMessageW(edit, WM_CHAR, L'x', 0);
    ::SendMessageW(edit, WM_CHAR, L'\b', 0);
    ::SendMessageW(edit, WM_PASTE, 0, 0);
    ::SendMessageW(edit, WM_CUT, 0, 0);
    // A character from an input method or an on-screen keyboard comes as a key packet.
    INPUT packet[2] = {};
    for (int i = 0; i < 2; ++i) {
        packet[i].type = INPUT_KEYBOARD;
        packet[i].ki.wScan = L'x';
        packet[i].ki.dwFlags = KEYEVENTF_UNICODE | (i == 1 ? KEYEVENTF_KEYUP : 0);
    }
    ::SendInput(2, packet, sizeof(INPUT));
    ASSERT_TRUE(AwaitKeysHandled(0));
    EXPECT_EQ(ControlText(edit), before);
    EXPECT_EQ(boxes[0]->Box().KeyCode(), 'A');
}

TEST_F(TaveroControlTest, NoContextMenu) {
    HWND edit = boxes[0]->EditHandle();
    ASSERT_TRUE(FocusWindow(host.Handle(), edit));
    ::PostMessageW(edit, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(edit), MAKELPARAM(60, 60));
    SendChord({VK_SHIFT, VK_F10});
    // A menu would have taken the keyboard from the box.
    EXPECT_TRUE(AwaitKeysHandled(0));
    HWND menu = ::FindWindowW(L"#32768", nullptr);
    EXPECT_TRUE(menu == nullptr || !::IsWindowVisible(menu));
}

TEST_F(TaveroControlTest, TenBoxesArmTogetherEachOnItsOwnWindow) {
    for (int i = 0; i < 10; ++i) {
        Capture(i, {VK_CONTROL, VK_MENU, kF1 + i});
    }
    std::vector<int> pressed(10, 0);
    for (int i = 0; i < 10; ++i) {
        boxes[i]->Box().Events().hotKeyPressed = [&pressed, i] { ++pressed[i]; };
        boxes[i]->Box().SetHotKeyEnabled(true);
        EXPECT_TRUE(boxes[i]->Box().HotKeyEnabled()) << i;
        EXPECT_NE(boxes[i]->MessageWindow(), nullptr);
    }
    EXPECT_TRUE(messages.shown.empty());

    // Focus elsewhere so the capture boxes do not see the keys. Hotkeys come in the order they
    // are pressed: row 3's, pressed after row 7's, shows when row 7's has been handled.
    ASSERT_TRUE(FocusWindow(host.Handle(), host.Handle()));
    SendChord({VK_CONTROL, VK_MENU, kF1 + 6});
    SendChord({VK_CONTROL, VK_MENU, kF1 + 2});
    ASSERT_TRUE(PumpUntil([&] { return pressed[2] == 1; }));
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(pressed[i], i == 6 || i == 2 ? 1 : 0) << i;
    }

    // Disarmed, the same keys raise nothing.
    boxes[6]->Box().SetHotKeyEnabled(false);
    SendChord({VK_CONTROL, VK_MENU, kF1 + 6});
    SendChord({VK_CONTROL, VK_MENU, kF1 + 2});
    ASSERT_TRUE(PumpUntil([&] { return pressed[2] == 2; }));
    EXPECT_EQ(pressed[6], 1);
}

TEST_F(TaveroControlTest, SaveSettingsWritesThirtyKeysThatNewBoxesLoad) {
    Capture(0, {VK_CONTROL, VK_MENU, VK_F5});
    Capture(9, {VK_SHIFT, 'Q'});
    for (auto& box : boxes) {
        ASSERT_TRUE(box->Box().SaveSettings());
    }
    EXPECT_EQ(ini.IniFilePath(), folder.File(L"set.ini"));
    std::string file = ReadFileBytes(folder.File(L"set.ini"));
    EXPECT_NE(file.find("[Tavero]"), std::string::npos);
    int keys = 0;
    for (int i = 1; i <= 10; ++i) {
        for (const char* suffix : {"Text=", "KeyCode=", "ModKeyCode="}) {
            std::string key = "Tavero" + std::to_string(i) + suffix;
            keys += file.find("\n" + key) != std::string::npos ||
                    file.find("\r" + key) != std::string::npos;
        }
    }
    EXPECT_EQ(keys, 30);
    EXPECT_NE(file.find("Tavero1KeyCode=116"), std::string::npos);
    EXPECT_NE(file.find("Tavero10ModKeyCode=4"), std::string::npos);
    EXPECT_NE(file.find("Tavero2Text=Press Hotkey"), std::string::npos);

    MakeBoxes();
    EXPECT_EQ(boxes[0]->Box().KeyCode(), 116);
    EXPECT_EQ(boxes[0]->Box().ModKeyCode(), 3);
    EXPECT_EQ(ControlText(boxes[0]->EditHandle()), L"Ctrl + Alt + " + names.NameOf(VK_F5));
    EXPECT_EQ(boxes[9]->Box().KeyCode(), 'Q');
    EXPECT_EQ(boxes[9]->Box().ModKeyCode(), 4);
    EXPECT_EQ(boxes[5]->Box().KeyCode(), 0);
    EXPECT_FALSE(boxes[0]->Box().HotKeyEnabled());
}

TEST_F(TaveroControlTest, ABoxSetToThePerUserStoreKeepsItsHotkeyThere) {
    StoreSettings store;
    store.settingLocation = 1;
    store.regKeyName = L"TaveroTest" + std::to_wstring(::GetCurrentProcessId());
    {
        TaveroControl box(host.Handle(), 300, L"Tavero1", services, {10, 420, 200, 25}, store);
        ASSERT_TRUE(FocusWindow(host.Handle(), box.EditHandle()));
        SendChord({VK_CONTROL, 'R'});
        ASSERT_TRUE(PumpUntil([&] { return box.Box().KeyCode() == 'R'; }));
        EXPECT_TRUE(box.Box().SaveSettings());
    }
    EXPECT_EQ(ReadFileBytes(folder.File(L"set.ini")), "");
    TaveroControl again(host.Handle(), 301, L"Tavero1", services, {10, 460, 200, 25}, store);
    EXPECT_EQ(again.Box().KeyCode(), 'R');
    EXPECT_EQ(again.Box().ModKeyCode(), 2);
    ::RegDeleteTreeW(HKEY_CURRENT_USER,
                     (L"Software\\VB and VBA Program Settings\\" + store.regKeyName).c_str());
}

TEST_F(TaveroControlTest, EditFillsTheBoxWhenResized) {
    boxes[0]->Move(5, 5, 81, 25);
    RECT r{};
    ::GetWindowRect(boxes[0]->EditHandle(), &r);
    EXPECT_EQ(r.right - r.left, 81);
    EXPECT_EQ(r.bottom - r.top, 25);
}

}  // namespace
