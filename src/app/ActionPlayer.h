#pragma once

#include <vector>

#include "app/ActionCode.h"
#include "platform/KeyInjector.h"
#include "platform/TimedWait.h"

namespace tavero {

// Performs playback plans through the system's input stream.
//
// Guarantees: a key the player pressed is released whatever happens (an error in the pause,
// a quit during it); a playback that starts while another one is pausing is ignored, so actions
// that trigger each other cannot nest without end; keys the player did not press are never
// pressed by it.
class ActionPlayer {
  public:
    enum class Outcome {
        Played,
        Empty,     // nothing to play
        Ignored,   // another playback was running
        CutShort,  // the program is quitting; pressed keys were released
    };

    ActionPlayer(KeyInjector& injector, const KeyboardState& keyboard, TimedWait& wait)
        : injector_(injector), keyboard_(keyboard), wait_(wait) {}

    // With `releaseHeldModifiers`, modifiers the user still holds (those of the hotkey that
    // started the playback) are released first, unless the plan presses them itself, so the
    // focused application sees exactly the plan's combination.
    Outcome Play(const std::vector<PlaybackStep>& plan, bool releaseHeldModifiers);

    bool Busy() const { return busy_; }

  private:
    void ReleaseHeldModifiers(const std::vector<PlaybackStep>& plan);
    void ReleasePressed();

    KeyInjector& injector_;
    const KeyboardState& keyboard_;
    TimedWait& wait_;
    bool busy_ = false;
    std::vector<int> pressed_;  // in press order
};

}  // namespace tavero
