#include "platform/KeyInjector_win.h"

#include <vector>

#include "platform/Wine_win.h"

namespace tavero {

HKL FocusedLayout() {
    HWND focused = ::GetForegroundWindow();
    DWORD thread = focused != nullptr ? ::GetWindowThreadProcessId(focused, nullptr) : 0;
    return ::GetKeyboardLayout(thread);
}

namespace {

// The event's own scan code, or its key's in the focused application's layout, looked up once
// for all the events of a call.
UINT ScanCodeFor(const KeyEvent& event, HKL& layout) {
    if (event.scan != 0) {
        return static_cast<UINT>(event.scan);
    }
    if (layout == nullptr) {
        layout = FocusedLayout();
    }
    return ScanCodeOf(event.key, layout);
}

}  // namespace

void AssignScanCodes(std::span<KeyEvent> events) {
    HKL layout = nullptr;
    for (KeyEvent& event : events) {
        event.scan = static_cast<int>(ScanCodeFor(event, layout));
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
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = static_cast<WORD>(event.key);
        input.ki.wScan = static_cast<WORD>(ScanCodeFor(event, layout));
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
