#pragma once

#include <string_view>

namespace tavero {

// A text without the blanks (spaces and tabs) around it, as the profile functions read names
// and values, and as the program reads what a user typed.
inline std::wstring_view TrimBlanks(std::wstring_view text) {
    auto blank = [](wchar_t c) { return c == L' ' || c == L'\t'; };
    while (!text.empty() && blank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && blank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

}  // namespace tavero
