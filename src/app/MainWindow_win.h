#pragma once

#include <windows.h>

#include <array>
#include <functional>
#include <memory>

#include "app/HotKeyRows.h"
#include "app/MainRows_win.h"
#include "app/StartWithWindows.h"
#include "app/Tray_win.h"
#include "hotkeybox/TaveroControl_win.h"
#include "platform/ShellOpener.h"
#include "ui/SkinnedWindow_win.h"
#include "ui/TextLink_win.h"
#include "ui/ToolTips_win.h"

namespace tavero {

// The startup window "设置": ten hotkey rows under the green title strip, in the green frame.
// A row is its hotkey box, its arm box ("START"), its action text and its pencil; below the
// rows, cut by the window's edge, a text link.
class MainWindow : public SkinnedWindow {
  public:
    static constexpr const wchar_t* kClassName = L"TaveroMirelleMain";

    MainWindow(const TaveroServices& services, ActionPlayer& player, ShellOpener& shell,
               StartWithWindows& startup);
    ~MainWindow() override;

    HotKeyRows& Rows() { return *rows_; }
    void Show();
    // Starts the program's window: shown, or, started with Windows, with only its tray icon.
    void Start(bool hidden);
    // A word to the user: in a message box where the window is in sight, else from the icon.
    void Tell(const std::wstring& text);
    // Saves every hotkey and ends the program's message loop. `asked`: the user asked; a failed
    // save then lets the user try again or go back. Otherwise (the session is ending) nothing
    // waits for the user.
    void Quit(bool asked = true);
    // Shows a row's action as it now is (after the editor changed it).
    void RefreshRow(int row);

    // Set by the program: opens the action editor for a row.
    std::function<void(int row)> onEditRow;
    // Runs once the window has been painted, for the work that need not delay it.
    std::function<void()> onStarted;
    // Runs once the settings are saved on the way out, before the windows are taken down.
    std::function<void()> onQuitting;

  protected:
    void Relayout(int dpi) override;
    bool OnCommand(int id, int code, HWND control) override;
    bool OnClose() override;
    bool OnEndSession(bool ending) override;
    std::optional<LRESULT> OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

  private:
    void FinishStart();
    void OnArmBoxClicked(int row);
    void SetPaused(bool paused);

    ShellOpener& shell_;
    MessageBoxes& messages_;
    StartWithWindows& startup_;
    std::unique_ptr<HotKeyRows> rows_;
    std::unique_ptr<MainRows> controls_;
    std::unique_ptr<TextLink> link_;
    std::unique_ptr<ToolTips> tips_;
    std::unique_ptr<Tray> tray_;
    bool saving_ = false;
    bool quitting_ = false;
};

}  // namespace tavero
