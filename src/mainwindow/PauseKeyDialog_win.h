#pragma once

#include <windows.h>

#include <functional>
#include <memory>

#include "hotkeybox/TaveroControl_win.h"

namespace tavero {

// The window that sets the pause key: one hotkey box, the same capture control as the rows',
// and OK, Cancel and Clear. Modal; the hotkeys keep working while it is open.
class PauseKeyDialog {
  public:
    // Takes a chosen key (key 0: none); false where it could not be had, the box then emptied and
    // the window kept open.
    using TrySet = std::function<bool(int keyCode, int modKeyCode)>;

    PauseKeyDialog(const TaveroServices& services, TrySet trySet)
        : services_(services), trySet_(std::move(trySet)) {}

    // Shows it over `owner` with the pause key as it is until it is closed.
    void Run(HWND owner, int keyCode, int modKeyCode);

  private:
    static INT_PTR CALLBACK Proc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam);
    void Init(HWND dialog);
    void Command(HWND dialog, int id);

    const TaveroServices& services_;
    TrySet trySet_;
    int keyCode_ = 0;
    int modKeyCode_ = 0;
    std::unique_ptr<TaveroControl> box_;
};

}  // namespace tavero
