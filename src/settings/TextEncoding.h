#pragma once

#include <string>
#include <string_view>

namespace tavero {

// The Unicode encodings a settings file may be in, to and from text held as UTF-16 code units
// on every platform. Bytes that are not UTF-8 read as the replacement character.
std::wstring FromUtf8(std::string_view bytes);
std::string ToUtf8(std::wstring_view text);
std::wstring FromUtf16(std::string_view bytes, bool bigEndian);
std::string ToUtf16(std::wstring_view text, bool bigEndian);

}  // namespace tavero
