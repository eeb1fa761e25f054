#include "rows/ScopeSection.h"

#include <string>

#include "platform/DecimalText.h"

namespace tavero {

void ScopeSection::Load() {
    for (int row = 0; row < kRowCount; ++row) {
        // Read whole: a value that cannot be read is kept as it is, for the file.
        scopes_.at(RowIndex(row)) = ProgramList::Parse(
            ini_.ReadIniValue(kSection, DecimalText(row), L"", std::wstring::npos));
    }
}

bool ScopeSection::Set(int row, ProgramList scope) {
    ProgramList& kept = scopes_.at(RowIndex(row));
    std::wstring text = scope.ToText();
    bool unchanged = text == kept.ToText();
    kept = std::move(scope);
    if (unchanged) {
        return true;
    }
    const IniValue value{kSection, DecimalText(row), text};
    return ini_.WriteIniValues({&value, 1});
}

}  // namespace tavero
