#include "platform/Wine_win.h"

#include <windows.h>

namespace tavero {

bool RunningUnderWine() {
    // Wine's ntdll exports its version; Windows' has no such function.
    static const bool underWine = [] {
        HMODULE ntdll = ::GetModuleHandleW(L"ntdll.dll");
        return ntdll != nullptr && ::GetProcAddress(ntdll, "wine_get_version") != nullptr;
    }();
    return underWine;
}

}  // namespace tavero
