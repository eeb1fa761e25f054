#include "platform/KeyInjector_win.h"

#include <vector>

namespace tavero {

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
