#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <set>
#include <thread>
#include <tuple>

#include "KeyTarget_win.h"
#include "ProgramUnderTest_win.h"
#include "WinTestSupport_win.h"
#include "platform/Texts.h"

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
    ASSERT_TRUE(target.Activate());
    for (int row = 0; row < 6; ++row) {
        SendChord({VK_CONTROL, VK_MENU, VK_F1 + row});
    }
    // Row 6 plays A: the sentinel. The hotkeys are handled in order, so by the time A is let go
    // of, the rows before it have done whatever they were going to.
    ASSERT_TRUE(target.Await(
        [](auto& records) {
            for (const KeyRecord& r : records) {
                if (r.key == 'A' && !r.Down()) {
                    return true;
                }
            }
            return false;
        },
        "the sentinel's A"));
    std::multiset<int> downs;
    for (const KeyRecord& r : target.Records()) {
        if (r.Down()) {
            downs.insert(r.key);
        }
    }
    // Every chord was a hotkey: none of their keys reached the application, so each fired.
    for (int key = VK_F1; key <= VK_F6; ++key) {
        EXPECT_EQ(downs.count(key), 0u) << "F" << key - VK_F1 + 1 << " was no hotkey";
    }
    // And only the sentinel played.
    EXPECT_EQ(downs.count('A'), 1u);
    for (int key : downs) {
        EXPECT_TRUE(key == 'A' || key == VK_CONTROL || key == VK_MENU) << key;
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
    std::wstring atQuit = program.AnswerMessageBox(IDCONTINUE);
    EXPECT_NE(atQuit.find(sharing), std::wstring::npos) << atQuit;
    EXPECT_EQ(program.WaitForExit(), 0);
    ::CloseHandle(locked);
    EXPECT_EQ(program.Settings(), before);
}

TEST_F(HostileSettingsTest, AFiftyMegabyteFileIsSavedWholeAtTheQuit) {
    std::string settings = Corpus("bad-hotkeys.ini") + "[filler]\r\n";
    std::string line = "key=" + std::string(96, 'x') + "\r\n";
    while (settings.size() < 50u << 20) {
        settings += line;
    }
    ProgramUnderTest program(settings);
    ASSERT_TRUE(program.Start());
    ASSERT_TRUE(program.CaptureHotKey(0, {VK_CONTROL, VK_MENU, VK_F9}));
    QuitCleanly(program);
    std::string saved = program.Settings();
    EXPECT_NE(saved.find("Tavero1KeyCode=120"), std::string::npos);
    EXPECT_GT(saved.size(), settings.size());  // every line kept, the new values added
    EXPECT_EQ(saved.substr(saved.size() - line.size()), line);
}

// What other programs and the user do to set.ini meanwhile: hold it open for a moment, mark it
// read-only, leave a folder where the program would make its new file.
TEST_F(HostileSettingsTest, ASaveWaitsForAHolderAndKeepsToWhatTheFileAllows) {
    ProgramUnderTest program(Corpus("bad-hotkeys.ini"));
    std::wstring path = program.SettingsPath();
    ASSERT_TRUE(::CreateDirectoryW((path + L".tavero-1.tmp").c_str(), nullptr));
    ASSERT_TRUE(::CreateDirectoryW((path + L".tmp").c_str(), nullptr));
    ASSERT_TRUE(program.Start());
    ASSERT_TRUE(program.CaptureHotKey(0, {VK_CONTROL, VK_MENU, VK_F9}));
    // A virus scanner, say: it lets go after 600 ms, while the program is saving.
    HANDLE held = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    std::thread letGo([held] {
        ::Sleep(600);
        ::CloseHandle(held);
    });
    QuitCleanly(program);
    letGo.join();
    EXPECT_NE(program.Settings().find("Tavero1KeyCode=120"), std::string::npos);

    // Marked read-only: said at the quit, and the file is left as it is. Going back leaves the
    // program running with its hotkeys; made writable again, Enter (Try Again) saves and ends.
    ASSERT_TRUE(program.Start());
    ASSERT_TRUE(program.CaptureHotKey(0, {VK_CONTROL, VK_MENU, VK_F10}));
    ASSERT_TRUE(::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY));
    std::string before = program.Settings();
    ::PostMessageW(program.MainWindow(), WM_CLOSE, 0, 0);
    EXPECT_NE(program.AnswerMessageBox(IDCANCEL).find(L"read-only"), std::wstring::npos);
    EXPECT_EQ(program.Settings(), before);
    EXPECT_TRUE(::GetFileAttributesW(path.c_str()) & FILE_ATTRIBUTE_READONLY);
    ASSERT_TRUE(PumpUntil([&] { return ::IsWindowVisible(program.MainWindow()) != FALSE; }));
    EXPECT_TRUE(program.Running());
    std::wstring f10 = ControlText(program.HotKeyEdit(0));
    EXPECT_EQ(f10.substr(0, 13), L"Ctrl + Alt + ");

    ::PostMessageW(program.MainWindow(), WM_CLOSE, 0, 0);
    HWND box = program.AwaitMessageBox();
    ASSERT_NE(box, nullptr);
    ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    ::SetForegroundWindow(box);
    program.AwaitIdle();
    ASSERT_TRUE(AwaitForeground(box)) << "set-up";
    SendChord({VK_RETURN});
    EXPECT_EQ(program.WaitForExit(), 0);
    EXPECT_NE(program.Settings().find("Tavero1KeyCode=121"), std::string::npos);
}

