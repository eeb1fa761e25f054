#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <map>

#include "KeyTarget_win.h"
#include "WinTestSupport_win.h"
#include "platform/KeyInjector_win.h"
#include "platform/Keys.h"
#include "platform/RunTimeError.h"
#include "platform/Texts.h"
#include "platform/Window_win.h"
#include "playback/ActionPlayer.h"
#include "playback/KeyHold_win.h"
#include "playback/KeyboardWatch_win.h"

using namespace tavero;
using namespace tavero::testing;
using Outcome = ActionPlayer::Outcome;

namespace {

// Holds as the input stream saw them, from the last key-down to the first key-up; the measured
// errors are printed, typically under 1 ms. A hold is never short: the input stream is watched
// on a thread of its own, so only the clock's step can make one look shorter. How late one comes
// on a busy machine is the benchmark's to measure.
constexpr double kClockStep = 0.5;
constexpr int kTries = 3;

// A hidden window of the playing thread: it runs handlers for hotkeys and counts the paints
// and posted messages it gets, to show that a pause keeps the thread's windows working.
class Host : public Window {
  public:
    static constexpr UINT kPing = WM_APP + 7;
    Host() {
        RegisterClassOnce(L"TaveroPlaybackHost", 0, nullptr);
        Create(L"TaveroPlaybackHost", L"", WS_POPUP | WS_VISIBLE,
               WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, 0, 0, 50, 50, nullptr, nullptr);
    }
    ~Host() override { Destroy(); }

    std::map<int, std::function<void()>> onHotKey;
    std::function<void()> onPing;
    int pings = 0;
    int paints = 0;

  protected:
    std::optional<LRESULT> OnMessage(UINT msg, WPARAM wParam, LPARAM) override {
        if (msg == WM_HOTKEY) {
            if (auto it = onHotKey.find(static_cast<int>(wParam)); it != onHotKey.end()) {
                it->second();
            }
            return 0;
        }
        if (msg == kPing) {
            ++pings;
            if (onPing) {
                onPing();
            }
            return 0;
        }
        return std::nullopt;
    }
    void OnPaint(HDC, const RECT&) override { ++paints; }
};

class PlaybackTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(target.Activate()); }
    ~PlaybackTest() override {
        for (int id : {1, 2}) {
            ::UnregisterHotKey(host.Handle(), id);
        }
        PumpUntil([] { return FirstKeyDown() == 0; }, 1000);
        EXPECT_EQ(FirstKeyDown(), 0) << "a key is left down";
    }

    Outcome Play(const wchar_t* code, int heldModifiers = 0) {
        return player.Play(ReadActionCode(code), {heldModifiers, 0});
    }
    // Waits until the target has seen `count` key messages, and gives them.
    ::testing::AssertionResult AwaitRecords(std::size_t count, std::vector<KeyRecord>& records) {
        auto came = target.Await([&](auto& r) { return r.size() >= count; }, "the keys", 3000);
        records = target.Records();
        return came;
    }
    // The hold as the input stream saw it, after the `downs`th key-down; -1 if it did not come.
    double StreamHold(std::size_t downs, double from) {
        std::vector<InputRecord> seen;
        PumpUntil(
            [&] {
                seen = recorder.Records();
                return seen.size() >= 2 * downs;
            },
            3000);
        std::size_t i = 0;
        while (i < seen.size() && seen[i].ms < from) {
            ++i;
        }
        if (seen.size() < i + 2 * downs) {
            return -1;
        }
        return seen[i + downs].ms - seen[i + downs - 1].ms;
    }
    // Never short, in any try.
    static void ExpectNeverShort(const char* what, const std::vector<double>& holds,
                                 double wanted) {
        for (double measured : holds) {
            std::printf("[ measure  ] %s: %.2f ms (error %+.2f ms)\n", what, measured,
                        measured - wanted);
            EXPECT_GE(measured, wanted - kClockStep) << what << ": released early";
        }
    }

    KeyTarget target;
    InputRecorder recorder;
    Host host;
    SendInputKeyInjector injector;
    TimerKeyHold hold{injector};
    KeyboardWatch watch{injector};
    AsyncKeyboardState keyboard;
    ActionPlayer player{keyboard, hold, watch, injector};
};

