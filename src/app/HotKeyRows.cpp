#include "app/HotKeyRows.h"

#include "platform/Keys.h"

namespace tavero {

namespace {
constexpr const wchar_t* kTextSection = L"conftext";
constexpr const wchar_t* kCodeSection = L"conftooltip";
}  // namespace

void HotKeyRows::LoadActions() {
    for (int row = 0; row < kCount; ++row) {
        std::wstring key = std::to_wstring(row);
        rows_[Index(row)].text = ini_.ReadIniValue(kTextSection, key, L"");
        rows_[Index(row)].code = ini_.ReadIniValue(kCodeSection, key, L"");
    }
}

bool HotKeyRows::SetAction(int row, const std::wstring& text, const std::wstring& code) {
    Action& action = rows_.at(Index(row));
    action.text = text;
    action.code = code;
    std::wstring key = std::to_wstring(row);
    bool ok = ini_.WriteIniValue(kTextSection, key, text);
    ok = ini_.WriteIniValue(kCodeSection, key, code) && ok;
    if (!ok) {
        // The row plays its new action now, but it would be gone after a restart: say so.
        messages_.ShowError(Tavero::kErrorTitle, L"The action could not be saved to " +
                                                     ini_.IniFilePath() +
                                                     L". The file or its folder may be read-only.");
    }
    return ok;
}

bool HotKeyRows::Arm(int row, bool armed) {
    Tavero* box = boxes_.at(Index(row));
    if (box == nullptr) {
        return false;
    }
    box->SetHotKeyEnabled(armed);
    return box->HotKeyEnabled();
}

ActionPlayer::Outcome HotKeyRows::Fire(int row) {
    // Only the hotkey's own keys can still be held: the system matched it exactly.
    Tavero* box = boxes_.at(Index(row));
    HeldHotKey from =
        box != nullptr ? HeldHotKey{box->ModKeyCode(), box->KeyCode()} : HeldHotKey{mod::kAll, 0};
    return player_.Play(ReadActionCode(ActionCode(row)), from);
}

bool HotKeyRows::SaveAll() {
    bool ok = true;
    for (Tavero* box : boxes_) {
        if (box != nullptr) {
            ok = box->SaveSettings() && ok;
        }
    }
    if (!ok) {
        messages_.ShowError(Tavero::kErrorTitle, L"The hotkeys could not be saved to " +
                                                     ini_.IniFilePath() +
                                                     L". The file or its folder may be read-only.");
    }
    return ok;
}

}  // namespace tavero
