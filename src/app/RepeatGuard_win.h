#pragma once

#include <windows.h>

#include "platform/KeyHold.h"

namespace tavero {

// A low-level keyboard hook that lives only while a hotkey's main key is still held after its
// action: it swallows the key's repeats and lets everything else through, the program's own
// key events included, and goes when the key goes up or another key goes down. One at a time.
class LowLevelRepeatGuard : public KeyRepeatGuard {
  public:
    LowLevelRepeatGuard() = default;
    ~LowLevelRepeatGuard() override { Stop(); }
    LowLevelRepeatGuard(const LowLevelRepeatGuard&) = delete;
    LowLevelRepeatGuard& operator=(const LowLevelRepeatGuard&) = delete;

    void SwallowRepeatsOf(int key) override;

  private:
    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam);
    static void Stop();
};

}  // namespace tavero
