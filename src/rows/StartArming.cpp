#include "rows/StartArming.h"

#include "platform/DecimalText.h"
#include "rows/RowList.h"

namespace tavero {

namespace {
constexpr const wchar_t* kOnKey = L"ArmAtStart";
constexpr const wchar_t* kRowsKey = L"ArmedRows";
}  // namespace

void StartArming::Load() {
    std::wstring on = ini_.ReadIniValue(kSection, kOnKey, L"");
    known_ = !on.empty();
    on_ = on == L"1";
    // What could be read of the list is armed: whatever is sound in the file is kept.
    rows_ = ReadRowList(ini_.ReadIniValue(kSection, kRowsKey, L"")).rows;
}

std::vector<IniValue> StartArming::ToSave(const std::vector<int>& armedRows) const {
    if (!known_ && !on_) {
        return {};
    }
    std::wstring rows;
    for (int row : armedRows) {
        rows += (rows.empty() ? L"" : L",") + DecimalText(row + 1);
    }
    return {{kSection, kOnKey, on_ ? L"1" : L"0"}, {kSection, kRowsKey, rows}};
}

}  // namespace tavero
