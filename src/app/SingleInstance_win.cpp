#include "app/SingleInstance_win.h"

#include <cwchar>

#include "app/AppMessages_win.h"
#include "app/InstanceKey.h"
#include "app/MainWindow_win.h"

namespace tavero {

namespace {

constexpr const wchar_t* kIdentityProperty = L"TaveroMirelle.Folder";
constexpr DWORD kLongestWaitMs = 10000;

std::wstring ObjectName(std::uint64_t identity, const wchar_t* what) {
    wchar_t name[64];
    std::swprintf(name, 64, L"Local\\TaveroMirelle-%016llx-%ls",
                  static_cast<unsigned long long>(identity), what);
    return name;
}

}  // namespace

SingleInstance::SingleInstance(const std::wstring& folder) : identity_(FolderIdentity(folder)) {
    mutex_.Reset(::CreateMutexW(nullptr, FALSE, ObjectName(identity_, L"running").c_str()));
    first_ = ::GetLastError() != ERROR_ALREADY_EXISTS;
    if (first_) {
        ready_.Reset(::CreateEventW(nullptr, TRUE, FALSE, ObjectName(identity_, L"ready").c_str()));
    }
}

void SingleInstance::Ready(HWND main) {
    ::SetPropW(main, kIdentityProperty, reinterpret_cast<HANDLE>(identity_));
    ::SetEvent(ready_.Get());
}

void SingleInstance::ShowFirst() const {
    // The first copy may still be starting.
    UniqueKernelHandle ready(
        ::OpenEventW(SYNCHRONIZE, FALSE, ObjectName(identity_, L"ready").c_str()));
    if (ready) {
        ::WaitForSingleObject(ready.Get(), kLongestWaitMs);
    }
    for (HWND w = ::FindWindowExW(nullptr, nullptr, MainWindow::kClassName, nullptr); w != nullptr;
         w = ::FindWindowExW(nullptr, w, MainWindow::kClassName, nullptr)) {
        if (reinterpret_cast<std::uint64_t>(::GetPropW(w, kIdentityProperty)) != identity_) {
            continue;
        }
        // Started by the user just now, this copy may give the foreground away.
        DWORD process = 0;
        ::GetWindowThreadProcessId(w, &process);
        ::AllowSetForegroundWindow(process);
        ::PostMessageW(w, app_messages::kShowRequest, 0, 0);
        return;
    }
}

}  // namespace tavero
