#include <windows.h>

#include <gtest/gtest.h>

#include "KeyTarget_win.h"
#include "ProgramUnderTest_win.h"
#include "WinTestSupport_win.h"
#include "ui/ControlIds.h"
#include "ui/MainLayout.h"

using namespace tavero;
using namespace tavero::testing;

namespace {

// Row 3 has the hotkey Ctrl + Alt + F9 and no action yet.
const std::string kRowThreeHotKey =
    "[Tavero]\r\nTavero3Text=Ctrl + Alt + F9\r\nTavero3KeyCode=120\r\nTavero3ModKeyCode=3\r\n";

class EditorTest : public ::testing::Test {
  protected:
    EditorTest() : program(kRowThreeHotKey) {}
    ~EditorTest() override {
        PumpUntil([] { return FirstKeyDown() == 0; }, 1000);
        EXPECT_EQ(FirstKeyDown(), 0);
    }

    HWND Editor() const { return program.Editor(); }
    HWND List(int id) const { return ::GetDlgItem(Editor(), id); }

    void OpenEditorFor(int row) {
        const auto& button = main_layout::kRowTable[static_cast<std::size_t>(row)].editButton;
        program.ClickAt(button.left / 15 + 11, button.top / 15 + 11);
        ASSERT_TRUE(PumpUntil([&] { return Editor() != nullptr && ::IsWindowVisible(Editor()); }));
        ASSERT_TRUE(PumpUntil([&] { return !::IsWindowVisible(program.MainWindow()); }));
    }

    // Picks the entry at `index` of a list with the keyboard, as a user can.
    void Pick(int listId, int index) { ASSERT_TRUE(program.PickInList(List(listId), index)); }

    ProgramUnderTest program;
};

TEST_F(EditorTest, AddNowGivesTheRowItsActionWhichItsHotkeyPlays) {
    ASSERT_TRUE(program.Start());
    ASSERT_TRUE(program.Tick(2));

    OpenEditorFor(2);
    RECT client;
    ::GetClientRect(Editor(), &client);
    EXPECT_EQ(client.right, 445);
    EXPECT_EQ(client.bottom, 166);
    EXPECT_EQ(::SendMessageW(List(control_ids::kLeftList), CB_GETCOUNT, 0, 0), 63);

    Pick(control_ids::kLeftList, 2);    // Ctrl
    Pick(control_ids::kRightList, 39);  // C
    program.Click(List(control_ids::kAddNow));
    ASSERT_TRUE(AwaitForeground(program.MainWindow()));
    EXPECT_FALSE(::IsWindowVisible(Editor()));
    EXPECT_EQ(ControlText(program.ActionText(2)), L"Ctrl + C ");
    std::string saved = program.Settings();
    EXPECT_NE(saved.find("2=Ctrl + C"), std::string::npos);
    EXPECT_NE(saved.find("2=2|17|67"), std::string::npos);
    EXPECT_TRUE(program.Ticked(2));

    // The armed row plays its new action at once.
    KeyTarget target;
    ASSERT_TRUE(target.Activate());
    bool sawC = false;
    bool played = PressHotKey({VK_CONTROL, VK_MENU}, VK_F9, [&] {
        for (const KeyRecord& r : target.Records()) {
            // What the hotkey's own modifiers do to the action is the playback tests' and the
            // journey's business; here the row must play its new keys.
            if (r.key == 'C' && r.Down()) {
                sawC = true;
                EXPECT_TRUE(r.ctrl);
            }
        }
        return sawC;
    });
    ASSERT_TRUE(target.KeptFocus());
    EXPECT_TRUE(played) << "the row played nothing";
}

// The editor opens next to the main window, on its monitor; Add Now shows its focus plainly;
// a key name typed into a list, whatever its case, is the key added.
TEST_F(EditorTest, ItOpensBesideTheWindowAndTakesATypedName) {
    ASSERT_TRUE(program.Start());
    RECT main;
    ::GetWindowRect(program.MainWindow(), &main);
    OpenEditorFor(1);
    RECT editor;
    ::GetWindowRect(Editor(), &editor);
    EXPECT_TRUE(editor.left == main.right || editor.right == main.left);
    EXPECT_EQ(::MonitorFromRect(&editor, MONITOR_DEFAULTTONULL),
              ::MonitorFromRect(&main, MONITOR_DEFAULTTONULL));

    HWND add = List(control_ids::kAddNow);
    ASSERT_TRUE(program.TabTo(add));
    RECT a;
    ::GetWindowRect(add, &a);
    int y = (a.top + a.bottom) / 2;
    // Against the green beside it, once both are drawn.
    auto ringContrast = [&] {
        return Contrast(ScreenPixel(a.left + 4, y), ScreenPixel(a.left + 8, y));
    };
    EXPECT_TRUE(PumpUntil([&] { return ringContrast() >= 3.0; })) << ringContrast();

    ASSERT_TRUE(program.ClickToFocus(List(control_ids::kLeftList)));
    SendChord({'B'});  // typed as "b"
    ASSERT_TRUE(PumpUntil([&] { return ControlText(List(control_ids::kLeftList)) == L"b"; }));
    program.Click(add);
    ASSERT_TRUE(AwaitForeground(program.MainWindow()));
    EXPECT_EQ(ControlText(program.ActionText(1)), L"B ");
    EXPECT_NE(program.Settings().find("1=1|66"), std::string::npos);
}

TEST_F(EditorTest, CloseDiscardsThePicks) {
    ASSERT_TRUE(program.Start());
    OpenEditorFor(0);
    Pick(control_ids::kMiddleList, 1);  // Shift
    HWND editor = Editor();
    RECT r;
    ::GetWindowRect(editor, &r);
    // The close button on the editor's title strip.
    ClickScreen(r.left + 5760 / 15 + 20, r.top + 8);
    ASSERT_TRUE(PumpUntil([&] { return ::IsWindowVisible(program.MainWindow()); }));
    EXPECT_FALSE(::IsWindowVisible(editor));
    EXPECT_EQ(program.Settings().find("conftext"), std::string::npos);

    OpenEditorFor(1);
    EXPECT_EQ(::SendMessageW(List(control_ids::kMiddleList), CB_GETCURSEL, 0, 0), -1);
    EXPECT_EQ(ControlText(List(control_ids::kMiddleList)), L"");
}

}  // namespace
