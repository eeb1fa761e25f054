#pragma once

#include <vector>

#include "platform/KeyInjector.h"
#include "playback/ActionCode.h"

namespace tavero {

// The hotkey's modifiers around a playback. The system matched the hotkey, so each of its
// modifiers was down as it fired and may be held still: the focused application must see only
// the action's keys, and the user, still holding them, must find them down again afterwards.

// The key-ups that take the hotkey's modifiers up before the action's keys go down, unless the
// action presses that modifier itself. Only the keys the key state shows down go up; where its
// answers may lag (see KeyboardState), both keys of each. A key event that belongs to no key
// comes before the first release of Alt or Win, so the release does not open the application's
// menu bar or the Start menu.
std::vector<KeyEvent> ModifierReleases(const std::vector<PlaybackStep>& plan, int hotkeyModifiers,
                                       const KeyboardState& keyboard);

// The modifier keys of the hotkey that the playback takes up, by its releases first and then by
// the plan's own key-ups (a generic Ctrl is the left one), each once, left and right apart.
std::vector<int> ModifiersTakenUp(const std::vector<KeyEvent>& releases,
                                  const std::vector<PlaybackStep>& plan, int hotkeyModifiers);

// The key-downs that give back to the user the keys of `takenUp` that the user still holds,
// followed by the key event of no key when Alt or Win is among them (the user's own release of
// a lone Alt or Win would otherwise open a menu). Nothing the user may have let go of: a key
// not known to be held is never pressed back.
std::vector<KeyEvent> ModifiersToGiveBack(const std::vector<int>& takenUp, UserKeyboard& user);

}  // namespace tavero
