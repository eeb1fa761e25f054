#include "platform/KeyInjector_win.h"

#include <vector>

namespace tavero {

namespace {
// The copy Wine keeps lasts 50 ms; a margin for the clock's steps.
constexpr DWORD kLagMs = 60;
// Wine keeps its copy per thread, so the program keeps the time of its last question per thread.
thread_local bool g_asked = false;
thread_local DWORD g_askedMs = 0;
}  // namespace

bool AsyncKeyboardState::Current() const {
    return !g_asked || ::GetTickCount() - g_askedMs > kLagMs;
}

bool AsyncKeyboardState::IsDownNow(int key) {
    g_asked = true;
    g_askedMs = ::GetTickCount();
    return ::GetAsyncKeyState(key) < 0;
}

void SendInputKeyInjector::Send(std::span<const KeyEvent> events) {
    std::vector<INPUT> inputs;
    inputs.reserve(events.size());
    for (const KeyEvent& event : events) {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = static_cast<WORD>(event.key);
        input.ki.wScan = static_cast<WORD>(ScanCodeOf(event.key));
        input.ki.dwFlags = (event.up ? KEYEVENTF_KEYUP : 0) |
                           (IsExtendedKey(event.key) ? KEYEVENTF_EXTENDEDKEY : 0);
        input.ki.dwExtraInfo = kInjectedKeyMarker;
        inputs.push_back(input);
    }
    if (!inputs.empty()) {
        ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    }
}

}  // namespace tavero
