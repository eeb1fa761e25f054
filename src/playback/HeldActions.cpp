#include "playback/HeldActions.h"

#include <algorithm>

#include "playback/ModifierKeys.h"

namespace tavero {

std::vector<PlaybackStep> HeldFor(std::vector<PlaybackStep> plan, int ms) {
    if (ms <= 0) {
        return plan;
    }
    for (PlaybackStep& step : plan) {
        if (step.kind == PlaybackStep::Kind::Pause) {
            step.value = ms;
        }
    }
    return plan;
}

namespace {

int LengthOf(const std::vector<PlaybackStep>& plan) {
    for (const PlaybackStep& step : plan) {
        if (step.kind == PlaybackStep::Kind::Pause) {
            return step.value;
        }
    }
    return 0;
}

}  // namespace

HeldActions::HeldActions(ActionPlayer& player, KeyInjector& injector, const KeyboardState& keyboard,
                         UserKeyboard& user, Ticker& ticker, KeyboardRepeat repeat)
    : player_(player),
      injector_(injector),
      keyboard_(keyboard),
      user_(user),
      ticker_(ticker),
      repeat_(repeat) {}

ActionPlayer::Outcome HeldActions::Press(int row, PressMode mode, std::vector<PlaybackStep> plan,
                                         HeldHotKey from) {
    if (plan.empty()) {
        return ActionPlayer::Outcome::Empty;
    }
    if (Pressing(row)) {
        return ActionPlayer::Outcome::Ignored;
    }
    switch (mode.kind) {
        case PressMode::Kind::Hold:
            if (from.key != 0) {
                return Hold(row, plan, from);
            }
            break;  // no key whose release could end it: a tap
        case PressMode::Kind::Repeat:
            if (from.key != 0) {
                return Repeat(row, std::move(plan), from);
            }
            break;
        case PressMode::Kind::Tap:
            break;
    }
    return player_.Play(HeldFor(std::move(plan), mode.tapMs), from);
}

bool HeldActions::StillHeld(const Row& row) const {
    // Heard let go of, never heard pressed, or up by the system's own account (a key-up missed
    // on another desktop, a locked session): it is not held.
    return user_.StateOf(row.key) == UserKeyboard::Key::Down &&
           (!keyboard_.Current() || keyboard_.IsDown(row.key));
}

ActionPlayer::Outcome HeldActions::Hold(int row, const std::vector<PlaybackStep>& plan,
                                        HeldHotKey from) {
    user_.CatchUp();
    Row& held = rows_.at(RowIndex(row));
    std::vector<KeyEvent> presses = ModifierReleases(plan, from.modifiers, keyboard_);
    held.takenUp = ModifiersTakenUp(presses, plan, from.modifiers);
    held.releases.clear();
    for (const PlaybackStep& step : plan) {
        if (step.kind == PlaybackStep::Kind::KeyDown) {
            presses.push_back({step.value, false});
        } else if (step.kind == PlaybackStep::Kind::KeyUp) {
            held.releases.push_back({step.value, true});
        }
    }
    held.active = true;
    held.key = from.key;
    held.from = from;
    injector_.Send(presses);
    user_.SwallowRepeatsOf(from.key);
    if (!StillHeld(held)) {
        End(row);  // let go of already: a tap as short as the hand's
    }
    Watch();
    return ActionPlayer::Outcome::Played;
}

ActionPlayer::Outcome HeldActions::Repeat(int row, std::vector<PlaybackStep> plan,
                                          HeldHotKey from) {
    Row& repeating = rows_.at(RowIndex(row));
    repeating.active = true;
    repeating.key = from.key;
    repeating.from = from;
    // Each repetition a tap as short as half the repeat's period at most, so that taps never
    // run into each other at the fastest rate.
    int first = LengthOf(plan);
    repeating.plan = HeldFor(plan, std::clamp(repeat_.periodMs / 2, 1, first));
    ActionPlayer::Outcome outcome = player_.Play(plan, from);
    // Let go of during the tap, or the row let go of meanwhile: it ends there.
    if (!repeating.active || outcome != ActionPlayer::Outcome::Played || !StillHeld(repeating)) {
        End(row);
        return outcome;
    }
    repeating.repeating = true;
    ticker_.Start(RepeatId(row), std::max(0, repeat_.delayMs - first));
    Watch();
    return outcome;
}

void HeldActions::RepeatAgain(int row) {
    // A release already on its way is heard first: no repetition crosses it.
    user_.CatchUp();
    Row& repeating = rows_.at(RowIndex(row));
    if (!repeating.repeating) {
        return;
    }
    if (!StillHeld(repeating)) {
        End(row);
        return;
    }
    ticker_.Start(RepeatId(row), repeat_.periodMs);
    // Another playback in progress (its hold pumps this tick): this repetition is skipped.
    player_.Play(repeating.plan, repeating.from);
    if (repeating.repeating && !StillHeld(repeating)) {
        End(row);
    }
}

void HeldActions::Released(int key) {
    for (int row = 0; row < kRowCount; ++row) {
        const Row& pressing = rows_.at(RowIndex(row));
        if (pressing.active && pressing.key == key) {
            End(row);
        }
    }
}

void HeldActions::Tick(int id) {
    if (id == kCheck) {
        watching_ = false;
        for (int row = 0; row < kRowCount; ++row) {
            if (Pressing(row) && !StillHeld(rows_.at(RowIndex(row)))) {
                End(row);
            }
        }
        Watch();
    } else if (id >= RepeatId(0) && id <= RepeatId(kRowCount - 1)) {
        RepeatAgain(id - RepeatId(0));
    }
}

void HeldActions::LetGo(int row) {
    if (Pressing(row)) {
        End(row);
    }
}

std::vector<int> HeldActions::LetGoOfAll() {
    std::vector<int> keys;
    for (int row = 0; row < kRowCount; ++row) {
        for (const KeyEvent& release : rows_.at(RowIndex(row)).releases) {
            keys.push_back(release.key);
        }
        LetGo(row);
    }
    return keys;
}

void HeldActions::End(int row) {
    Row& ended = rows_.at(RowIndex(row));
    std::vector<KeyEvent> releases = std::move(ended.releases);
    std::vector<int> takenUp = std::move(ended.takenUp);
    ended = Row{};
    ticker_.Stop(RepeatId(row));
    if (!releases.empty()) {
        injector_.Send(releases);
        if (std::vector<KeyEvent> back = ModifiersToGiveBack(takenUp, user_); !back.empty()) {
            injector_.Send(back);
        }
    }
    Watch();
}

void HeldActions::Watch() {
    bool any = std::any_of(rows_.begin(), rows_.end(), [](const Row& r) { return r.active; });
    if (any && !watching_) {
        ticker_.Start(kCheck, kCheckEveryMs);
        watching_ = true;
    } else if (!any && watching_) {
        ticker_.Stop(kCheck);
        watching_ = false;
    }
}

}  // namespace tavero
