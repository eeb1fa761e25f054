#include "rows/PressSection.h"

#include "platform/DecimalText.h"
#include "settings/FoldedText.h"
#include "settings/TrimmedText.h"

namespace tavero {

namespace {
constexpr const wchar_t* kHold = L"hold";
constexpr const wchar_t* kRepeat = L"repeat";
}  // namespace

PressFormat::Entry PressFormat::Parse(std::wstring_view text) {
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

std::wstring PressFormat::ToText(const Entry& entry) {
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

}  // namespace tavero
