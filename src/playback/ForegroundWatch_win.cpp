#include "playback/ForegroundWatch_win.h"

namespace tavero {

namespace {
ForegroundWatch* g_watch = nullptr;
}

void ForegroundWatch::Watch(bool on) {
    if (on == static_cast<bool>(hook_)) {
        return;
    }
    if (!on) {
        hook_.Reset();
        g_watch = nullptr;
        return;
    }
    g_watch = this;
    hook_.Reset(::SetWinEventHook(EVENT_SYSTEM_FOREGROUND, EVENT_SYSTEM_FOREGROUND, nullptr,
                                  OnSwitch, 0, 0, WINEVENT_OUTOFCONTEXT));
    targets_.ForegroundChanged();
}

void CALLBACK ForegroundWatch::OnSwitch(HWINEVENTHOOK, DWORD, HWND, LONG, LONG, DWORD, DWORD) {
    if (g_watch != nullptr) {
        g_watch->targets_.ForegroundChanged();
    }
}

}  // namespace tavero
