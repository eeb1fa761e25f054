#pragma once

#include <windows.h>

#include "platform/KeyInjector.h"
#include "platform/Keys.h"

namespace tavero {

// Marks the program's own key events (the extra-info value) so that they can be told apart
// from the user's: the capture boxes and the repeat guard ignore them.
inline constexpr ULONG_PTR kInjectedKeyMarker = 0x54415645;  // "TAVE"

// The key's scan code: ours where the platform's map is not to be trusted, the map's otherwise.
inline UINT ScanCodeOf(int key) {
    int known = KnownScanCode(key);
    return known != 0 ? static_cast<UINT>(known)
                      : ::MapVirtualKeyW(static_cast<UINT>(key), MAPVK_VK_TO_VSC);
}

// SendInput with the key's scan code and, for extended keys, the extended flag: an application
// that reads scan codes sees the right key, and Shift+Left is not taken for keypad 4.
class SendInputKeyInjector : public KeyInjector {
  public:
    void Send(std::span<const KeyEvent> events) override;
};

// The keys' state as the system has it now. Every question the program asks about it goes
// through here, so that it knows when the last one was asked.
class AsyncKeyboardState : public KeyboardState {
  public:
    bool Current() const override;
    bool IsDown(int key) const override { return IsDownNow(key); }
    static bool IsDownNow(int key);
};

}  // namespace tavero
