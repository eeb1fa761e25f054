// The Unicode encodings of a settings file: what is read as UTF-8 is UTF-8 and writes back to
// the same bytes; UTF-16 reads and writes any units; text UTF-8 cannot hold is said so.
#include "FuzzText.h"
#include "settings/TextEncoding.h"

using namespace tavero;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    if (std::optional<std::wstring> text = FromUtf8(bytes)) {
        TAVERO_FUZZ_CHECK(ToUtf8(*text) == std::string(bytes));
    }
    for (bool bigEndian : {false, true}) {
        TAVERO_FUZZ_CHECK(ToUtf16(FromUtf16(bytes, bigEndian), bigEndian) ==
                          bytes.substr(0, size - size % 2));
    }
    std::wstring units = fuzz::Units(data, size);
    std::optional<std::string> encoded = ToUtf8(units);
    if (encoded) {
        TAVERO_FUZZ_CHECK(FromUtf8(*encoded) == units);
    } else {
        // Only half of a surrogate pair has no UTF-8 form.
        bool lone = false;
        for (std::size_t i = 0; i < units.size(); ++i) {
            auto u = static_cast<std::uint32_t>(units[i]);
            bool high = u >= 0xD800 && u < 0xDC00, low = u >= 0xDC00 && u < 0xE000;
            auto next = i + 1 < units.size() ? static_cast<std::uint32_t>(units[i + 1]) : 0u;
            if (high && next >= 0xDC00 && next < 0xE000) {
                ++i;
            } else if (high || low) {
                lone = true;
            }
        }
        TAVERO_FUZZ_CHECK(lone);
    }
    return 0;
}
