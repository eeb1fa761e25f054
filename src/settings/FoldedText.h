#pragma once

#include <algorithm>
#include <string_view>

namespace tavero {

// Names Windows compares whatever their case: settings names, key names, paths. Only A to Z are
// folded, as the profile functions do for the names the program uses.
inline wchar_t FoldCase(wchar_t c) {
    return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c;
}

// A path's character as the file system compares it: whatever its case, '/' as '\'.
inline wchar_t FoldPath(wchar_t c) {
    return c == L'/' ? L'\\' : FoldCase(c);
}

inline bool SameIgnoringCase(std::wstring_view a, std::wstring_view b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(),
                      [](wchar_t x, wchar_t y) { return FoldCase(x) == FoldCase(y); });
}

inline bool SamePath(std::wstring_view a, std::wstring_view b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(),
                      [](wchar_t x, wchar_t y) { return FoldPath(x) == FoldPath(y); });
}

}  // namespace tavero
