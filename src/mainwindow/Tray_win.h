#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include <shellapi.h>

#include "platform/Handles_win.h"

namespace tavero {

// The program's icon in the notification area and its menu. The icon is there from creation
// until destruction, and comes back when the shell restarts. A left click and the menu's
// choices reach the window as WM_COMMAND (a left click as the menu's "Show"), after the icon's
// own handling is over, so nothing runs inside it.
class Tray {
  public:
    // The menu's switches, ticked as they are when it opens.
    struct Switches {
        bool startWithWindows = false;
        bool armAtStart = false;
        bool paused = false;
    };

    // The "About" submenu names `settingsFile`, and opens its folder.
    Tray(HWND window, std::wstring settingsFile, std::function<Switches()> switches);
    ~Tray();
    Tray(const Tray&) = delete;
    Tray& operator=(const Tray&) = delete;

    // Handles the icon's callback and the shell's restart notice; false for other messages.
    bool HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    // The window moved to a monitor of another DPI: the icon is made at its new size.
    void DpiChanged();
    // Paused, the icon is greyed and its tip says so.
    void SetPaused(bool paused);
    // A word to the user from the icon, where no window is in sight.
    void Balloon(const std::wstring& text);

  private:
    void MakeIcon();
    static UniqueIcon Greyed(HICON icon);
    NOTIFYICONDATAW Data() const;
    void Add();
    void ShowMenu();

    HWND window_;
    std::wstring settingsFile_;
    std::function<Switches()> switches_;
    bool paused_ = false;
    UINT taskbarCreated_;
    UniqueIcon icon_;
    bool added_ = false;
};

}  // namespace tavero
