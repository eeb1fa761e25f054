#pragma once

#include <functional>
#include <vector>

namespace tavero {

// The keys to let go of to free a keyboard left in a muddle by any program: every key the
// system has down that no hand on a keyboard holds. The generic Shift, Ctrl and Alt stand for
// their left and right keys, which go up themselves, each as its own key would; mouse buttons
// are no keys.
std::vector<int> StuckKeys(const std::function<bool(int key)>& down,
                           const std::function<bool(int key)>& handHeld);

}  // namespace tavero
