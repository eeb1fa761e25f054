#pragma once

#include <string>

namespace tavero {

// What the keyboard layout says of keys.
class KeyNames {
  public:
    virtual ~KeyNames() = default;
    // The platform's display name of a key, empty when it has none.
    virtual std::wstring NameOf(int key) const = 0;
    // The character the key types with Ctrl and Alt (and Shift) down, which layouts with an
    // AltGr key give many keys; empty when it types none.
    virtual std::wstring TypedWithCtrlAlt(int key, bool shift) const = 0;
};

}  // namespace tavero
