#pragma once

#include <array>
#include <vector>

#include "platform/KeyInjector.h"
#include "platform/RowCount.h"
#include "platform/Ticker.h"
#include "playback/ActionPlayer.h"
#include "playback/PressMode.h"

namespace tavero {

// Rows whose actions press for as long as their hotkey is held: held down, or repeated. A tap
// plays through the player as always; a hold sends its presses and returns, its releases owed
// until the user lets go of the hotkey's main key; a repetition taps again at the keyboard's
// repeat delay and rate while that key is held.
//
// Never a key left down: what a row holds goes up when the user lets go of the key, when the
// program can no longer tell that the hand holds it (looked at every kCheckEveryMs while anything
// is held or repeating, and never while nothing is), and whenever the program lets go of a row or
// of them all (a pause, a disarm, a change of the row, the quit, "Release all keys"). The user's
// modifiers of the hotkey are given back as after a tap. While a row holds or repeats, its own
// hotkey starts nothing more; other rows play beside it.
class HeldActions {
  public:
    static constexpr int kCheckEveryMs = 100;

    HeldActions(ActionPlayer& player, KeyInjector& injector, const KeyboardState& keyboard,
                UserKeyboard& user, Ticker& ticker, KeyboardRepeat repeat);

    // `row`'s hotkey fired: its action `plan`, pressed as `mode` says.
    ActionPlayer::Outcome Press(int row, PressMode mode, std::vector<PlaybackStep> plan,
                                HeldHotKey from);
    // The user let go of `key`.
    void Released(int key);
    // The ticker's call.
    void Tick(int id);
    void LetGo(int row);
    // The keys the rows held, now let go of.
    std::vector<int> LetGoOfAll();
    bool Pressing(int row) const { return rows_.at(RowIndex(row)).active; }

  private:
    struct Row {
        bool active = false;
        bool repeating = false;
        int key = 0;  // the hotkey's main key, whose release ends it
        HeldHotKey from;
        std::vector<PlaybackStep> plan;  // repeating: the tap played again
        std::vector<KeyEvent> releases;  // holding: owed
        std::vector<int> takenUp;        // holding: the user's modifiers taken up
    };
    static constexpr int kCheck = 0;
    static int RepeatId(int row) { return row + 1; }
    // Whether the user still holds the row's main key, as far as the program can tell.
    bool StillHeld(const Row& row) const;
    ActionPlayer::Outcome Hold(int row, const std::vector<PlaybackStep>& plan, HeldHotKey from);
    ActionPlayer::Outcome Repeat(int row, std::vector<PlaybackStep> plan, HeldHotKey from);
    void RepeatAgain(int row);
    void End(int row);
    // The look at the hands runs while anything is held or repeating, and only then.
    void Watch();

    ActionPlayer& player_;
    KeyInjector& injector_;
    const KeyboardState& keyboard_;
    UserKeyboard& user_;
    Ticker& ticker_;
    KeyboardRepeat repeat_;
    std::array<Row, kRowCount> rows_;
    bool watching_ = false;
};

// `plan` with its keys held `ms` instead of its own length (0: its own).
std::vector<PlaybackStep> HeldFor(std::vector<PlaybackStep> plan, int ms);

}  // namespace tavero
