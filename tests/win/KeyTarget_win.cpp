#include "KeyTarget_win.h"

#include <cstdio>

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
            if (wParam == kSettleKey) {
                // Not a key of the test's: the proof that keys come through (KeyComesThrough).
                self->settled_ += msg == WM_KEYUP || msg == WM_SYSKEYUP;
                return 0;
            }
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
        case WM_KILLFOCUS:
            ++self->focusLost_;
            return 0;
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

bool KeyTarget::KeyComesThrough() {
    int before = settled_;
    SendKey(kSettleKey, false);
    SendKey(kSettleKey, true);
    return PumpUntil([&] { return settled_ > before; }, 1000);
}

::testing::AssertionResult KeyTarget::Activate() {
    // The window that had the foreground may not have handled its own activation's focus events
    // yet; under Wine, handled after ours, they would take the foreground back (see
    // AwaitThreadOf). So its thread is waited for before and after, and the focus is proven by a
    // key that comes through, which also shows this window has handled everything its
    // activation brought (under Wine, the key state brought in line with the X server's).
    for (int attempt = 0; attempt < 4; ++attempt) {
        HWND before = ::GetForegroundWindow();
        AwaitThreadOf(before);
        ::SendMessageW(hwnd_, kActivate, 0, 0);
        PumpUntil([&] { return ::GetForegroundWindow() == hwnd_; }, 2000);
        AwaitThreadOf(before);
        if (KeyComesThrough() && ::GetForegroundWindow() == hwnd_) {
            if (attempt > 0) {
                std::printf("[ note     ] the key target had the focus at try %d\n", attempt + 1);
            }
            Clear();
            focusLost_ = 0;
            return ::testing::AssertionSuccess();
        }
    }
    return ::testing::AssertionFailure()
           << "set-up: the key target could not get the keyboard focus; " << DescribeForeground();
}

::testing::AssertionResult KeyTarget::KeptFocus() const {
    if (focusLost_ == 0 && ::GetForegroundWindow() == hwnd_) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure()
           << "set-up: the key target lost the keyboard focus during the test; "
           << DescribeForeground();
}

::testing::AssertionResult KeyTarget::Await(
    const std::function<bool(const std::vector<KeyRecord>&)>& done, const char* what,
    int timeoutMs) const {
    bool came = PumpUntil([&] { return done(Records()); }, timeoutMs);
    if (auto kept = KeptFocus(); !kept) {
        return kept;
    }
    if (came) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << what << " never came";
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
