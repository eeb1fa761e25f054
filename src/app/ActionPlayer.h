#pragma once

#include <vector>

#include "app/ActionCode.h"
#include "platform/KeyHold.h"
#include "platform/KeyInjector.h"

namespace tavero {

// The hotkey that started a playback: the user may still hold its keys.
struct HeldHotKey {
    int modifiers = 0;  // hotkey modifier flags
    int key = 0;        // its main key; 0 when none
};

// Performs playback plans through the system's input stream.
//
// Guarantees: a key the player pressed is released on time whatever the program is doing
// meanwhile, and whatever happens (an error, a quit during the hold); a playback that starts
// while another one is holding is ignored, so actions that trigger each other cannot nest
// without end; keys the player did not press are never pressed by it.
class ActionPlayer {
  public:
    enum class Outcome {
        Played,
        Empty,     // nothing to play
        Ignored,   // another playback was running
        CutShort,  // the program is quitting; pressed keys were released
    };

    ActionPlayer(KeyboardState& keyboard, KeyHold& hold, KeyRepeatGuard& repeats)
        : keyboard_(keyboard), hold_(hold), repeats_(repeats) {}

    // The hotkey's modifiers are released with the first key-downs, unless the plan presses
    // them itself, so the focused application sees exactly the plan's combination; the repeats
    // of its main key, still held, are swallowed.
    Outcome Play(const std::vector<PlaybackStep>& plan, HeldHotKey from);

    bool Busy() const { return busy_; }

  private:
    std::vector<KeyEvent> HeldModifierReleases(const std::vector<PlaybackStep>& plan,
                                               int heldModifiers);

    KeyboardState& keyboard_;
    KeyHold& hold_;
    KeyRepeatGuard& repeats_;
    bool busy_ = false;
};

}  // namespace tavero
