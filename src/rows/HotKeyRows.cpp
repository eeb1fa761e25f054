#include "rows/HotKeyRows.h"

#include "platform/DecimalText.h"
#include "platform/Keys.h"
#include "platform/Texts.h"

namespace tavero {

namespace {
// A word to the user: the heading, then the rows' lines; nothing where no row has a line.
std::wstring Listed(int heading, const std::wstring& lines) {
    return lines.empty() ? lines : Text(heading) + lines;
}
}  // namespace

void HotKeyRows::LoadActions() {
    settings_.Load();
    startArming_.Load();
}

void HotKeyRows::SetPress(int row, PressMode mode) {
    LetGo(row);
    if (!settings_.SetPress(row, mode)) {
        Tell(TAVERO_TEXT_PRESS_NOT_SAVED, ini_.WriteError());
    }
}

void HotKeyRows::LetGo(int row) {
    if (held_ != nullptr) {
        held_->LetGo(row);
    }
}

std::vector<int> HotKeyRows::LetGoOfAll() {
    return held_ != nullptr ? held_->LetGoOfAll() : std::vector<int>{};
}

void HotKeyRows::SetScope(int row, ProgramList scope) {
    LetGo(row);
    if (!settings_.SetScope(row, std::move(scope))) {
        Tell(TAVERO_TEXT_SCOPE_NOT_SAVED, ini_.WriteError());
    }
    std::wstring lines;
    if (Armed(row) && owners_.SharingOf(row) == CombinationOwners::Sharing::Clashes) {
        boxes_.at(RowIndex(row))->SetHotKeyEnabled(false);
        lines = RowLine(row, Text(TAVERO_TEXT_ROW_SHARED, {boxes_.at(RowIndex(row))->Text()}));
    }
    lines += Reconcile();
    std::wstring said = Listed(TAVERO_TEXT_NOT_ARMED, lines);
    ArmedChanged();
    if (!said.empty() && tellRows_) {
        tellRows_(said);
    }
}

void HotKeyRows::ForegroundChanged() {
    std::wstring refused = Listed(TAVERO_TEXT_NOT_ARMED, Reconcile());
    if (!refused.empty()) {
        ArmedChanged();
        if (tellRows_) {
            tellRows_(refused);
        }
    }
}

std::wstring HotKeyRows::Reconcile() {
    std::wstring lines;
    for (int row : owners_.Reconcile()) {
        lines += TakenLine(row);
    }
    return lines;
}

Tavero::ArmResult HotKeyRows::ArmBeside(int row) {
    Tavero* box = boxes_.at(RowIndex(row));
    switch (owners_.SharingOf(row)) {
        case CombinationOwners::Sharing::None:
            return box->TryArm();
        case CombinationOwners::Sharing::Apart:
            return box->ArmSharing();
        case CombinationOwners::Sharing::Clashes:
            break;
    }
    return box->KeyCode() == 0 ? Tavero::ArmResult::NoHotKey : Tavero::ArmResult::Taken;
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
    LetGo(row);
    bool ok = settings_.SetAction(row, text, code);
    if (!ok) {
        // The row plays its new action now, but it would be gone after a restart: say so.
        Tell(TAVERO_TEXT_ACTION_NOT_SAVED, ini_.WriteError());
    }
    return ok;
}

bool HotKeyRows::Arm(int row, bool armed) {
    Tavero* box = boxes_.at(RowIndex(row));
    if (box == nullptr) {
        return false;
    }
    if (armed && !box->HotKeyEnabled() &&
        settings_.Scope(row).kind == ProgramList::Kind::Unreadable) {
        // It would apply nowhere: said, rather than a tick that does nothing.
        messages_.ShowError(
            Text(TAVERO_TEXT_ERROR_TITLE),
            Text(TAVERO_TEXT_NOT_ARMED) + RowLine(row, Text(TAVERO_TEXT_ROW_SCOPE_NOT_READ)));
        return false;
    }
    CombinationOwners::Sharing sharing = owners_.SharingOf(row);
    if (!armed || box->HotKeyEnabled() || sharing == CombinationOwners::Sharing::None) {
        box->SetHotKeyEnabled(armed);
    } else if (sharing == CombinationOwners::Sharing::Clashes) {
        // Another armed row would play in the same programs: refused as a taken one is.
        box->RefuseAsTaken();
    } else {
        box->ArmSharing();
    }
    std::wstring refused = Listed(TAVERO_TEXT_NOT_ARMED, Reconcile());
    ArmedChanged();
    if (!refused.empty() && tellRows_) {
        tellRows_(refused);
    }
    return box->HotKeyEnabled();
}

bool HotKeyRows::Armed(int row) const {
    return owners_.Armed(row);
}

void HotKeyRows::ArmedChanged() {
    bool any = false;
    for (int row = 0; row < kRowCount; ++row) {
        any = any || Armed(row);
        if (!Armed(row)) {
            LetGo(row);  // disarmed, or its hotkey changed: nothing of it stays down
        }
    }
    player_.Ready(any);
    if (any != anyArmed_) {
        anyArmed_ = any;
        if (onArmedChanged) {
            onArmedChanged(any);
        }
    }
    if (bool following = owners_.NeedsProgram(); following != following_) {
        following_ = following;
        if (onFollowingChanged) {
            onFollowingChanged(following);
        }
    }
}

std::wstring HotKeyRows::ArmAsLastTime() {
    return ArmRows(startArming_.RowsToArm(), TAVERO_TEXT_NOT_ARMED_AGAIN, false);
}

std::wstring HotKeyRows::ArmRows(const std::vector<int>& rows, int heading, bool sayUnread) {
    std::wstring refused;
    for (int row : rows) {
        if (Armed(row)) {
            continue;
        }
        Tavero* box = boxes_.at(RowIndex(row));
        if (box == nullptr) {
            continue;
        }
        if (settings_.Scope(row).kind == ProgramList::Kind::Unreadable) {
            if (sayUnread) {
                refused += RowLine(row, Text(TAVERO_TEXT_ROW_SCOPE_NOT_READ));
            }
            continue;
        }
        switch (ArmBeside(row)) {
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
    refused += Reconcile();
    ArmedChanged();
    return Listed(heading, refused);
}

std::wstring HotKeyRows::TakenLine(int row) const {
    return RowLine(row, Text(TAVERO_TEXT_ROW_TAKEN, {boxes_.at(RowIndex(row))->Text()}));
}

std::wstring HotKeyRows::SetPaused(bool paused) {
    paused_ = paused;
    if (paused) {
        LetGoOfAll();
    }
    std::wstring refused;
    for (int row = 0; row < kRowCount; ++row) {
        Tavero* box = boxes_.at(RowIndex(row));
        if (box != nullptr && !box->SetPaused(paused)) {
            refused += TakenLine(row);
        }
    }
    if (!paused) {
        refused += Reconcile();
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
    // The row that applies in the program in front as the action starts plays, whichever of
    // the rows of its combination held it when it was pressed; none, where none applies there
    // now (the focus moved on meanwhile): never half an action, in either program.
    int playing = owners_.PlayerFor(row);
    if (playing < 0) {
        return ActionPlayer::Outcome::Ignored;
    }
    // Only the hotkey's own keys can still be held: the system matched it exactly.
    Tavero* box = boxes_.at(RowIndex(row));
    HeldHotKey from = box != nullptr ? HeldHotKey{box->ModKeyCode(), box->KeyCode()} : HeldHotKey{};
    std::vector<PlaybackStep> plan = ReadActionCode(ActionCode(playing));
    PressMode press = Press(playing);
    if (held_ != nullptr) {
        return held_->Press(playing, press, std::move(plan), from);
    }
    return player_.Play(HeldFor(std::move(plan), press.tapMs), from);
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
    for (int row = 0; row < kRowCount; ++row) {
        Tavero* box = boxes_.at(RowIndex(row));
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
    // The file may have been deleted, replaced or cut short since it was read: what the rows
    // hold goes back where it is missing, and a value the file has (edited by hand) stays.
    ok = ini_.WriteIniValues(settings_.HeldValues()) && ok;
    return batch.Commit() && ok;
}

}  // namespace tavero
