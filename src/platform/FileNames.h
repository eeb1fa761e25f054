#pragma once

#include <string_view>

namespace tavero {

// The file name at the end of a path, a program's ("notepad.exe" of "C:\Windows\notepad.exe"):
// after its last separator, either kind.
inline std::wstring_view FileNameOf(std::wstring_view path) {
    std::size_t separator = path.find_last_of(L"\\/");
    return separator == std::wstring_view::npos ? path : path.substr(separator + 1);
}

}  // namespace tavero
