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

    // `heldModifiers` (hotkey modifier flags) names the modifiers the user may still hold: those
    // of the hotkey that started the playback. Those still down are released with the first
    // key-downs, unless the plan presses them itself, so the focused application sees exactly
    // the plan's combination. 0 checks none; mod::kAll checks every modifier.
    Outcome Play(const std::vector<PlaybackStep>& plan, int heldModifiers);

    bool Busy() const { return busy_; }

  private:
    std::vector<KeyEvent> HeldModifierReleases(const std::vector<PlaybackStep>& plan,
                                               int heldModifiers) const;
    void ReleasePressed();

    KeyInjector& injector_;
    const KeyboardState& keyboard_;
    TimedWait& wait_;
    bool busy_ = false;
    std::vector<int> pressed_;  // in press order
};

}  // namespace tavero
