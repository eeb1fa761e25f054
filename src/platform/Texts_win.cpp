#include <windows.h>

#include "platform/Texts.h"

namespace tavero {

std::wstring Text(int id) {
    // The table's own copy, read in place: nothing to size or free.
    const wchar_t* text = nullptr;
    int length = ::LoadStringW(::GetModuleHandleW(nullptr), static_cast<UINT>(id),
                               reinterpret_cast<wchar_t*>(&text), 0);
    return length > 0 ? std::wstring(text, static_cast<std::size_t>(length)) : std::wstring();
}

}  // namespace tavero
