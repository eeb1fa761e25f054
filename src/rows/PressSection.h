#pragma once

#include <array>
#include <string>
#include <string_view>

#include "platform/RowCount.h"
#include "playback/PressMode.h"
#include "settings/IniSettings.h"

namespace tavero {

// How each of the ten rows presses its action, kept in the settings file's section "Press" by
// row index, in a section of its own so that the others keep their format: "hold", "repeat", or
// a tap's length in milliseconds ("350"); none, or empty, is a tap of the usual length, as every
// row always had. A value that cannot be read presses as a tap, is said once, and stays in the
// file as it is until the user chooses how the row presses.
class PressSection {
  public:
    static constexpr const wchar_t* kSection = L"Press";

    struct Entry {
        PressMode mode;
        std::wstring unread;  // the value as the file holds it, where it could not be read
    };
    static Entry Parse(std::wstring_view text);
    static std::wstring ToText(const Entry& entry);

    explicit PressSection(IniSettings& ini) : ini_(ini) {}

    void Load();
    const Entry& Of(int row) const { return entries_.at(RowIndex(row)); }
    // Gives a row a new way to press, and writes it; false when the write failed (the row has it
    // until the program ends).
    bool Set(int row, PressMode mode);

  private:
    IniSettings& ini_;
    std::array<Entry, kRowCount> entries_;
};

}  // namespace tavero
