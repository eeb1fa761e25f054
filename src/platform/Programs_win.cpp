#include "platform/Programs_win.h"

#include <algorithm>

#include "platform/FileNames.h"
#include "platform/Handles_win.h"

namespace tavero {

std::wstring ProgramFileName(HANDLE process) {
    // Any length of path: a program in a deep folder is a program all the same, and one the
    // rows could not name would be one they cannot tell apart from any other.
    constexpr DWORD kLongestPath = 32768;
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        DWORD length = static_cast<DWORD>(path.size());
        if (::QueryFullProcessImageNameW(process, 0, path.data(), &length)) {
            path.resize(length);
            return std::wstring(FileNameOf(path));
        }
        if (::GetLastError() != ERROR_INSUFFICIENT_BUFFER || path.size() >= kLongestPath) {
            return {};
        }
        path.resize(path.size() * 2);
    }
}

std::wstring ProgramFileName(DWORD processId) {
    // The least access there is: enough for a process run as administrator, seen from one that
    // is not.
    UniqueKernelHandle process(::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
    return process ? ProgramFileName(process.Get()) : std::wstring();
}

std::wstring Win32Programs::InFront() {
    DWORD id = 0;
    HWND window = ::GetForegroundWindow();
    return window != nullptr && ::GetWindowThreadProcessId(window, &id) != 0 ? ProgramFileName(id)
                                                                             : std::wstring();
}

std::vector<std::wstring> Win32Programs::WithWindows() {
    std::vector<DWORD> processes;
    ::EnumWindows(
        [](HWND window, LPARAM list) -> BOOL {
            // A window the user can see and switch to: shown, not a tool window, not owned.
            if (::IsWindowVisible(window) && ::GetWindow(window, GW_OWNER) == nullptr &&
                !(::GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_TOOLWINDOW)) {
                DWORD id = 0;
                ::GetWindowThreadProcessId(window, &id);
                reinterpret_cast<std::vector<DWORD>*>(list)->push_back(id);
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&processes));
    std::sort(processes.begin(), processes.end());
    processes.erase(std::unique(processes.begin(), processes.end()), processes.end());
    std::vector<std::wstring> names;
    for (DWORD id : processes) {
        if (std::wstring name = ProgramFileName(id);
            !name.empty() && id != ::GetCurrentProcessId()) {
            names.push_back(std::move(name));
        }
    }
    return names;
}

}  // namespace tavero
