#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>

namespace tavero {

// A whole decimal number written with digits only (no sign, no blanks), or nothing.
// Values past `limit` are refused rather than wrapped.
std::optional<int> ParseDecimal(std::wstring_view text, int limit);

// A whole number in decimal digits, with a minus where it is negative. Written here rather than
// by the C library's formatted printing, which would bring its floating-point formatting (some
// 30 KiB) into the exe for nothing.
template <class Integer>
std::wstring DecimalText(Integer value) {
    static_assert(std::is_integral_v<Integer>);
    using Magnitude = std::make_unsigned_t<Integer>;
    constexpr std::size_t kLongest = 24;
    wchar_t digits[kLongest];
    std::size_t at = kLongest;
    bool negative = value < 0;
    auto magnitude = static_cast<Magnitude>(value);
    if (negative) {
        magnitude = static_cast<Magnitude>(0 - magnitude);
    }
    do {
        digits[--at] = static_cast<wchar_t>(L'0' + static_cast<int>(magnitude % 10));
        magnitude = static_cast<Magnitude>(magnitude / 10);
    } while (magnitude != 0);
    if (negative) {
        digits[--at] = L'-';
    }
    return std::wstring(digits + at, kLongest - at);
}

// A number in lower-case hexadecimal digits, `width` of them at least, zeros before it.
std::wstring HexText(std::uint64_t value, int width);

}  // namespace tavero
