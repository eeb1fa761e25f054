#include "settings/TextEncoding.h"

#include <cstdint>

namespace tavero {

std::wstring FromUtf8(std::string_view bytes) {
    std::wstring text;
    std::size_t i = 0;
    auto byte = [&](std::size_t k) {
        return static_cast<std::uint32_t>(static_cast<std::uint8_t>(bytes[k]));
    };
    while (i < bytes.size()) {
        std::uint32_t c = byte(i);
        std::size_t extra = c < 0x80    ? 0
                            : c >= 0xF8 ? 4
                            : c >= 0xF0 ? 3
                            : c >= 0xE0 ? 2
                            : c >= 0xC0 ? 1
                                        : 4;
        bool valid = extra < 4 && i + extra < bytes.size();
        for (std::size_t k = 1; valid && k <= extra; ++k) {
            valid = (byte(i + k) & 0xC0) == 0x80;
        }
        if (!valid) {
            text.push_back(static_cast<wchar_t>(0xFFFD));  // not UTF-8: the replacement character
            ++i;
            continue;
        }
        if (extra > 0) {
            c &= 0x7Fu >> (extra + 1);
            for (std::size_t k = 1; k <= extra; ++k) {
                c = (c << 6) | (byte(i + k) & 0x3F);
            }
        }
        i += extra + 1;
        if (c >= 0x10000) {
            c -= 0x10000;
            text.push_back(static_cast<wchar_t>(0xD800 + (c >> 10)));
            text.push_back(static_cast<wchar_t>(0xDC00 + (c & 0x3FF)));
        } else {
            text.push_back(static_cast<wchar_t>(c));
        }
    }
    return text;
}

std::string ToUtf8(std::wstring_view text) {
    std::string bytes;
    for (std::size_t i = 0; i < text.size(); ++i) {
        std::uint32_t c = static_cast<std::uint32_t>(text[i]) & 0xFFFF;
        if (c >= 0xD800 && c < 0xDC00 && i + 1 < text.size()) {
            std::uint32_t low = static_cast<std::uint32_t>(text[i + 1]) & 0xFFFF;
            if (low >= 0xDC00 && low < 0xE000) {
                c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
                ++i;
            }
        }
        if (c < 0x80) {
            bytes.push_back(static_cast<char>(c));
        } else if (c < 0x800) {
            bytes.push_back(static_cast<char>(0xC0 | (c >> 6)));
            bytes.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        } else if (c < 0x10000) {
            bytes.push_back(static_cast<char>(0xE0 | (c >> 12)));
            bytes.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
            bytes.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        } else {
            bytes.push_back(static_cast<char>(0xF0 | (c >> 18)));
            bytes.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
            bytes.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
            bytes.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        }
    }
    return bytes;
}

std::wstring FromUtf16(std::string_view bytes, bool bigEndian) {
    std::wstring text;
    text.reserve(bytes.size() / 2);
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        auto hi = static_cast<std::uint8_t>(bytes[bigEndian ? i : i + 1]);
        auto lo = static_cast<std::uint8_t>(bytes[bigEndian ? i + 1 : i]);
        text.push_back(static_cast<wchar_t>((hi << 8) | lo));
    }
    return text;
}

std::string ToUtf16(std::wstring_view text, bool bigEndian) {
    std::string bytes;
    bytes.reserve(text.size() * 2);
    for (wchar_t unit : text) {
        auto c = static_cast<std::uint16_t>(unit);
        char hi = static_cast<char>(c >> 8);
        char lo = static_cast<char>(c & 0xFF);
        bytes.push_back(bigEndian ? hi : lo);
        bytes.push_back(bigEndian ? lo : hi);
    }
    return bytes;
}

}  // namespace tavero
