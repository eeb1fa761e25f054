#include "app/StartArming.h"

#include <algorithm>
#include <string_view>

#include "settings/DecimalText.h"

namespace tavero {

namespace {
constexpr const wchar_t* kOnKey = L"ArmAtStart";
constexpr const wchar_t* kRowsKey = L"ArmedRows";
constexpr int kRows = 10;
}  // namespace

void StartArming::Load() {
    std::wstring on = ini_.ReadIniValue(kSection, kOnKey, L"");
    known_ = !on.empty();
    on_ = on == L"1";
    rows_.clear();
    std::wstring rows = ini_.ReadIniValue(kSection, kRowsKey, L"");
    std::wstring_view rest(rows);
    while (!rest.empty()) {
        std::size_t comma = rest.find(L',');
        std::wstring_view field = rest.substr(0, comma);
        // Whatever is no row from 1 to 10 is passed over.
        if (std::optional<int> row = ParseDecimal(field, kRows); row && *row >= 1) {
            rows_.push_back(*row - 1);
        }
        rest = comma == std::wstring_view::npos ? std::wstring_view() : rest.substr(comma + 1);
    }
    std::sort(rows_.begin(), rows_.end());
    rows_.erase(std::unique(rows_.begin(), rows_.end()), rows_.end());
}

std::vector<IniValue> StartArming::ToSave(const std::vector<int>& armedRows) const {
    if (!known_ && !on_) {
        return {};
    }
    std::wstring rows;
    for (int row : armedRows) {
        rows += (rows.empty() ? L"" : L",") + std::to_wstring(row + 1);
    }
    return {{kSection, kOnKey, on_ ? L"1" : L"0"}, {kSection, kRowsKey, rows}};
}

}  // namespace tavero
