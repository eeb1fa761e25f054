#include "platform/ProgramFolder_win.h"

#include <vector>

#include "platform/FileSystem_win.h"
#include "platform/Shell_win.h"

namespace tavero {

namespace {

// The path the program was started by, a link's perhaps.
std::wstring StartedAs() {
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        DWORD n = ::GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (n == 0) {
            return {};
        }
        if (n < buffer.size()) {
            return std::wstring(buffer.data(), n);
        }
        buffer.resize(buffer.size() * 2);
    }
}

}  // namespace

std::wstring ExePath() {
    // Where the exe really is: started by a link (winget's alias in its shared Links folder, a
    // launcher's), the program keeps its settings, its one-copy identity and its sign-in value
    // by the exe the link leads to, as it does when started by that exe's own path.
    static const std::wstring path = FinalPathOf(StartedAs());
    return path;
}

std::wstring ExeFolder::Path() const {
    std::wstring path = ExePath();
    auto slash = path.find_last_of(L"\\/");
    if (slash == std::wstring::npos) {
        return L".";
    }
    // A drive's root keeps its separator ("C:\"), as the path joiner expects.
    return slash == 2 && path[1] == L':' ? path.substr(0, 3) : path.substr(0, slash);
}

std::wstring PerUserSettingsFolder() {
    std::wstring roaming = Shell32::RoamingAppData();
    return roaming.empty() ? roaming : roaming + L"\\Tavero Mirelle";
}

}  // namespace tavero
