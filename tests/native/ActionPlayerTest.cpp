#include <gtest/gtest.h>

#include <thread>

#include "app/ActionPlayer.h"
#include "app/RepeatFilter.h"
#include "platform/Keys.h"
#include "platform/PendingRelease.h"
#include "support/FakeInput.h"

using namespace tavero;
using namespace tavero::testing;
using Outcome = ActionPlayer::Outcome;

namespace {

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
    FakeRepeatGuard repeats;
    ActionPlayer player{input, hold, repeats};
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

TEST_F(PlayerTest, QuitDuringHoldReleasesAndStops) {
    hold.quit = true;
    EXPECT_EQ(player.Play(ReadActionCode(L"1|65"), {0, 'K'}), Outcome::CutShort);
    EXPECT_EQ(input.FirstKeyDown(), 0);
    EXPECT_EQ(input.calls.size(), 2u);
    EXPECT_TRUE(repeats.guarded.empty());
}

TEST_F(PlayerTest, TheHotkeysMainKeyIsGuardedOnceTheHoldIsOver) {
    hold.during = [&] { EXPECT_TRUE(repeats.guarded.empty()); };
    player.Play(ReadActionCode(L"1|65"), {mod::kCtrl, 116});
    EXPECT_EQ(repeats.guarded, std::vector<int>{116});
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

TEST_F(PlayerTest, HotkeyModifiersStillDownAreReleasedFirstAndNeverPressedAgain) {
    // The user still holds Ctrl, right Alt and left Win of the hotkey, and left Shift, which is
    // not the hotkey's; the action is Ctrl + C.
    input.UserPress(vk::kLControl);
    input.UserPress(vk::kRMenu);
    input.UserPress(vk::kLWin);
    input.UserPress(vk::kLShift);
    EXPECT_EQ(player.Play(ReadActionCode(L"2|17|67"), {mod::kCtrl | mod::kAlt | mod::kWin}),
              Outcome::Played);
    ASSERT_EQ(input.calls.size(), 2u);
    // The keys of Alt and Win that are down go up after one masking key event, in the same call
    // as the downs; Ctrl is the action's own, so it stays; Shift is none of the player's.
    EXPECT_EQ(Flat(input.calls[0]), (std::vector<std::pair<int, bool>>{{vk::kUnassigned, false},
                                                                       {vk::kUnassigned, true},
                                                                       {vk::kRMenu, true},
                                                                       {vk::kLWin, true},
                                                                       {17, false},
                                                                       {67, false}}));
    EXPECT_FALSE(input.IsDown(vk::kMenu));
    EXPECT_FALSE(input.IsDown(vk::kLWin));
    EXPECT_TRUE(input.IsDown(vk::kLShift));
    for (const KeyEvent& e : input.Events()) {
        if (!e.up) {
            EXPECT_TRUE(e.key == 17 || e.key == 67 || e.key == vk::kUnassigned) << e.key;
        }
    }

    // Let go of already: nothing to release, nothing to mask.
    input.calls.clear();
    player.Play(ReadActionCode(L"1|65"), {mod::kShift | mod::kAlt, 'K'});
    EXPECT_EQ(Flat(input.calls[0]),
              (std::vector<std::pair<int, bool>>{{vk::kLShift, true}, {65, false}}));
}

// Right after a look at the key state its answers may lag: a modifier pressed since reads as
// up, so both keys of each of the hotkey's modifiers go up rather than one left down.
TEST_F(PlayerTest, BothKeysOfEachModifierGoUpWhenTheKeyStateMayLag) {
    input.UserPress(vk::kRControl);
    input.lagging = true;
    player.Play(ReadActionCode(L"1|65"), {mod::kCtrl});
    EXPECT_EQ(Flat(input.calls[0]),
              (std::vector<std::pair<int, bool>>{
                  {vk::kLControl, true}, {vk::kRControl, true}, {65, false}}));
    EXPECT_FALSE(input.IsDown(vk::kControl));
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
