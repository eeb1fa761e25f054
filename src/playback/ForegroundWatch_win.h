#pragma once

#include <windows.h>

#include <functional>
#include "platform/Handles_win.h"

namespace tavero {

// Says when the window the user works in changes, while any hotkey is armed (to learn whether
// keys reach it, and which rows apply there): an event hook that costs nothing until the
// foreground changes. One of them.
class ForegroundWatch {
  public:
    explicit ForegroundWatch(std::function<void()> onSwitch) : onSwitch_(std::move(onSwitch)) {}
    ~ForegroundWatch() {
        closely_ = false;
        Watch(false);
    }
    ForegroundWatch(const ForegroundWatch&) = delete;
    ForegroundWatch& operator=(const ForegroundWatch&) = delete;

    void Watch(bool on);
    // Whether a switch between two other programs matters (rows that apply in some programs
    // only follow the program in front). Windows tells of every switch; Wine's event comes for
    // this program's own windows alone, so there the foreground is looked at every quarter of a
    // second meanwhile, and only then.
    void FollowClosely(bool on);

  private:
    static void CALLBACK OnSwitch(HWINEVENTHOOK, DWORD, HWND, LONG, LONG, DWORD, DWORD);
    static void CALLBACK OnLook(HWND, UINT, UINT_PTR, DWORD);
    void Look();

    std::function<void()> onSwitch_;
    UniqueWinEventHook hook_;
    bool closely_ = false;
    UINT_PTR lookTimer_ = 0;
    HWND lastSeen_ = nullptr;
};

}  // namespace tavero
