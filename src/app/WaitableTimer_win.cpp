#include "app/WaitableTimer_win.h"

#include <cmath>
#include <string>

#include "platform/MessagePump_win.h"
#include "platform/RunTimeError.h"

#ifndef CREATE_WAITABLE_TIMER_HIGH_RESOLUTION
#define CREATE_WAITABLE_TIMER_HIGH_RESOLUTION 0x00000002
#endif

namespace tavero {

namespace {

constexpr int kErrInvalidArgument = 5;

[[noreturn]] void RaiseSystemError(const wchar_t* what) {
    DWORD code = ::GetLastError();
    throw RunTimeError(kErrSystemCall, L"WaitableTimer",
                       std::wstring(what) + L" failed with system error " + std::to_wstring(code));
}

UniqueKernelHandle CreateTimer() {
    // High resolution where the system offers it, so a 100 ms hold is not stretched to the next
    // scheduler tick; older systems refuse the flag and get an ordinary timer.
    HANDLE timer = ::CreateWaitableTimerExW(
        nullptr, nullptr,
        CREATE_WAITABLE_TIMER_MANUAL_RESET | CREATE_WAITABLE_TIMER_HIGH_RESOLUTION,
        TIMER_ALL_ACCESS);
    if (timer == nullptr) {
        timer = ::CreateWaitableTimerExW(nullptr, nullptr, CREATE_WAITABLE_TIMER_MANUAL_RESET,
                                         TIMER_ALL_ACCESS);
    }
    return UniqueKernelHandle(timer);
}

}  // namespace

WaitResult WaitableTimer::Wait(double milliseconds) {
    try {
        if (!std::isfinite(milliseconds) || milliseconds < 0 || milliseconds > 1e9) {
            throw RunTimeError(kErrInvalidArgument, L"WaitableTimer",
                               L"Invalid wait length " + std::to_wstring(milliseconds));
        }
        timer_ = CreateTimer();
        if (!timer_) {
            RaiseSystemError(L"CreateWaitableTimerEx");
        }
        LARGE_INTEGER due{};
        due.QuadPart = -std::llround(milliseconds * 10000.0);  // relative, in 100 ns units
        if (!::SetWaitableTimer(timer_.Get(), &due, 0, nullptr, nullptr, FALSE)) {
            RaiseSystemError(L"SetWaitableTimer");
        }
        HANDLE handle = timer_.Get();
        for (;;) {
            DWORD woke = ::MsgWaitForMultipleObjectsEx(1, &handle, INFINITE, QS_ALLINPUT,
                                                       MWMO_INPUTAVAILABLE);
            if (woke == WAIT_OBJECT_0) {
                break;
            }
            if (woke != WAIT_OBJECT_0 + 1) {
                RaiseSystemError(L"MsgWaitForMultipleObjectsEx");
            }
            MSG msg;
            // Stops as soon as the timer is due, even if messages keep coming.
            while (::WaitForSingleObject(handle, 0) == WAIT_TIMEOUT &&
                   ::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
                if (msg.message == WM_QUIT) {
                    // Leave the request for the main loop, which ends the program.
                    ::PostQuitMessage(static_cast<int>(msg.wParam));
                    timer_.Reset();
                    return WaitResult::QuitRequested;
                }
                MessagePump::Dispatch(msg);
            }
        }
        timer_.Reset();
        return WaitResult::Elapsed;
    } catch (const RunTimeError& error) {
        timer_.Reset();
        throw error.Prefixed(L"[clsWaitableTimer.Wait]");
    }
}

}  // namespace tavero
