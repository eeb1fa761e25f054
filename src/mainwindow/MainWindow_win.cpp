#include "mainwindow/MainWindow_win.h"

#include <commctrl.h>

#include "instance/AppMessages_win.h"
#include "platform/Texts.h"
#include "ui/ControlIds.h"
#include "ui/Links.h"
#include "ui/MainLayout.h"
#include "ui/MenuIds.h"
#include "ui/Skin_win.h"

namespace tavero {

namespace {

namespace layout = main_layout;
constexpr UINT_PTR kFinishStartTimer = 1;

SkinnedWindow::Skin MainSkin() {
    return {MainWindow::kClassName,
            Text(TAVERO_TEXT_MAIN_CAPTION),
            layout::kWidth,
            layout::kHeight,
            {Text(TAVERO_TEXT_PROGRAM_NAME), layout::kTitleStrip, layout::kLogo, layout::kTitle,
             layout::kCloseButton, layout::kHideButton},
            layout::kFrame,
            layout::kFramePenPixels,
            Text(TAVERO_TEXT_PROGRAM_NAME),
            ::LoadIconW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1))};
}

}  // namespace

MainWindow::MainWindow(const TaveroServices& services, ActionPlayer& player, ShellOpener& shell,
                       StartWithWindows& startup)
    : SkinnedWindow(MainSkin(), {[this] { SaveAndQuit(true); }, [this] { Hide(); },
                                 [this] { shell_.Open(links::kHomePage); }}),
      shell_(shell),
      services_(services),
      messages_(services.messages),
      names_(services.names),
      startup_(startup),
      rows_(std::make_unique<HotKeyRows>(services.ini, player, services.messages)) {
    controls_ = std::make_unique<MainRows>(Handle(), services, *rows_, Dpi(), [this](int row) {
        if (onEditRow) {
            onEditRow(row);
        }
    });
    controls_->onActionMenu = [this](int row, POINT at) { ChooseFromActionMenu(row, at); };
    rows_->LoadActions();
    for (int row = 0; row < kRowCount; ++row) {
        RefreshRow(row);
    }
    link_ =
        std::make_unique<TextLink>(Handle(), control_ids::kLink, Text(TAVERO_TEXT_SEARCH_LINK), 9,
                                   std::nullopt, [this] { shell_.Open(links::kSearchGuide); });
    link_->Place(layout::kLink, Dpi());
}

MainWindow::~MainWindow() {
    pauseKey_.reset();
    pauseKeyWindow_.reset();
    tray_.reset();
    controls_.reset();
    link_.reset();
    Destroy();
}

void MainWindow::Relayout(int dpi) {
    controls_->Relayout(dpi);
    link_->Place(layout::kLink, dpi);
    if (tray_) {
        tray_->DpiChanged();
    }
}

void MainWindow::Start(bool hidden, std::vector<int> armRows) {
    armAtStart_ = std::move(armRows);
    if (hidden) {
        ::SetTimer(Handle(), kFinishStartTimer, USER_TIMER_MINIMUM, nullptr);
    } else {
        Show();
    }
}

void MainWindow::TellInSight(const std::wstring& text) {
    if (::IsWindowVisible(Handle()) || !tray_) {
        messages_.ShowError(Text(TAVERO_TEXT_ERROR_TITLE), text);
    } else {
        tray_->Balloon(text);
    }
}

void MainWindow::Show() {
    if (SkinnedWindow::Show()) {
        // A timer's message comes only once every paint is done: what is not needed to see the
        // window waits until it is seen.
        ::SetTimer(Handle(), kFinishStartTimer, USER_TIMER_MINIMUM, nullptr);
    }
}

void MainWindow::RefreshRow(int row) {
    controls_->Refresh(row, true);
}

void MainWindow::FinishStarting() {
    if (!started_) {
        ::KillTimer(Handle(), kFinishStartTimer);
        FinishStart();
    }
}

void MainWindow::FinishStart() {
    started_ = true;
    tray_ = std::make_unique<Tray>(Handle(), rows_->SettingsPath(), [this] {
        return Tray::Switches{startup_.On(), rows_->ArmingAtStart().On(), rows_->Paused()};
    });
    tips_ = std::make_unique<ToolTips>(Handle());
    tips_->Set(link_->Handle(), Text(TAVERO_TEXT_SEARCH_LINK_TIP));
    controls_->FinishStart();
    if (onStarted) {
        onStarted();
    }
    rows_->ClearLeftovers();
    std::wstring pauseKeyWord = TakePauseKey();
    // One word for the rows whose place or way of pressing could not be read, and for those that
    // cannot be armed of the rows armed when it last ended (where the user asked for that) and
    // of those a start by "/arm" names.
    std::wstring refused;
    auto add = [&](const std::wstring& word) {
        refused += (refused.empty() || word.empty() ? L"" : L"\n\n") + word;
    };
    add(rows_->ScopesNotRead());
    add(rows_->PressesNotRead());
    add(rows_->ArmAsLastTime());
    add(rows_->ArmRows(armAtStart_));
    controls_->ShowArmed();
    // Ready before any word to the user, which waits for an answer.
    if (onReady) {
        onReady();
    }
    rows_->ReportReadError();
    for (const std::wstring& word : {pauseKeyWord, refused}) {
        if (!word.empty()) {
            TellInSight(word);
        }
    }
}

