#pragma once

#include <windows.h>

#include "platform/Handles_win.h"
#include "playback/ElevatedTargets.h"

namespace tavero {

// Tells ElevatedTargets when the window the user works in changes, while any hotkey is armed:
// an event hook that costs nothing until the foreground changes. One of them.
class ForegroundWatch {
  public:
    explicit ForegroundWatch(ElevatedTargets& targets) : targets_(targets) {}
    ~ForegroundWatch() { Watch(false); }
    ForegroundWatch(const ForegroundWatch&) = delete;
    ForegroundWatch& operator=(const ForegroundWatch&) = delete;

    void Watch(bool on);

  private:
    static void CALLBACK OnSwitch(HWINEVENTHOOK, DWORD, HWND, LONG, LONG, DWORD, DWORD);

    ElevatedTargets& targets_;
    UniqueWinEventHook hook_;
};

}  // namespace tavero
