#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "platform/Handles_win.h"

namespace tavero {

// The tips that pop up when the mouse rests on a window's controls.
class ToolTips {
  public:
    explicit ToolTips(HWND owner);

    // `control`, a child of the owner, shows `text`; an empty text shows nothing.
    void Set(HWND control, const std::wstring& text);

  private:
    HWND owner_;
    UniqueWindow window_;
    std::vector<HWND> tools_;
};

}  // namespace tavero
