#include "settings/DecimalText.h"

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

}  // namespace tavero
