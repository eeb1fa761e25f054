#include "platform/DecimalText.h"

namespace tavero {

std::optional<int> ParseDecimal(std::wstring_view text, int limit) {
    if (text.empty()) {
        return std::nullopt;
    }
    long long value = 0;
    for (wchar_t c : text) {
        if (c < L'0' || c > L'9') {
            return std::nullopt;
        }
        value = value * 10 + (c - L'0');
        if (value > limit) {
            return std::nullopt;
        }
    }
    return static_cast<int>(value);
}

std::wstring HexText(std::uint64_t value, int width) {
    std::wstring text;
    for (int digit = 0; digit < 16 && (value != 0 || digit < width); ++digit) {
        text.insert(text.begin(), L"0123456789abcdef"[value & 0xF]);
        value >>= 4;
    }
    return text;
}

}  // namespace tavero
