#pragma once

#include <windows.h>

#include "app/RepeatFilter.h"
#include "platform/KeyHold.h"

namespace tavero {

// A low-level keyboard hook that lives only while a hotkey's main key is still held after its
// action: it swallows the key's repeats and lets everything else through, the program's own
// key events included. It goes when the watch ends (see RepeatFilter), or a moment after the
// last repeat. One at a time, on the user-interface thread.
class LowLevelRepeatGuard : public KeyRepeatGuard {
  public:
    LowLevelRepeatGuard() = default;
    ~LowLevelRepeatGuard() override { Stop(); }
    LowLevelRepeatGuard(const LowLevelRepeatGuard&) = delete;
    LowLevelRepeatGuard& operator=(const LowLevelRepeatGuard&) = delete;

    void SwallowRepeatsOf(int key) override;

  private:
    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam);
    static void CALLBACK Expire(HWND, UINT, UINT_PTR, DWORD);
    static void Stop();
    static void ExpireAtDeadline();
};

}  // namespace tavero
