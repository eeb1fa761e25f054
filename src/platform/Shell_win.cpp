#include "platform/Shell_win.h"

#include <knownfolders.h>
#include <shlobj.h>

#include "platform/SystemLibrary_win.h"

namespace tavero {

namespace {

template <typename Function>
Function Find(const char* name) {
    static HMODULE shell32 = LoadSystemLibrary(L"shell32.dll");
    return SystemFunction<Function>(shell32, name);
}

}  // namespace

BOOL Shell32::NotifyIcon(DWORD message, NOTIFYICONDATAW* data) {
    static auto notify = Find<decltype(&::Shell_NotifyIconW)>("Shell_NotifyIconW");
    return notify != nullptr && notify(message, data);
}

void Shell32::Open(HWND owner, const wchar_t* address) {
    static auto execute = Find<decltype(&::ShellExecuteW)>("ShellExecuteW");
    if (execute != nullptr) {
        execute(owner, L"open", address, L"", L"", SW_SHOWNORMAL);
    }
}

std::wstring Shell32::RoamingAppData() {
    static auto known = Find<decltype(&::SHGetKnownFolderPath)>("SHGetKnownFolderPath");
    static auto release = SystemFunction<decltype(&::CoTaskMemFree)>(
        LoadSystemLibrary(L"ole32.dll"), "CoTaskMemFree");
    wchar_t* path = nullptr;
    if (known == nullptr || FAILED(known(FOLDERID_RoamingAppData, 0, nullptr, &path))) {
        return {};
    }
    std::wstring roaming = path;
    if (release != nullptr) {
        release(path);
    }
    return roaming;
}

void ShellExecuteOpener::Open(const std::wstring& address) {
    Shell32::Open(owner_, address.c_str());
}

}  // namespace tavero