bool MainWindow::SaveAndQuit(bool asked) {
    // A close that comes while a failed save's message is up is the same quit.
    if (saving_ || quitting_) {
        return quitting_;
    }
    saving_ = true;
    HotKeyRows::Saved saved = rows_->SaveAll(asked);
    saving_ = false;
    if (saved == HotKeyRows::Saved::GoBack) {
        return false;
    }
    quitting_ = true;
    rows_->LetGoOfAll();
    tray_.reset();
    Hide();
    if (onQuitting) {
        onQuitting();
    }
    // The windows are taken down after the message loop ends, never under a running handler.
    ::PostQuitMessage(0);
    return true;
}

bool MainWindow::OnCommand(int id, int code, HWND) {
    if (int row = MainRows::ArmBoxRow(id); row >= 0 && code == BN_CLICKED) {
        OnArmBoxClicked(row);
        return true;
    }
    switch (id) {
        case IDCANCEL:  // Escape, where the focus is not in a hotkey box
            Hide();
            return true;
        // The tray menu's commands arrive here once the menu has closed.
        case TAVERO_CMD_SHOW:
            Show();
            return true;
        case TAVERO_CMD_ABOUT_MIRELLE:
            shell_.Open(links::kProductPage);
            return true;
        case TAVERO_CMD_CHECK_VERSION:
            shell_.Open(links::kVersionPage);
            return true;
        case TAVERO_CMD_EXIT:
            SaveAndQuit(true);
            return true;
        case TAVERO_CMD_START_WITH_WINDOWS:
            if (!startup_.Set(!startup_.On())) {
                TellInSight(Text(TAVERO_TEXT_RUN_LIST_UNCHANGED));
            }
            return true;
        case TAVERO_CMD_ARM_AT_START:
            rows_->ArmingAtStart().Set(!rows_->ArmingAtStart().On());
            return true;
        case TAVERO_CMD_PAUSE:
            SetPaused(!rows_->Paused());
            return true;
        case TAVERO_CMD_PAUSE_KEY:
            OpenPauseKey();
            return true;
        case TAVERO_CMD_RELEASE_KEYS:
            ReleaseAllKeys();
            return true;
        case TAVERO_CMD_SETTINGS_FOLDER: {
            std::wstring file = rows_->SettingsPath();
            shell_.Open(file.substr(0, file.find_last_of(L'\\')));
            return true;
        }
        default:
            return false;
    }
}

bool MainWindow::OnClose() {
    // Alt+F4 or a close from the system quits like the close button.
    SaveAndQuit(true);
    return true;
}

bool MainWindow::OnEndSession(bool ending) {
    // The session ends, or an installer's restart manager asks the program to close: it saves
    // and ends, as for any quit.
    if (ending) {
        SaveAndQuit(false);
    }
    return true;
}

std::optional<LRESULT> MainWindow::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (tray_ && tray_->HandleMessage(msg, wParam, lParam)) {
        return 0;
    }
    switch (msg) {
        case WM_TIMER:
            if (wParam != kFinishStartTimer) {
                return std::nullopt;
            }
            ::KillTimer(Handle(), kFinishStartTimer);
            FinishStart();
            return 0;
        case app_messages::kShowRequest:
            Show();
            return 0;
        case WM_COPYDATA:
            return commands_.Receive(reinterpret_cast<const COPYDATASTRUCT*>(lParam));
        default:
            return SkinnedWindow::OnMessage(msg, wParam, lParam);
    }
}

void MainWindow::OnArmBoxClicked(int row) {
    HWND armBox = controls_->ArmBox(row);
    bool wanted = ::SendMessageW(armBox, BM_GETCHECK, 0, 0) == BST_CHECKED;
    bool armed = rows_->Arm(row, wanted);
    ::SendMessageW(armBox, BM_SETCHECK, armed ? BST_CHECKED : BST_UNCHECKED, 0);
}

}  // namespace tavero
