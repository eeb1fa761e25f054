#include "rows/RowSettings.h"

#include "platform/DecimalText.h"
#include "platform/Texts.h"

namespace tavero {

namespace {

// Each row's action code is kept in the section named for the tooltip because it shows as the
// action text's tooltip; set.ini files have always kept it under that name.
constexpr const wchar_t* kTextSection = L"conftext";
constexpr const wchar_t* kCodeSection = L"conftooltip";

// What the row's tip says of how it presses; nothing for a tap of the usual length.
std::wstring PressWords(PressMode mode) {
    switch (mode.kind) {
        case PressMode::Kind::Hold:
            return Text(TAVERO_TEXT_PRESS_HOLD_TIP);
        case PressMode::Kind::Repeat:
            return Text(TAVERO_TEXT_PRESS_REPEAT_TIP);
        case PressMode::Kind::Tap:
            break;
    }
    return mode.tapMs > 0 ? Text(TAVERO_TEXT_PRESS_TAP_TIP, {DecimalText(mode.tapMs)})
                          : std::wstring();
}

}  // namespace

std::wstring RowLine(int row, const std::wstring& what) {
    return L"\n" + Text(TAVERO_TEXT_ROW_LINE, {DecimalText(row + 1), what});
}

void RowSettings::Load() {
    for (int row = 0; row < kRowCount; ++row) {
        std::wstring key = DecimalText(row);
        actions_[RowIndex(row)].text = ini_.ReadIniValue(kTextSection, key, L"");
        actions_[RowIndex(row)].code = ini_.ReadIniValue(kCodeSection, key, L"");
    }
    scopes_.Load();
    presses_.Load();
}

bool RowSettings::SetAction(int row, const std::wstring& text, const std::wstring& code) {
    Action& action = actions_.at(RowIndex(row));
    action.text = text;
    action.code = code;
    std::wstring key = DecimalText(row);
    const IniValue values[] = {{kTextSection, key, text}, {kCodeSection, key, code}};
    return ini_.WriteIniValues(values);
}

std::wstring RowSettings::ActionTip(int row) const {
    std::wstring tip = ActionCode(row);
    if (std::wstring press = PressWords(Press(row)); !press.empty()) {
        tip += L"\n" + press;
    }
    const ProgramList& scope = Scope(row);
    if (scope.kind == ProgramList::Kind::Everywhere) {
        return tip;
    }
    if (scope.kind == ProgramList::Kind::Unreadable) {
        return tip + L"\n" + Text(TAVERO_TEXT_SCOPE_NOT_READ_TIP);
    }
    std::wstring programs;
    for (const std::wstring& program : scope.programs) {
        programs += (programs.empty() ? L"" : Text(TAVERO_TEXT_LIST_SEPARATOR)) + program;
    }
    int words = scope.kind == ProgramList::Kind::OnlyIn ? TAVERO_TEXT_SCOPE_ONLY_IN
                                                        : TAVERO_TEXT_SCOPE_EVERYWHERE_BUT;
    return tip + L"\n" + Text(words, {programs});
}

std::wstring RowSettings::ScopesNotRead() const {
    std::wstring lines;
    for (int row = 0; row < kRowCount; ++row) {
        const ProgramList& scope = Scope(row);
        if (scope.kind == ProgramList::Kind::Unreadable) {
            lines += RowLine(row, scope.notAName.empty()
                                      ? Text(TAVERO_TEXT_SCOPE_TOO_LONG,
                                             {DecimalText(ProgramList::kLongestText)})
                                      : Text(TAVERO_TEXT_SCOPE_NOT_A_NAME, {scope.notAName}));
        }
    }
    return lines.empty() ? lines : Text(TAVERO_TEXT_SCOPES_NOT_READ, {ini_.IniFilePath()}) + lines;
}

std::wstring RowSettings::PressesNotRead() const {
    std::wstring lines;
    for (int row = 0; row < kRowCount; ++row) {
        if (const std::wstring& unread = presses_.Of(row).unread; !unread.empty()) {
            lines += RowLine(row, Text(TAVERO_TEXT_PRESS_NOT_A_WAY, {unread}));
        }
    }
    return lines.empty() ? lines : Text(TAVERO_TEXT_PRESSES_NOT_READ, {ini_.IniFilePath()}) + lines;
}

std::vector<IniValue> RowSettings::HeldValues() const {
    std::vector<IniValue> values;
    auto keep = [&](const wchar_t* section, int row, const std::wstring& value) {
        if (!value.empty()) {
            values.push_back({section, DecimalText(row), value, true});
        }
    };
    for (int row = 0; row < kRowCount; ++row) {
        keep(kTextSection, row, ActionText(row));
        keep(kCodeSection, row, ActionCode(row));
        keep(ScopeSection::kSection, row, Scope(row).ToText());
        keep(PressSection::kSection, row, PressSection::ToText(presses_.Of(row)));
    }
    return values;
}

}  // namespace tavero
