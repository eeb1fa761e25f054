#include "KeyTarget_win.h"

#include "WinTestSupport_win.h"

namespace tavero::testing {

namespace {
constexpr UINT kActivate = WM_APP + 1;
}

double KeyTarget::NowMs() {
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        ::QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER now;
    ::QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

KeyTarget::KeyTarget() {
    HANDLE ready = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    thread_ = std::thread([this, ready] { Run(ready); });
    ::WaitForSingleObject(ready, 10000);
    ::CloseHandle(ready);
    Activate();
}

KeyTarget::~KeyTarget() {
    ::PostMessageW(hwnd_, WM_CLOSE, 0, 0);
    thread_.join();
}

void KeyTarget::Run(HANDLE ready) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = Proc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = L"TaveroKeyTarget";
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    ::RegisterClassW(&wc);
    hwnd_ =
        ::CreateWindowExW(0, L"TaveroKeyTarget", L"key target", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                          600, 400, 300, 200, nullptr, nullptr, wc.hInstance, this);
    ::SetWindowLongPtrW(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    ::SetEvent(ready);
    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

LRESULT CALLBACK KeyTarget::Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<KeyTarget*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    switch (msg) {
        case WM_KEYDOWN:
        case WM_KEYUP:
        case WM_SYSKEYDOWN:
        case WM_SYSKEYUP: {
            KeyRecord record{msg,
                             static_cast<int>(wParam),
                             NowMs(),
                             ::GetKeyState(VK_CONTROL) < 0,
                             ::GetKeyState(VK_MENU) < 0,
                             ::GetKeyState(VK_SHIFT) < 0};
            std::lock_guard lock(self->mutex_);
            self->records_.push_back(record);
            return 0;  // no menu bar activation on Alt
        }
        case kActivate:
            ::SetForegroundWindow(hwnd);
            ::SetActiveWindow(hwnd);
            ::SetFocus(hwnd);
            return 0;
        case WM_DESTROY:
            ::PostQuitMessage(0);
            return 0;
        default:
            return ::DefWindowProcW(hwnd, msg, wParam, lParam);
    }
}

std::vector<KeyRecord> KeyTarget::Records() const {
    std::lock_guard lock(mutex_);
    return records_;
}

void KeyTarget::Clear() {
    std::lock_guard lock(mutex_);
    records_.clear();
}

void KeyTarget::Activate() {
    ::SendMessageW(hwnd_, kActivate, 0, 0);
    PumpUntil([&] { return ::GetForegroundWindow() == hwnd_; }, 2000);
}

}  // namespace tavero::testing
