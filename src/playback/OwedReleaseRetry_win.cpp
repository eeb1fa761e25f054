#include "playback/OwedReleaseRetry_win.h"

namespace tavero {

namespace {
constexpr const wchar_t* kClassName = L"TaveroOwedReleaseRetry";
constexpr UINT kOwed = WM_APP + 1;  // this window's own
OwedReleaseRetry* g_retry = nullptr;
}  // namespace

void OwedReleaseRetry::Prepare() {
    if (Handle() != nullptr || !MakeMessageOnly(kClassName)) {
        return;
    }
    g_retry = this;
    // The refusal may happen on the hold's own thread; the watch lives on this one.
    HWND window = Handle();
    injector_.onOwed = [window] { ::PostMessageW(window, kOwed, 0, 0); };
}

OwedReleaseRetry::~OwedReleaseRetry() {
    injector_.onOwed = nullptr;
    Watch(false);
    g_retry = nullptr;
    Destroy();
}

void OwedReleaseRetry::Watch(bool on) {
    for (std::size_t i = 0; i < hooks_.size(); ++i) {
        hooks_[i].Reset();
        if (on) {
            DWORD event = i == 0 ? EVENT_SYSTEM_FOREGROUND : EVENT_SYSTEM_DESKTOPSWITCH;
            hooks_[i].Reset(
                ::SetWinEventHook(event, event, nullptr, OnSwitch, 0, 0, WINEVENT_OUTOFCONTEXT));
        }
    }
}

std::optional<LRESULT> OwedReleaseRetry::OnMessage(UINT msg, WPARAM, LPARAM) {
    if (msg != kOwed) {
        return std::nullopt;
    }
    Watch(!injector_.Retry());
    return 0;
}

void CALLBACK OwedReleaseRetry::OnSwitch(HWINEVENTHOOK, DWORD, HWND, LONG, LONG, DWORD, DWORD) {
    if (g_retry != nullptr && g_retry->injector_.Retry()) {
        g_retry->Watch(false);
    }
}

}  // namespace tavero
