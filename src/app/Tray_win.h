#pragma once

#include <windows.h>

#include <functional>

#include "platform/Handles_win.h"

namespace tavero {

// The program's icon in the notification area and its menu. The icon is there from creation
// until Remove() or destruction, and comes back when the shell restarts.
class Tray {
  public:
    struct Actions {
        std::function<void()> show;
        std::function<void()> aboutMirelle;
        std::function<void()> checkVerson;
        std::function<void()> exit;
    };

    Tray(HWND window, Actions actions);
    ~Tray() { Remove(); }
    Tray(const Tray&) = delete;
    Tray& operator=(const Tray&) = delete;

    void Remove();

    // Handles the icon's callback and the shell's restart notice; false for other messages.
    bool HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);

  private:
    void Add();
    void ShowMenu();
    void Run(UINT command);

    HWND window_;
    Actions actions_;
    UINT taskbarCreated_;
    UniqueIcon icon_;
    bool added_ = false;
};

}  // namespace tavero