// A stray Latin-1 byte in a UTF-8 file's comment, a UTF-8 comment in a file without a byte-order
// mark (read in the system's code page), a line break of another kind: the lines the program
// does not change keep every byte.
TEST_F(HostileSettingsTest, LinesTheProgramDoesNotWriteKeepTheirBytes) {
    const std::string lines[] = {
        "\xEF\xBB\xBF; caf\xE9 with a stray byte\r\n[conftext]\r\n0=A \r\n",
        "; \xE4\xB8\xAD\xE6\x96\x87 written by Notepad as UTF-8\n[conftext]\r\n0=A \r\n",
    };
    for (const std::string& kept : lines) {
        ProgramUnderTest program(kept);
        ASSERT_TRUE(program.Start());
        ASSERT_TRUE(program.CaptureHotKey(0, {VK_CONTROL, VK_MENU, VK_F9}));
        QuitCleanly(program);
        std::string saved = program.Settings();
        EXPECT_EQ(saved.substr(0, kept.size()), kept);
        EXPECT_NE(saved.find("Tavero1KeyCode=120"), std::string::npos);
    }
}

// A set.ini with a second name (a package manager keeps it in a folder of its own and links it
// beside the exe): after a capture and a quit both names show the new hotkey, and are still one
// file.
TEST_F(HostileSettingsTest, ASettingsFileWithASecondNameKeepsBothNames) {
    ProgramUnderTest program("[conftext]\r\n0=Kept \r\n");
    std::wstring second = program.SettingsPath() + L".persisted";
    ASSERT_TRUE(::CreateHardLinkW(second.c_str(), program.SettingsPath().c_str(), nullptr));
    ASSERT_TRUE(program.Start());
    ASSERT_TRUE(program.CaptureHotKey(0, {VK_CONTROL, VK_MENU, VK_F9}));
    QuitCleanly(program);
    EXPECT_NE(program.Settings().find("Tavero1KeyCode=120"), std::string::npos);
    EXPECT_EQ(ReadFileBytes(second), program.Settings());
    auto identity = [](const std::wstring& path) {
        BY_HANDLE_FILE_INFORMATION information{};
        HANDLE file = ::CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_EXISTING, 0, nullptr);
        ::GetFileInformationByHandle(file, &information);
        ::CloseHandle(file);
        return std::tuple{information.dwVolumeSerialNumber, information.nFileIndexHigh,
                          information.nFileIndexLow, information.nNumberOfLinks};
    };
    EXPECT_EQ(identity(second), identity(program.SettingsPath()));
    EXPECT_EQ(std::get<3>(identity(second)), 2u);
    ::DeleteFileW(second.c_str());
}

// The places the test command made: unwritable, linked or full where this machine allows.
class UnwritablePlaceTest : public HostileSettingsTest {};

// An unwritable set.ini beside the exe is still the settings file, in an unwritable folder too:
// said once at the quit, and left as it was.
TEST_F(UnwritablePlaceTest, AnUnwritableFileIsToldOnceAndNothingIsLost) {
    if (!PlaceOffered("unsupported")) {
        GTEST_SKIP() << "no unwritable file here (made by chattr, as root, on Linux)";
    }
    ProgramUnderTest program(ProgramUnderTest::InPlace{TestPlace("file")});
    ASSERT_TRUE(program.Start());
    EXPECT_EQ(ControlText(program.ActionText(0)), L"Kept");
    std::string before = program.Settings();
    ::PostMessageW(program.MainWindow(), WM_CLOSE, 0, 0);
    std::wstring message = program.AnswerMessageBox(IDCONTINUE);
    EXPECT_NE(message.find(L"set.ini"), std::wstring::npos) << message;
    // Nobody holds it: the user may not change it, and is told so.
    std::wstring mayNot = tavero::Text(TAVERO_TEXT_MAY_NOT_WRITE, {L""});
    EXPECT_NE(message.find(mayNot.substr(0, mayNot.find(L'('))), std::wstring::npos) << message;
    EXPECT_EQ(program.WaitForExit(), 0);
    EXPECT_TRUE(program.NoMessageBox());
    EXPECT_EQ(program.Settings(), before);
}

