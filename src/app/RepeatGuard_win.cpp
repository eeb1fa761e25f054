#include "app/RepeatGuard_win.h"

#include "platform/KeyInjector_win.h"

namespace tavero {

namespace {
// A hook procedure has no context of its own; there is one user-interface thread.
HHOOK g_hook = nullptr;
UINT_PTR g_timer = 0;
RepeatFilter g_filter;
}  // namespace

void LowLevelRepeatGuard::SwallowRepeatsOf(int key) {
    Stop();
    // Most hotkeys are let go of before their action ends: no hook then, for a hook on the
    // keyboard costs every key event a trip through this program.
    if (!AsyncKeyboardState::IsDownNow(key)) {
        return;
    }
    g_filter.Watch(key, ::GetTickCount());
    g_hook = ::SetWindowsHookExW(WH_KEYBOARD_LL, Hook, ::GetModuleHandleW(nullptr), 0);
    ExpireAtDeadline();
    // A release that came before the hook was in place would never be seen.
    if (!AsyncKeyboardState::IsDownNow(key)) {
        Stop();
    }
}

void LowLevelRepeatGuard::ExpireAtDeadline() {
    DWORD now = ::GetTickCount();
    DWORD left = g_filter.Deadline() - now;
    g_timer = ::SetTimer(nullptr, g_timer, static_cast<int>(left) > 0 ? left : 0, Expire);
}

void CALLBACK LowLevelRepeatGuard::Expire(HWND, UINT, UINT_PTR, DWORD) {
    // Nothing came in time: a key still held would have repeated by now.
    if (static_cast<std::int32_t>(::GetTickCount() - g_filter.Deadline()) >= 0) {
        Stop();
    }
}

void LowLevelRepeatGuard::Stop() {
    if (g_hook != nullptr) {
        ::UnhookWindowsHookEx(g_hook);
        g_hook = nullptr;
    }
    if (g_timer != 0) {
        ::KillTimer(nullptr, g_timer);
        g_timer = 0;
    }
}

LRESULT CALLBACK LowLevelRepeatGuard::Hook(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION && g_hook != nullptr) {
        const auto& event = *reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam);
        bool swallow =
            g_filter.Swallow(static_cast<int>(event.vkCode), (event.flags & LLKHF_UP) != 0,
                             event.dwExtraInfo == kInjectedKeyMarker, event.time);
        if (g_filter.Done()) {
            Stop();
        } else if (swallow) {
            ExpireAtDeadline();
            return 1;
        }
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace tavero
