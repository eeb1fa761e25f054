#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tavero {

// The Unicode encodings a settings file may be in, to and from text held as UTF-16 code units
// on every platform. UTF-8 is read as the standard defines it: nothing where the bytes are not
// (an overlong form, a surrogate, a code point past U+10FFFF, a sequence cut short), so that
// the caller reads them some other way; and text with a surrogate that has no partner has no
// UTF-8 form. UTF-16 holds any text, and reads any bytes (an odd last byte aside).
std::optional<std::wstring> FromUtf8(std::string_view bytes);
std::optional<std::string> ToUtf8(std::wstring_view text);
std::wstring FromUtf16(std::string_view bytes, bool bigEndian);
std::string ToUtf16(std::wstring_view text, bool bigEndian);

}  // namespace tavero
