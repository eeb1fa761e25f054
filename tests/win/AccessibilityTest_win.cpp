#include <windows.h>

#include <gtest/gtest.h>
#include <oleacc.h>

#include <string>
#include <vector>

#include "ProgramUnderTest_win.h"
#include "WinTestSupport_win.h"
#include "instance/AppMessages_win.h"
#include "ui/ControlIds.h"
#include "ui/MainLayout.h"

using namespace tavero;
using namespace tavero::testing;

namespace {

// What a screen reader learns of a control, through the same calls, and what it can do.
struct Spoken {
    std::wstring name;
    long role = 0;
    std::wstring defaultAction;
    bool focusable = false;
};

// `act`: does the default action too.
Spoken Speak(HWND control, LONG object = OBJID_CLIENT, bool act = false) {
    Spoken spoken;
    IAccessible* accessible = nullptr;
    if (FAILED(::AccessibleObjectFromWindow(control, static_cast<DWORD>(object),
                                            __uuidof(IAccessible),
                                            reinterpret_cast<void**>(&accessible)))) {
        return spoken;
    }
    VARIANT self{};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    auto text = [&](HRESULT (STDMETHODCALLTYPE IAccessible::*get)(VARIANT, BSTR*)) {
        BSTR value = nullptr;
        HRESULT result = (accessible->*get)(self, &value);
        std::wstring read = result == S_OK && value != nullptr ? value : L"";
        ::SysFreeString(value);
        return read;
    };
    spoken.name = text(&IAccessible::get_accName);
    spoken.defaultAction = text(&IAccessible::get_accDefaultAction);
    VARIANT role{};
    if (accessible->get_accRole(self, &role) == S_OK && role.vt == VT_I4) {
        spoken.role = role.lVal;
    }
    VARIANT state{};
    if (accessible->get_accState(self, &state) == S_OK && state.vt == VT_I4) {
        spoken.focusable = (state.lVal & STATE_SYSTEM_FOCUSABLE) != 0;
    }
    if (act) {
        EXPECT_EQ(accessible->accDoDefaultAction(self), S_OK);
    }
    accessible->Release();
    return spoken;
}

std::vector<HWND> VisibleControls(HWND window) {
    std::vector<HWND> controls;
    ::EnumChildWindows(
        window,
        [](HWND child, LPARAM list) -> BOOL {
            if (::IsWindowVisible(child)) {
                reinterpret_cast<std::vector<HWND>*>(list)->push_back(child);
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&controls));
    return controls;
}

class Accessibility : public ::testing::Test {
  protected:
    Accessibility() { ::CoInitialize(nullptr); }
    ~Accessibility() override { ::CoUninitialize(); }

    void ExpectSpoken(HWND control, const std::wstring& name, long role) {
        Spoken spoken = Speak(control);
        EXPECT_EQ(spoken.name, name);
        EXPECT_EQ(spoken.role, role) << spoken.name;
    }
    // Every control a user can see or reach has a name.
    void ExpectAllNamed(HWND window) {
        std::vector<HWND> controls = VisibleControls(window);
        EXPECT_GT(controls.size(), 5u);
        for (HWND control : controls) {
            wchar_t className[64] = {};
            ::GetClassNameW(control, className, 64);
            EXPECT_FALSE(Speak(control).name.empty())
                << "a " << std::string(className, className + wcslen(className)) << " with the id "
                << ::GetDlgCtrlID(control) << " has no name";
        }
    }

    ProgramUnderTest program;
};

TEST_F(Accessibility, EveryControlHasTheNameAndRoleAScreenReaderSpeaks) {
    ASSERT_TRUE(program.Start());
    HWND main = program.MainWindow();
    // The names are given once the window is up.
    ASSERT_TRUE(PumpUntil([&] { return Speak(program.ArmBox(9)).name == L"START, row 10"; }));
    HWND strip = ::GetDlgItem(main, control_ids::kTitleStrip);
    ExpectSpoken(program.HotKeyEdit(2), L"Hotkey, row 3", ROLE_SYSTEM_TEXT);
    ExpectSpoken(program.ArmBox(2), L"START, row 3", ROLE_SYSTEM_CHECKBUTTON);
    ExpectSpoken(program.ActionText(9), L"Action, row 10", ROLE_SYSTEM_TEXT);
    ExpectSpoken(::GetDlgItem(main, control_ids::EditButton(0)), L"Edit the action of row 1",
                 ROLE_SYSTEM_PUSHBUTTON);
    ExpectSpoken(::GetDlgItem(main, control_ids::kLink), L"Tavero:  Omdara is Search Guides!",
                 ROLE_SYSTEM_LINK);
    ExpectSpoken(::GetWindow(strip, GW_CHILD), L"Close", ROLE_SYSTEM_PUSHBUTTON);
    ExpectAllNamed(main);

    const auto& pencil = main_layout::kRowTable[0].editButton;
    program.ClickAt(pencil.left / 15 + 11, pencil.top / 15 + 11);
    HWND editor = nullptr;
    ASSERT_TRUE(PumpUntil([&] {
        editor = program.Editor();
        return editor != nullptr && ::IsWindowVisible(editor);
    }));
    ExpectSpoken(::GetDlgItem(editor, control_ids::kLeftList), L"First key", ROLE_SYSTEM_COMBOBOX);
    ExpectSpoken(::GetDlgItem(editor, control_ids::kRightList), L"Third key", ROLE_SYSTEM_COMBOBOX);
    ExpectSpoken(::GetDlgItem(editor, control_ids::kAddNow), L"Add Now", ROLE_SYSTEM_PUSHBUTTON);
    ExpectSpoken(::GetDlgItem(editor, control_ids::kLink),
                 L"Search \u201Chotkey\u201D on omdara.example.com to learn more",
                 ROLE_SYSTEM_LINK);
    ExpectAllNamed(editor);
}

// Each window says what it is; each drawn button and link can be pressed by a screen reader, as
// a click would; the links, and only they, are reached by Tab, after every other control.
TEST_F(Accessibility, WindowsSayWhatTheyAreAndDrawnControlsDoWhatAClickDoes) {
    ASSERT_TRUE(program.Start());
    HWND main = program.MainWindow();
    for (LONG object : {OBJID_WINDOW, OBJID_CLIENT}) {
        EXPECT_EQ(Speak(main, object).name, L"Tavero Mirelle");
    }
    HWND strip = ::GetDlgItem(main, control_ids::kTitleStrip);
    HWND hide = ::GetWindow(::GetWindow(strip, GW_CHILD), GW_HWNDNEXT);
    Spoken spoken = Speak(hide);
    EXPECT_EQ(spoken.name, L"Hide");
    EXPECT_EQ(spoken.defaultAction, L"Press");
    EXPECT_FALSE(spoken.focusable);
    Speak(hide, OBJID_CLIENT, true);
    ASSERT_TRUE(PumpUntil([&] { return !::IsWindowVisible(main); }));

    ::PostMessageW(main, app_messages::kShowRequest, 0, 0);
    ASSERT_TRUE(PumpUntil([&] { return ::IsWindowVisible(main) != FALSE; }));
    HWND link = ::GetDlgItem(main, control_ids::kLink);
    spoken = Speak(link);
    EXPECT_EQ(spoken.defaultAction, L"Jump");
    EXPECT_TRUE(spoken.focusable);
    // Past the last hotkey box, Tab comes to the link, then to the logo.
    ASSERT_TRUE(program.TabTo(program.HotKeyEdit(9)));
    SendChord({VK_TAB});
    EXPECT_TRUE(PumpUntil([&] { return program.Focus() == link; }));
    SendChord({VK_TAB});
    EXPECT_TRUE(PumpUntil([&] { return ::GetParent(program.Focus()) == strip; }));

    Speak(::GetDlgItem(main, control_ids::EditButton(2)), OBJID_CLIENT, true);
    HWND editor = nullptr;
    ASSERT_TRUE(PumpUntil([&] {
        editor = program.Editor();
        return editor != nullptr && ::IsWindowVisible(editor);
    }));
    EXPECT_EQ(Speak(editor, OBJID_WINDOW).name, L"Action for row 3");
}

}  // namespace
