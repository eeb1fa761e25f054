#include "app/HotKeyRows.h"

#include "platform/Keys.h"
#include "platform/Texts.h"

namespace tavero {

namespace {
constexpr const wchar_t* kTextSection = L"conftext";
constexpr const wchar_t* kCodeSection = L"conftooltip";

// A word to the user: the heading, then the rows' lines; nothing where no row has a line.
std::wstring Listed(int heading, const std::wstring& lines) {
    return lines.empty() ? lines : Text(heading) + lines;
}
}  // namespace

void HotKeyRows::LoadActions() {
    for (int row = 0; row < kCount; ++row) {
        std::wstring key = std::to_wstring(row);
        rows_[Index(row)].text = ini_.ReadIniValue(kTextSection, key, L"");
        rows_[Index(row)].code = ini_.ReadIniValue(kCodeSection, key, L"");
    }
    startArming_.Load();
}

bool HotKeyRows::ReportReadError() {
    if (!ini_.ReadError()) {
        return false;
    }
    Tell(TAVERO_TEXT_NOT_READ, ini_.ReadError());
    return true;
}

void HotKeyRows::Tell(int what, const FileError& error) {
    messages_.ShowError(Text(TAVERO_TEXT_ERROR_TITLE),
                        Text(what, {ini_.IniFilePath(), error.reason}));
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
        Tell(TAVERO_TEXT_ACTION_NOT_SAVED, ini_.WriteError());
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

bool HotKeyRows::Armed(int row) const {
    const Tavero* box = boxes_.at(Index(row));
    return box != nullptr && box->HotKeyEnabled();
}

void HotKeyRows::ArmedChanged() {
    bool any = false;
    for (int row = 0; row < kCount; ++row) {
        any = any || Armed(row);
    }
    player_.Ready(any);
    if (any != anyArmed_) {
        anyArmed_ = any;
        if (onArmedChanged) {
            onArmedChanged(any);
        }
    }
}

std::wstring HotKeyRows::ArmAsLastTime() {
    std::wstring refused;
    for (int row : startArming_.RowsToArm()) {
        Tavero* box = boxes_.at(Index(row));
        if (box == nullptr) {
            continue;
        }
        switch (box->TryArm()) {
            case Tavero::ArmResult::Armed:
                break;
            case Tavero::ArmResult::NoHotKey:
                refused += RowLine(row, Text(TAVERO_TEXT_ROW_HAS_NO_HOTKEY));
                break;
            case Tavero::ArmResult::Taken:
                refused += TakenLine(row);
                break;
        }
    }
    ArmedChanged();
    return Listed(TAVERO_TEXT_NOT_ARMED_AGAIN, refused);
}

std::wstring HotKeyRows::RowLine(int row, const std::wstring& what) {
    return L"\n" + Text(TAVERO_TEXT_ROW_LINE, {std::to_wstring(row + 1), what});
}

std::wstring HotKeyRows::TakenLine(int row) const {
    return RowLine(row, Text(TAVERO_TEXT_ROW_TAKEN, {boxes_.at(Index(row))->Text()}));
}

std::wstring HotKeyRows::SetPaused(bool paused) {
    paused_ = paused;
    std::wstring refused;
    for (int row = 0; row < kCount; ++row) {
        Tavero* box = boxes_.at(Index(row));
        if (box != nullptr && !box->SetPaused(paused)) {
            refused += TakenLine(row);
        }
    }
    ArmedChanged();
    return Listed(TAVERO_TEXT_NOT_RESUMED, refused);
}

ActionPlayer::Outcome HotKeyRows::Fire(int row) {
    if (targets_ != nullptr) {
        ElevatedTargets::Verdict verdict = targets_->Check();
        if (verdict.tell && tellUnreachable_) {
            tellUnreachable_(*verdict.tell);
        }
        if (!verdict.play) {
            return ActionPlayer::Outcome::Unreachable;
        }
    }
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
        std::wstring text =
            Text(TAVERO_TEXT_HOTKEYS_NOT_SAVED, {ini_.IniFilePath(), ini_.WriteError().reason});
        switch (messages_.AskAfterFailedSave(Text(TAVERO_TEXT_ERROR_TITLE), text)) {
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
    std::vector<int> armed;
    for (int row = 0; row < kCount; ++row) {
        Tavero* box = boxes_.at(Index(row));
        if (box != nullptr && (box->Edited() || !unread)) {
            ok = box->SaveSettings() && ok;
        }
        if (Armed(row)) {
            armed.push_back(row);
        }
    }
    if (!unread) {
        std::vector<IniValue> options = startArming_.ToSave(armed);
        ok = ini_.WriteIniValues(options) && ok;
    }
    return batch.Commit() && ok;
}

}  // namespace tavero
