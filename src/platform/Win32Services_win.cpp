#include "platform/Win32Services_win.h"

#include <algorithm>
#include <vector>

#include "platform/Handles_win.h"
#include "platform/KeyInjector_win.h"
#include "platform/Shell32_win.h"
#include "platform/Wine_win.h"

namespace tavero {

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

std::wstring Win32KeyNames::TypedWithCtrlAlt(int key, bool shift) const {
    BYTE state[256] = {};
    state[VK_CONTROL] = state[VK_LCONTROL] = 0x80;
    state[VK_MENU] = state[VK_RMENU] = 0x80;
    if (shift) {
        state[VK_SHIFT] = state[VK_LSHIFT] = 0x80;
    }
    HKL layout = ::GetKeyboardLayout(0);
    wchar_t typed[8] = {};
    // 4: the layout's dead-key state is left as it was.
    int n =
        ::ToUnicodeEx(static_cast<UINT>(key), ScanCodeOf(key, layout), state, typed, 8, 4, layout);
    if (n < 0) {
        n = 1;  // a dead key: the accent it starts
    }
    std::wstring text(typed, static_cast<std::size_t>(n > 0 ? n : 0));
    // Control characters are no characters to the user.
    return !text.empty() && text[0] >= L' ' ? text : std::wstring();
}

void Win32MessageBoxes::ShowError(const std::wstring& title, const std::wstring& text) {
    ::MessageBoxW(owner_, text.c_str(), title.c_str(), MB_OK | MB_ICONSTOP);
}

MessageBoxes::AfterFailedSave Win32MessageBoxes::AskAfterFailedSave(const std::wstring& title,
                                                                    const std::wstring& text) {
    switch (::MessageBoxW(owner_, text.c_str(), title.c_str(),
                          MB_CANCELTRYCONTINUE | MB_DEFBUTTON2 | MB_ICONSTOP)) {
        case IDTRYAGAIN:
            return AfterFailedSave::TryAgain;
        case IDCONTINUE:
            return AfterFailedSave::QuitAnyway;
        default:  // Cancel, or Escape
            return AfterFailedSave::GoBack;
    }
}

int Win32FileSystem::Read(const std::wstring& path, std::string& bytes, std::size_t largest) {
    UniqueFile file(::CreateFileW(path.c_str(), GENERIC_READ,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        return static_cast<int>(::GetLastError());
    }
    LARGE_INTEGER size{};
    if (!::GetFileSizeEx(file.Get(), &size)) {
        return static_cast<int>(::GetLastError());
    }
    if (static_cast<unsigned long long>(size.QuadPart) > largest) {
        return ERROR_FILE_TOO_LARGE;
    }
    bytes.resize(static_cast<std::size_t>(size.QuadPart));
    std::size_t done = 0;
    while (done < bytes.size()) {
        DWORD got = 0;
        DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1 << 24));
        if (!::ReadFile(file.Get(), bytes.data() + done, chunk, &got, nullptr)) {
            return static_cast<int>(::GetLastError());
        }
        if (got == 0) {
            break;  // shorter than it said: what is there is what there is
        }
        done += got;
    }
    bytes.resize(done);
    return 0;
}

int Win32FileSystem::Create(const std::wstring& path, std::string_view bytes) {
    UniqueFile file(::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        return static_cast<int>(::GetLastError());
    }
    int error = 0;
    std::size_t done = 0;
    while (done < bytes.size() && error == 0) {
        DWORD wrote = 0;
        DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1 << 24));
        if (!::WriteFile(file.Get(), bytes.data() + done, chunk, &wrote, nullptr)) {
            error = static_cast<int>(::GetLastError());
        } else if (wrote == 0) {
            error = ERROR_DISK_FULL;
        }
        done += wrote;
    }
    if (error == 0 && !::FlushFileBuffers(file.Get())) {
        error = static_cast<int>(::GetLastError());
    }
    HANDLE handle = file.Release();
    if (!::CloseHandle(handle) && error == 0) {
        error = static_cast<int>(::GetLastError());
    }
    if (error != 0) {
        ::DeleteFileW(path.c_str());  // half a file is nobody's
    }
    return error;
}

int Win32FileSystem::Replace(const std::wstring& replacement, const std::wstring& path) {
    DWORD kept = ::GetFileAttributesW(path.c_str());
    if (kept == INVALID_FILE_ATTRIBUTES) {
        return ::MoveFileExW(replacement.c_str(), path.c_str(),
                             MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)
                   ? 0
                   : static_cast<int>(::GetLastError());
    }
    if (!::ReplaceFileW(path.c_str(), replacement.c_str(), nullptr,
                        REPLACEFILE_IGNORE_MERGE_ERRORS | REPLACEFILE_IGNORE_ACL_ERRORS, nullptr,
                        nullptr)) {
        return static_cast<int>(::GetLastError());
    }
    // ReplaceFileW gives the new file the old one's attributes. Wine's does not (it keeps them
    // in places of its own, beside the file): there they are put back.
    if (!RunningUnderWine()) {
        return 0;
    }
    constexpr DWORD kSettable = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                                FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
    DWORD now = ::GetFileAttributesW(path.c_str());
    if (now != INVALID_FILE_ATTRIBUTES && (now & kSettable) != (kept & kSettable)) {
        ::SetFileAttributesW(path.c_str(), (now & ~kSettable) | (kept & kSettable));
    }
    return 0;
}

