// What the main window does when asked: by another copy's command, by the tray's "Pause
// hotkeys", "Pause key…" and "Release all keys", and by a row's menu of where it applies.
#include <string>

#include "hotkeybox/HotKeyCapture.h"
#include "mainwindow/ActionMenu_win.h"
#include "mainwindow/MainWindow_win.h"
#include "mainwindow/PauseKeyDialog_win.h"
#include "platform/DecimalText.h"
#include "platform/Texts.h"

namespace tavero {

bool MainWindow::Paused() const {
    return rows_->Paused();
}

void MainWindow::SetPaused(bool paused) {
    std::wstring refused = rows_->SetPaused(paused);
    controls_->ShowArmed();
    if (tray_) {
        tray_->SetPaused(paused);
    }
    if (!refused.empty()) {
        TellInSight(refused);
    }
}

bool MainWindow::ArmRows(const std::vector<int>& rows) {
    std::wstring refused = rows_->ArmRows(rows);
    controls_->ShowArmed();
    if (!refused.empty()) {
        TellWithoutWaiting(refused);
    }
    return refused.empty();
}

void MainWindow::DisarmRows(const std::vector<int>& rows) {
    for (int row : rows) {
        rows_->Arm(row, false);
    }
    controls_->ShowArmed();
}

void MainWindow::CommandFailed(const std::exception& error) {
    // The sender, a script perhaps, has its answer before the user is told why.
    ::ReplyMessage(exit_code::kNotDone);
    ReportUnhandledError(Handle(), error);
}

void MainWindow::ReleaseAllKeys() {
    // What the rows hold is theirs to let go of; then whatever else is left down.
    std::vector<int> keys = rows_->LetGoOfAll();
    if (onReleaseKeys) {
        std::vector<int> stuck = onReleaseKeys();
        keys.insert(keys.end(), stuck.begin(), stuck.end());
    }
    std::wstring names;
    for (int key : keys) {
        std::wstring name = names_.NameOf(key);
        names += (names.empty() ? L"" : Text(TAVERO_TEXT_LIST_SEPARATOR)) +
                 (name.empty() ? FallbackKeyName(key) : name);
    }
    std::wstring said = keys.empty()
                            ? Text(TAVERO_TEXT_NONE_RELEASED)
                            : Text(TAVERO_TEXT_RELEASED, {DecimalText(keys.size()), names});
    TellWithoutWaiting(said);
}

std::wstring MainWindow::TakePauseKey() {
    pauseKeyWindow_ = std::make_unique<HotKeyWindow>([this] { SetPaused(!rows_->Paused()); });
    pauseKey_ = std::make_unique<PauseKey>(services_.ini, *pauseKeyWindow_);
    if (pauseKey_->Load()) {
        return {};
    }
    HotKeyCapture text(names_);
    return Text(TAVERO_TEXT_PAUSE_KEY_TAKEN,
                {text.TextOf(pauseKey_->KeyCode(), pauseKey_->ModKeyCode())});
}

void MainWindow::OpenPauseKey() {
    FinishStarting();
    PauseKeyDialog dialog(services_, [this](int keyCode, int modKeyCode) {
        PauseKey::SetResult result = pauseKey_->Set(keyCode, modKeyCode);
        if (result == PauseKey::SetResult::NotSaved) {
            TellInSight(Text(TAVERO_TEXT_PAUSE_KEY_NOT_SAVED,
                             {services_.ini.IniFilePath(), services_.ini.WriteError().reason}));
        }
        return result != PauseKey::SetResult::Taken;
    });
    dialog.Run(Handle(), pauseKey_->KeyCode(), pauseKey_->ModKeyCode());
}

void MainWindow::KnowProgramsBy(Programs& programs) {
    programs_ = &programs;
    rows_->KnowProgramsBy(programs, [this](const std::wstring& text) { TellInSight(text); });
}

void MainWindow::ChooseFromActionMenu(int row, POINT at) {
    std::vector<std::wstring> programs;
    if (programs_ != nullptr) {
        programs = programs_->WithWindows();
    }
    ActionMenu::Choice choice =
        ActionMenu::Choose(Handle(), at, rows_->Scope(row), rows_->Press(row), std::move(programs));
    if (choice.scope) {
        rows_->SetScope(row, *choice.scope);
    }
    if (choice.press) {
        rows_->SetPress(row, *choice.press);
    }
    RefreshRow(row);
}

void MainWindow::TellWithoutWaiting(const std::wstring& text) {
    if (tray_) {
        tray_->Balloon(text);
    } else {
        TellInSight(text);
    }
}

}  // namespace tavero
