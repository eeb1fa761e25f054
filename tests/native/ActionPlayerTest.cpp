#include <gtest/gtest.h>

#include <set>
#include <thread>

#include "platform/Keys.h"
#include "playback/ActionPlayer.h"
#include "playback/HeldActions.h"
#include "playback/HeldKeys.h"
#include "playback/PendingRelease.h"
#include "playback/ReliableInjector.h"
#include "playback/RepeatFilter.h"
#include "playback/StuckKeys.h"
#include "support/FakeInput.h"
#include "support/Fakes.h"

using namespace tavero;
using namespace tavero::testing;
using Outcome = ActionPlayer::Outcome;

namespace {

constexpr int kF5 = 0x74, kF6 = 0x75, kF7 = 0x76;

std::vector<std::pair<int, bool>> Flat(const std::vector<KeyEvent>& events) {
    std::vector<std::pair<int, bool>> out;
    for (const auto& e : events) {
        out.emplace_back(e.key, e.up);
    }
    return out;
}

class PlayerTest : public ::testing::Test {
  protected:
    FakeInput input;
    FakeKeyHold hold{input};
    ActionPlayer player{input, hold, input, input};
    FakeTicker ticker_;
    HeldActions held{player, input, input, input, ticker_, {500, 33}};
};

TEST_F(PlayerTest, FakeInputTracksGenericModifiers) {
    input.UserPress(vk::kRControl);
    EXPECT_TRUE(input.IsDown(vk::kControl));
    KeyEvent up{vk::kRControl, true};
    input.Send({&up, 1});
    EXPECT_FALSE(input.IsDown(vk::kControl));
    EXPECT_EQ(input.FirstKeyDown(), 0);
}

TEST_F(PlayerTest, DownsAndUpsGoInOneCallEachAroundTheHold) {
    EXPECT_EQ(player.Play(ReadActionCode(L"3|17|16|83"), {0}), Outcome::Played);
    ASSERT_EQ(input.calls.size(), 2u);
    EXPECT_EQ(Flat(input.calls[0]),
              (std::vector<std::pair<int, bool>>{{17, false}, {16, false}, {83, false}}));
    EXPECT_EQ(Flat(input.calls[1]),
              (std::vector<std::pair<int, bool>>{{83, true}, {16, true}, {17, true}}));
    EXPECT_EQ(hold.holds, std::vector<int>{200});
    EXPECT_EQ(input.FirstKeyDown(), 0);

    EXPECT_EQ(player.Play(ReadActionCode(L"1|65"), {0}), Outcome::Played);
    EXPECT_EQ(hold.holds, (std::vector<int>{200, 100}));
}

TEST_F(PlayerTest, EmptyPlanSendsNothing) {
    EXPECT_EQ(player.Play(ReadActionCode(L"1|"), {mod::kAll}), Outcome::Empty);
    input.UserPress(vk::kLControl);
    EXPECT_EQ(player.Play(ReadActionCode(L""), {mod::kAll}), Outcome::Empty);
    EXPECT_TRUE(input.calls.empty());
    EXPECT_TRUE(input.IsDown(vk::kLControl));
}

TEST_F(PlayerTest, FailingHoldReleasesWhatWasPressed) {
    hold.fail = true;
    EXPECT_THROW(player.Play(ReadActionCode(L"2|17|67"), {0}), std::runtime_error);
    EXPECT_EQ(input.FirstKeyDown(), 0);
    EXPECT_EQ(Flat(input.calls.back()),
              (std::vector<std::pair<int, bool>>{{67, true}, {17, true}}));
    EXPECT_FALSE(player.Busy());
}

TEST_F(PlayerTest, QuitDuringHoldReleasesAndGivesNothingBack) {
    hold.quit = true;
    input.UserPress(vk::kLControl);
    EXPECT_EQ(player.Play(ReadActionCode(L"1|65"), {mod::kCtrl, 'K'}), Outcome::CutShort);
    EXPECT_EQ(input.FirstKeyDown(), 0);
    EXPECT_EQ(input.calls.size(), 2u);
    EXPECT_TRUE(input.pressedBack.empty());
}

// A clock that never comes must not leave the keys down nor the player stuck.
TEST_F(PlayerTest, AHoldWhoseReleasesNeverGoOutIsLetGoOfAfterItsMargin) {
    hold.neverReleases = true;
    EXPECT_EQ(player.Play(ReadActionCode(L"2|17|67"), {0}), Outcome::Played);
    EXPECT_EQ(hold.timeouts, std::vector<int>{200 + ActionPlayer::kWaitMarginMs});
    EXPECT_EQ(input.FirstKeyDown(), 0);
    EXPECT_FALSE(player.Busy());
    hold.neverReleases = false;
    EXPECT_EQ(player.Play(ReadActionCode(L"1|65"), {0}), Outcome::Played);
}

// The repeats of the hotkey's main key are watched from the presses on, through the hold.
TEST_F(PlayerTest, TheHotkeysMainKeyIsWatchedFromThePressesOn) {
    hold.during = [&] { EXPECT_EQ(input.guarded, std::vector<int>{116}); };
    player.Play(ReadActionCode(L"1|65"), {mod::kCtrl, 116});
    EXPECT_EQ(input.guarded, std::vector<int>{116});
}

// Repeats of the held key are swallowed; its release, another key, or a press too late to be a
// repeat ends the watch; the program's own events never count.
TEST(RepeatFilter, TellsRepeatsFromTheNextPress) {
    RepeatFilter filter;
    filter.Watch(118, 1000);
    EXPECT_FALSE(filter.Swallow(118, false, true, 1050));  // the program's own F7
    EXPECT_TRUE(filter.Swallow(118, false, false, 1500));  // first repeat, after the delay
    EXPECT_TRUE(filter.Swallow(118, false, false, 1533));
    EXPECT_FALSE(filter.Swallow(118, true, false, 1600));  // released
    EXPECT_TRUE(filter.Done());

    filter.Watch(118, 1000);  // released before the watch began: the next press is the user's
    EXPECT_FALSE(filter.Swallow(118, false, false, 1000 + RepeatFilter::kLongestDelayMs + 1));
    EXPECT_TRUE(filter.Done());

    filter.Watch(118, 1000);
    EXPECT_FALSE(filter.Swallow('A', true, false, 1100));  // a key going up changes nothing
    EXPECT_FALSE(filter.Done());
    EXPECT_FALSE(filter.Swallow('A', false, false, 1200));  // another key pressed: moved on
    EXPECT_TRUE(filter.Done());
    EXPECT_FALSE(filter.Swallow(118, false, false, 1300));
}

TEST_F(PlayerTest, PlaybackDuringAHoldIsIgnored) {
    std::vector<Outcome> nested;
    hold.during = [&] {
        // The action's own keys fire another armed row, or the user presses another hotkey.
        nested.push_back(player.Play(ReadActionCode(L"1|66"), {mod::kAll}));
    };
    EXPECT_EQ(player.Play(ReadActionCode(L"2|17|67"), {mod::kAll}), Outcome::Played);
    EXPECT_EQ(nested, std::vector<Outcome>{Outcome::Ignored});
    EXPECT_EQ(hold.holds.size(), 1u);
    EXPECT_EQ(input.FirstKeyDown(), 0);
    EXPECT_FALSE(player.Busy());
}

TEST_F(PlayerTest, HotkeyModifiersStillDownAreReleasedFirst) {
    // The user still holds Ctrl, right Alt and left Win of the hotkey, and left Shift, which is
    // not the hotkey's; the action is Ctrl + C.
    input.UserPress(vk::kLControl);
    input.UserPress(vk::kRMenu);
    input.UserPress(vk::kLWin);
    input.UserPress(vk::kLShift);
    EXPECT_EQ(player.Play(ReadActionCode(L"2|17|67"), {mod::kCtrl | mod::kAlt | mod::kWin}),
              Outcome::Played);
    // The keys of Alt and Win that are down go up after one masking key event, in the same call
    // as the downs; Ctrl is the action's own, so it stays; Shift is none of the player's.
    EXPECT_EQ(Flat(input.calls[0]), (std::vector<std::pair<int, bool>>{{vk::kUnassigned, false},
                                                                       {vk::kUnassigned, true},
                                                                       {vk::kRMenu, true},
                                                                       {vk::kLWin, true},
                                                                       {17, false},
                                                                       {67, false}}));
    EXPECT_TRUE(input.IsDown(vk::kLShift));

    // Let go of already: nothing to release, nothing to mask.
    input.calls.clear();
    input.UserRelease(vk::kLControl);
    input.UserRelease(vk::kRMenu);
    input.UserRelease(vk::kLWin);
    player.Play(ReadActionCode(L"1|65"), {mod::kShift | mod::kAlt, 'K'});
    EXPECT_EQ(Flat(input.calls[0]),
              (std::vector<std::pair<int, bool>>{{vk::kLShift, true}, {65, false}}));
}

// The user still holds the hotkey's modifiers when the action ends: they go down again, so the
// system sees what the keyboard holds and the next tap fires the hotkey. Only what the user is
// known to hold: let go of during the hold, or pressed before the program listened, it stays up.
TEST_F(PlayerTest, ModifiersTheUserStillHoldsAreGivenBackAfterTheAction) {
    const int ctrlAlt = mod::kCtrl | mod::kAlt;
    input.UserPress(vk::kLControl);
    input.UserPress(vk::kRMenu);
    player.Play(ReadActionCode(L"1|65"), {ctrlAlt, 117});
    EXPECT_EQ(Flat(input.calls.back()),
              (std::vector<std::pair<int, bool>>{{vk::kLControl, false},
                                                 {vk::kRMenu, false},
                                                 {vk::kUnassigned, false},
                                                 {vk::kUnassigned, true}}));
    EXPECT_EQ(input.pressedBack, (std::vector<int>{vk::kLControl, vk::kRMenu}));
    EXPECT_TRUE(input.IsDown(vk::kControl) && input.IsDown(vk::kMenu));

    // Alt let go of during the second action; Ctrl is the action's own, and still held.
    input.calls.clear();
    hold.during = [&] { input.UserRelease(vk::kRMenu); };
    player.Play(ReadActionCode(L"2|17|67"), {ctrlAlt, 117});
    EXPECT_EQ(Flat(input.calls.back()),
              (std::vector<std::pair<int, bool>>{{vk::kLControl, false}}));

    // Held, but since before the program listened: not known, not given back.
    input.UserRelease(vk::kLControl);
    input.UserPress(vk::kLShift, false);
    input.calls.clear();
    hold.during = nullptr;
    player.Play(ReadActionCode(L"1|65"), {mod::kShift, 117});
    EXPECT_EQ(input.calls.size(), 2u);
    EXPECT_FALSE(input.IsDown(vk::kShift));
}

// Where the key state cannot be trusted (under Wine) a modifier that is down may read as up, so
// both keys of each of the hotkey's modifiers go up rather than one left down.
TEST_F(PlayerTest, BothKeysOfEachModifierGoUpWhereTheKeyStateCannotBeTrusted) {
    input.UserPress(vk::kRControl, false);
    input.lagging = true;
    player.Play(ReadActionCode(L"1|65"), {mod::kCtrl});
    EXPECT_EQ(Flat(input.calls[0]),
              (std::vector<std::pair<int, bool>>{
                  {vk::kLControl, true}, {vk::kRControl, true}, {65, false}}));
    EXPECT_FALSE(input.IsDown(vk::kControl));
}

// What the user holds is what the user's own events say; a key the program pressed back after
// the user had let go of it is handed back to be let go of, whichever came first.
TEST(HeldKeys, TellsTheUsersHandsFromTheProgramsKeys) {
    HeldKeys held;
    EXPECT_EQ(held.StateOf(vk::kLControl), UserKeyboard::Key::Unknown);
    held.Heard(vk::kLControl, false, false);
    held.Heard(vk::kLControl, true, true);  // the program's release changes nothing
    EXPECT_EQ(held.StateOf(vk::kLControl), UserKeyboard::Key::Down);

    held.PressingBack(vk::kLControl);
    EXPECT_EQ(held.Heard(vk::kLControl, false, true), 0);  // pressed back while held
    EXPECT_EQ(held.Heard(vk::kLControl, true, false), 0);  // then let go of: the system saw it

    held.Heard(vk::kLMenu, false, false);
    held.PressingBack(vk::kLMenu);
    EXPECT_EQ(held.Heard(vk::kLMenu, true, false), 0);  // let go of just before the press
    EXPECT_EQ(held.Heard(vk::kLMenu, false, true), vk::kLMenu);
    EXPECT_EQ(held.Heard(vk::kLMenu, false, true), 0);  // once only

    held.Forget();
    EXPECT_EQ(held.StateOf(vk::kLControl), UserKeyboard::Key::Unknown);
}

// A key-up the system refused is kept until it goes in; a refused key-down is not.
TEST(ReliableInjector, RefusedReleasesAreSentAgainUntilTheyGoIn) {
    FakeInput input;
    ReliableInjector injector(input);
    int told = 0;
    injector.onOwed = [&] { ++told; };
    input.acceptOnly = 1;
    const KeyEvent events[] = {{'A', true}, {'B', false}, {'C', true}, {'D', true}};
    EXPECT_EQ(injector.Send(events), 1u);
    EXPECT_TRUE(injector.Owes());
    EXPECT_FALSE(injector.Retry());  // D is still refused
    input.acceptOnly = static_cast<std::size_t>(-1);
    EXPECT_TRUE(injector.Retry());
    EXPECT_EQ(told, 1);
    EXPECT_EQ(Flat(input.Events()),
              (std::vector<std::pair<int, bool>>{{'A', true}, {'C', true}, {'D', true}}));
    EXPECT_FALSE(injector.Owes());
}

TEST(PendingRelease, EachReleaseIsHandedOutOnceWhoeverReachesFirst) {
    // The timer's thread and the player letting go early, racing.
    for (int round = 0; round < 500; ++round) {
        PendingRelease pending;
        pending.Set({{67, true}, {17, true}}, 100);
        std::vector<KeyEvent> byTimer;
        std::thread timer([&] { byTimer = pending.TakeIfDue(100, 0); });
        std::vector<KeyEvent> byPlayer = pending.Take();
        timer.join();
        EXPECT_EQ(byTimer.size() + byPlayer.size(), 2u);
        EXPECT_TRUE(byTimer.empty() || byPlayer.empty());
    }
    // A wake that comes too early, as one meant for an earlier hold does, takes nothing.
    PendingRelease pending;
    pending.Set({{65, true}}, 200000);
    EXPECT_TRUE(pending.TakeIfDue(100000, 2000).empty());
    EXPECT_EQ(pending.Remaining(100000), 100000);
    EXPECT_EQ(pending.TakeIfDue(198500, 2000).size(), 1u);
    EXPECT_EQ(pending.Remaining(198500), 0);
}

}  // namespace

