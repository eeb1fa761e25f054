#include "platform/CodePage_win.h"

namespace tavero {

std::wstring Win32AnsiCodePage::Decode(std::string_view bytes) const {
    if (bytes.empty()) {
        return {};
    }
    int size = static_cast<int>(bytes.size());
    int length = ::MultiByteToWideChar(CP_ACP, 0, bytes.data(), size, nullptr, 0);
    std::wstring text(static_cast<std::size_t>(length), L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, bytes.data(), size, text.data(), length);
    return text;
}

std::string Win32AnsiCodePage::Encode(std::wstring_view text) const {
    if (text.empty()) {
        return {};
    }
    int size = static_cast<int>(text.size());
    int length = ::WideCharToMultiByte(CP_ACP, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(length), '\0');
    ::WideCharToMultiByte(CP_ACP, 0, text.data(), size, bytes.data(), length, nullptr, nullptr);
    return bytes;
}

}  // namespace tavero
