#include "platform/Ticker_win.h"

namespace tavero {

namespace {
constexpr const wchar_t* kClassName = L"TaveroTicker";
// A timer's identifier is its number plus one: the system takes none for 0 on some windows.
UINT_PTR TimerOf(int id) {
    return static_cast<UINT_PTR>(id) + 1;
}
}  // namespace

WindowTicker::~WindowTicker() {
    Destroy();
}

void WindowTicker::Start(int id, int ms) {
    if (MakeMessageOnly(kClassName)) {
        ::SetTimer(Handle(), TimerOf(id), static_cast<UINT>(ms < 1 ? 1 : ms), nullptr);
    }
}

void WindowTicker::Stop(int id) {
    if (Handle() != nullptr) {
        ::KillTimer(Handle(), TimerOf(id));
    }
}

std::optional<LRESULT> WindowTicker::OnMessage(UINT msg, WPARAM wParam, LPARAM) {
    if (msg != WM_TIMER) {
        return std::nullopt;
    }
    // Once per start.
    ::KillTimer(Handle(), wParam);
    if (onTick) {
        onTick(static_cast<int>(wParam) - 1);
    }
    return 0;
}

KeyboardRepeat KeyboardRepeatSettings() {
    KeyboardRepeat repeat;
    // The delay is 0 to 3, a quarter of a second each and one more; the speed 0 to 31, from
    // about 2.5 to about 30 repeats a second.
    int delay = 1;
    DWORD speed = 31;
    if (::SystemParametersInfoW(SPI_GETKEYBOARDDELAY, 0, &delay, 0)) {
        repeat.delayMs = (delay + 1) * 250;
    }
    if (::SystemParametersInfoW(SPI_GETKEYBOARDSPEED, 0, &speed, 0)) {
        double perSecond = 2.5 + static_cast<double>(speed) * 27.5 / 31.0;
        repeat.periodMs = static_cast<int>(1000.0 / perSecond + 0.5);
    }
    return repeat;
}

}  // namespace tavero
