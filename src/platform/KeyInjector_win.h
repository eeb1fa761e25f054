#pragma once

#include <windows.h>

#include "platform/KeyInjector.h"
#include "platform/Keys.h"

namespace tavero {

// Marks the program's own key events (the extra-info value) so that they can be told apart
// from the user's: the capture boxes, the keyboard watch and other programs' hooks see it.
inline constexpr ULONG_PTR kInjectedKeyMarker = 0x54415645;  // "TAVE"

// The keyboard layout of the application that has the focus, whose keys the program presses.
HKL FocusedLayout();

// The key's scan code in `layout`: ours where the platform's map is not to be trusted, the map's
// otherwise.
inline UINT ScanCodeOf(int key, HKL layout) {
    int known = KnownScanCode(key);
    return known != 0 ? static_cast<UINT>(known)
                      : ::MapVirtualKeyExW(static_cast<UINT>(key), MAPVK_VK_TO_VSC, layout);
}
// In the calling thread's layout.
inline UINT ScanCodeOf(int key) {
    return ScanCodeOf(key, ::GetKeyboardLayout(0));
}

// Gives every event without a scan code the one of its key in the focused application's layout.
void AssignScanCodes(std::span<KeyEvent> events);

// SendInput with the key's scan code and, for extended keys, the extended flag: an application
// that reads scan codes sees the right key, and Shift+Left is not taken for keypad 4. Every
// event carries the program's marker.
class SendInputKeyInjector : public KeyInjector {
  public:
    std::size_t Send(std::span<const KeyEvent> events) override;
};

// The keys' state as the system has it now: always current on Windows, never to be trusted
// under Wine.
class AsyncKeyboardState : public KeyboardState {
  public:
    bool Current() const override;
    bool IsDown(int key) const override;
};

}  // namespace tavero
