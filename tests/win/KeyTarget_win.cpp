#include "KeyTarget_win.h"

#include "WinTestSupport_win.h"

namespace tavero::testing {

namespace {
constexpr UINT kActivate = WM_APP + 1;
constexpr int kSettleKey = 0xE8;  // assigned to no key
}  // namespace

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
    // Under Wine the window that gains the focus brings its key state in line with the X
    // server's, which knows nothing of injected keys, when it handles the focus event: keys a
    // test held down meanwhile would count as up. A key event round trip through the window
    // shows it has handled everything the activation brought, and that it has the keyboard:
    // without a window manager, the window that had the focus may take it back a moment later.
    for (int attempt = 0; attempt < 3; ++attempt) {
        ::SendMessageW(hwnd_, kActivate, 0, 0);
        PumpUntil([&] { return ::GetForegroundWindow() == hwnd_; }, 2000);
        Clear();
        SendKey(kSettleKey, false);
        SendKey(kSettleKey, true);
        bool settled = PumpUntil(
            [&] {
                std::lock_guard lock(mutex_);
                return !records_.empty() && records_.back().key == kSettleKey &&
                       !records_.back().Down();
            },
            1000);
        if (settled && ::GetForegroundWindow() == hwnd_) {
            break;
        }
    }
    Clear();
}

namespace {
InputRecorder* g_recorder = nullptr;
}

InputRecorder::InputRecorder() {
    g_recorder = this;
    HANDLE ready = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    thread_ = std::thread([this, ready] { Run(ready); });
    ::WaitForSingleObject(ready, 10000);
    ::CloseHandle(ready);
}

InputRecorder::~InputRecorder() {
    ::PostThreadMessageW(threadId_, WM_QUIT, 0, 0);
    thread_.join();
    g_recorder = nullptr;
}

void InputRecorder::Run(HANDLE ready) {
    threadId_ = ::GetCurrentThreadId();
    MSG msg;
    ::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE);  // the thread's queue, for the quit
    HHOOK hook = ::SetWindowsHookExW(WH_KEYBOARD_LL, Hook, ::GetModuleHandleW(nullptr), 0);
    ::SetEvent(ready);
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        ::DispatchMessageW(&msg);
    }
    ::UnhookWindowsHookEx(hook);
}

LRESULT CALLBACK InputRecorder::Hook(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION && g_recorder != nullptr) {
        const auto& e = *reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam);
        InputRecord record{static_cast<int>(e.vkCode),
                           static_cast<int>(e.scanCode),
                           (e.flags & LLKHF_UP) != 0,
                           (e.flags & LLKHF_EXTENDED) != 0,
                           e.dwExtraInfo,
                           NowMs()};
        std::lock_guard lock(g_recorder->mutex_);
        g_recorder->records_.push_back(record);
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

std::vector<InputRecord> InputRecorder::Records() const {
    std::lock_guard lock(mutex_);
    return records_;
}

void InputRecorder::Clear() {
    std::lock_guard lock(mutex_);
    records_.clear();
}

double InputRecorder::Seen(int key, bool up, double from) const {
    std::lock_guard lock(mutex_);
    for (const InputRecord& r : records_) {
        if (r.key == key && r.up == up && r.ms >= from) {
            return r.ms;
        }
    }
    return -1;
}

}  // namespace tavero::testing
