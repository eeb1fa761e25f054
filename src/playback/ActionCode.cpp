#include "playback/ActionCode.h"

#include <optional>

#include "platform/DecimalText.h"

namespace tavero {

namespace {

std::vector<std::wstring_view> SplitOnBars(std::wstring_view text) {
    std::vector<std::wstring_view> fields;
    std::size_t start = 0;
    for (;;) {
        std::size_t bar = text.find(L'|', start);
        if (bar == std::wstring_view::npos) {
            fields.push_back(text.substr(start));
            return fields;
        }
        fields.push_back(text.substr(start, bar - start));
        start = bar + 1;
    }
}

int KeyCount(std::wstring_view field) {
    if (field == L"1") {
        return 1;
    }
    if (field == L"2") {
        return 2;
    }
    if (field == L"3") {
        return 3;
    }
    return 0;
}

}  // namespace

std::vector<PlaybackStep> ReadActionCode(std::wstring_view code) {
    std::vector<std::wstring_view> fields = SplitOnBars(code);
    int count = KeyCount(fields[0]);
    if (count == 0 || fields.size() < static_cast<std::size_t>(count) + 1) {
        return {};
    }
    // Every key is checked before any step exists: a plan is whole or empty.
    std::vector<int> keys;
    for (int i = 1; i <= count; ++i) {
        std::optional<int> key = ParseDecimal(fields[static_cast<std::size_t>(i)], 255);
        if (!key) {
            return {};
        }
        keys.push_back(*key);
    }

    std::vector<PlaybackStep> plan;
    for (int key : keys) {
        plan.push_back({PlaybackStep::Kind::KeyDown, key});
    }
    plan.push_back({PlaybackStep::Kind::Pause, count == 1 ? kOneKeyHoldMs : kChordHoldMs});
    for (auto it = keys.rbegin(); it != keys.rend(); ++it) {
        plan.push_back({PlaybackStep::Kind::KeyUp, *it});
    }
    return plan;
}

}  // namespace tavero
