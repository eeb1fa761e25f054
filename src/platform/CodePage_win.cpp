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

std::optional<std::string> Win32AnsiCodePage::Encode(std::wstring_view text) const {
    if (text.empty()) {
        return std::string();
    }
    // Left to itself the conversion writes '?' or a look-alike ("best fit") for a character the
    // code page lacks, and says so only through the default-character flag. Where the code page
    // is UTF-8 (a Windows option), that flag may not be asked for; an invalid character fails
    // the conversion instead.
    bool utf8 = ::GetACP() == CP_UTF8;
    DWORD flags = utf8 ? WC_ERR_INVALID_CHARS : WC_NO_BEST_FIT_CHARS;
    BOOL usedDefault = FALSE;
    BOOL* askUsedDefault = utf8 ? nullptr : &usedDefault;
    int size = static_cast<int>(text.size());
    int length = ::WideCharToMultiByte(CP_ACP, flags, text.data(), size, nullptr, 0, nullptr,
                                       askUsedDefault);
    if (length <= 0 || usedDefault) {
        return std::nullopt;
    }
    std::string bytes(static_cast<std::size_t>(length), '\0');
    ::WideCharToMultiByte(CP_ACP, flags, text.data(), size, bytes.data(), length, nullptr,
                          askUsedDefault);
    // And what comes back must be the text itself: a code page may map two characters to one.
    if (usedDefault || Decode(bytes) != text) {
        return std::nullopt;
    }
    return bytes;
}

}  // namespace tavero
