#include <windows.h>

#include <gtest/gtest.h>

#include <set>

#include "KeyTarget_win.h"
#include "ProgramUnderTest_win.h"
#include "WinTestSupport_win.h"

using namespace tavero;
using namespace tavero::testing;

namespace {

// Unix paths from the build, seen by Wine on drive Z:.
std::wstring WinePath(const std::string& unix) {
    std::wstring path = L"Z:";
    for (char c : unix) {
        path.push_back(c == '/' ? L'\\' : static_cast<wchar_t>(c));
    }
    return path;
}

std::string Corpus(const char* name) {
    return ReadFileBytes(WinePath(std::string(TAVERO_HOSTILE_DIR) + "/" + name));
}

class HostileSettingsTest : public ::testing::Test {
  protected:
    ~HostileSettingsTest() override {
        PumpUntil([] { return FirstKeyDown() == 0; }, 1000);
        EXPECT_EQ(FirstKeyDown(), 0) << "a key is left down";
    }

    // Quits as Alt+F4 does; the program must end by itself with no message.
    static void QuitCleanly(ProgramUnderTest& program) {
        ::PostMessageW(program.MainWindow(), WM_CLOSE, 0, 0);
        EXPECT_EQ(program.WaitForExit(), 0);
    }
};

TEST_F(HostileSettingsTest, NothingUsableStartsWithTenEmptyRows) {
    for (const char* name : {"", "empty.ini", "garbage.ini"}) {
        SCOPED_TRACE(name);
        ProgramUnderTest program(*name ? Corpus(name) : "");
        ASSERT_TRUE(program.Start());
        for (int row = 0; row < 10; ++row) {
            EXPECT_EQ(ControlText(program.HotKeyEdit(row)), L"Press Hotkey");
            EXPECT_FALSE(program.Ticked(row));
        }
        EXPECT_TRUE(program.NoMessageBox());
        QuitCleanly(program);
        EXPECT_EQ(CountHotKeyKeys(program.Settings()), 30);
    }
}

TEST_F(HostileSettingsTest, AMegabyteLineIsCutAndTheRestKept) {
    std::string settings = "[conftext]\r\n0=" + std::string(1 << 20, 'x') + "\r\n1=Kept \r\n";
    ProgramUnderTest program(settings);
    ASSERT_TRUE(program.Start());
    EXPECT_EQ(ControlText(program.ActionText(0)), std::wstring(254, L'x'));
    EXPECT_EQ(ControlText(program.ActionText(1)), L"Kept");
    QuitCleanly(program);
    std::string saved = program.Settings();
    EXPECT_NE(saved.find("1=Kept"), std::string::npos);
    EXPECT_EQ(CountHotKeyKeys(saved), 30);
}

TEST_F(HostileSettingsTest, OddEncodingsAndDuplicatesStillLoadWhatIsSound) {
    {
        ProgramUnderTest program(Corpus("nul-in-value.ini"));
        ASSERT_TRUE(program.Start());
        EXPECT_EQ(ControlText(program.ActionText(1)), L"After");
        QuitCleanly(program);
    }
    {
        ProgramUnderTest program(Corpus("utf16-bom.ini"));
        ASSERT_TRUE(program.Start());
        EXPECT_EQ(ControlText(program.ActionText(0)), L"Ctrl + C");
        QuitCleanly(program);
    }
    {
        ProgramUnderTest program(Corpus("duplicates.ini"));
        ASSERT_TRUE(program.Start());
        std::wstring first = ControlText(program.ActionText(0));
        EXPECT_TRUE(first == L"first" || first == L"second") << first;
        EXPECT_EQ(ControlText(program.ActionText(1)), L"Shift");
        std::wstring box = ControlText(program.HotKeyEdit(0));
        EXPECT_TRUE(box == L"Ctrl + Alt + F6" || box == L"Press Hotkey") << box;
        QuitCleanly(program);
        EXPECT_NE(program.Settings().find("1=Shift"), std::string::npos);
    }
}

TEST_F(HostileSettingsTest, UnsoundHotkeysLoadEmptyAndSoundOnesArm) {
    ProgramUnderTest program(Corpus("bad-hotkeys.ini"));
    ASSERT_TRUE(program.Start());
    for (int row = 0; row < 5; ++row) {
        EXPECT_EQ(ControlText(program.HotKeyEdit(row)), L"Press Hotkey") << row;
    }
    EXPECT_EQ(ControlText(program.HotKeyEdit(5)), L"Ctrl + Alt + F6");
    EXPECT_TRUE(program.Tick(5));
    EXPECT_TRUE(program.NoMessageBox());
    QuitCleanly(program);
    EXPECT_NE(program.Settings().find("Tavero6KeyCode=117"), std::string::npos);
}

TEST_F(HostileSettingsTest, MalformedActionsPlayNothingAndHoldNothing) {
    ProgramUnderTest program(Corpus("bad-actions.ini"));
    ASSERT_TRUE(program.Start());
    for (int row = 0; row < 6; ++row) {
        ASSERT_TRUE(program.Tick(row)) << row;
    }
    KeyTarget target;
    for (int row = 0; row < 6; ++row) {
        SendChord({VK_CONTROL, VK_MENU, VK_F1 + row});
    }
    // Row 6 plays A; the others play nothing at all.
    ASSERT_TRUE(PumpUntil([&] {
        for (const KeyRecord& r : target.Records()) {
            if (r.key == 'A' && !r.Down()) {
                return true;
            }
        }
        return false;
    }));
    PumpFor(300);
    std::multiset<int> downs;
    for (const KeyRecord& r : target.Records()) {
        if (r.Down()) {
            downs.insert(r.key);
        }
    }
    EXPECT_EQ(downs.count('A'), 1u);
    for (int key : downs) {
        EXPECT_TRUE(key == 'A' || key == VK_CONTROL || key == VK_MENU || key == 0xE8) << key;
    }
    QuitCleanly(program);
}

class ReadOnlySettingsTest : public HostileSettingsTest {
  protected:
    void SetUp() override {
        if (::GetFileAttributesW(
                WinePath(std::string(TAVERO_READONLY_DIR) + "/unsupported").c_str()) !=
            INVALID_FILE_ATTRIBUTES) {
            GTEST_SKIP() << "the file system cannot make a file unwritable for root";
        }
    }
    static std::wstring Place(const char* what) {
        return WinePath(std::string(TAVERO_READONLY_DIR) + "/" + what);
    }
};

TEST_F(ReadOnlySettingsTest, UnwritableFileOrFolderIsToldOnceAndNothingIsLost) {
    for (const char* what : {"file", "folder"}) {
        SCOPED_TRACE(what);
        ProgramUnderTest program(ProgramUnderTest::InPlace{Place(what)});
        ASSERT_TRUE(program.Start());
        EXPECT_EQ(ControlText(program.ActionText(0)), std::string(what) == "file" ? L"Kept" : L"");
        std::string before = program.Settings();
        ::PostMessageW(program.MainWindow(), WM_CLOSE, 0, 0);
        std::wstring message = program.AnswerMessageBox();
        EXPECT_NE(message.find(L"set.ini"), std::wstring::npos) << message;
        EXPECT_EQ(program.WaitForExit(), 0);
        EXPECT_TRUE(program.NoMessageBox());
        EXPECT_EQ(program.Settings(), before);
    }
}

}  // namespace
