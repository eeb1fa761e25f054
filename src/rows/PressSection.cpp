#include "rows/PressSection.h"

#include "platform/DecimalText.h"
#include "settings/FoldedText.h"
#include "settings/TrimmedText.h"

namespace tavero {

namespace {
constexpr const wchar_t* kHold = L"hold";
constexpr const wchar_t* kRepeat = L"repeat";
}  // namespace

PressSection::Entry PressSection::Parse(std::wstring_view text) {
    std::wstring_view word = TrimBlanks(text);
    if (word.empty()) {
        return {};
    }
    if (SameIgnoringCase(word, kHold)) {
        return {{PressMode::Kind::Hold, 0}, {}};
    }
    if (SameIgnoringCase(word, kRepeat)) {
        return {{PressMode::Kind::Repeat, 0}, {}};
    }
    std::optional<int> ms = ParseDecimal(word, PressMode::kLongestTapMs);
    if (ms && *ms >= PressMode::kShortestTapMs) {
        return {{PressMode::Kind::Tap, *ms}, {}};
    }
    return {{}, std::wstring(text)};
}

std::wstring PressSection::ToText(const Entry& entry) {
    if (!entry.unread.empty()) {
        return entry.unread;
    }
    switch (entry.mode.kind) {
        case PressMode::Kind::Hold:
            return kHold;
        case PressMode::Kind::Repeat:
            return kRepeat;
        case PressMode::Kind::Tap:
            break;
    }
    return entry.mode.tapMs > 0 ? DecimalText(entry.mode.tapMs) : std::wstring();
}

void PressSection::Load() {
    for (int row = 0; row < kRowCount; ++row) {
        // Read whole: a value that cannot be read is kept as it is, for the file.
        entries_.at(RowIndex(row)) =
            Parse(ini_.ReadIniValue(kSection, DecimalText(row), L"", std::wstring::npos));
    }
}

bool PressSection::Set(int row, PressMode mode) {
    Entry& kept = entries_.at(RowIndex(row));
    Entry wanted{mode, {}};
    std::wstring text = ToText(wanted);
    bool unchanged = text == ToText(kept);
    kept = wanted;
    if (unchanged) {
        return true;
    }
    const IniValue value{kSection, DecimalText(row), text};
    return ini_.WriteIniValues({&value, 1});
}

}  // namespace tavero
