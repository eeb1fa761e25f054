#include "app/KeyHold_win.h"

#include <chrono>
#include <string>

#include "platform/MessagePump_win.h"
#include "platform/RunTimeError.h"

#ifndef CREATE_WAITABLE_TIMER_HIGH_RESOLUTION
#define CREATE_WAITABLE_TIMER_HIGH_RESOLUTION 0x00000002
#endif

namespace tavero {

namespace {

constexpr int kErrInvalidArgument = 5;
constexpr int kLongestHoldMs = 60 * 1000;
// A timer may wake a little before our clock says the hold is due; a wake for an earlier hold
// is at least a whole hold early.
constexpr std::int64_t kDueSlackUs = 2000;

std::int64_t NowUs() {
    using namespace std::chrono;
    return duration_cast<microseconds>(steady_clock::now().time_since_epoch()).count();
}

[[noreturn]] void Raise(int number, const std::wstring& description) {
    throw RunTimeError(number, L"KeyHold", L"[clsWaitableTimer.Wait]" + description);
}

[[noreturn]] void RaiseSystemError(const wchar_t* what) {
    DWORD code = ::GetLastError();
    Raise(kErrSystemCall,
          std::wstring(what) + L" failed with system error " + std::to_wstring(code));
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
    if (watcher_.joinable()) {
        ::SetEvent(stop_.Get());
        watcher_.join();
    }
}

void TimerKeyHold::Start() {
    if (watcher_.joinable()) {
        return;
    }
    timer_.Reset(CreateTimer());
    released_.Reset(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
    stop_.Reset(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
    if (!timer_ || !released_ || !stop_) {
        RaiseSystemError(L"CreateWaitableTimerEx");
    }
    watcher_ = std::thread([this] { Watch(); });
}

void TimerKeyHold::Arm(std::int64_t microseconds) {
    LARGE_INTEGER due{};
    due.QuadPart = -microseconds * 10;  // relative, in 100 ns units
    if (!::SetWaitableTimer(timer_.Get(), &due, 0, nullptr, nullptr, FALSE)) {
        RaiseSystemError(L"SetWaitableTimer");
    }
}

void TimerKeyHold::Begin(std::span<const KeyEvent> presses, std::vector<KeyEvent> releases,
                         int milliseconds) {
    if (milliseconds < 0 || milliseconds > kLongestHoldMs) {
        Raise(kErrInvalidArgument, L"Invalid wait length " + std::to_wstring(milliseconds));
    }
    // Everything that can fail does so before a key goes down.
    Start();
    std::lock_guard lock(sending_);
    // Anything still pending goes first: one hold's releases are never dropped for another's.
    if (std::vector<KeyEvent> left = pending_.Take(); !left.empty()) {
        injector_.Send(left);
    }
    std::int64_t hold = std::int64_t{milliseconds} * 1000;
    pending_.Set(std::move(releases), NowUs() + hold);
    try {
        // Armed before the presses go in: nothing but the wait follows them, so the focused
        // application gets the processor at once.
        Arm(hold);
    } catch (...) {
        pending_.Take();
        throw;
    }
    injector_.Send(presses);
}

void TimerKeyHold::Watch() {
    ::SetThreadPriority(::GetCurrentThread(), THREAD_PRIORITY_HIGHEST);
    // A thread's first key mapping loads the keyboard layout for it (tens of milliseconds under
    // Wine): done now rather than inside the first release.
    ::MapVirtualKeyW(0, MAPVK_VK_TO_VSC);
    HANDLE handles[] = {stop_.Get(), timer_.Get()};
    for (;;) {
        DWORD woke = ::WaitForMultipleObjects(2, handles, FALSE, INFINITE);
        if (woke != WAIT_OBJECT_0 + 1) {
            return;  // stopped, or the wait itself failed: the owner releases on its way out
        }
        std::int64_t now = NowUs();
        std::vector<KeyEvent> due = pending_.TakeIfDue(now, kDueSlackUs);
        if (!due.empty()) {
            Send(due);
        } else if (std::int64_t left = pending_.Remaining(now); left > 0) {
            // A wake meant for an earlier hold, let go early: wait for this one's time.
            try {
                Arm(left);
            } catch (...) {
                Send(pending_.Take());
            }
        }
        // Nothing pending: whoever took the releases has sent them and said so.
    }
}

void TimerKeyHold::Send(const std::vector<KeyEvent>& releases) {
    {
        std::lock_guard lock(sending_);
        if (!releases.empty()) {
            injector_.Send(releases);
        }
    }
    ::SetEvent(released_.Get());
}

void TimerKeyHold::ReleaseNow() {
    if (!watcher_.joinable()) {
        return;
    }
    ::CancelWaitableTimer(timer_.Get());
    Send(pending_.Take());
}

WaitResult TimerKeyHold::Wait() {
    HANDLE released = released_.Get();
    // Ready for the next hold once this one is over, however it ends: not at the next Begin,
    // where it would come between the hotkey and the presses.
    struct Rearm {
        HANDLE event;
        ~Rearm() { ::ResetEvent(event); }
    } rearm{released};
    for (;;) {
        DWORD woke =
            ::MsgWaitForMultipleObjectsEx(1, &released, INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
        if (woke == WAIT_OBJECT_0) {
            return WaitResult::Elapsed;
        }
        if (woke != WAIT_OBJECT_0 + 1) {
            ReleaseNow();
            RaiseSystemError(L"MsgWaitForMultipleObjectsEx");
        }
        MSG msg;
        // Stops as soon as the releases are out, even if messages keep coming.
        while (::WaitForSingleObject(released, 0) == WAIT_TIMEOUT &&
               ::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
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
