#pragma once

#include <windows.h>

#include <array>
#include <functional>
#include <memory>

#include "hotkeybox/TaveroControl_win.h"
#include "instance/AppMessages_win.h"
#include "instance/CommandReceiver_win.h"
#include "instance/RunningProgram.h"
#include "instance/StartWithWindows.h"
#include "mainwindow/MainRows_win.h"
#include "mainwindow/Tray_win.h"
#include "platform/ShellOpener.h"
#include "rows/HotKeyRows.h"
#include "rows/PauseKey.h"
#include "ui/SkinnedWindow_win.h"
#include "ui/TextLink_win.h"
#include "ui/ToolTips_win.h"

namespace tavero {

// The startup window "设置": ten hotkey rows under the green title strip, in the green frame.
// A row is its hotkey box, its arm box ("START"), its action text and its pencil; below the
// rows, cut by the window's edge, a text link. It is the running program that other copies'
// commands drive.
class MainWindow : public SkinnedWindow, public RunningProgram {
  public:
    static constexpr const wchar_t* kClassName = app_messages::kMainWindowClass;

    MainWindow(const TaveroServices& services, ActionPlayer& player, ShellOpener& shell,
               StartWithWindows& startup);
    ~MainWindow() override;

    HotKeyRows& Rows() { return *rows_; }
    // Where the rows learn the program in front and the programs a row may be limited to.
    void KnowProgramsBy(Programs& programs);
    void Show() override;
    void Hide() override { SkinnedWindow::Hide(); }
    // Starts the program's window: shown, or, started with Windows, with only its tray icon;
    // `armRows` are armed once it is up (a start by "/arm").
    void Start(bool hidden, std::vector<int> armRows = {});
    // A word to the user: in a message box where the window is in sight (the user is looking at
    // it), else in a balloon from the icon.
    void TellInSight(const std::wstring& text);
    // Saves every hotkey and ends the program's message loop. `asked`: the user asked; a failed
    // save then lets the user try again or go back. Otherwise (the session is ending) nothing
    // waits for the user.
    // True once on its way out; false where the user went back after a failed save.
    bool SaveAndQuit(bool asked);

    // What other copies' commands have it do (the tray's items do the same).
    bool Paused() const override;
    void SetPaused(bool paused) override;
    bool Quit() override { return SaveAndQuit(true); }
    void ReleaseAllKeys() override;
    bool ArmRows(const std::vector<int>& rows) override;
    void DisarmRows(const std::vector<int>& rows) override;
    void CommandFailed(const std::exception& error) override;
    void FinishStarting() override;
    // Shows a row's action as it now is (after the editor changed it).
    void RefreshRow(int row);

    // Set by the program: opens the action editor for a row.
    std::function<void(int row)> onEditRow;
    // Runs once the window has been painted, for the work that need not delay it.
    std::function<void()> onStarted;
    // Runs once all of that is done, the rows armed: the program may say it is ready.
    std::function<void()> onReady;
    // Runs once the settings are saved on the way out, before the windows are taken down.
    std::function<void()> onQuitting;
    // Lets go of every key left down that no hand holds; the keys it let go of.
    std::function<std::vector<int>()> onReleaseKeys;

  protected:
    void Relayout(int dpi) override;
    bool OnCommand(int id, int code, HWND control) override;
    bool OnClose() override;
    bool OnEndSession(bool ending) override;
    std::optional<LRESULT> OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

  private:
    void FinishStart();
    // Takes the pause key at start, where one was set; the word for the user where another program
    // holds it. The dialog that sets it.
    std::wstring TakePauseKey();
    void OpenPauseKey();
    // The menu of a row's action text: where the row applies and how it presses.
    void ChooseFromActionMenu(int row, POINT at);
    // A word in a balloon from the tray icon, which never waits for an answer: for what the user
    // asked from the tray or a command line, where no window may be in sight and a script may be
    // waiting.
    void TellWithoutWaiting(const std::wstring& text);
    void OnArmBoxClicked(int row);

    ShellOpener& shell_;
    const TaveroServices& services_;
    MessageBoxes& messages_;
    const KeyNames& names_;
    StartWithWindows& startup_;
    std::unique_ptr<HotKeyRows> rows_;
    std::unique_ptr<MainRows> controls_;
    std::unique_ptr<TextLink> link_;
    std::unique_ptr<ToolTips> tips_;
    std::unique_ptr<Tray> tray_;
    std::unique_ptr<HotKeyWindow> pauseKeyWindow_;
    std::unique_ptr<PauseKey> pauseKey_;
    CommandReceiver commands_{*this};
    Programs* programs_ = nullptr;
    std::vector<int> armAtStart_;
    bool started_ = false;
    bool saving_ = false;
    bool quitting_ = false;
};

}  // namespace tavero
