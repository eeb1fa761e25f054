// What the main window does for other copies' commands and for the tray's "Release all keys".
#include <string>

#include "app/CommandLine.h"
#include "app/MainWindow_win.h"
#include "app/PauseKeyDialog_win.h"
#include "app/ScopeMenu_win.h"
#include "app/SingleInstance_win.h"
#include "hotkeybox/HotKeyCapture.h"
#include "platform/Texts.h"

namespace tavero {

// The running program as a command from another copy drives it.
class MainWindow::Remote : public RunningProgram {
  public:
    explicit Remote(MainWindow& window) : window_(window) {}
    bool Paused() const override { return window_.rows_->Paused(); }
    void SetPaused(bool paused) override { window_.SetPaused(paused); }
    void Show() override { window_.Show(); }
    void Hide() override { window_.Hide(); }
    bool Quit() override { return window_.Quit(); }
    void ReleaseAllKeys() override { window_.ReleaseKeys(); }
    bool ArmRows(const std::vector<int>& rows) override {
        std::wstring refused = window_.rows_->ArmRows(rows);
        window_.controls_->ShowArmed();
        if (!refused.empty()) {
            window_.SayFromTray(refused);
        }
        return refused.empty();
    }
    void DisarmRows(const std::vector<int>& rows) override {
        for (int row : rows) {
            window_.rows_->Arm(row, false);
        }
        window_.controls_->ShowArmed();
    }
    void CommandFailed(const std::exception& error) override {
        // The sender, a script perhaps, has its answer before the user is told why.
        ::ReplyMessage(exit_code::kNotDone);
        ReportUnhandledError(window_.Handle(), error);
    }

  private:
    MainWindow& window_;
};

LRESULT MainWindow::OnCopyData(const COPYDATASTRUCT* data) {
    std::optional<std::wstring> text =
        data != nullptr ? CommandInMessage(data->dwData, data->lpData, data->cbData) : std::nullopt;
    if (!text) {
        return exit_code::kNotUnderstood;
    }
    EnsureStarted();
    Remote remote(*this);
    return RunCommand(ParseCommandLine(*text), remote);
}

void MainWindow::ReleaseKeys() {
    std::vector<int> keys = onReleaseKeys ? onReleaseKeys() : std::vector<int>{};
    std::wstring names;
    for (int key : keys) {
        std::wstring name = names_.NameOf(key);
        names += (names.empty() ? L"" : Text(TAVERO_TEXT_LIST_SEPARATOR)) +
                 (name.empty() ? FallbackKeyName(key) : name);
    }
    std::wstring said = keys.empty()
                            ? Text(TAVERO_TEXT_NONE_RELEASED)
                            : Text(TAVERO_TEXT_RELEASED, {std::to_wstring(keys.size()), names});
    SayFromTray(said);
}

void MainWindow::TakePauseKey() {
    pauseKeyWindow_ = std::make_unique<HotKeyWindow>([this] { SetPaused(!rows_->Paused()); });
    pauseKey_ = std::make_unique<PauseKey>(services_.ini, *pauseKeyWindow_);
    if (!pauseKey_->Load()) {
        HotKeyCapture text(names_);
        Tell(Text(TAVERO_TEXT_PAUSE_KEY_TAKEN,
                  {text.TextOf(pauseKey_->KeyCode(), pauseKey_->ModKeyCode())}));
    }
}

void MainWindow::OpenPauseKey() {
    EnsureStarted();
    PauseKeyDialog dialog(services_, [this](int keyCode, int modKeyCode) {
        PauseKey::SetResult result = pauseKey_->Set(keyCode, modKeyCode);
        if (result == PauseKey::SetResult::NotSaved) {
            Tell(Text(TAVERO_TEXT_PAUSE_KEY_NOT_SAVED,
                      {services_.ini.IniFilePath(), services_.ini.WriteError().reason}));
        }
        return result != PauseKey::SetResult::Taken;
    });
    dialog.Run(Handle(), pauseKey_->KeyCode(), pauseKey_->ModKeyCode());
}

void MainWindow::KnowProgramsBy(Programs& programs) {
    programs_ = &programs;
    rows_->KnowProgramsBy(programs, [this](const std::wstring& text) { Tell(text); });
}

void MainWindow::ChooseScope(int row, POINT at) {
    std::vector<std::wstring> programs;
    if (programs_ != nullptr) {
        programs = programs_->WithWindows();
    }
    if (std::optional<RowScope> scope =
            ScopeMenu::Choose(Handle(), at, rows_->Scope(row), std::move(programs))) {
        rows_->SetScope(row, *scope);
        RefreshRow(row);
    }
}

void MainWindow::SayFromTray(const std::wstring& text) {
    if (tray_) {
        tray_->Balloon(text);
    } else {
        Tell(text);
    }
}

}  // namespace tavero
