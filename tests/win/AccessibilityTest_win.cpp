#include <windows.h>

#include <gtest/gtest.h>
#include <oleacc.h>

#include <string>
#include <vector>

#include "ProgramUnderTest_win.h"
#include "WinTestSupport_win.h"
#include "editor/ActionEditor_win.h"
#include "ui/ControlIds.h"
#include "ui/MainLayout.h"

using namespace tavero;
using namespace tavero::testing;

namespace {

// What a screen reader learns of a control, through the same calls.
struct Spoken {
    std::wstring name;
    long role = 0;
};

Spoken Speak(HWND control) {
    Spoken spoken;
    IAccessible* object = nullptr;
    if (FAILED(::AccessibleObjectFromWindow(control, static_cast<DWORD>(OBJID_CLIENT),
                                            __uuidof(IAccessible),
                                            reinterpret_cast<void**>(&object)))) {
        return spoken;
    }
    VARIANT self{};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    BSTR name = nullptr;
    if (object->get_accName(self, &name) == S_OK && name != nullptr) {
        spoken.name = name;
        ::SysFreeString(name);
    }
    VARIANT role{};
    if (object->get_accRole(self, &role) == S_OK && role.vt == VT_I4) {
        spoken.role = role.lVal;
    }
    object->Release();
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
        editor = program.FindOwnWindow(nullptr, ActionEditor::kCaption);
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

}  // namespace
