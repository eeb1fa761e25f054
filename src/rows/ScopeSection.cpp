#include "app/RowScopes.h"

#include <string>

namespace tavero {

void RowScopes::Load() {
    for (int row = 0; row < kRows; ++row) {
        // Read whole: a value that cannot be read is kept as it is, for the file.
        scopes_.at(static_cast<std::size_t>(row)) = RowScope::Parse(
            ini_.ReadIniValue(kSection, std::to_wstring(row), L"", std::wstring::npos));
    }
}

bool RowScopes::Set(int row, RowScope scope) {
    RowScope& kept = scopes_.at(static_cast<std::size_t>(row));
    std::wstring text = scope.ToText();
    bool unchanged = text == kept.ToText();
    kept = std::move(scope);
    if (unchanged) {
        return true;
    }
    const IniValue value{kSection, std::to_wstring(row), text};
    return ini_.WriteIniValues({&value, 1});
}

}  // namespace tavero
