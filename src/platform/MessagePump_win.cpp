#include "platform/MessagePump_win.h"

#include <algorithm>
#include <vector>

namespace tavero {

namespace {
// One user-interface thread: no lock needed.
std::vector<HWND>& NavigableWindows() {
    static std::vector<HWND> windows;
    return windows;
}
}  // namespace

void MessagePump::AddNavigableWindow(HWND window) {
    NavigableWindows().push_back(window);
}

void MessagePump::RemoveNavigableWindow(HWND window) {
    auto& windows = NavigableWindows();
    windows.erase(std::remove(windows.begin(), windows.end(), window), windows.end());
}

void MessagePump::Dispatch(MSG& msg) {
    // Navigation is by keyboard alone; nothing else need pass by it (the hotkey message least).
    if (msg.message >= WM_KEYFIRST && msg.message <= WM_KEYLAST) {
        for (HWND window : NavigableWindows()) {
            if (::IsWindowVisible(window) && ::IsDialogMessageW(window, &msg)) {
                return;
            }
        }
    }
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
}

void MessagePump::RunFor(int ms) {
    ULONGLONG deadline = ::GetTickCount64() + static_cast<ULONGLONG>(ms);
    for (ULONGLONG now = ::GetTickCount64(); now < deadline; now = ::GetTickCount64()) {
        ::MsgWaitForMultipleObjectsEx(0, nullptr, static_cast<DWORD>(deadline - now), QS_ALLINPUT,
                                      MWMO_INPUTAVAILABLE);
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                ::PostQuitMessage(static_cast<int>(msg.wParam));
                return;
            }
            Dispatch(msg);
        }
    }
}

int MessagePump::Run() {
    MSG msg;
    for (;;) {
        BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0 || got == -1) {
            return got == 0 ? static_cast<int>(msg.wParam) : 1;
        }
        Dispatch(msg);
    }
}

}  // namespace tavero
