#pragma once

#include <string>
#include <string_view>

#include "playback/PressMode.h"
#include "rows/RowSection.h"

namespace tavero {

// How each of the ten rows presses its action, kept in the settings file's section "Press" by
// row index: "hold", "repeat", or a tap's length in milliseconds ("350"); none, or empty, is a
// tap of the usual length, as every row always had. A value that cannot be read presses as a
// tap, is said once, and stays in the file as it is until the user chooses how the row presses.
struct PressFormat {
    struct Entry {
        PressMode mode;
        std::wstring unread;  // the value as the file holds it, where it could not be read
    };
    using Value = Entry;
    static constexpr const wchar_t* kSection = L"Press";
    static Entry Parse(std::wstring_view text);
    static std::wstring ToText(const Entry& entry);
};
using PressSection = RowSection<PressFormat>;

}  // namespace tavero