TEST_F(PlaybackTest, ChordsArriveInOrderAndHoldTheirLength) {
    struct Case {
        const wchar_t* code;
        std::vector<std::pair<bool, int>> expected;  // (down?, key)
        double hold;
    };
    const std::vector<Case> cases = {
        {L"1|65", {{true, 65}, {false, 65}}, 100},
        {L"2|17|67", {{true, 17}, {true, 67}, {false, 67}, {false, 17}}, 200},
        {L"3|17|16|83",
         {{true, 17}, {true, 16}, {true, 83}, {false, 83}, {false, 16}, {false, 17}},
         200},
    };
    for (const Case& c : cases) {
        std::vector<double> holds;
        for (int attempt = 0; attempt < kTries; ++attempt) {
            target.Clear();
            double start = NowMs();
            ASSERT_EQ(Play(c.code), Outcome::Played);
            std::vector<KeyRecord> records;
            ASSERT_TRUE(AwaitRecords(c.expected.size(), records));
            ASSERT_EQ(records.size(), c.expected.size());
            for (std::size_t i = 0; i < records.size(); ++i) {
                EXPECT_EQ(records[i].Down(), c.expected[i].first) << i;
                EXPECT_EQ(records[i].key, c.expected[i].second) << i;
            }
            holds.push_back(StreamHold(c.expected.size() / 2, start));
        }
        ExpectNeverShort("hold", holds, c.hold);
    }
}

TEST_F(PlaybackTest, BackToBackPlaybacksEachHoldTheirOwnLength) {
    std::vector<double> firsts;
    std::vector<double> seconds;
    for (int attempt = 0; attempt < kTries; ++attempt) {
        double start = NowMs();
        ASSERT_EQ(Play(L"1|65"), Outcome::Played);
        double between = NowMs();
        ASSERT_EQ(Play(L"2|17|67"), Outcome::Played);
        firsts.push_back(StreamHold(1, start));
        seconds.push_back(StreamHold(2, between));
    }
    ExpectNeverShort("first of two", firsts, 100);
    ExpectNeverShort("second of two", seconds, 200);
}

TEST_F(PlaybackTest, PauseKeepsTheThreadsWindowsWorking) {
    ::PostMessageW(host.Handle(), Host::kPing, 0, 0);
    ::InvalidateRect(host.Handle(), nullptr, TRUE);
    int paintsBefore = host.paints;
    ASSERT_EQ(Play(L"1|65"), Outcome::Played);
    // Handled inside the pause, before Play returned.
    EXPECT_EQ(host.pings, 1);
    EXPECT_GT(host.paints, paintsBefore);
}

TEST_F(PlaybackTest, ALoopOfAHandlerDuringTheHoldDoesNotKeepTheKeysDown) {
    // A message handled inside the hold runs a loop of its own for half a second, as a message
    // box, a menu or a window drag does; the keys go up while it runs.
    double loopEnded = 0;
    host.onPing = [&] {
        PumpFor(500);
        loopEnded = NowMs();
    };
    std::vector<double> holds;
    for (int attempt = 0; attempt < kTries; ++attempt) {
        ::PostMessageW(host.Handle(), Host::kPing, 0, 0);
        double start = NowMs();
        ASSERT_EQ(Play(L"2|17|67"), Outcome::Played);
        ASSERT_GT(loopEnded, start) << "the handler's loop did not run in the hold";
        holds.push_back(StreamHold(2, start));
        double up = recorder.Seen('C', true, start);
        EXPECT_TRUE(up >= 0 && up < loopEnded) << "the keys were held until the loop ended";
    }
    ExpectNeverShort("hold under a nested loop", holds, 200);
}

TEST_F(PlaybackTest, HotkeyModifiersStillHeldDoNotReachTheApplication) {
    std::vector<Outcome> outcomes;
    host.onHotKey[1] = [&] { outcomes.push_back(Play(L"2|17|67", mod::kCtrl | mod::kAlt)); };
    ASSERT_TRUE(::RegisterHotKey(host.Handle(), 1, MOD_CONTROL | MOD_ALT, VK_F5));
    // The user holds Ctrl + Alt, the left keys or the right ones, taps F5, and lets go once the
    // action has played.
    for (auto [ctrl, alt] : {std::pair{VK_LCONTROL, VK_LMENU}, {VK_RCONTROL, VK_RMENU}}) {
        SCOPED_TRACE(alt == VK_LMENU ? "left keys" : "right keys");
        outcomes.clear();
        target.Clear();
        ASSERT_TRUE(PressHotKey({ctrl, alt}, VK_F5, [&] { return !outcomes.empty(); }));
        EXPECT_EQ(outcomes, std::vector<Outcome>{Outcome::Played});

        ASSERT_TRUE(target.Await(
            [](auto& r) { return !r.empty() && r.back().key == VK_CONTROL && !r.back().Down(); },
            "Ctrl's release"));
        bool sawC = false;
        for (const KeyRecord& r : target.Records()) {
            if (r.key == 'C' && r.Down()) {
                sawC = true;
                EXPECT_TRUE(r.ctrl);
                EXPECT_FALSE(r.alt);
                EXPECT_FALSE(r.shift);
            }
        }
        EXPECT_TRUE(sawC);
    }
}

