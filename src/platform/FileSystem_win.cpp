#include "platform/FileSystem_win.h"

#include <algorithm>
#include <vector>

#include "platform/DecimalText.h"
#include "platform/Handles_win.h"
#include "platform/Texts.h"
#include "platform/Wine_win.h"

namespace tavero {

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

namespace {

// Writes all of `bytes` at the file's position, flushes them to the disk and closes the file.
int WriteAllAndClose(UniqueFile file, std::string_view bytes) {
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
    return error;
}

}  // namespace

int Win32FileSystem::Create(const std::wstring& path, std::string_view bytes) {
    UniqueFile file(::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        return static_cast<int>(::GetLastError());
    }
    int error = WriteAllAndClose(std::move(file), bytes);
    if (error != 0) {
        ::DeleteFileW(path.c_str());  // half a file is nobody's
    }
    return error;
}

int Win32FileSystem::Move(const std::wstring& from, const std::wstring& to) {
    return ::MoveFileExW(from.c_str(), to.c_str(),
                         MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)
               ? 0
               : static_cast<int>(::GetLastError());
}

int Win32FileSystem::Overwrite(const std::wstring& path, std::string_view bytes, bool& begun) {
    begun = false;
    // Readers may go on reading; nobody else writes meanwhile.
    UniqueFile file(::CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        return static_cast<int>(::GetLastError());
    }
    // The new length first: a disk without room for a longer content refuses here, before a
    // byte changes; a shorter content ends where it ends.
    LARGE_INTEGER length{};
    length.QuadPart = static_cast<LONGLONG>(bytes.size());
    if (!::SetFilePointerEx(file.Get(), length, nullptr, FILE_BEGIN) ||
        !::SetEndOfFile(file.Get())) {
        return static_cast<int>(::GetLastError());
    }
    begun = true;
    if (!::SetFilePointerEx(file.Get(), LARGE_INTEGER{}, nullptr, FILE_BEGIN)) {
        return static_cast<int>(::GetLastError());
    }
    return WriteAllAndClose(std::move(file), bytes);
}

int Win32FileSystem::NameCount(const std::wstring& path) {
    UniqueFile file(::CreateFileW(path.c_str(), 0,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    BY_HANDLE_FILE_INFORMATION information{};
    if (!file || !::GetFileInformationByHandle(file.Get(), &information)) {
        return 0;
    }
    return static_cast<int>(information.nNumberOfLinks);
}

int Win32FileSystem::WhyUnchangeable(const std::wstring& path) {
    // Asks for what a replace needs, letting every other user of the file go on as it does.
    UniqueFile file(::CreateFileW(path.c_str(), GENERIC_WRITE | DELETE,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    return file ? 0 : static_cast<int>(::GetLastError());
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
        described = Text(TAVERO_TEXT_SYSTEM_ERROR, {DecimalText(error)});
    }
    return described;
}

}  // namespace tavero
