#include "playback/KeyHold_win.h"

#include <chrono>
#include <string>

#include "platform/DecimalText.h"
#include "platform/KeyInjector_win.h"
#include "platform/MessagePump_win.h"
#include "platform/RunTimeError.h"
#include "platform/Texts.h"

#ifndef CREATE_WAITABLE_TIMER_HIGH_RESOLUTION
#define CREATE_WAITABLE_TIMER_HIGH_RESOLUTION 0x00000002
#endif

namespace tavero {

namespace {

constexpr int kErrInvalidArgument = 5;
constexpr int kLongestHoldMs = 60 * 1000;

std::int64_t NowUs() {
    using namespace std::chrono;
    return duration_cast<microseconds>(steady_clock::now().time_since_epoch()).count();
}

[[noreturn]] void Raise(int number, const std::wstring& description) {
    throw RunTimeError(number, L"KeyHold", description);
}

// The system refused a call of the hold's: `what` says which part failed, in words.
[[noreturn]] void RaiseSystemError(int what) {
    Raise(kErrSystemCall, Text(what, {DecimalText(::GetLastError())}));
}

HANDLE CreateTimer() {
    // High resolution where the system offers it, so a 100 ms hold is not stretched to the next
    // scheduler tick; older systems refuse the flag and get an ordinary timer. Auto-reset: one
    // wake of the watcher per arming.
    HANDLE timer = ::CreateWaitableTimerExW(nullptr, nullptr, CREATE_WAITABLE_TIMER_HIGH_RESOLUTION,
                                            TIMER_ALL_ACCESS);
    return timer != nullptr ? timer
                            : ::CreateWaitableTimerExW(nullptr, nullptr, 0, TIMER_ALL_ACCESS);
}

}  // namespace

TimerKeyHold::~TimerKeyHold() {
    ReleaseNow();
    if (watcher_.Joinable()) {
        ::SetEvent(stop_.Get());
        watcher_.Join();
    }
}

void TimerKeyHold::Start() {
    if (watching_) {
        return;
    }
    if (watcher_.Joinable()) {
        watcher_.Join();  // it ended; it let go of what it held on its way out
    }
    if (!timer_) {
        timer_.Reset(CreateTimer());
        released_.Reset(::CreateEventW(nullptr, FALSE, FALSE, nullptr));
        stop_.Reset(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
        if (!timer_ || !released_ || !stop_) {
            RaiseSystemError(TAVERO_TEXT_HOLD_TIMER_FAILED);
        }
    }
    watching_ = true;
    try {
        watcher_ = Thread([this] { Watch(); });
    } catch (...) {
        watching_ = false;  // none watches: the next hold tries again
        throw;
    }
}

void TimerKeyHold::Prepare() {
    Start();
    // A thread's first key mapping loads the keyboard layout for it, tens of milliseconds under
    // Wine: done now, not between a hotkey and its presses.
    ScanCodeOf('A', FocusedLayout());
}

void TimerKeyHold::Arm(std::int64_t microseconds) {
    LARGE_INTEGER due{};
    due.QuadPart = -microseconds * 10;  // relative, in 100 ns units
    if (!::SetWaitableTimer(timer_.Get(), &due, 0, nullptr, nullptr, FALSE)) {
        RaiseSystemError(TAVERO_TEXT_HOLD_TIMER_FAILED);
    }
}

void TimerKeyHold::Begin(std::span<const KeyEvent> presses, std::vector<KeyEvent> releases,
                         int milliseconds) {
    if (milliseconds < 0 || milliseconds > kLongestHoldMs) {
        Raise(kErrInvalidArgument, Text(TAVERO_TEXT_HOLD_TOO_LONG, {DecimalText(milliseconds)}));
    }
    // Everything that can fail before a key goes down does so now.
    Start();
    // Worked out here, on this thread, from the focused application's layout: a release sent by
    // the watcher carries the very code its press went down with.
    std::vector<KeyEvent> downs(presses.begin(), presses.end());
    AssignScanCodes(downs);
    AssignScanCodes(releases);
    std::lock_guard lock(sending_);
    // Anything still pending goes first: one hold's releases are never dropped for another's.
    if (std::vector<KeyEvent> left = pending_.Take(); !left.empty()) {
        injector_.Send(left);
    }
    injector_.Send(downs);
    // The hold counts from here, when the presses are in: slow sending never shortens it.
    std::int64_t hold = std::int64_t{milliseconds} * 1000;
    pending_.Set(std::move(releases), NowUs() + hold);
    try {
        Arm(hold);
    } catch (...) {
        injector_.Send(pending_.Take());
        throw;
    }
}

void TimerKeyHold::Watch() {
    // Whatever ends the watch, what it holds goes up and a waiting thread wakes.
    struct LetGo {
        TimerKeyHold& hold;
        ~LetGo() {
            hold.watching_ = false;
            hold.Release(nullptr);
        }
    } letGo{*this};
    try {
        WatchUntilStopped();
    } catch (...) {
        // Ends the watch; the next hold starts another.
    }
}

void TimerKeyHold::WatchUntilStopped() {
    ::SetThreadPriority(::GetCurrentThread(), THREAD_PRIORITY_HIGHEST);
    HANDLE handles[] = {stop_.Get(), timer_.Get()};
    for (;;) {
        DWORD woke = ::WaitForMultipleObjects(2, handles, FALSE, INFINITE);
        if (woke != WAIT_OBJECT_0 + 1) {
            return;  // stopped, or the wait itself failed
        }
        std::int64_t now = NowUs();
        if (std::int64_t left = pending_.Remaining(now); left > 0) {
            // Woken before this hold's time (a wake meant for an earlier hold, or a timer a
            // little ahead of our clock): never early, so wait for the rest.
            Arm(left);
        } else {
            Release(&now);
        }
    }
}

void TimerKeyHold::Release(const std::int64_t* now) {
    {
        std::lock_guard lock(sending_);
        std::vector<KeyEvent> due = now != nullptr ? pending_.TakeIfDue(*now, 0) : pending_.Take();
        if (!due.empty()) {
            injector_.Send(due);
        }
    }
    ::SetEvent(released_.Get());
}

void TimerKeyHold::ReleaseNow() {
    if (!timer_) {
        return;
    }
    ::CancelWaitableTimer(timer_.Get());
    Release(nullptr);
}

bool TimerKeyHold::Settled() {
    // Under the sending lock: releases the watcher has taken are out by the time it is free.
    std::lock_guard lock(sending_);
    return pending_.Empty();
}

WaitResult TimerKeyHold::Wait(int timeoutMs) {
    HANDLE released = released_.Get();
    ULONGLONG deadline = ::GetTickCount64() + static_cast<ULONGLONG>(timeoutMs);
    for (;;) {
        // A wake left over from an earlier hold is told apart by what is still pending.
        if (Settled()) {
            return WaitResult::Elapsed;
        }
        ULONGLONG now = ::GetTickCount64();
        if (now >= deadline) {
            return WaitResult::TimedOut;
        }
        DWORD woke = ::MsgWaitForMultipleObjectsEx(1, &released, static_cast<DWORD>(deadline - now),
                                                   QS_ALLINPUT, MWMO_INPUTAVAILABLE);
        if (woke == WAIT_OBJECT_0 || woke == WAIT_TIMEOUT) {
            continue;
        }
        if (woke != WAIT_OBJECT_0 + 1) {
            ReleaseNow();
            RaiseSystemError(TAVERO_TEXT_HOLD_WAIT_FAILED);
        }
        MSG msg;
        // Stops as soon as the releases are out, even if messages keep coming.
        while (!Settled() && ::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                ReleaseNow();
                // Left for the main loop, which ends the program.
                ::PostQuitMessage(static_cast<int>(msg.wParam));
                return WaitResult::QuitRequested;
            }
            MessagePump::Dispatch(msg);
        }
    }
}

}  // namespace tavero
