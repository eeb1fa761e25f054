#pragma once

#include <array>
#include <string>

#include "platform/DecimalText.h"
#include "platform/RowCount.h"
#include "settings/IniSettings.h"

namespace tavero {

// A value for each of the ten rows, kept in a section of the settings file of its own by row
// index ("0" to "9"), so that the other sections keep their format. Each value is read whole, so
// that one that cannot be read stays in the file as it is, and written only where its text
// changes. `Format` names the section (kSection) and says how a value reads and is written:
// static Value Parse(std::wstring_view) and static std::wstring ToText(const Value&).
template <class Format>
class RowSection : public Format {
  public:
    using Value = typename Format::Value;

    explicit RowSection(IniSettings& ini) : ini_(ini) {}

    void Load() {
        for (int row = 0; row < kRowCount; ++row) {
            values_.at(RowIndex(row)) = Format::Parse(
                ini_.ReadIniValue(Format::kSection, DecimalText(row), L"", std::wstring::npos));
        }
    }
    const Value& Of(int row) const { return values_.at(RowIndex(row)); }
    // Gives a row a new value, and writes it; false when the write failed (the row has it until
    // the program ends).
    bool Set(int row, Value value) {
        Value& kept = values_.at(RowIndex(row));
        std::wstring text = Format::ToText(value);
        bool unchanged = text == Format::ToText(kept);
        kept = std::move(value);
        if (unchanged) {
            return true;
        }
        const IniValue written{Format::kSection, DecimalText(row), text};
        return ini_.WriteIniValues({&written, 1});
    }

  private:
    IniSettings& ini_;
    std::array<Value, kRowCount> values_;
};

}  // namespace tavero
