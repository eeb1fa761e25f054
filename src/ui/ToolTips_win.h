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
    // Shows `text` below `control` now, as for the keyboard's focus, until Untrack.
    void Track(HWND control, const std::wstring& text);
    void Untrack();

  private:
    HWND owner_;
    UniqueWindow window_;
    std::vector<HWND> tools_;
    std::wstring tracked_;
    bool tracking_ = false;
};

}  // namespace tavero
