#include "app/RepeatGuard_win.h"

#include "platform/KeyInjector_win.h"

namespace tavero {

namespace {
// A hook procedure has no context of its own; there is one user-interface thread.
HHOOK g_hook = nullptr;
DWORD g_key = 0;
}  // namespace

void LowLevelRepeatGuard::SwallowRepeatsOf(int key) {
    Stop();
    if (::GetAsyncKeyState(key) >= 0) {
        return;
    }
    g_key = static_cast<DWORD>(key);
    g_hook = ::SetWindowsHookExW(WH_KEYBOARD_LL, Hook, ::GetModuleHandleW(nullptr), 0);
    // An up that came before the hook was in place would never be seen.
    if (::GetAsyncKeyState(key) >= 0) {
        Stop();
    }
}

void LowLevelRepeatGuard::Stop() {
    if (g_hook != nullptr) {
        ::UnhookWindowsHookEx(g_hook);
        g_hook = nullptr;
    }
}

LRESULT CALLBACK LowLevelRepeatGuard::Hook(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION) {
        const auto& event = *reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam);
        bool up = (event.flags & LLKHF_UP) != 0;
        if (event.dwExtraInfo != kInjectedKeyMarker) {
            if (event.vkCode == g_key && !up) {
                return 1;  // a repeat of the held key
            }
            if (event.vkCode == g_key || !up) {
                Stop();  // the key is up, or the user has moved on to another
            }
        }
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace tavero
