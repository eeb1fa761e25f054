#include "platform/KeyNames_win.h"

#include "platform/KeyInjector_win.h"

namespace tavero {

std::wstring Win32KeyNames::NameOf(int key) const {
    LONG param = static_cast<LONG>(ScanCodeOf(key) << 16);
    // Without the extended bit, Left would be named after keypad 4, and so on.
    if (IsExtendedKey(key)) {
        param |= 1 << 24;
    }
    wchar_t buffer[255] = {};
    int n = ::GetKeyNameTextW(param, buffer, 255);
    return std::wstring(buffer, n > 0 ? static_cast<std::size_t>(n) : 0);
}

std::wstring Win32KeyNames::TypedWithCtrlAlt(int key, bool shift) const {
    BYTE state[256] = {};
    state[VK_CONTROL] = state[VK_LCONTROL] = 0x80;
    state[VK_MENU] = state[VK_RMENU] = 0x80;
    if (shift) {
        state[VK_SHIFT] = state[VK_LSHIFT] = 0x80;
    }
    HKL layout = ::GetKeyboardLayout(0);
    wchar_t typed[8] = {};
    // 4: the layout's dead-key state is left as it was.
    int n =
        ::ToUnicodeEx(static_cast<UINT>(key), ScanCodeOf(key, layout), state, typed, 8, 4, layout);
    if (n < 0) {
        n = 1;  // a dead key: the accent it starts
    }
    std::wstring text(typed, static_cast<std::size_t>(n > 0 ? n : 0));
    // Control characters are no characters to the user.
    return !text.empty() && text[0] >= L' ' ? text : std::wstring();
}

}  // namespace tavero
