#pragma once

#include <cstdint>

namespace tavero::palette {

struct Rgb {
    std::uint8_t r, g, b;
};

inline constexpr Rgb kGreen{0, 153, 102};
inline constexpr Rgb kWhite{255, 255, 255};
inline constexpr Rgb kLinkBlue{15, 66, 128};
inline constexpr Rgb kYellow{255, 255, 0};

// Face names of the skin's fonts.
inline constexpr const wchar_t* kYaHei = L"\u5FAE\u8F6F\u96C5\u9ED1";  // Microsoft YaHei
inline constexpr const wchar_t* kSimSun = L"\u5B8B\u4F53";             // SimSun

}  // namespace tavero::palette
