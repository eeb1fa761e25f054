#include "hotkeybox/IniSettings.h"

#include <array>

namespace tavero {

namespace {
// The read buffer holds 254 characters and the terminating NUL.
constexpr std::size_t kReadBufferSize = 255;
}  // namespace

IniSettings::IniSettings(ProfileFile& file, const ProgramFolder& folder)
    : file_(file), folder_(folder) {
    BuildIniPath(L"set.ini");
}

void IniSettings::BuildIniPath(const std::wstring& fileName) {
    std::wstring folder = folder_.Path();
    if (!folder.empty() && folder.back() == L'\\') {
        path_ = folder + fileName;
    } else {
        path_ = folder + L"\\" + fileName;
    }
}

std::wstring IniSettings::ReadIniValue(const std::wstring& section, const std::wstring& key,
                                       const std::wstring& fallback) {
    std::array<wchar_t, kReadBufferSize> buffer{};
    std::size_t copied = file_.GetString(section, key, fallback, buffer, path_);
    if (copied == 0) {
        return {};
    }
    // Up to the first NUL: a value with an embedded NUL ends there.
    std::size_t length = 0;
    while (length < buffer.size() && buffer[length] != L'\0') {
        ++length;
    }
    return std::wstring(buffer.data(), length);
}

bool IniSettings::WriteIniValue(const std::wstring& section, const std::wstring& key,
                                const std::wstring& value) {
    return file_.WriteString(section, key, value, path_);
}

}  // namespace tavero
