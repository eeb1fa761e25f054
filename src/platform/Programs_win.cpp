#include "platform/Programs_win.h"

#include <algorithm>

#include "platform/Handles_win.h"

namespace tavero {

std::wstring ProgramFileName(DWORD processId) {
    // The least access there is: enough for a process run as administrator, seen from one that
    // is not.
    UniqueKernelHandle process(::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
    wchar_t path[MAX_PATH];
    DWORD length = MAX_PATH;
    if (!process || !::QueryFullProcessImageNameW(process.Get(), 0, path, &length)) {
        return {};
    }
    std::wstring full(path, length);
    return full.substr(full.find_last_of(L"\\/") + 1);
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
