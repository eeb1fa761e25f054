#include "platform/ProcessIntegrity_win.h"

#include <vector>

#include "platform/Programs_win.h"
#include "platform/Texts.h"

namespace tavero {

namespace {

std::optional<std::uint32_t> LevelOf(HANDLE process) {
    HANDLE token = nullptr;
    if (!::OpenProcessToken(process, TOKEN_QUERY, &token)) {
        return std::nullopt;
    }
    UniqueKernelHandle owned(token);
    DWORD bytes = 0;
    ::GetTokenInformation(token, TokenIntegrityLevel, nullptr, 0, &bytes);
    std::vector<BYTE> buffer(bytes);
    if (bytes == 0 ||
        !::GetTokenInformation(token, TokenIntegrityLevel, buffer.data(), bytes, &bytes)) {
        return std::nullopt;
    }
    PSID sid = reinterpret_cast<TOKEN_MANDATORY_LABEL*>(buffer.data())->Label.Sid;
    UCHAR count = *::GetSidSubAuthorityCount(sid);
    if (count == 0) {
        return std::nullopt;
    }
    return static_cast<std::uint32_t>(*::GetSidSubAuthority(sid, count - 1U));
}

}  // namespace

std::optional<ProcessIntegrity::Process> Win32ProcessIntegrity::Foreground() {
    DWORD id = 0;
    HWND window = ::GetForegroundWindow();
    if (window == nullptr || ::GetWindowThreadProcessId(window, &id) == 0) {
        return std::nullopt;
    }
    // The least access there is: enough for a process run as administrator, seen from one that
    // is not.
    UniqueKernelHandle process(::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, id));
    if (!process) {
        return std::nullopt;
    }
    std::optional<std::uint32_t> level = LevelOf(process.Get());
    if (!level) {
        return std::nullopt;
    }
    Process found;
    found.id = id;
    found.level = *level;
    FILETIME created{}, exited{}, kernel{}, user{};
    if (::GetProcessTimes(process.Get(), &created, &exited, &kernel, &user)) {
        found.started = (std::uint64_t{created.dwHighDateTime} << 32) | created.dwLowDateTime;
    }
    found.name = ProgramFileName(process.Get());
    if (found.name.empty()) {
        found.name = Text(TAVERO_TEXT_PROGRAM_IN_FRONT);
    }
    return found;
}

std::optional<std::uint32_t> Win32ProcessIntegrity::Own() {
    return LevelOf(::GetCurrentProcess());
}

}  // namespace tavero
