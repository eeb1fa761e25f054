#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "KeyTarget_win.h"
#include "ProgramUnderTest_win.h"
#include "WinTestSupport_win.h"
#include "instance/RunningProgram.h"
#include "platform/FileNames.h"
#include "platform/Registry_win.h"

using namespace tavero::testing;

namespace {

// The test's own exe, as the program names the program in front.
std::wstring OwnProgram() {
    wchar_t path[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    return std::wstring(tavero::FileNameOf(path));
}

std::string Narrow(const std::wstring& text) {
    return std::string(text.begin(), text.end());
}

// Whether some program holds Ctrl + Alt + `key` as a hotkey now. The probe takes the combination
// for a moment where it is free, so it is asked only of combinations the program holds or lets
// go of, never of one it may be taking meanwhile (its registration would be refused).
bool Taken(int key) {
    bool free = ::RegisterHotKey(nullptr, 0x7A7A, MOD_CONTROL | MOD_ALT, static_cast<UINT>(key));
    if (free) {
        ::UnregisterHotKey(nullptr, 0x7A7A);
    }
    return !free;
}

// Settings whose rows play one key each on Ctrl + Alt + a key; `more` after them.
struct Rows {
    std::string hotkeys = "[Tavero]\r\n";
    std::string actions = "[conftooltip]\r\n";
    Rows& Add(int key, char action) {
        std::string n = std::to_string(rows + 1);
        hotkeys += "Tavero" + n + "Text=Ctrl + Alt + key\r\nTavero" + n +
                   "KeyCode=" + std::to_string(key) + "\r\nTavero" + n + "ModKeyCode=3\r\n";
        actions += std::to_string(rows) + "=1|" + std::to_string(action) + "\r\n";
        ++rows;
        return *this;
    }
    std::string Settings(const std::string& more) const { return hotkeys + actions + more; }
    int rows = 0;
};

class WhereAndWhen : public ::testing::Test {
  protected:
    ~WhereAndWhen() override {
        PumpUntil([] { return FirstKeyDown() == 0; }, 1000);
        EXPECT_EQ(FirstKeyDown(), 0) << "a key is left down";
    }

    int Count(int key, bool down) const {
        int n = 0;
        for (const KeyRecord& r : target.Records()) {
            n += r.key == key && r.Down() == down;
        }
        return n;
    }
    int Downs(int key) const { return Count(key, true); }
    enum class Outcome { Played, WentThrough, Nothing };
    // Presses Ctrl + Alt + `key` in the key target: Played once `action` was played (and let go
    // of), WentThrough once the key itself came with Ctrl and Alt, as it does where no hotkey
    // takes it.
    Outcome Press(int key, int action) {
        int played = Count(action, false);
        auto through = [&](const std::vector<KeyRecord>& records) {
            int n = 0;
            for (const KeyRecord& r : records) {
                n += r.key == key && r.Down() && r.ctrl && r.alt;
            }
            return n;
        };
        int before = through(target.Records());
        WaitOutWinesKeyStateCopy();
        SendChord({VK_CONTROL, VK_MENU, key});
        auto came = target.Await(
            [&](const std::vector<KeyRecord>& records) {
                return through(records) > before || Count(action, false) > played;
            },
            "the action or the key");
        EXPECT_TRUE(came);
        PumpUntil([] { return FirstKeyDown() == 0; }, 1000);
        return !came ? Outcome::Nothing
                     : (Count(action, false) > played ? Outcome::Played : Outcome::WentThrough);
    }

    KeyTarget target;
};

// Rows limited to programs, against the test's own window in front: the programs are told by
// their file names, whatever their case, with or without ".exe".
TEST_F(WhereAndWhen, ARowPlaysOnlyWhereItAppliesAndElseTheKeysGoThrough) {
    std::wstring own = OwnProgram();
    std::string stem = Narrow(own.substr(0, own.size() - 4));
    ProgramUnderTest program(Rows()
                                 .Add(VK_F5, 'A')
                                 .Add(VK_F6, 'B')
                                 .Add(VK_F7, 'C')
                                 .Add(VK_F8, 'D')
                                 .Add(VK_F8, 'E')
                                 .Settings("[Scope]\r\n0=notepad.exe|" + Narrow(own) +
                                           "\r\n1=notepad.exe\r\n2=!" + stem + "\r\n3=" + stem +
                                           "\r\n"));
    ASSERT_TRUE(program.Start());
    for (int row = 0; row < 5; ++row) {
        ASSERT_TRUE(program.Tick(row)) << row;
    }
    EXPECT_TRUE(program.NoMessageBox()) << "rows 4 and 5 share a combination apart";
    ASSERT_TRUE(target.Activate());
    // The rows let go of (and take) their combinations as the program in front changes: the
    // one limited to everywhere but here goes first.
    ASSERT_TRUE(PumpUntil([] { return !Taken(VK_F7) && !Taken(VK_F6); }));

    EXPECT_EQ(Press(VK_F6, 'B'), Outcome::WentThrough) << "only in another program";
    EXPECT_EQ(Press(VK_F7, 'C'), Outcome::WentThrough) << "everywhere but here";
    EXPECT_EQ(Press(VK_F5, 'A'), Outcome::Played) << "only in here (and notepad)";
    EXPECT_EQ(Press(VK_F8, 'D'), Outcome::Played) << "of two rows, the one limited to here wins";
    EXPECT_EQ(Downs('E'), 0);
    EXPECT_EQ(Downs('B') + Downs('C'), 0);
}

// From a script: a command for the copy that runs from the folder, and the pause key; then a key
// another program left down, let go of, and the quit.
TEST_F(WhereAndWhen, CommandsAndThePauseKeyDriveTheRunningCopy) {
    ProgramUnderTest program(
        Rows().Add(VK_F5, 'A').Settings("[Options]\r\nPauseKeyCode=80\r\nPauseModKeyCode=3\r\n"));
    EXPECT_EQ(program.StartAgainBeside(L"/pause"), 1) << "no copy runs";
    EXPECT_EQ(program.StartAgainBeside(L"/nonsense"), 2);
    ASSERT_TRUE(program.Start());
    ASSERT_TRUE(program.Tick(0));
    ASSERT_TRUE(target.Activate());
    EXPECT_EQ(Press(VK_F5, 'A'), Outcome::Played);

    EXPECT_EQ(program.StartAgainBeside(L"/pause"), 0);
    EXPECT_EQ(Press(VK_F5, 'A'), Outcome::WentThrough) << "paused";
    EXPECT_EQ(program.StartAgainBeside(L"/resume"), 0);
    EXPECT_EQ(Press(VK_F5, 'A'), Outcome::Played) << "resumed";

    // Ctrl + Alt + P pauses, and, taken still, resumes.
    WaitOutWinesKeyStateCopy();
    SendChord({VK_CONTROL, VK_MENU, 'P'});
    ASSERT_TRUE(PumpUntil([] { return !Taken(VK_F5) && Taken('P'); }));
    EXPECT_EQ(Press(VK_F5, 'A'), Outcome::WentThrough) << "paused by its key";
    WaitOutWinesKeyStateCopy();
    SendChord({VK_CONTROL, VK_MENU, 'P'});
    // The rows are taken again on the program's own time: pressed until they play.
    Outcome resumed = Outcome::WentThrough;
    for (int tries = 0; tries < 20 && resumed == Outcome::WentThrough; ++tries) {
        resumed = Press(VK_F5, 'A');
    }
    EXPECT_EQ(resumed, Outcome::Played) << "resumed by its key";
    EXPECT_EQ(Count('P', true), 0) << "the pause key reached the application";

    // Down in the system, held by no hand on a keyboard.
    SendKey('Q', false);
    SendKey(VK_LSHIFT, false);
    ASSERT_TRUE(PumpUntil([] {
        return (::GetAsyncKeyState('Q') & 0x8000) && (::GetAsyncKeyState(VK_LSHIFT) & 0x8000);
    })) << "set-up: the keys did not go down";
    EXPECT_EQ(program.StartAgainBeside(L"/release"), 0);
    EXPECT_TRUE(PumpUntil([] { return FirstKeyDown() == 0; })) << FirstKeyDown();

    EXPECT_EQ(program.StartAgainBeside(L"/exit"), 0);
    EXPECT_FALSE(program.Running()) << "/exit returned before the copy ended";
    std::string saved = program.Settings();
    EXPECT_EQ(CountHotKeyKeys(saved), 30);
    EXPECT_NE(saved.find("PauseKeyCode=80"), std::string::npos);

    // Before the folder is deleted: this copy's value in the sign-in list goes, another's stays.
    tavero::RegistryRunKey run;
    const std::wstring other = L"\"C:\\Elsewhere\\TaveroMirelle.exe\" /tray";
    ASSERT_TRUE(run.Set(L"Tavero Mirelle elsewhere", other));
    ASSERT_TRUE(run.Set(L"Tavero Mirelle here", L"\"" + program.ExePath() + L"\" /tray"));
    EXPECT_EQ(program.StartAgainBeside(L"/forget"), 0);
    int ours = 0, others = 0;
    for (const auto& [name, command] : run.Values()) {
        ours += command.find(program.ExePath()) != std::wstring::npos;
        others += command == other;
    }
    run.Remove(L"Tavero Mirelle elsewhere");
    run.Remove(L"Tavero Mirelle here");
    EXPECT_EQ(ours, 0);
    EXPECT_EQ(others, 1);
}

// Every command through the real exe, from another copy as a script starts it; a message that is
// no well-formed command is refused, and the copy runs on.
TEST_F(WhereAndWhen, EachCommandDrivesTheRunningCopyAndAMalformedOneIsRefused) {
    ProgramUnderTest program(Rows().Add(VK_F5, 'A').Add(VK_F6, 'B').Settings(""));
    ASSERT_TRUE(program.Start());
    auto send = [&](ULONG_PTR tag, const void* data, DWORD size, bool none = false) {
        COPYDATASTRUCT copy{tag, size, const_cast<void*>(data)};
        DWORD_PTR answer = 99;
        LPARAM sent = none ? 0 : reinterpret_cast<LPARAM>(&copy);
        return ::SendMessageTimeoutW(program.MainWindow(), WM_COPYDATA, 0, sent, SMTO_ABORTIFHUNG,
                                     5000, &answer)
                   ? static_cast<int>(answer)
                   : -1;
    };
    const std::wstring hide = L"x /hide";
    const DWORD hideBytes = static_cast<DWORD>(hide.size() * sizeof(wchar_t));
    const std::wstring huge = L"x /hide" + std::wstring(40000, L' ');
    const ULONG_PTR tag = tavero::kCommandTag;
    EXPECT_EQ(send(tag + 1, hide.c_str(), hideBytes), 2) << "another tag";
    EXPECT_EQ(send(tag, hide.c_str(), hideBytes - 1), 2) << "half a character";
    EXPECT_EQ(send(tag, hide.c_str(), 0), 2) << "nothing";
    EXPECT_EQ(send(tag, huge.c_str(), static_cast<DWORD>(huge.size() * sizeof(wchar_t))), 2)
        << "over the limit";
    // No data at all: refused by the program, or by the system before it (Wine does not carry
    // it to another process).
    EXPECT_NE(send(tag, nullptr, 0, true), 0) << "no data at all";
    ASSERT_TRUE(program.Running());
    EXPECT_TRUE(::IsWindowVisible(program.MainWindow()));

    EXPECT_EQ(program.StartAgainBeside(L"/arm 2"), 0);
    EXPECT_TRUE(Taken(VK_F6) && program.Ticked(1));
    EXPECT_EQ(program.StartAgainBeside(L"/disarm 2"), 0);
    EXPECT_TRUE(!Taken(VK_F6) && !program.Ticked(1));
    EXPECT_EQ(program.StartAgainBeside(L"/arm 1"), 0);
    EXPECT_TRUE(Taken(VK_F5));
    EXPECT_EQ(program.StartAgainBeside(L"/toggle"), 0);
    EXPECT_TRUE(!Taken(VK_F5) && program.Ticked(0)) << "paused";
    EXPECT_EQ(program.StartAgainBeside(L"/toggle"), 0);
    EXPECT_TRUE(Taken(VK_F5)) << "resumed";
    EXPECT_EQ(program.StartAgainBeside(L"/hide"), 0);
    EXPECT_FALSE(::IsWindowVisible(program.MainWindow()));
    EXPECT_EQ(program.StartAgainBeside(L"/show"), 0);
    EXPECT_TRUE(::IsWindowVisible(program.MainWindow()));
}

// "Everywhere but" a program whose name the file's code page cannot hold, chosen from the
// row's menu: kept whole across a restart, so the row lets its combination go in that program.
TEST_F(WhereAndWhen, ARowKeepsAProgramNameNoCodePageHoldsAcrossARestart) {
    const std::wstring name = L"\u30BF\u30FC\u30B2\u30C3\u30C8.exe";
    ProgramUnderTest program(Rows().Add(VK_F5, 'A').Settings("; caf\xE9\r\n"));
    ASSERT_TRUE(program.Start());
    ASSERT_TRUE(program.ChooseOtherProgram(0, true, name));
    EXPECT_EQ(program.StartAgainBeside(L"/exit"), 0);
    std::string saved = program.Settings();
    std::string wide(reinterpret_cast<const char*>(name.c_str()), name.size() * sizeof(wchar_t));
    EXPECT_NE(saved.find(wide), std::string::npos) << "the name is not in set.ini whole";

    ASSERT_TRUE(program.Start());
    ASSERT_TRUE(program.Tick(0));
    ASSERT_TRUE(target.Activate());
    ASSERT_TRUE(PumpUntil([] { return Taken(VK_F5); })) << "armed, in a program it applies in";
    ProgramUnderTest other("", name);
    ASSERT_TRUE(other.Start());
    EXPECT_TRUE(PumpUntil([] { return !Taken(VK_F5); })) << "held in the very program it skips";
}

}  // namespace