// Installed where the user cannot write, with no set.ini there (C:\Program Files, say): the
// settings are kept in the user's own folder, with no message, and come back from there. A copy
// in a writable folder keeps them beside itself and writes nothing there.
TEST_F(UnwritablePlaceTest, WhereTheExesFolderCannotBeWrittenTheUsersOwnFolderKeepsThem) {
    if (!PlaceOffered("unsupported")) {
        GTEST_SKIP() << "no unwritable folder here (made by chattr, as root, on Linux)";
    }
    wchar_t roaming[MAX_PATH] = {};
    ASSERT_GT(::GetEnvironmentVariableW(L"APPDATA", roaming, MAX_PATH), 0u);
    std::wstring own = std::wstring(roaming) + L"\\Tavero Mirelle\\set.ini";
    ::DeleteFileW(own.c_str());
    {
        ProgramUnderTest elsewhere;
        ASSERT_TRUE(elsewhere.Start());
        ASSERT_TRUE(elsewhere.CaptureHotKey(0, {VK_CONTROL, VK_MENU, VK_F9}));
        QuitCleanly(elsewhere);
        EXPECT_EQ(::GetFileAttributesW(own.c_str()), INVALID_FILE_ATTRIBUTES);
    }
    ProgramUnderTest program(ProgramUnderTest::InPlace{TestPlace("folder")});
    ASSERT_TRUE(program.Start());
    ASSERT_TRUE(program.CaptureHotKey(0, {VK_CONTROL, VK_MENU, VK_F9}));
    QuitCleanly(program);
    EXPECT_TRUE(program.NoMessageBox());
    EXPECT_NE(ReadFileBytes(own).find("Tavero1KeyCode=120"), std::string::npos);
    EXPECT_EQ(::GetFileAttributesW(program.SettingsPath().c_str()), INVALID_FILE_ATTRIBUTES);
    ASSERT_TRUE(program.Start());
    EXPECT_EQ(ControlText(program.HotKeyEdit(0)).substr(0, 13), L"Ctrl + Alt + ");
    QuitCleanly(program);
    ::DeleteFileW(own.c_str());
}

// A set.ini that is a link to a file kept elsewhere (a synced folder, say): the changes go to
// that file, and set.ini stays a link to it.
TEST_F(UnwritablePlaceTest, ASettingsFileThatIsALinkIsWrittenWhereItLeads) {
    if (!PlaceOffered("no-links")) {
        GTEST_SKIP() << "no symbolic links here (made by the test command on Linux)";
    }
    ProgramUnderTest program(ProgramUnderTest::InPlace{TestPlace("link-file/program")});
    std::wstring target = TestPlace("link-file/elsewhere/set.ini");
    ASSERT_TRUE(program.Start());
    EXPECT_EQ(ControlText(program.ActionText(0)), L"Kept");
    ASSERT_TRUE(program.CaptureHotKey(0, {VK_CONTROL, VK_MENU, VK_F9}));
    QuitCleanly(program);
    EXPECT_NE(ReadFileBytes(target).find("Tavero1KeyCode=120"), std::string::npos)
        << "the link was replaced by a file of its own";
    EXPECT_EQ(program.Settings(), ReadFileBytes(target));
}

TEST_F(UnwritablePlaceTest, AFullVolumeLeavesTheOldFileWholeAndSaysSo) {
    if (!PlaceOffered("full-unsupported")) {
        GTEST_SKIP() << "no full volume here (a small tmpfs, mounted as root, on Linux)";
    }
    ProgramUnderTest program(ProgramUnderTest::InPlace{TestPlace("full")});
    ASSERT_TRUE(program.Start());
    std::string before = program.Settings();
    ASSERT_TRUE(program.CaptureHotKey(3, {VK_CONTROL, VK_MENU, VK_F9}));
    ::PostMessageW(program.MainWindow(), WM_CLOSE, 0, 0);
    std::wstring message = program.AnswerMessageBox(IDCONTINUE);
    EXPECT_NE(message.find(program.SettingsPath()), std::wstring::npos) << message;
    EXPECT_NE(message.find(SystemErrorText(ERROR_DISK_FULL)), std::wstring::npos) << message;
    EXPECT_EQ(program.WaitForExit(), 0);
    EXPECT_EQ(program.Settings(), before);
    EXPECT_EQ(::GetFileAttributesW((program.SettingsPath() + L".tavero-1.tmp").c_str()),
              INVALID_FILE_ATTRIBUTES);
}

}  // namespace
