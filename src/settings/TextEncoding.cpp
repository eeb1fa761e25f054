#include "settings/TextEncoding.h"

#include <cstdint>

namespace tavero {

namespace {

// How many bytes follow a lead byte, and the least code point a sequence of that length may
// hold (anything less is an overlong form); nothing for a byte no sequence starts with.
struct Lead {
    std::size_t extra;
    std::uint32_t least;
};
std::optional<Lead> LeadOf(std::uint32_t byte) {
    if (byte < 0x80) {
        return Lead{0, 0};
    }
    if (byte >= 0xC2 && byte <= 0xDF) {
        return Lead{1, 0x80};
    }
    if (byte >= 0xE0 && byte <= 0xEF) {
        return Lead{2, 0x800};
    }
    if (byte >= 0xF0 && byte <= 0xF4) {
        return Lead{3, 0x10000};
    }
    return std::nullopt;
}

bool IsSurrogate(std::uint32_t c) {
    return c >= 0xD800 && c < 0xE000;
}

}  // namespace

std::optional<std::wstring> FromUtf8(std::string_view bytes) {
    std::wstring text;
    auto byte = [&](std::size_t k) {
        return static_cast<std::uint32_t>(static_cast<std::uint8_t>(bytes[k]));
    };
    for (std::size_t i = 0; i < bytes.size();) {
        std::optional<Lead> lead = LeadOf(byte(i));
        if (!lead || lead->extra >= bytes.size() - i) {
            return std::nullopt;
        }
        std::uint32_t c = lead->extra == 0 ? byte(i) : byte(i) & (0x7Fu >> (lead->extra + 1));
        for (std::size_t k = 1; k <= lead->extra; ++k) {
            if ((byte(i + k) & 0xC0) != 0x80) {
                return std::nullopt;
            }
            c = (c << 6) | (byte(i + k) & 0x3F);
        }
        if (c < lead->least || IsSurrogate(c) || c > 0x10FFFF) {
            return std::nullopt;
        }
        i += lead->extra + 1;
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

std::optional<std::string> ToUtf8(std::wstring_view text) {
    std::string bytes;
    for (std::size_t i = 0; i < text.size(); ++i) {
        std::uint32_t c = static_cast<std::uint32_t>(text[i]) & 0xFFFF;
        if (IsSurrogate(c)) {
            std::uint32_t low =
                i + 1 < text.size() ? static_cast<std::uint32_t>(text[i + 1]) & 0xFFFF : 0;
            if (c >= 0xDC00 || low < 0xDC00 || low >= 0xE000) {
                return std::nullopt;  // half of a pair: no character UTF-8 can hold
            }
            c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
            ++i;
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
