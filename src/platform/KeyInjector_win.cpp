#include "platform/KeyInjector_win.h"

#include <vector>

#include "platform/Wine_win.h"

namespace tavero {

HKL FocusedLayout() {
    HWND focused = ::GetForegroundWindow();
    DWORD thread = focused != nullptr ? ::GetWindowThreadProcessId(focused, nullptr) : 0;
    return ::GetKeyboardLayout(thread);
}

void AssignScanCodes(std::span<KeyEvent> events) {
    HKL layout = nullptr;
    for (KeyEvent& event : events) {
        if (event.scan == 0) {
            if (layout == nullptr) {
                layout = FocusedLayout();
            }
            event.scan = static_cast<int>(ScanCodeOf(event.key, layout));
        }
    }
}

bool AsyncKeyboardState::Current() const {
    // Wine answers each thread from a copy it keeps for 50 ms, and brings the keys in line with
    // the X server's (which knows nothing of injected keys) when a window gets the focus: a key
    // held down can read as up there at any time.
    return !RunningUnderWine();
}

bool AsyncKeyboardState::IsDown(int key) const {
    return ::GetAsyncKeyState(key) < 0;
}

std::size_t SendInputKeyInjector::Send(std::span<const KeyEvent> events) {
    std::vector<INPUT> inputs;
    inputs.reserve(events.size());
    HKL layout = nullptr;
    for (const KeyEvent& event : events) {
        int scan = event.scan;
        if (scan == 0) {
            layout = layout != nullptr ? layout : FocusedLayout();
            scan = static_cast<int>(ScanCodeOf(event.key, layout));
        }
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = static_cast<WORD>(event.key);
        input.ki.wScan = static_cast<WORD>(scan);
        input.ki.dwFlags = (event.up ? KEYEVENTF_KEYUP : 0) |
                           (IsExtendedKey(event.key) ? KEYEVENTF_EXTENDEDKEY : 0);
        input.ki.dwExtraInfo = kInjectedKeyMarker;
        inputs.push_back(input);
    }
    if (inputs.empty()) {
        return 0;
    }
    return ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

}  // namespace tavero
