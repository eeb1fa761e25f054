#include "ui/FocusRing_win.h"

#include <algorithm>
#include <vector>

#include "platform/Handles_win.h"
#include "ui/Skin_win.h"
#include "ui/Twips.h"

namespace tavero {

namespace {

// One user-interface thread: no lock.
std::vector<FocusRing*>& Rings() {
    static std::vector<FocusRing*> rings;
    return rings;
}
UniqueWinEventHook g_hook;  // while any ring is

bool ShowsItsOwnFocus(HWND control) {
    wchar_t name[32] = {};
    ::GetClassNameW(control, name, 32);
    if (std::wstring_view(name) == L"TaveroDrawnButton" ||
        std::wstring_view(name) == L"TaveroTitleStrip") {
        return true;
    }
    return std::wstring_view(name) == L"Button" &&
           (::GetWindowLongPtrW(control, GWL_STYLE) & BS_TYPEMASK) == BS_OWNERDRAW;
}

}  // namespace

FocusRing::FocusRing(HWND window) : window_(window) {
    if (Rings().empty()) {
        g_hook.Reset(::SetWinEventHook(EVENT_OBJECT_FOCUS, EVENT_OBJECT_FOCUS, nullptr, OnFocus,
                                       ::GetCurrentProcessId(), ::GetCurrentThreadId(),
                                       WINEVENT_OUTOFCONTEXT));
    }
    Rings().push_back(this);
}

FocusRing::~FocusRing() {
    auto& rings = Rings();
    rings.erase(std::remove(rings.begin(), rings.end(), this), rings.end());
    if (rings.empty()) {
        g_hook.Reset();
    }
}

void CALLBACK FocusRing::OnFocus(HWINEVENTHOOK, DWORD, HWND focused, LONG, LONG, DWORD, DWORD) {
    HWND root = ::GetAncestor(focused, GA_ROOT);
    for (FocusRing* ring : Rings()) {
        if (ring->window_ == root) {
            ring->Moved(focused);
        }
    }
}

void FocusRing::Moved(HWND focused) {
    // The window's own control that holds the focus: a capture box's, a list's edit is theirs.
    HWND control = focused;
    while (control != nullptr && ::GetParent(control) != window_) {
        control = ::GetParent(control);
    }
    if (control != nullptr && ShowsItsOwnFocus(control)) {
        control = nullptr;
    }
    if (control == ringed_) {
        return;
    }
    for (HWND changed : {ringed_, control}) {
        if (changed != nullptr) {
            RECT area = Around(changed);
            ::InvalidateRect(window_, &area, TRUE);
        }
    }
    ringed_ = control;
}

RECT FocusRing::Around(HWND control) const {
    RECT r;
    ::GetWindowRect(control, &r);
    ::MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&r), 2);
    int dpi = static_cast<int>(::GetDpiForWindow(window_));
    int outset = ScalePixels(3, dpi);
    ::InflateRect(&r, outset, outset);
    return r;
}

void FocusRing::Paint(HDC dc) {
    if (ringed_ == nullptr || !::IsWindow(ringed_) || !::IsWindowVisible(ringed_)) {
        return;
    }
    int dpi = static_cast<int>(::GetDpiForWindow(window_));
    DrawFocusRing(dc, Around(ringed_), ScalePixels(2, dpi), ::GetSysColor(COLOR_BTNTEXT));
}

}  // namespace tavero
