#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <set>

#include "KeyTarget_win.h"
#include "ProgramUnderTest_win.h"
#include "WinTestSupport_win.h"

using namespace tavero;
using namespace tavero::testing;

namespace {

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
        // The first of duplicate keys or sections is the one that counts.
        EXPECT_EQ(ControlText(program.ActionText(0)), L"first");
        EXPECT_EQ(ControlText(program.ActionText(1)), L"Shift");
        EXPECT_EQ(ControlText(program.HotKeyEdit(0)), L"Ctrl + Alt + F6");
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
    // Row 6 plays A; the others play nothing at all. The hotkeys are handled in order, so by
    // the time A is let go of, the rows before it have done whatever they were going to.
    ASSERT_TRUE(PumpUntil([&] {
        for (const KeyRecord& r : target.Records()) {
            if (r.key == 'A' && !r.Down()) {
                return true;
            }
        }
        return false;
    }));
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

// A file another program holds open without sharing: said at start, and at a quit that would
// write over it; the file is left as it was.
TEST_F(HostileSettingsTest, ALockedFileIsToldWithTheSystemsReasonAndKept) {
    ProgramUnderTest program(Corpus("bad-hotkeys.ini"));
    std::string before = program.Settings();
    std::wstring sharing = SystemErrorText(ERROR_SHARING_VIOLATION);
    auto lock = [&] {
        return ::CreateFileW(program.SettingsPath().c_str(), GENERIC_READ, 0, nullptr,
                             OPEN_EXISTING, 0, nullptr);
    };
    HANDLE locked = lock();
    ASSERT_NE(locked, INVALID_HANDLE_VALUE);
    ASSERT_TRUE(program.Start());
    std::wstring atStart = program.AnswerMessageBox();
    EXPECT_NE(atStart.find(program.SettingsPath()), std::wstring::npos) << atStart;
    EXPECT_NE(atStart.find(sharing), std::wstring::npos) << atStart;
    EXPECT_EQ(ControlText(program.HotKeyEdit(5)), L"Press Hotkey");  // nothing could be read
    ::CloseHandle(locked);
    QuitCleanly(program);  // nothing set since: nothing to write
    EXPECT_EQ(program.Settings(), before);

    // Read at start, locked at the quit.
    ASSERT_TRUE(program.Start());
    EXPECT_EQ(ControlText(program.HotKeyEdit(5)), L"Ctrl + Alt + F6");
    locked = lock();
    ::PostMessageW(program.MainWindow(), WM_CLOSE, 0, 0);
    std::wstring atQuit = program.AnswerMessageBox();
    EXPECT_NE(atQuit.find(sharing), std::wstring::npos) << atQuit;
    EXPECT_EQ(program.WaitForExit(), 0);
    ::CloseHandle(locked);
    EXPECT_EQ(program.Settings(), before);
}

TEST_F(HostileSettingsTest, AFiftyMegabyteFileIsSavedInOneWriteAtTheQuit) {
    std::string settings = Corpus("bad-hotkeys.ini") + "[filler]\r\n";
    std::string line = "key=" + std::string(96, 'x') + "\r\n";
    while (settings.size() < 50u << 20) {
        settings += line;
    }
    ProgramUnderTest program(settings);
    ASSERT_TRUE(program.Start());
    ASSERT_TRUE(program.CaptureHotKey(0, {VK_CONTROL, VK_MENU, VK_F9}));
    double start = NowMs();
    ::PostMessageW(program.MainWindow(), WM_CLOSE, 0, 0);
    EXPECT_EQ(program.WaitForExit(), 0);
    double took = NowMs() - start;
    std::printf("[ measure  ] quit with a 50 MB set.ini: %.0f ms\n", took);
    EXPECT_LT(took, 2000);
    std::string saved = program.Settings();
    EXPECT_NE(saved.find("Tavero1KeyCode=120"), std::string::npos);
    EXPECT_GT(saved.size(), settings.size());  // every line kept, the new values added
    EXPECT_EQ(saved.substr(saved.size() - line.size()), line);
}

class UnwritablePlaceTest : public HostileSettingsTest {
  protected:
    static std::wstring Place(const char* what) {
        return WinePath(std::string(TAVERO_UNWRITABLE_DIR) + "/" + what);
    }
    // The places are made by a script on Linux around the tests; a marker says what the file
    // system there could not do.
    static bool Offered(const char* marker) {
        return ::GetFileAttributesW(Place("").c_str()) != INVALID_FILE_ATTRIBUTES &&
               ::GetFileAttributesW(Place(marker).c_str()) == INVALID_FILE_ATTRIBUTES;
    }
};

TEST_F(UnwritablePlaceTest, UnwritableFileOrFolderIsToldOnceAndNothingIsLost) {
    if (!Offered("unsupported")) {
        GTEST_SKIP() << "no unwritable file or folder here (made by chattr, as root, on Linux)";
    }
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

TEST_F(UnwritablePlaceTest, AFullVolumeLeavesTheOldFileWholeAndSaysSo) {
    if (!Offered("full-unsupported")) {
        GTEST_SKIP() << "no full volume here (a small tmpfs, mounted as root, on Linux)";
    }
    ProgramUnderTest program(ProgramUnderTest::InPlace{Place("full")});
    ASSERT_TRUE(program.Start());
    std::string before = program.Settings();
    ASSERT_TRUE(program.CaptureHotKey(3, {VK_CONTROL, VK_MENU, VK_F9}));
    ::PostMessageW(program.MainWindow(), WM_CLOSE, 0, 0);
    std::wstring message = program.AnswerMessageBox();
    EXPECT_NE(message.find(program.SettingsPath()), std::wstring::npos) << message;
    EXPECT_NE(message.find(SystemErrorText(ERROR_DISK_FULL)), std::wstring::npos) << message;
    EXPECT_EQ(program.WaitForExit(), 0);
    EXPECT_EQ(program.Settings(), before);
    EXPECT_EQ(::GetFileAttributesW((program.SettingsPath() + L".tmp").c_str()),
              INVALID_FILE_ATTRIBUTES);
}

}  // namespace
