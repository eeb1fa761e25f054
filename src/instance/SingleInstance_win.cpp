#include "instance/SingleInstance_win.h"

#include "instance/AppMessages_win.h"
#include "instance/CommandLine.h"
#include "instance/InstanceKey.h"
#include "instance/RunningProgram.h"
#include "platform/DecimalText.h"
#include "platform/FileSystem_win.h"

namespace tavero {

namespace {

// The identity in two halves: a window property holds a pointer-sized value, 32 bits on a
// 32-bit build.
constexpr const wchar_t* kIdentityLow = L"TaveroMirelle.FolderLow";
constexpr const wchar_t* kIdentityHigh = L"TaveroMirelle.FolderHigh";
constexpr DWORD kLongestWaitMs = 10000;

std::wstring ObjectName(std::uint64_t identity, const wchar_t* what) {
    return L"Local\\TaveroMirelle-" + HexText(identity, 16) + L"-" + what;
}

// The folder itself, by the path the system resolves every way of reaching it to (another
// drive letter, a link, a network drive's path, the "\\?\" prefix). Where it cannot be opened,
// its name as given stands for it.
std::uint64_t IdentityOf(const std::wstring& folder) {
    Win32FileSystem files;
    return FolderIdentity(files.FinalPath(folder));
}

std::uint64_t PropertyOf(HWND window) {
    auto half = [&](const wchar_t* name) {
        return static_cast<std::uint64_t>(
            reinterpret_cast<std::uintptr_t>(::GetPropW(window, name)) & 0xFFFFFFFFu);
    };
    return half(kIdentityLow) | (half(kIdentityHigh) << 32);
}

}  // namespace

SingleInstance::SingleInstance(const std::wstring& folder) : identity_(IdentityOf(folder)) {}

bool SingleInstance::Claim(bool showRunning) {
    mutex_.Reset(::CreateMutexW(nullptr, TRUE, ObjectName(identity_, L"running").c_str()));
    DWORD error = ::GetLastError();
    if (mutex_ && error != ERROR_ALREADY_EXISTS) {
        BecomeRunning();
        return true;
    }
    // Access denied: the running copy was started as administrator and this one was not. It
    // cannot be waited for, only shown.
    if (FindRunning(showRunning) || !mutex_) {
        return false;
    }
    // Running, but its window is gone: it is quitting. Runs once it has let go.
    DWORD waited = ::WaitForSingleObject(mutex_.Get(), kLongestWaitMs);
    if (waited != WAIT_OBJECT_0 && waited != WAIT_ABANDONED) {
        return false;
    }
    BecomeRunning();
    return true;
}

void SingleInstance::BecomeRunning() {
    owned_ = true;
    ready_.Reset(::CreateEventW(nullptr, TRUE, FALSE, ObjectName(identity_, L"ready").c_str()));
    // A copy that ran before may have left it set, held open by a copy that waited for it.
    ::ResetEvent(ready_.Get());
}

HWND SingleInstance::RunningWindow() const {
    // A copy that holds the folder may still be starting: its window is waited for. The event
    // it sets then is made here where it has not made it yet, so that a copy caught between
    // taking the folder and making the event is waited for too, not taken for none.
    UniqueKernelHandle holder(
        ::OpenMutexW(SYNCHRONIZE, FALSE, ObjectName(identity_, L"running").c_str()));
    UniqueKernelHandle ready(
        holder ? ::CreateEventW(nullptr, TRUE, FALSE, ObjectName(identity_, L"ready").c_str())
               : ::OpenEventW(SYNCHRONIZE, FALSE, ObjectName(identity_, L"ready").c_str()));
    if (ready) {
        ::WaitForSingleObject(ready.Get(), kLongestWaitMs);
    }
    for (HWND w = ::FindWindowExW(nullptr, nullptr, app_messages::kMainWindowClass, nullptr);
         w != nullptr; w = ::FindWindowExW(nullptr, w, app_messages::kMainWindowClass, nullptr)) {
        if (PropertyOf(w) == identity_) {
            return w;
        }
    }
    return nullptr;
}

bool SingleInstance::FindRunning(bool show) const {
    HWND running = RunningWindow();
    if (running == nullptr) {
        return false;
    }
    if (show) {
        // Started by the user just now, this copy may give the foreground away.
        DWORD process = 0;
        ::GetWindowThreadProcessId(running, &process);
        ::AllowSetForegroundWindow(process);
        ::PostMessageW(running, app_messages::kShowRequest, 0, 0);
    }
    return true;
}

SingleInstance::Handed SingleInstance::Hand(std::wstring_view commandLine, bool untilEnded) const {
    HWND running = RunningWindow();
    if (running == nullptr) {
        return {Handed::Outcome::NoCopyRuns};
    }
    DWORD process = 0;
    ::GetWindowThreadProcessId(running, &process);
    // A command may show its window.
    ::AllowSetForegroundWindow(process);
    UniqueKernelHandle copy(::OpenProcess(SYNCHRONIZE, FALSE, process));
    COPYDATASTRUCT data{kCommandTag, static_cast<DWORD>(commandLine.size() * sizeof(wchar_t)),
                        const_cast<wchar_t*>(commandLine.data())};
    DWORD_PTR answer = 0;
    // As long as the copy takes (a failed save's question waits for its user), unless it hangs.
    constexpr UINT kLongestAnswerMs = 60 * 60 * 1000;
    ::SetLastError(0);
    if (!::SendMessageTimeoutW(running, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data),
                               SMTO_ABORTIFHUNG | SMTO_NOTIMEOUTIFNOTHUNG, kLongestAnswerMs,
                               &answer)) {
        // Refused by the system: the running copy is above this one (run as administrator).
        return {::GetLastError() == ERROR_ACCESS_DENIED ? Handed::Outcome::Refused
                                                        : Handed::Outcome::NoCopyRuns};
    }
    int code = static_cast<int>(answer);
    if (untilEnded && code == 0 && copy &&
        ::WaitForSingleObject(copy.Get(), kLongestWaitMs) != WAIT_OBJECT_0) {
        code = exit_code::kNotDone;
    }
    return {Handed::Outcome::Done, code};
}

void SingleInstance::Ready(HWND main) {
    ::SetPropW(main, kIdentityLow,
               reinterpret_cast<HANDLE>(static_cast<std::uintptr_t>(identity_ & 0xFFFFFFFFu)));
    ::SetPropW(main, kIdentityHigh,
               reinterpret_cast<HANDLE>(static_cast<std::uintptr_t>(identity_ >> 32)));
    // A copy that is not elevated may ask an elevated one to show itself, which is harmless;
    // its commands stay refused by the system.
    ::ChangeWindowMessageFilterEx(main, app_messages::kShowRequest, MSGFLT_ALLOW, nullptr);
    ::SetEvent(ready_.Get());
}

void SingleInstance::GiveUp(HWND main) {
    if (!owned_) {
        return;
    }
    owned_ = false;
    ::RemovePropW(main, kIdentityLow);
    ::RemovePropW(main, kIdentityHigh);
    ready_.Reset();
    ::ReleaseMutex(mutex_.Get());
    mutex_.Reset();
}

}  // namespace tavero