TEST_F(PlaybackTest, HotkeyDuringAPauseIsIgnoredAndNothingStaysHeld) {
    std::vector<Outcome> outcomes;
    // Row 1 plays Ctrl + C; Ctrl + C is itself row 2's armed hotkey.
    host.onHotKey[1] = [&] { outcomes.push_back(Play(L"2|17|67", mod::kCtrl | mod::kAlt)); };
    host.onHotKey[2] = [&] { outcomes.push_back(Play(L"1|66", mod::kCtrl)); };
    ASSERT_TRUE(::RegisterHotKey(host.Handle(), 1, MOD_CONTROL | MOD_ALT, VK_F6));
    ASSERT_TRUE(::RegisterHotKey(host.Handle(), 2, MOD_CONTROL, 'C'));
    SendChord({VK_CONTROL, VK_MENU, VK_F6});
    ASSERT_TRUE(PumpUntil([&] { return outcomes.size() == 2; }));
    PumpFor(100);
    EXPECT_EQ(outcomes, (std::vector<Outcome>{Outcome::Ignored, Outcome::Played}));
    EXPECT_FALSE(player.Busy());
}

TEST_F(PlaybackTest, QuitDuringAPauseReleasesAndLeavesTheQuitQueued) {
    ::PostQuitMessage(7);
    EXPECT_EQ(Play(L"2|17|67"), Outcome::CutShort);
    MSG msg;
    ASSERT_TRUE(::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 7u);
    std::vector<KeyRecord> records;
    ASSERT_TRUE(AwaitRecords(4, records));
    ASSERT_EQ(records.size(), 4u);
    EXPECT_FALSE(records[2].Down());
    EXPECT_FALSE(records[3].Down());
}

TEST_F(PlaybackTest, HoldFailureIsReportedInWordsBeforeAnyKeyGoesDown) {
    KeyEvent press{'A', false};
    try {
        hold.Begin({&press, 1}, {{'A', true}}, -1);
        FAIL() << "no error";
    } catch (const RunTimeError& e) {
        EXPECT_EQ(e.Description(), Text(TAVERO_TEXT_HOLD_TOO_LONG, {L"-1"}));
    }
    EXPECT_EQ(FirstKeyDown(), 0);
    // The hold is usable again afterwards.
    hold.Begin({&press, 1}, {{'A', true}}, 1);
    EXPECT_EQ(hold.Wait(1000), WaitResult::Elapsed);
}

TEST_F(PlaybackTest, InjectedEventsCarryTheirOwnScanCodesAndTheMarker) {
    recorder.Clear();
    // Right Shift is told from the left one by its scan code alone; Left shares its scan code
    // with keypad 4 and is told apart by the extended flag.
    ASSERT_EQ(Play(L"2|161|37"), Outcome::Played);
    PumpUntil([&] { return recorder.Records().size() >= 4; }, 2000);
    auto seen = recorder.Records();
    ASSERT_EQ(seen.size(), 4u);
    for (const InputRecord& e : seen) {
        EXPECT_EQ(e.extra, kInjectedKeyMarker);
        EXPECT_EQ(e.scan, e.key == VK_RSHIFT ? 0x36 : static_cast<int>(ScanCodeOf(VK_LEFT)));
        EXPECT_EQ(e.extended, e.key == VK_LEFT) << e.key;
    }
    // Shift + Left reached the application as the arrow, not as keypad 4.
    std::vector<KeyRecord> records;
    ASSERT_TRUE(AwaitRecords(4, records));
    ASSERT_EQ(records.size(), 4u);
    EXPECT_EQ(records[1].key, VK_LEFT);
}

}  // namespace
