#include "ui/SkinnedWindow_win.h"

namespace tavero {

bool HandleSkinnedWindowMessage(HWND window, UINT msg, WPARAM wParam, LPARAM lParam,
                                const std::function<void(int dpi)>& layout, LRESULT& result) {
    if (msg == WM_SYSCOMMAND && (wParam & 0xFFF0) == SC_KEYMENU) {
        result = 0;
        return true;
    }
    if (msg == WM_DPICHANGED) {
        layout(HIWORD(wParam));
        const RECT* suggested = reinterpret_cast<const RECT*>(lParam);
        ::SetWindowPos(window, nullptr, suggested->left, suggested->top, 0, 0,
                       SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        result = 0;
        return true;
    }
    return false;
}

void CentreOnWorkArea(HWND window) {
    RECT r;
    ::GetWindowRect(window, &r);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    ::GetMonitorInfoW(::MonitorFromWindow(window, MONITOR_DEFAULTTOPRIMARY), &monitor);
    const RECT& work = monitor.rcWork;
    ::SetWindowPos(window, nullptr, work.left + (work.right - work.left - (r.right - r.left)) / 2,
                   work.top + (work.bottom - work.top - (r.bottom - r.top)) / 2, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace tavero
