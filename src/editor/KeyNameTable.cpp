#include "editor/KeyNameTable.h"

#include <array>
#include <utility>

#include "platform/DecimalText.h"
#include "settings/FoldedText.h"

namespace tavero {

namespace {

struct NamedKey {
    const wchar_t* name;
    int code;
};

// The keys with names of their own; letters are looked up apart. "Enter" is listed by the
// editor, so it needs a code here, or its action code would carry an empty field.
constexpr std::array<NamedKey, 36> kNamedKeys = {{
    {L"Shift", 16}, {L"Ctrl", 17}, {L"Alt", 18},  {L"Win", 91},   {L"Enter", 13}, {L"Backspace", 8},
    {L"Space", 32}, {L"ESC", 27},  {L"LEFT", 37}, {L"Right", 39}, {L"UP", 38},    {L"BOTTOM", 40},
    {L"+", 107},    {L"-", 109},   {L"*", 106},   {L"/", 111},    {L"L-1", 49},   {L"L-2", 50},
    {L"L-3", 51},   {L"L-4", 52},  {L"L-5", 53},  {L"L-6", 54},   {L"L-7", 55},   {L"L-8", 56},
    {L"L-9", 57},   {L"L-0", 48},  {L"R-1", 97},  {L"R-2", 98},   {L"R-3", 99},   {L"R-4", 100},
    {L"R-5", 101},  {L"R-6", 102}, {L"R-7", 103}, {L"R-8", 104},  {L"R-9", 105},  {L"R-0", 96},
}};

}  // namespace

std::optional<int> KeyCodeFromName(std::wstring_view name) {
    if (name.size() == 1 && name[0] >= L'A' && name[0] <= L'Z') {
        return static_cast<int>(name[0]);
    }
    for (const NamedKey& key : kNamedKeys) {
        if (name == key.name) {
            return key.code;
        }
    }
    return std::nullopt;
}

std::wstring KeyCodeText(std::wstring_view name) {
    std::optional<int> code = KeyCodeFromName(name);
    return code ? DecimalText(*code) : std::wstring();
}

std::optional<std::wstring> KeyListEntryFor(std::wstring_view typed) {
    while (!typed.empty() && typed.front() == L' ') {
        typed.remove_prefix(1);
    }
    while (!typed.empty() && typed.back() == L' ') {
        typed.remove_suffix(1);
    }
    for (const std::wstring& entry : KeyListEntries()) {
        if (SameIgnoringCase(entry, typed)) {
            return entry;
        }
    }
    return std::nullopt;
}

const std::vector<std::wstring>& KeyListEntries() {
    static const std::vector<std::wstring> entries = [] {
        std::vector<std::wstring> list{L""};
        for (const NamedKey& key : kNamedKeys) {
            list.emplace_back(key.name);
        }
        for (wchar_t letter = L'A'; letter <= L'Z'; ++letter) {
            list.emplace_back(1, letter);
        }
        return list;
    }();
    return entries;
}

}  // namespace tavero
