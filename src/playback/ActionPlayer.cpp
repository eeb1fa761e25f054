#include "playback/ActionPlayer.h"

#include "playback/ModifierKeys.h"

namespace tavero {

void ActionPlayer::Ready(bool armed) {
    user_.Listen(armed);
    if (armed) {
        hold_.Prepare();
    }
}

ActionPlayer::Outcome ActionPlayer::Play(const std::vector<PlaybackStep>& plan, HeldHotKey from) {
    if (plan.empty()) {
        return Outcome::Empty;
    }
    if (busy_) {
        return Outcome::Ignored;
    }
    // The plan is its presses, one hold, and its releases. The user's modifiers go up in the
    // same call as the presses: nothing can come between.
    std::vector<KeyEvent> presses = ModifierReleases(plan, from.modifiers, keyboard_);
    std::vector<int> takenUp = ModifiersTakenUp(presses, plan, from.modifiers);
    std::vector<KeyEvent> releases;
    int holdMs = 0;
    bool held = false;
    for (const PlaybackStep& step : plan) {
        if (step.kind == PlaybackStep::Kind::Pause) {
            holdMs += step.value;
            held = true;
        } else {
            (held ? releases : presses)
                .push_back({step.value, step.kind == PlaybackStep::Kind::KeyUp});
        }
    }

    busy_ = true;
    WaitResult result = WaitResult::Elapsed;
    try {
        hold_.Begin(presses, std::move(releases), holdMs);
        // After the presses, so nothing delays them; from the first repeat on, during the hold
        // too.
        if (from.key != 0) {
            user_.SwallowRepeatsOf(from.key);
        }
        result = hold_.Wait(holdMs + kWaitMarginMs);
        if (result == WaitResult::TimedOut) {
            hold_.ReleaseNow();
        }
        if (result != WaitResult::QuitRequested) {
            if (std::vector<KeyEvent> back = ModifiersToGiveBack(takenUp, user_); !back.empty()) {
                injector_.Send(back);
            }
        }
    } catch (...) {
        hold_.ReleaseNow();
        busy_ = false;
        throw;
    }
    busy_ = false;
    return result == WaitResult::QuitRequested ? Outcome::CutShort : Outcome::Played;
}

}  // namespace tavero
