#include "platform/Texts.h"

namespace tavero {

std::wstring Text(int id, std::initializer_list<std::wstring_view> fills) {
    return FillText(Text(id), fills);
}

std::wstring FillText(std::wstring_view pattern, std::initializer_list<std::wstring_view> fills) {
    std::wstring text;
    text.reserve(pattern.size());
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        wchar_t next = i + 1 < pattern.size() ? pattern[i + 1] : L'\0';
        if (pattern[i] != L'%' || (next != L'%' && (next < L'1' || next > L'9'))) {
            text += pattern[i];
            continue;
        }
        ++i;
        if (next == L'%') {
            text += L'%';
        } else if (std::size_t n = static_cast<std::size_t>(next - L'1'); n < fills.size()) {
            text += *(fills.begin() + n);
        }
    }
    return text;
}

}  // namespace tavero
