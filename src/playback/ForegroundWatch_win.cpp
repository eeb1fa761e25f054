#include "playback/ForegroundWatch_win.h"

#include "platform/Wine_win.h"

namespace tavero {

namespace {
ForegroundWatch* g_watch = nullptr;
constexpr UINT kWineLookMs = 250;
}  // namespace

void ForegroundWatch::Watch(bool on) {
    if (on == static_cast<bool>(hook_)) {
        return;
    }
    if (!on) {
        hook_.Reset();
        g_watch = nullptr;
        Look();
        return;
    }
    g_watch = this;
    hook_.Reset(::SetWinEventHook(EVENT_SYSTEM_FOREGROUND, EVENT_SYSTEM_FOREGROUND, nullptr,
                                  OnSwitch, 0, 0, WINEVENT_OUTOFCONTEXT));
    onSwitch_();
    Look();
}

void ForegroundWatch::FollowClosely(bool on) {
    closely_ = on;
    Look();
}

void ForegroundWatch::Look() {
    bool looking = closely_ && hook_ && RunningUnderWine();
    if (looking == (lookTimer_ != 0)) {
        return;
    }
    if (looking) {
        lastSeen_ = ::GetForegroundWindow();
        lookTimer_ = ::SetTimer(nullptr, 0, kWineLookMs, OnLook);
    } else {
        ::KillTimer(nullptr, lookTimer_);
        lookTimer_ = 0;
    }
}

void CALLBACK ForegroundWatch::OnSwitch(HWINEVENTHOOK, DWORD, HWND, LONG, LONG, DWORD, DWORD) {
    if (g_watch != nullptr) {
        g_watch->lastSeen_ = ::GetForegroundWindow();
        g_watch->onSwitch_();
    }
}

void CALLBACK ForegroundWatch::OnLook(HWND, UINT, UINT_PTR, DWORD) {
    if (g_watch != nullptr && ::GetForegroundWindow() != g_watch->lastSeen_) {
        OnSwitch(nullptr, 0, nullptr, 0, 0, 0, 0);
    }
}

}  // namespace tavero
