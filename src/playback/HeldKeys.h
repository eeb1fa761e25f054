#pragma once

#include <array>
#include <cstddef>

#include "platform/KeyInjector.h"

namespace tavero {

// What the user's hands hold, from the key events the system takes, in its order, heard from
// when listening starts: a key is Down from the user's press of it to the user's release, Up
// after the release, Unknown before either was heard. The program's own events (its marker)
// change nothing, except where the program pressed a key back for the user: should the user's
// release of it have come before that press, the press would leave the key down with no one
// holding it, and the key is handed back to be let go of.
class HeldKeys {
  public:
    using Key = UserKeyboard::Key;

    // One key event (left and right keys apart). Returns the key to let go of again, or 0.
    int Heard(int key, bool up, bool own) {
        if (!Valid(key)) {
            return 0;
        }
        std::size_t k = Index(key);
        if (own) {
            if (up || !pressingBack_[k]) {
                return 0;
            }
            pressingBack_[k] = false;
            return state_[k] == Key::Down ? 0 : key;
        }
        state_[k] = up ? Key::Up : Key::Down;
        return 0;
    }
    Key StateOf(int key) const { return Valid(key) ? state_[Index(key)] : Key::Unknown; }
    void PressingBack(int key) {
        if (Valid(key)) {
            pressingBack_[Index(key)] = true;
        }
    }
    void Forget() {
        state_.fill(Key::Unknown);
        pressingBack_.fill(false);
    }

  private:
    static bool Valid(int key) { return key > 0 && key < 256; }
    static std::size_t Index(int key) { return static_cast<std::size_t>(key); }

    std::array<Key, 256> state_{};
    std::array<bool, 256> pressingBack_{};
};

}  // namespace tavero
