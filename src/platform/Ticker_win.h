#pragma once

#include <windows.h>

#include "platform/Ticker.h"
#include "platform/Window_win.h"

namespace tavero {

// Timers on a hidden window of the user-interface thread, made at the first start.
class WindowTicker : public Window, public Ticker {
  public:
    ~WindowTicker() override;
    void Start(int id, int ms) override;
    void Stop(int id) override;

  protected:
    std::optional<LRESULT> OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
};

// The user's keyboard repeat delay and rate, from the system's settings.
KeyboardRepeat KeyboardRepeatSettings();

}  // namespace tavero