// The keys left down that no hand holds, each key once: never a mouse button, never the generic
// Shift, Ctrl or Alt (their left and right keys go up themselves).
TEST(StuckKeys, EveryKeyDownThatNoHandHoldsAndNothingElse) {
    std::set<int> down = {0x01, 0x02, 0x04, 0x10, 0x11, 0x12, 'A', 'Q', 0xA0, 0xA3, 0xFE};
    std::set<int> held = {'A', 0xA3};
    std::vector<int> stuck = StuckKeys([&](int key) { return down.count(key) != 0; },
                                       [&](int key) { return held.count(key) != 0; });
    EXPECT_EQ(stuck, (std::vector<int>{'Q', 0xA0, 0xFE}));
}

// A row held while its hotkey is held: its keys go down and stay down, the user's modifiers of
// the hotkey up, until the user lets go of the hotkey's key; then all up, the modifiers the user
// still holds given back. Its own hotkey starts nothing more meanwhile; another row plays beside
// it. What the program can no longer tell is held goes up, and so does all on a word.
TEST_F(PlayerTest, AHeldRowHoldsItsKeysUntilTheHotkeysKeyGoesUpWhateverTheWay) {
    FakeTicker& ticker = ticker_;
    ticker.onTick = [&](int id) { held.Tick(id); };
    const PressMode kHold{PressMode::Kind::Hold, 0};
    const HeldHotKey hotkey{mod::kCtrl | mod::kAlt, kF5};
    auto press = [&] {
        input.UserPress(vk::kLControl);
        input.UserPress(vk::kLMenu);
        input.UserPress(kF5);
        return held.Press(0, kHold, ReadActionCode(L"2|17|66"), hotkey);
    };
    ASSERT_EQ(press(), Outcome::Played);
    EXPECT_TRUE(input.IsDown('B') && input.IsDown(vk::kControl));
    EXPECT_FALSE(input.IsDown(vk::kLMenu)) << "the hotkey's Alt stays up under the action";
    EXPECT_EQ(held.Press(0, kHold, ReadActionCode(L"2|17|66"), hotkey), Outcome::Ignored);
    EXPECT_EQ(held.Press(1, {}, ReadActionCode(L"1|67"), {0, kF6}), Outcome::Played);
    EXPECT_TRUE(input.IsDown('B'));
    ASSERT_TRUE(ticker.Fire(0));
    EXPECT_TRUE(input.IsDown('B')) << "still held";

    input.UserRelease(kF5);
    held.Released(kF5);
    EXPECT_FALSE(input.IsDown('B'));
    EXPECT_TRUE(input.IsDown(vk::kLControl) && input.IsDown(vk::kLMenu)) << "given back";
    EXPECT_TRUE(ticker.started.empty()) << "nothing held, nothing looked at";

    // A key-up the program never heard: the next look finds the key up.
    ASSERT_EQ(press(), Outcome::Played);
    input.UserRelease(kF5);
    ASSERT_TRUE(ticker.Fire(0));
    EXPECT_FALSE(input.IsDown('B'));
    // Let go of on a word (a pause, the quit, "Release all keys", which names what went up).
    ASSERT_EQ(press(), Outcome::Played);
    EXPECT_EQ(held.LetGoOfAll(), (std::vector<int>{'B', 17}));
    EXPECT_FALSE(input.IsDown('B'));
    EXPECT_TRUE(held.LetGoOfAll().empty());
    input.UserRelease(kF5);
    input.UserRelease(vk::kLMenu);
    input.UserRelease(vk::kLControl);
    EXPECT_EQ(input.FirstKeyDown(), 0);
}

