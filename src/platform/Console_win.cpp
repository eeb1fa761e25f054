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

// Whether whoever started the program gave it an output of their own that is no console: a
// file, a pipe, or NUL (a character device, as a console is, but none).
bool Redirected(HANDLE output) {
    DWORD mode = 0;
    if (output == nullptr || output == INVALID_HANDLE_VALUE || ::GetConsoleMode(output, &mode)) {
        return false;
    }
    // A handle value that means nothing in this process is no output.
    ::SetLastError(NO_ERROR);
    return ::GetFileType(output) != FILE_TYPE_UNKNOWN || ::GetLastError() == NO_ERROR;
}

}  // namespace

bool WriteToStarter(const std::wstring& text) {
    std::wstring lines = text + L"\n";
    // Redirected: the text goes there, in UTF-8. Said even where the write fails (a pipe closed
    // early, a full disk): a script never waits on a box that no one will see.
    HANDLE given = ::GetStdHandle(STD_OUTPUT_HANDLE);
    if (Redirected(given)) {
        std::string bytes = Utf8(lines);
        DWORD wrote = 0;
        ::WriteFile(given, bytes.data(), static_cast<DWORD>(bytes.size()), &wrote, nullptr);
        return true;
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
