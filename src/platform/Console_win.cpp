#include "platform/Console_win.h"

#include <windows.h>

#include <string>

#include "platform/Handles_win.h"

namespace tavero {

namespace {

std::string Utf8(const std::wstring& text) {
    int size = static_cast<int>(text.size());
    int length = ::WideCharToMultiByte(CP_UTF8, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(length), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text.data(), size, bytes.data(), length, nullptr, nullptr);
    return bytes;
}

}  // namespace

bool WriteToStarter(const std::wstring& text) {
    std::wstring lines = text + L"\n";
    // Redirected by whoever started it: a file or a pipe takes UTF-8.
    HANDLE given = ::GetStdHandle(STD_OUTPUT_HANDLE);
    if (given != nullptr && given != INVALID_HANDLE_VALUE &&
        ::GetFileType(given) != FILE_TYPE_CHAR) {
        std::string bytes = Utf8(lines);
        DWORD wrote = 0;
        return ::WriteFile(given, bytes.data(), static_cast<DWORD>(bytes.size()), &wrote,
                           nullptr) != FALSE;
    }
    // A windowed program has no console of its own: the one it was started from, if any.
    if (!::AttachConsole(ATTACH_PARENT_PROCESS)) {
        return false;
    }
    UniqueFile console(::CreateFileW(L"CONOUT$", GENERIC_WRITE, FILE_SHARE_WRITE, nullptr,
                                     OPEN_EXISTING, 0, nullptr));
    DWORD wrote = 0;
    bool done = console && ::WriteConsoleW(console.Get(), lines.c_str(),
                                           static_cast<DWORD>(lines.size()), &wrote, nullptr);
    ::FreeConsole();
    return done;
}

}  // namespace tavero
