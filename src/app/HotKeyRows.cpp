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

bool HotKeyRows::ReportReadError() {
    if (!ini_.ReadError()) {
        return false;
    }
    Tell(L"The settings could not be read from ", ini_.ReadError());
    return true;
}

void HotKeyRows::Tell(const std::wstring& what, const FileError& error) {
    messages_.ShowError(Tavero::kErrorTitle, what + ini_.IniFilePath() + L".\n\n" + error.reason);
}

bool HotKeyRows::SetAction(int row, const std::wstring& text, const std::wstring& code) {
    Action& action = rows_.at(Index(row));
    action.text = text;
    action.code = code;
    std::wstring key = std::to_wstring(row);
    const IniValue values[] = {{kTextSection, key, text}, {kCodeSection, key, code}};
    bool ok = ini_.WriteIniValues(values);  // the text and the code together, or neither
    if (!ok) {
        // The row plays its new action now, but it would be gone after a restart: say so.
        Tell(L"The action could not be saved to ", ini_.WriteError());
    }
    return ok;
}

bool HotKeyRows::Arm(int row, bool armed) {
    Tavero* box = boxes_.at(Index(row));
    if (box == nullptr) {
        return false;
    }
    box->SetHotKeyEnabled(armed);
    ArmedChanged();
    return box->HotKeyEnabled();
}

void HotKeyRows::ArmedChanged() {
    bool any = false;
    for (Tavero* box : boxes_) {
        any = any || (box != nullptr && box->HotKeyEnabled());
    }
    player_.Ready(any);
}

ActionPlayer::Outcome HotKeyRows::Fire(int row) {
    // Only the hotkey's own keys can still be held: the system matched it exactly.
    Tavero* box = boxes_.at(Index(row));
    HeldHotKey from = box != nullptr ? HeldHotKey{box->ModKeyCode(), box->KeyCode()} : HeldHotKey{};
    return player_.Play(ReadActionCode(ActionCode(row)), from);
}

HotKeyRows::Saved HotKeyRows::SaveAll(bool ask) {
    for (;;) {
        if (SaveAllOnce()) {
            return Saved::Yes;
        }
        if (!ask) {
            return Saved::No;
        }
        const FileError& error = ini_.WriteError();
        std::wstring text = L"The hotkeys could not be saved to " + ini_.IniFilePath() + L".\n\n" +
                            error.reason +
                            L"\n\nTry Again saves them again, once that is put right. Cancel goes "
                            L"back to the program with its hotkeys as they are. Continue quits "
                            L"without saving them.";
        switch (messages_.AskAfterFailedSave(Tavero::kErrorTitle, text)) {
            case MessageBoxes::AfterFailedSave::TryAgain:
                continue;
            case MessageBoxes::AfterFailedSave::GoBack:
                return Saved::GoBack;
            case MessageBoxes::AfterFailedSave::QuitAnyway:
                return Saved::No;
        }
    }
}

bool HotKeyRows::SaveAllOnce() {
    // A file that could not be read at start still holds the hotkeys it had: only those the
    // user set since are ours to write over them.
    bool unread = static_cast<bool>(ini_.ReadError());
    IniSettings::Batch batch(ini_);
    bool ok = true;
    for (Tavero* box : boxes_) {
        if (box != nullptr && (box->Edited() || !unread)) {
            ok = box->SaveSettings() && ok;
        }
    }
    return batch.Commit() && ok;
}

}  // namespace tavero