void Win32FileSystem::Remove(const std::wstring& path) {
    ::DeleteFileW(path.c_str());
}

void Win32FileSystem::RemoveAll(const std::wstring& pattern) {
    std::wstring folder = pattern.substr(0, pattern.find_last_of(L"\\/") + 1);
    WIN32_FIND_DATAW found{};
    UniqueFileSearch search(::FindFirstFileW(pattern.c_str(), &found));
    if (!search) {
        return;
    }
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
            ::DeleteFileW((folder + found.cFileName).c_str());
        }
    } while (::FindNextFileW(search.Get(), &found));
}

std::wstring Win32FileSystem::FinalPath(const std::wstring& path) {
    UniqueFile file(::CreateFileW(path.c_str(), 0,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!file) {
        return path;
    }
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        DWORD n = ::GetFinalPathNameByHandleW(file.Get(), buffer.data(),
                                              static_cast<DWORD>(buffer.size()),
                                              FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
        if (n == 0) {
            return path;
        }
        if (n < buffer.size()) {
            std::wstring final(buffer.data(), n);
            // "\\?\C:\..." and "\\?\UNC\server\..." as the paths the program uses elsewhere.
            if (final.rfind(L"\\\\?\\UNC\\", 0) == 0) {
                return L"\\" + final.substr(7);
            }
            return final.rfind(L"\\\\?\\", 0) == 0 ? final.substr(4) : final;
        }
        buffer.resize(n + 1);
    }
}

bool Win32FileSystem::ReadOnly(const std::wstring& path) {
    DWORD attributes = ::GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES &&
           (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) ==
               FILE_ATTRIBUTE_READONLY;
}

bool Win32FileSystem::Exists(const std::wstring& path) {
    return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

int Win32FileSystem::CreateFolder(const std::wstring& path) {
    if (::CreateDirectoryW(path.c_str(), nullptr) || ::GetLastError() == ERROR_ALREADY_EXISTS) {
        return 0;
    }
    return static_cast<int>(::GetLastError());
}

void Win32FileSystem::Pause(int milliseconds) {
    ::Sleep(static_cast<DWORD>(milliseconds));
}

std::wstring Win32FileSystem::Describe(int error) const {
    wchar_t* text = nullptr;
    DWORD length = ::FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, static_cast<DWORD>(error), 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::wstring described = length > 0 ? std::wstring(text, length) : std::wstring();
    ::LocalFree(text);
    while (!described.empty() &&
           (described.back() == L'\n' || described.back() == L'\r' || described.back() == L' ')) {
        described.pop_back();
    }
    if (described.empty()) {
        described = L"System error " + std::to_wstring(error) + L".";
    }
    return described;
}

std::wstring Win32AnsiCodePage::Decode(std::string_view bytes) const {
    if (bytes.empty()) {
        return {};
    }
    int size = static_cast<int>(bytes.size());
    int length = ::MultiByteToWideChar(CP_ACP, 0, bytes.data(), size, nullptr, 0);
    std::wstring text(static_cast<std::size_t>(length), L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, bytes.data(), size, text.data(), length);
    return text;
}

std::string Win32AnsiCodePage::Encode(std::wstring_view text) const {
    if (text.empty()) {
        return {};
    }
    int size = static_cast<int>(text.size());
    int length = ::WideCharToMultiByte(CP_ACP, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(length), '\0');
    ::WideCharToMultiByte(CP_ACP, 0, text.data(), size, bytes.data(), length, nullptr, nullptr);
    return bytes;
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
    Shell32::Open(owner_, address.c_str());
}

std::wstring PerUserSettingsFolder() {
    std::wstring roaming = Shell32::RoamingAppData();
    return roaming.empty() ? roaming : roaming + L"\\Tavero Mirelle";
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

std::wstring ExePath() {
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        DWORD n = ::GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (n == 0) {
            return {};
        }
        if (n < buffer.size()) {
            return std::wstring(buffer.data(), n);
        }
        buffer.resize(buffer.size() * 2);
    }
}

std::wstring ExeFolder::Path() const {
    std::wstring path = ExePath();
    auto slash = path.find_last_of(L"\\/");
    if (slash == std::wstring::npos) {
        return L".";
    }
    // A drive's root keeps its separator ("C:\"), as the path joiner expects.
    return slash == 2 && path[1] == L':' ? path.substr(0, 3) : path.substr(0, slash);
}

}  // namespace tavero
