#include "platform/Win32Services_win.h"

#include <shellapi.h>

#include <vector>

#include "platform/KeyInjector_win.h"

namespace tavero {

bool WindowHotKeyRegistrar::Register(int id, int modifiers, int key) {
    return ::RegisterHotKey(window_, id, static_cast<UINT>(modifiers), static_cast<UINT>(key)) !=
           FALSE;
}

void WindowHotKeyRegistrar::Unregister(int id) {
    ::UnregisterHotKey(window_, id);
}

std::wstring Win32KeyNames::NameOf(int key) const {
    LONG param = static_cast<LONG>(ScanCodeOf(key) << 16);
    // Without the extended bit, Left would be named after keypad 4, and so on.
    if (IsExtendedKey(key)) {
        param |= 1 << 24;
    }
    wchar_t buffer[255] = {};
    int n = ::GetKeyNameTextW(param, buffer, 255);
    return std::wstring(buffer, n > 0 ? static_cast<std::size_t>(n) : 0);
}

void Win32MessageBoxes::ShowError(const std::wstring& title, const std::wstring& text) {
    ::MessageBoxW(owner_, text.c_str(), title.c_str(), MB_OK | MB_ICONSTOP);
}

std::size_t Win32ProfileFile::GetString(const std::wstring& section, const std::wstring& key,
                                        const std::wstring& fallback, std::span<wchar_t> buffer,
                                        const std::wstring& path) {
    return ::GetPrivateProfileStringW(section.c_str(), key.c_str(), fallback.c_str(), buffer.data(),
                                      static_cast<DWORD>(buffer.size()), path.c_str());
}

bool Win32ProfileFile::WriteString(const std::wstring& section, const std::wstring& key,
                                   const std::wstring& value, const std::wstring& path) {
    return ::WritePrivateProfileStringW(section.c_str(), key.c_str(), value.c_str(),
                                        path.c_str()) != FALSE;
}

namespace {
std::wstring RegistryPath(const std::wstring& app, const std::wstring& section) {
    return L"Software\\VB and VBA Program Settings\\" + app + L"\\" + section;
}
}  // namespace

std::wstring RegistryUserSettingsStore::Get(const std::wstring& app, const std::wstring& section,
                                            const std::wstring& key, const std::wstring& fallback) {
    DWORD type = 0;
    DWORD bytes = 0;
    std::wstring path = RegistryPath(app, section);
    if (::RegGetValueW(HKEY_CURRENT_USER, path.c_str(), key.c_str(), RRF_RT_REG_SZ, &type, nullptr,
                       &bytes) != ERROR_SUCCESS) {
        return fallback;
    }
    std::vector<wchar_t> value(bytes / sizeof(wchar_t) + 1);
    bytes = static_cast<DWORD>(value.size() * sizeof(wchar_t));
    if (::RegGetValueW(HKEY_CURRENT_USER, path.c_str(), key.c_str(), RRF_RT_REG_SZ, &type,
                       value.data(), &bytes) != ERROR_SUCCESS) {
        return fallback;
    }
    return std::wstring(value.data());
}

bool RegistryUserSettingsStore::Save(const std::wstring& app, const std::wstring& section,
                                     const std::wstring& key, const std::wstring& value) {
    std::wstring path = RegistryPath(app, section);
    DWORD bytes = static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t));
    return ::RegSetKeyValueW(HKEY_CURRENT_USER, path.c_str(), key.c_str(), REG_SZ, value.c_str(),
                             bytes) == ERROR_SUCCESS;
}

void ShellExecuteOpener::Open(const std::wstring& address) {
    ::ShellExecuteW(owner_, L"open", address.c_str(), L"", L"", SW_SHOWNORMAL);
}

std::wstring ExeFolder::Path() const {
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        DWORD n = ::GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (n == 0) {
            return L".";
        }
        if (n < buffer.size()) {
            std::wstring path(buffer.data(), n);
            auto slash = path.find_last_of(L"\\/");
            if (slash == std::wstring::npos) {
                return L".";
            }
            // A drive's root keeps its separator ("C:\"), as the path joiner expects.
            return slash == 2 && path[1] == L':' ? path.substr(0, 3) : path.substr(0, slash);
        }
        buffer.resize(buffer.size() * 2);
    }
}

}  // namespace tavero
