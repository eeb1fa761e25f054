#pragma once

#include <windows.h>

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
    // The "About" submenu names `settingsFile`, and opens its folder.
    Tray(HWND window, std::wstring settingsFile);
    ~Tray();
    Tray(const Tray&) = delete;
    Tray& operator=(const Tray&) = delete;

    // Handles the icon's callback and the shell's restart notice; false for other messages.
    bool HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    // The window moved to a monitor of another DPI: the icon is made at its new size.
    void DpiChanged();

  private:
    void MakeIcon();
    NOTIFYICONDATAW Data() const;
    void Add();
    void ShowMenu();

    HWND window_;
    std::wstring settingsFile_;
    UINT taskbarCreated_;
    UniqueIcon icon_;
    bool added_ = false;
};

}  // namespace tavero
