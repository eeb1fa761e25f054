#pragma once

#include <vector>

#include "platform/KeyInjector.h"
#include "playback/ActionCode.h"
#include "playback/KeyHold.h"

namespace tavero {

// The hotkey that started a playback: the user may still hold its keys.
struct HeldHotKey {
    int modifiers = 0;  // hotkey modifier flags
    int key = 0;        // its main key; 0 when none
};

// Performs playback plans through the system's input stream.
//
// Guarantees: a key the player pressed is released on time whatever the program is doing
// meanwhile, and whatever happens (an error, a quit during the hold, a hold whose clock never
// comes); a playback that starts while another one is holding is ignored, so actions that
// trigger each other cannot nest without end; the only keys it presses that the plan does not
// are the hotkey's modifiers the user still holds, given back once the action is over.
class ActionPlayer {
  public:
    enum class Outcome {
        Played,
        Empty,     // nothing to play
        Ignored,   // another playback was running
        CutShort,  // the program is quitting; pressed keys were released
        // Nothing played: the keys could not have reached the focused application.
        Unreachable,
    };

    // How long past its end a hold is waited for before the player lets go itself.
    static constexpr int kWaitMarginMs = 1000;

    ActionPlayer(KeyboardState& keyboard, KeyHold& hold, UserKeyboard& user, KeyInjector& injector)
        : keyboard_(keyboard), hold_(hold), user_(user), injector_(injector) {}

    // The hotkey's modifiers still down go up with the first key-downs, unless the plan presses
    // them itself, so the focused application sees exactly the plan's combination; the repeats
    // of its main key are swallowed from then on; once the action is over, the modifiers the
    // user still holds go down again, so that the next tap of the key fires the hotkey again.
    Outcome Play(const std::vector<PlaybackStep>& plan, HeldHotKey from);

    // Whether any hotkey is armed: the user's keyboard is listened to, and what a playback needs
    // is made ready, only then.
    void Ready(bool armed);

    bool Busy() const { return busy_; }

  private:
    KeyboardState& keyboard_;
    KeyHold& hold_;
    UserKeyboard& user_;
    KeyInjector& injector_;
    bool busy_ = false;
};

}  // namespace tavero
