#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <tuple>

#include "instance/InstanceKey.h"
#include "instance/StartWithWindows.h"
#include "mainwindow/ActionMenuItems.h"
#include "rows/HotKeyRows.h"
#include "rows/PauseKey.h"
#include "support/FakeInput.h"
#include "support/Fakes.h"

using namespace tavero;
using namespace tavero::testing;
using Outcome = ActionPlayer::Outcome;

namespace {

class RowsTest : public ::testing::Test, protected FakeBoxServices {
  protected:
    RowsTest() {
        for (int i = 0; i < kRowCount; ++i) {
            registrars.push_back(std::make_unique<FakeHotKeyRegistrar>(system));
            boxes.push_back(std::make_unique<Tavero>(L"Tavero" + std::to_wstring(i + 1),
                                                     *registrars.back(), names, messages,
                                                     HotKeyStore(ini, userStore, {})));
            rows.Attach(i, *boxes.back());
        }
    }

    FakeHotKeySystem system;
    std::vector<std::unique_ptr<FakeHotKeyRegistrar>> registrars;
    FakeInput input;
    FakeKeyHold hold{input};
    ActionPlayer player{input, hold, input, input};
    HotKeyRows rows{ini, player, messages};
    std::vector<std::unique_ptr<Tavero>> boxes;
};

TEST_F(RowsTest, LoadsEachRowFromItsKey) {
    ini.WriteIniValue(L"conftext", L"0", L"Ctrl + Alt + A ");
    ini.WriteIniValue(L"conftooltip", L"0", L"3|17|18|65");
    ini.WriteIniValue(L"conftooltip", L"9", L"1|66");
    rows.LoadActions();
    EXPECT_EQ(rows.ActionText(0), L"Ctrl + Alt + A");
    EXPECT_EQ(rows.ActionCode(0), L"3|17|18|65");
    EXPECT_EQ(rows.ActionText(9), L"");
    EXPECT_EQ(rows.ActionCode(9), L"1|66");
    EXPECT_EQ(rows.ActionCode(5), L"");
}

TEST_F(RowsTest, HotkeyOfRowNPlaysRowNsCurrentCode) {
    rows.SetAction(0, L"A", L"1|65");
    rows.SetAction(9, L"B", L"1|66");
    EXPECT_EQ(rows.Fire(9), Outcome::Played);
    EXPECT_EQ(input.Events().front().key, 66);
    rows.SetAction(9, L"C", L"1|67");
    rows.Fire(9);
    EXPECT_EQ(input.calls.back().front().key, 67);
    EXPECT_EQ(rows.Fire(3), Outcome::Empty);
    EXPECT_EQ(SettingsBytes(), "[conftext]\r\n0=A\r\n9=C\r\n[conftooltip]\r\n0=1|65\r\n9=1|67\r\n");
}

// The user's keyboard is listened to, and the player made ready, only while a row is armed.
TEST_F(RowsTest, ArmingMirrorsWhatTheBoxAccepted) {
    EXPECT_FALSE(rows.Arm(2, true));  // empty box
    EXPECT_EQ(messages.shown.size(), 1u);
    EXPECT_FALSE(input.listening);
    int key = 'A', state = 2;
    boxes[2]->KeyDown(key, state, false);
    EXPECT_TRUE(rows.Arm(2, true));
    EXPECT_TRUE(input.listening && hold.prepared);
    EXPECT_FALSE(rows.Arm(2, false));
    EXPECT_FALSE(system.IsTaken(2, 'A'));
    EXPECT_FALSE(input.listening);
}

// Rows armed at the last quit are armed again at start where the user asked for it; those that
// cannot be are named in one message, and keep their hotkeys. Paused, the armed rows let their
// combinations go and stay armed, as the next quit writes them; one taken meanwhile is disarmed,
// its hotkey kept.
TEST_F(RowsTest, RowsArmedAtTheLastQuitAreArmedAgainAndPauseKeepsThemArmed) {
    SettingsBytes() =
        "[Tavero]\r\nTavero1Text=A\r\nTavero1KeyCode=65\r\nTavero3Text=B\r\nTavero3KeyCode=66\r\n"
        "[Options]\r\nArmAtStart=1\r\nArmedRows=5,1,3,x,11\r\n";
    for (auto& box : boxes) {
        box->Load();
    }
    rows.LoadActions();
    system.Take(0, 'B');  // another program took row 3's
    std::wstring told = rows.ArmAsLastTime();
    EXPECT_TRUE(rows.Armed(0));
    EXPECT_FALSE(rows.Armed(2));
    EXPECT_EQ(boxes[2]->KeyCode(), 'B');
    EXPECT_EQ(told,
              L"These rows, armed when the program last ended, could not be armed again:\n"
              L"Row 3: B is taken by another program.\nRow 5: it has no hotkey.");
    EXPECT_TRUE(messages.shown.empty());

    rows.SetPaused(true);
    EXPECT_TRUE(rows.Armed(0));
    EXPECT_FALSE(system.IsTaken(0, 'A'));
    ASSERT_EQ(rows.SaveAll(true), HotKeyRows::Saved::Yes);
    EXPECT_NE(SettingsBytes().find("[Options]\r\nArmAtStart=1\r\nArmedRows=1\r\n"),
              std::string::npos);
    EXPECT_TRUE(rows.SetPaused(false).empty());
    EXPECT_TRUE(system.IsTaken(0, 'A'));

    // Taken by another program during a pause: the row is disarmed, keeps its hotkey, and the
    // user is told.
    rows.SetPaused(true);
    system.Take(0, 'A');
    EXPECT_EQ(rows.SetPaused(false),
              L"These rows could not take their hotkeys back after the pause, and are not armed:\n"
              L"Row 1: A is taken by another program.");
    EXPECT_FALSE(rows.Armed(0));
    EXPECT_EQ(boxes[0]->KeyCode(), 'A');

    // Off, and never used: nothing armed, no section written.
    FakeBoxServices fresh;
    HotKeyRows other(fresh.ini, player, fresh.messages);
    other.LoadActions();
    EXPECT_TRUE(other.ArmAsLastTime().empty());
    other.SaveAll(true);
    EXPECT_EQ(fresh.SettingsBytes().find("Options"), std::string::npos);
}

TEST_F(RowsTest, SaveAllWritesThirtyValuesInOneWrite) {
    EXPECT_EQ(rows.SaveAll(true), HotKeyRows::Saved::Yes);
    EXPECT_EQ(files.creates, 1);
    EXPECT_EQ(std::count(SettingsBytes().begin(), SettingsBytes().end(), '='), 30);
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(RowsTest, FailedWritesAreToldWithTheFileAndTheReason) {
    files.createError = 5;
    EXPECT_FALSE(rows.SetAction(4, L"A ", L"1|65"));
    EXPECT_EQ(rows.Fire(4), Outcome::Played);  // it plays now, though it was not kept
    // At the quit the user chooses: try again (in vain, here), then go back to the program.
    messages.answers = {MessageBoxes::AfterFailedSave::TryAgain,
                        MessageBoxes::AfterFailedSave::GoBack};
    EXPECT_EQ(rows.SaveAll(true), HotKeyRows::Saved::GoBack);
    ASSERT_EQ(messages.shown.size(), 3u);
    for (const auto& [title, text] : messages.shown) {
        EXPECT_EQ(title, L"error");
        EXPECT_NE(text.find(L"C:\\Tools\\set.ini"), std::wstring::npos) << text;
        EXPECT_NE(text.find(L"System error 5."), std::wstring::npos) << text;
    }
    // At the end of a session no one is asked; put right, the next quit saves.
    EXPECT_EQ(rows.SaveAll(false), HotKeyRows::Saved::No);
    EXPECT_EQ(messages.shown.size(), 3u);
    files.createError = 0;
    EXPECT_EQ(rows.SaveAll(true), HotKeyRows::Saved::Yes);
}

// A file another program held locked at start: the user is told then, and the hotkeys in it
// are not written over with the empty rows the program started with.
TEST_F(RowsTest, AFileUnreadableAtStartIsToldAndItsHotkeysAreNotWrittenOver) {
    SettingsBytes() =
        "[Tavero]\r\nTavero1Text=Kept\r\nTavero1KeyCode=65\r\nTavero1ModKeyCode=2\r\n";
    files.readErrors[kSettingsPath] = 32;
    for (auto& box : boxes) {
        box->Load();
    }
    rows.LoadActions();
    EXPECT_TRUE(rows.ReportReadError());
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_NE(messages.shown[0].second.find(L"System error 32."), std::wstring::npos);

    files.readErrors.clear();  // the other program let go
    int key = 'B', state = 0;
    boxes[2]->KeyDown(key, state, false);
    EXPECT_EQ(rows.SaveAll(true), HotKeyRows::Saved::Yes);
    EXPECT_EQ(SettingsBytes(),
              "[Tavero]\r\nTavero1Text=Kept\r\nTavero1KeyCode=65\r\nTavero1ModKeyCode=2\r\n"
              "Tavero3Text=B\r\nTavero3KeyCode=66\r\nTavero3ModKeyCode=0\r\n");
}

// Where set.ini lost a row's action or where it applies meanwhile (deleted, replaced, cut short),
// the quit writes them back with the hotkeys; a value the file has is left as it is.
TEST_F(RowsTest, WhatTheFileLostMeanwhileIsWrittenBackAtTheQuit) {
    rows.SetAction(0, L"A", L"1|65");
    rows.SetAction(1, L"B", L"1|66");
    rows.SetScope(1, ProgramList::Parse(L"!game.exe"));
    files.files.clear();
    SettingsBytes() = "[conftext]\r\n1=edited by hand\r\n";
    ASSERT_EQ(rows.SaveAll(false), HotKeyRows::Saved::Yes);
    FakeBoxServices next;
    next.files = files;
    EXPECT_EQ(next.ini.ReadIniValue(L"conftext", L"0", L"-"), L"A");
    EXPECT_EQ(next.ini.ReadIniValue(L"conftooltip", L"0", L"-"), L"1|65");
    EXPECT_EQ(next.ini.ReadIniValue(L"conftext", L"1", L"-"), L"edited by hand");
    EXPECT_EQ(next.ini.ReadIniValue(L"conftooltip", L"1", L"-"), L"1|66");
    EXPECT_EQ(next.ini.ReadIniValue(L"Scope", L"1", L"-"), L"!game.exe");
    EXPECT_EQ(next.ini.ReadIniValue(L"conftext", L"2", L"-"), L"-") << "nothing held is nothing";
}

// Copies in one folder are one program; a path written another way is the same folder.
TEST(FolderIdentity, SameFolderHoweverWrittenAndOnlyThat) {
    EXPECT_EQ(FolderIdentity(L"C:\\Tools\\Tavero"), FolderIdentity(L"c:/tools/TAVERO\\"));
    EXPECT_NE(FolderIdentity(L"C:\\Tools\\Tavero"), FolderIdentity(L"C:\\Tools\\Tavero2"));
    EXPECT_NE(FolderIdentity(L"C:\\Tools"), FolderIdentity(L"D:\\Tools"));
}

}  // namespace

namespace {

// Each copy has its Run value, and knows only a value that starts its own exe; it never touches
// another copy's, nor counts a value for a moved exe as its own.
TEST(StartWithWindows, EachCopyOwnsOnlyTheValueThatStartsItsExe) {
    FakeRunKey run;
    run.values[L"Another copy"] = L"\"D:\\Other\\TaveroMirelle.exe\" /tray";
    run.values[L"Moved"] = L"\"C:\\Old\\TaveroMirelle.exe\" /tray";
    StartWithWindows copy(run, L"C:\\Tools\\TaveroMirelle.exe");
    EXPECT_FALSE(copy.On());
    ASSERT_TRUE(copy.Set(true));
    EXPECT_TRUE(copy.On());
    EXPECT_EQ(run.values.size(), 3u);
    std::wstring mine;
    for (const auto& [name, command] : run.values) {
        if (command.find(L"Tools") != std::wstring::npos) {
            mine = command;
        }
    }
    EXPECT_EQ(mine, L"\"C:\\Tools\\TaveroMirelle.exe\" /tray");
    EXPECT_TRUE(StartWithWindows(run, L"c:/tools/taveromirelle.exe").On());  // same file
    ASSERT_TRUE(copy.Set(false));
    EXPECT_FALSE(copy.On());
    EXPECT_EQ(run.values.size(), 2u);
    EXPECT_EQ(run.values.count(L"Another copy"), 1u);

    // A value that starts this exe by a link to it is this copy's too.
    run.values[L"By a link"] = L"\"C:\\Links\\taveromirelle.exe\" /tray";
    StartWithWindows linked(run, L"C:\\Tools\\TaveroMirelle.exe", [](const std::wstring& path) {
        return path == L"C:\\Links\\taveromirelle.exe" ? L"C:\\Tools\\TaveroMirelle.exe" : path;
    });
    EXPECT_TRUE(linked.On());
    ASSERT_TRUE(linked.Set(false));
    EXPECT_EQ(run.values.count(L"By a link"), 0u);
    EXPECT_EQ(run.values.count(L"Another copy"), 1u);
}

// A hotkey where the focused application runs above the program's level plays nothing, and
// says so once per such application; where the level cannot be learnt, it plays.
TEST(ElevatedTargets, NothingIsPlayedWhereKeysCannotReach) {
    FakeProcessIntegrity integrity;
    ElevatedTargets targets(integrity);
    targets.ForegroundChanged();
    EXPECT_TRUE(targets.Check().play);  // not known

    integrity.foreground = ProcessIntegrity::Process{42, 7, L"regedit.exe", 0x3000};
    targets.ForegroundChanged();
    ElevatedTargets::Verdict first = targets.Check();
    EXPECT_FALSE(first.play);
    ASSERT_TRUE(first.tell.has_value());
    EXPECT_NE(first.tell->find(L"Keys can't reach regedit.exe: it runs as administrator."),
              std::wstring::npos);
    EXPECT_FALSE(targets.Check().tell.has_value());  // once

    integrity.foreground = ProcessIntegrity::Process{43, 9, L"notepad.exe", 0x2000};
    targets.ForegroundChanged();
    EXPECT_TRUE(targets.Check().play);
    integrity.own = std::nullopt;
    integrity.foreground->level = 0x4000;
    ElevatedTargets unknown(integrity);
    unknown.ForegroundChanged();
    EXPECT_TRUE(unknown.Check().play);
}

}  // namespace

namespace {

// Where a row applies, by the file names of programs, whatever their case, with or without
// ".exe"; an empty list is every program, and anything that is no list of file names applies
// nowhere, kept as it was written.
TEST(ProgramList, NamesMatchHoweverWrittenAndAnythingElseAppliesNowhere) {
    ProgramList only = ProgramList::Parse(L"Notepad.EXE| code ");
    EXPECT_EQ(only.kind, ProgramList::Kind::OnlyIn);
    EXPECT_TRUE(only.AppliesIn(L"notepad.exe"));
    EXPECT_TRUE(only.AppliesIn(L"CODE.exe"));
    EXPECT_FALSE(only.AppliesIn(L"cmd.exe"));
    EXPECT_FALSE(only.AppliesIn(L"")) << "the program in front unknown";
    EXPECT_EQ(only.ToText(), L"Notepad.EXE|code");
    ProgramList but = ProgramList::Parse(L"!game.exe");
    EXPECT_FALSE(but.AppliesIn(L"GAME"));
    EXPECT_TRUE(but.AppliesIn(L"notepad.exe"));
    EXPECT_FALSE(but.AppliesIn(L"")) << "the program in front unknown";
    for (const wchar_t* empty : {L"", L"!", L"||"}) {
        EXPECT_EQ(ProgramList::Parse(empty).kind, ProgramList::Kind::Everywhere);
    }
    for (const std::wstring& hostile :
         {std::wstring(L"C:\\x.exe"), std::wstring(L"a.exe|b\tc"), std::wstring(L"!a\x01.exe"),
          std::wstring(L"!???.exe"), L"a|" + std::wstring(1100, L'x')}) {
        ProgramList unread = ProgramList::Parse(hostile);
        EXPECT_EQ(unread.kind, ProgramList::Kind::Unreadable);
        EXPECT_FALSE(unread.AppliesIn(L"notepad.exe") || unread.AppliesIn(L""));
        EXPECT_EQ(unread.ToText(), hostile);
    }
    // The menu adds a program to a list, or takes it away; an empty list is every program.
    ProgramList toggled = only.Toggled(ProgramList::Kind::OnlyIn, L"CODE.EXE");
    EXPECT_EQ(toggled.ToText(), L"Notepad.EXE");
    EXPECT_EQ(toggled.Toggled(ProgramList::Kind::OnlyIn, L"notepad").kind,
              ProgramList::Kind::Everywhere);
    EXPECT_EQ(only.Toggled(ProgramList::Kind::EverywhereBut, L"x.exe").ToText(), L"!x.exe");
}

// Rows of one combination: an "only in" row wins in its programs; two that could both apply in
// one program clash.
TEST(ProgramList, OnlyInWinsInItsProgramsAndRowsThatCouldBothApplyClash) {
    ProgramList notepad = ProgramList::Parse(L"notepad.exe"),
                code = ProgramList::Parse(L"code|notepad");
    ProgramList everywhere, butGame = ProgramList::Parse(L"!game");
    EXPECT_TRUE(Clash(notepad, code));
    EXPECT_FALSE(Clash(notepad, ProgramList::Parse(L"code")));
    EXPECT_FALSE(Clash(notepad, everywhere));
    EXPECT_FALSE(Clash(butGame, notepad));
    EXPECT_TRUE(Clash(everywhere, butGame));
    EXPECT_TRUE(Clash(everywhere, everywhere));
    std::vector<const ProgramList*> rows = {&everywhere, &notepad};
    EXPECT_EQ(Winner(rows, L"notepad.exe"), 1);
    EXPECT_EQ(Winner(rows, L"cmd.exe"), 0);
    std::vector<const ProgramList*> apart = {&notepad, &butGame};
    EXPECT_EQ(Winner(apart, L"game.exe"), -1);
}

// The rows hold their combinations only where they apply, and the row that applies in the program
// in front plays, whichever row's window the hotkey came to.
TEST_F(RowsTest, RowsLimitedToProgramsHoldTheirCombinationOnlyWhereTheyApply) {
    FakePrograms programs;
    std::vector<std::wstring> told;
    rows.KnowProgramsBy(programs, [&](const std::wstring& text) { told.push_back(text); });
    ini.WriteIniValue(L"Scope", L"0", L"notepad.exe");
    ini.WriteIniValue(L"Scope", L"1", L"code.exe");
    ini.WriteIniValue(L"Scope", L"2", L"!game.exe");
    rows.LoadActions();
    for (int row = 0; row < 4; ++row) {
        int key = row < 2 ? 'A' : 'B', state = 2;
        boxes[static_cast<std::size_t>(row)]->KeyDown(key, state, false);
        rows.SetAction(row, L"x", L"1|" + std::to_wstring(65 + row));
    }
    programs.inFront = L"notepad.exe";
    EXPECT_TRUE(rows.Arm(0, true));
    EXPECT_TRUE(rows.Arm(1, true)) << "rows 1 and 2 share Ctrl + A in other programs";
    EXPECT_TRUE(rows.Arm(2, true));
    EXPECT_TRUE(registrars[0]->Holds(1) && !registrars[1]->Holds(1));
    EXPECT_TRUE(messages.shown.empty());

    programs.inFront = L"code.exe";
    rows.ForegroundChanged();
    EXPECT_TRUE(!registrars[0]->Holds(1) && registrars[1]->Holds(1));
    // Pressed as the focus moved: the row for the program in front now plays.
    EXPECT_EQ(rows.Fire(0), Outcome::Played);
    EXPECT_EQ(input.calls.back().front().key, 'B');

    programs.inFront = L"game.exe";
    rows.ForegroundChanged();
    EXPECT_FALSE(system.IsTaken(2, 'A') || system.IsTaken(2, 'B')) << "game.exe gets the keys";
    EXPECT_EQ(rows.Fire(1), Outcome::Ignored);
    // Ctrl + B in every program but game.exe beside row 3's: refused as a taken combination.
    EXPECT_FALSE(rows.Arm(3, true));
    EXPECT_EQ(messages.shown.size(), 1u);
    // Taken by another program while a row let it go: disarmed, and said once.
    system.Take(2, 'A');
    programs.inFront = L"notepad.exe";
    rows.ForegroundChanged();
    EXPECT_FALSE(rows.Armed(0));
    ASSERT_EQ(told.size(), 1u);
    EXPECT_NE(told[0].find(L"Row 1"), std::wstring::npos)
        << std::string(told[0].begin(), told[0].end());
}

// Where the program cannot tell, a limited row does not apply: not where the name of the program
// in front cannot be read, not where set.ini's word for where it applies cannot be read. Such a
// row stays unarmed, keeps its hotkey and action, and its value stays in the file as it was
// until the user chooses where it applies; a name no code page holds is kept whole.
TEST_F(RowsTest, WhereItCannotBeToldALimitedRowDoesNotApply) {
    FakePrograms programs;
    rows.KnowProgramsBy(programs, [](const std::wstring&) {});
    SettingsBytes() =
        "[Scope]\r\n0=!game.exe\r\n1=a.exe|b<c.exe\r\n[Options]\r\nArmAtStart=1\r\n"
        "ArmedRows=1,2\r\n";
    rows.LoadActions();
    for (int row = 0; row < 2; ++row) {
        int key = 'A' + row, state = 2;
        boxes[static_cast<std::size_t>(row)]->KeyDown(key, state, false);
        rows.SetAction(row, L"x", L"1|" + std::to_wstring(70 + row));
    }
    programs.inFront = L"notepad.exe";
    std::wstring told = rows.ArmAsLastTime();
    EXPECT_TRUE(rows.Armed(0));
    EXPECT_FALSE(rows.Armed(1)) << "where row 2 applies cannot be read";
    EXPECT_EQ(told.find(L"Row 2"), std::wstring::npos) << "said once, below";
    EXPECT_NE(rows.ScopesNotRead().find(L"Row 2: \u201C"
                                        L"b<c.exe\u201D is not a program"),
              std::wstring::npos);
    EXPECT_FALSE(rows.Arm(1, true));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_NE(rows.ArmRows({1}).find(L"Row 2: where it applies could not be read"),
              std::wstring::npos);
    EXPECT_EQ(boxes[1]->KeyCode(), 'B');

    programs.inFront = L"";  // the system cannot say
    rows.ForegroundChanged();
    EXPECT_FALSE(system.IsTaken(2, 'A')) << "everywhere but game.exe, in a program not known";
    EXPECT_EQ(rows.Fire(0), Outcome::Ignored);
    programs.inFront = L"notepad.exe";
    rows.ForegroundChanged();
    EXPECT_TRUE(system.IsTaken(2, 'A'));

    ASSERT_EQ(rows.SaveAll(false), HotKeyRows::Saved::Yes);
    EXPECT_NE(SettingsBytes().find("1=a.exe|b<c.exe\r\n"), std::string::npos);
    rows.SetScope(1, ProgramList::Parse(L"!\u30B2\u30FC\u30E0.exe"));
    EXPECT_TRUE(rows.Arm(1, true));
    FakeBoxServices next;
    next.files = files;
    HotKeyRows reloaded(next.ini, player, next.messages);
    reloaded.LoadActions();
    EXPECT_EQ(reloaded.Scope(1).ToText(), L"!\u30B2\u30FC\u30E0.exe");
}

// A new place that would have a row apply where an armed row of its combination does disarms
// it, with a word; a place apart keeps it armed.
TEST_F(RowsTest, APlaceThatClashesWithAnArmedRowOfItsCombinationDisarmsIt) {
    FakePrograms programs;
    std::vector<std::wstring> told;
    rows.KnowProgramsBy(programs, [&](const std::wstring& text) { told.push_back(text); });
    programs.inFront = L"notepad.exe";
    rows.SetScope(0, ProgramList::Parse(L"notepad.exe"));
    rows.SetScope(1, ProgramList::Parse(L"code.exe"));
    for (int row = 0; row < 2; ++row) {
        int key = 'A', state = 2;
        boxes[static_cast<std::size_t>(row)]->KeyDown(key, state, false);
        ASSERT_TRUE(rows.Arm(row, true));
    }
    rows.SetScope(1, ProgramList::Parse(L"code.exe|cmd.exe"));
    EXPECT_TRUE(rows.Armed(1) && told.empty()) << "still apart";
    rows.SetScope(1, ProgramList::Parse(L"NOTEPAD"));
    EXPECT_FALSE(rows.Armed(1));
    EXPECT_TRUE(rows.Armed(0) && registrars[0]->Holds(1));
    ASSERT_EQ(told.size(), 1u);
    EXPECT_NE(told[0].find(L"Row 2: Ctrl + A is armed in another row"), std::wstring::npos);
    EXPECT_EQ(boxes[1]->KeyCode(), 'A');
}

// The pause key is taken before it is kept: a combination another program or a row holds leaves
// the old one as it was; the same one again changes nothing; cleared, it is let go of; a file
// that cannot be written still lets it work until the end.
TEST_F(RowsTest, APauseKeyIsTakenBeforeItIsKept) {
    FakeHotKeyRegistrar registrar(system);
    PauseKey pause(ini, registrar);
    ASSERT_TRUE(pause.Load());
    EXPECT_FALSE(pause.IsSet());
    EXPECT_EQ(pause.Set('P', 3), PauseKey::SetResult::Done);
    EXPECT_TRUE(system.IsTaken(3, 'P'));
    int calls = registrar.calls;
    EXPECT_EQ(pause.Set('P', 3), PauseKey::SetResult::Done);
    EXPECT_EQ(registrar.calls, calls) << "the same key again";

    system.Take(3, 'Q');
    EXPECT_EQ(pause.Set('Q', 3), PauseKey::SetResult::Taken);
    EXPECT_EQ(pause.KeyCode(), 'P');
    EXPECT_TRUE(system.IsTaken(3, 'P') && registrar.Holds(PauseKey::kHotKeyId));

    files.createError = FileSystem::kDiskFull;
    EXPECT_EQ(pause.Set('R', 3), PauseKey::SetResult::NotSaved);
    EXPECT_TRUE(system.IsTaken(3, 'R') && !system.IsTaken(3, 'P'));
    files.createError = 0;
    EXPECT_EQ(pause.Set(0, 3), PauseKey::SetResult::Done);
    EXPECT_FALSE(system.IsTaken(3, 'R'));
    EXPECT_EQ(registrar.Holds(PauseKey::kHotKeyId) || registrar.Holds(PauseKey::kHotKeyId + 1),
              false);
    EXPECT_NE(SettingsBytes().find("PauseKeyCode=0\r\nPauseModKeyCode=0"), std::string::npos);
}

// Each item of a row's action menu chooses what it shows, and an identifier the menu did not
// make chooses nothing.
TEST(ActionMenuItems, EachItemChoosesWhatItShows) {
    ProgramList current = ProgramList::Parse(L"!game.exe");
    ActionMenuItems items({L"notepad.exe", L"Code.exe", L"NOTEPAD.EXE"}, current);
    ASSERT_EQ(items.Programs(),
              (std::vector<std::wstring>{L"Code.exe", L"game.exe", L"notepad.exe"}));
    using What = ActionMenuItems::Choice::What;
    using Kind = ProgramList::Kind;
    EXPECT_EQ(items.Chosen(ActionMenuItems::kEveryProgram).scope.kind, Kind::Everywhere);
    for (Kind list : {Kind::OnlyIn, Kind::EverywhereBut}) {
        ActionMenuItems::Choice other = items.Chosen(ActionMenuItems::OtherId(list));
        EXPECT_TRUE(other.what == What::AskForName && other.list == list);
    }
    EXPECT_EQ(items.Chosen(items.ProgramId(Kind::OnlyIn, 2)).scope.ToText(), L"notepad.exe");
    EXPECT_EQ(items.Chosen(items.ProgramId(Kind::EverywhereBut, 0)).scope.ToText(),
              L"!game.exe|Code.exe");
    EXPECT_EQ(items.Chosen(items.ProgramId(Kind::EverywhereBut, 1)).scope.kind, Kind::Everywhere)
        << "the last program taken off the list";
    for (PressMode::Kind way :
         {PressMode::Kind::Tap, PressMode::Kind::Hold, PressMode::Kind::Repeat}) {
        ActionMenuItems::Choice press = items.Chosen(ActionMenuItems::PressId(way));
        EXPECT_TRUE(press.what == What::Press && press.press == (PressMode{way, 0}));
    }
    EXPECT_EQ(items.Chosen(ActionMenuItems::kTapLength).what, What::AskTapLength);
    for (unsigned stray : {0u, 4u, 9u, 15u, items.ProgramId(Kind::OnlyIn, 3), 999999u}) {
        EXPECT_EQ(items.Chosen(stray).what, What::Nothing) << stray;
    }
}

// How a row presses, kept in [Press]: "hold", "repeat" or a tap's length; anything else taps,
// is said once, and stays in the file until the user chooses. A row held while its hotkey is
// held lets go on a pause, a disarm, a change of the row, and the quit.
TEST_F(RowsTest, HowARowPressesIsKeptAndWhatItHoldsGoesUpWhenItMust) {
    for (const auto& [text, kind, ms] : {std::tuple{L"hold", PressMode::Kind::Hold, 0},
                                         {L" REPEAT ", PressMode::Kind::Repeat, 0},
                                         {L"350", PressMode::Kind::Tap, 350},
                                         {L"", PressMode::Kind::Tap, 0}}) {
        PressSection::Entry entry = PressSection::Parse(text);
        EXPECT_TRUE(entry.mode.kind == kind && entry.mode.tapMs == ms && entry.unread.empty());
    }
    for (const wchar_t* hostile : {L"19", L"5001", L"held", L"350ms", L"-1"}) {
        PressSection::Entry entry = PressSection::Parse(hostile);
        EXPECT_TRUE(entry.mode == PressMode{} && entry.unread == hostile);
        EXPECT_EQ(PressSection::ToText(entry), hostile);
    }
    SettingsBytes() = "[Press]\r\n0=hold\r\n1=19\r\n";
    rows.LoadActions();
    EXPECT_EQ(rows.Press(0).kind, PressMode::Kind::Hold);
    EXPECT_NE(rows.PressesNotRead().find(L"Row 2: \u201C"
                                         L"19\u201D"),
              std::wstring::npos);

    FakeTicker ticker;
    HeldActions held(player, input, input, input, ticker, {500, 33});
    rows.PressBy(held);
    int key = 'A', state = 2;
    boxes[0]->KeyDown(key, state, false);
    rows.SetAction(0, L"B", L"1|66");
    auto holdRow = [&] {
        ASSERT_TRUE(rows.Arm(0, true));
        input.UserPress('A');
        ASSERT_EQ(rows.Fire(0), Outcome::Played);
        ASSERT_TRUE(input.IsDown('B'));
    };
    holdRow();
    rows.SetPaused(true);
    EXPECT_FALSE(input.IsDown('B')) << "paused";
    rows.SetPaused(false);
    holdRow();
    rows.Arm(0, false);
    EXPECT_FALSE(input.IsDown('B')) << "disarmed";
    holdRow();
    rows.SetPress(0, {PressMode::Kind::Tap, 350});
    EXPECT_FALSE(input.IsDown('B')) << "changed";
    EXPECT_NE(SettingsBytes().find("[Press]\r\n0=350\r\n1=19\r\n"), std::string::npos);
    rows.SetPress(0, {PressMode::Kind::Hold, 0});
    holdRow();
    rows.LetGoOfAll();
    EXPECT_FALSE(input.IsDown('B')) << "the quit";
}

}  // namespace
