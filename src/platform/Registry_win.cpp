#include "platform/Registry_win.h"

#include <vector>

#include "platform/Handles_win.h"

namespace tavero {

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

namespace {
constexpr const wchar_t* kRunPath = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
}

std::vector<std::pair<std::wstring, std::wstring>> RegistryRunKey::Values() {
    std::vector<std::pair<std::wstring, std::wstring>> values;
    HKEY opened = nullptr;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, kRunPath, 0, KEY_QUERY_VALUE, &opened) !=
        ERROR_SUCCESS) {
        return values;
    }
    UniqueRegistryKey run(opened);
    for (DWORD i = 0;; ++i) {
        wchar_t name[512];
        DWORD nameLength = 512;
        std::vector<wchar_t> data(2048);
        DWORD bytes = static_cast<DWORD>(data.size() * sizeof(wchar_t));
        DWORD type = 0;
        LONG result = ::RegEnumValueW(run.Get(), i, name, &nameLength, nullptr, &type,
                                      reinterpret_cast<BYTE*>(data.data()), &bytes);
        if (result == ERROR_NO_MORE_ITEMS) {
            break;
        }
        if (result == ERROR_SUCCESS && (type == REG_SZ || type == REG_EXPAND_SZ)) {
            data.back() = L'\0';
            values.emplace_back(std::wstring(name, nameLength), std::wstring(data.data()));
        }
    }
    return values;
}

bool RegistryRunKey::Set(const std::wstring& name, const std::wstring& command) {
    DWORD bytes = static_cast<DWORD>((command.size() + 1) * sizeof(wchar_t));
    return ::RegSetKeyValueW(HKEY_CURRENT_USER, kRunPath, name.c_str(), REG_SZ, command.c_str(),
                             bytes) == ERROR_SUCCESS;
}

bool RegistryRunKey::Remove(const std::wstring& name) {
    return ::RegDeleteKeyValueW(HKEY_CURRENT_USER, kRunPath, name.c_str()) == ERROR_SUCCESS;
}

}  // namespace tavero
