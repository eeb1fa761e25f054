#pragma once

#include <windows.h>

namespace tavero {

// A DLL of the system's that the program loads while it runs, from the system folder only: a
// DLL of the same name planted beside the exe (a downloads folder) is never loaded instead.
inline HMODULE LoadSystemLibrary(const wchar_t* name) {
    return ::LoadLibraryExW(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
}

// A function of such a DLL, or nullptr.
template <typename Function>
Function SystemFunction(HMODULE library, const char* name) {
    return library != nullptr ? reinterpret_cast<Function>(
                                    reinterpret_cast<void*>(::GetProcAddress(library, name)))
                              : nullptr;
}

}  // namespace tavero
