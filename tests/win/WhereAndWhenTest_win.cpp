#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "KeyTarget_win.h"
#include "ProgramUnderTest_win.h"
#include "WinTestSupport_win.h"
#include "platform/Registry_win.h"

using namespace tavero::testing;

namespace {

// The test's own exe, as the program names the program in front.
std::wstring OwnProgram() {
    wchar_t path[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring full = path;
    return full.substr(full.find_last_of(L"\\/") + 1);
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

}  // namespace
