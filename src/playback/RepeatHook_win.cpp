#include "playback/RepeatHook_win.h"

#include "platform/KeyInjector_win.h"

namespace tavero {

namespace {
constexpr UINT kWatch = WM_APP + 1;
constexpr UINT kQuit = WM_APP + 2;
// A hook procedure has no context of its own; there is one hook.
RepeatHook* g_hook = nullptr;
}  // namespace

RepeatHook::~RepeatHook() {
    if (thread_.Joinable()) {
        ::PostThreadMessageW(threadId_, kQuit, 0, 0);
        thread_.Join();
    }
    g_hook = nullptr;
}

void RepeatHook::Prepare() {
    if (!thread_.Joinable()) {
        g_hook = this;
        started_.Reset(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
        thread_ = Thread([this] { Run(); });
        // Its queue must exist before anything is posted to it.
        ::WaitForSingleObject(started_.Get(), INFINITE);
    }
}

void RepeatHook::Watch(int key) {
    {
        std::lock_guard lock(mutex_);
        filter_.Watch(key, ::GetTickCount());
    }
    Prepare();
    ::PostThreadMessageW(threadId_, kWatch, 0, 0);
}

void RepeatHook::Released(int key) {
    std::lock_guard lock(mutex_);
    if (filter_.Key() == key) {
        filter_.Swallow(key, true, false, ::GetTickCount());
    }
}

void RepeatHook::Run() {
    ::SetThreadPriority(::GetCurrentThread(), THREAD_PRIORITY_HIGHEST);
    MSG msg;
    ::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE);
    threadId_ = ::GetCurrentThreadId();
    ::SetEvent(started_.Get());
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0 && msg.message != kQuit) {
        if (msg.message == kWatch) {
            Install();
        } else if (msg.message == WM_TIMER && msg.wParam == timer_) {
            // Nothing came in time: a key still held would have repeated by now.
            std::lock_guard lock(mutex_);
            if (static_cast<std::int32_t>(::GetTickCount() - filter_.Deadline()) >= 0) {
                filter_.Swallow(filter_.Key(), true, false, ::GetTickCount());
            }
        }
        bool done = false;
        {
            std::lock_guard lock(mutex_);
            done = filter_.Done();
        }
        if (done) {
            Remove();
        }
    }
    Remove();
}

void RepeatHook::Install() {
    if (!hook_) {
        hook_.Reset(::SetWindowsHookExW(WH_KEYBOARD_LL, Hook, ::GetModuleHandleW(nullptr), 0));
    }
    std::lock_guard lock(mutex_);
    ExpireAtDeadline();
}

void RepeatHook::Remove() {
    hook_.Reset();
    if (timer_ != 0) {
        ::KillTimer(nullptr, timer_);
        timer_ = 0;
    }
}

void RepeatHook::ExpireAtDeadline() {
    DWORD left = filter_.Deadline() - ::GetTickCount();
    timer_ = ::SetTimer(nullptr, timer_, static_cast<int>(left) > 0 ? left : 0, nullptr);
}

LRESULT CALLBACK RepeatHook::Hook(int code, WPARAM wParam, LPARAM lParam) {
    RepeatHook* self = g_hook;
    if (code == HC_ACTION && self != nullptr) {
        const auto& event = *reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam);
        bool swallow = false;
        bool done = false;
        {
            std::lock_guard lock(self->mutex_);
            swallow =
                self->filter_.Swallow(static_cast<int>(event.vkCode), (event.flags & LLKHF_UP) != 0,
                                      event.dwExtraInfo == kInjectedKeyMarker, event.time);
            done = self->filter_.Done();
            if (swallow) {
                self->ExpireAtDeadline();
            }
        }
        if (swallow) {
            return 1;
        }
        if (done) {
            self->Remove();
        }
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace tavero