// A repeated row taps once, then again after the keyboard's repeat delay and at its rate, each
// repetition no longer than half the period, until the hotkey's key goes up; a tap's own length
// is the row's where it has one.
TEST_F(PlayerTest, ARepeatedRowTapsAtTheKeyboardsRateAndATapHasTheRowsLength) {
    FakeTicker& ticker = ticker_;
    ticker.onTick = [&](int id) { held.Tick(id); };
    input.UserPress(kF7);
    ASSERT_EQ(held.Press(2, {PressMode::Kind::Repeat, 0}, ReadActionCode(L"1|65"), {0, kF7}),
              Outcome::Played);
    EXPECT_EQ(hold.holds, (std::vector<int>{kOneKeyHoldMs}));
    EXPECT_EQ(ticker.started.at(3), 500 - kOneKeyHoldMs) << "the rest of the repeat delay";
    ASSERT_TRUE(ticker.Fire(3));
    ASSERT_TRUE(ticker.Fire(3));
    EXPECT_EQ(hold.holds, (std::vector<int>{kOneKeyHoldMs, 16, 16}));
    EXPECT_EQ(ticker.started.at(3), 33);
    input.UserRelease(kF7);
    held.Released(kF7);
    EXPECT_FALSE(ticker.Fire(3)) << "no repetition after the release";
    EXPECT_EQ(hold.holds.size(), 3u);

    ASSERT_EQ(held.Press(3, {PressMode::Kind::Tap, 350}, ReadActionCode(L"1|65"), {}),
              Outcome::Played);
    EXPECT_EQ(hold.holds.back(), 350);
    EXPECT_EQ(input.FirstKeyDown(), 0);
}
