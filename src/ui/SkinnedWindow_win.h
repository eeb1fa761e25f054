#pragma once

#include <windows.h>

#include <functional>

namespace tavero {

// What the program's borderless, skinned windows handle alike: a DPI change lays the window
// out again at the new DPI (`layout`) where the system suggests, and a tap of Alt does not
// enter menu mode, since there is no menu (the next click would only leave it). True when
// handled, with `result`.
bool HandleSkinnedWindowMessage(HWND window, UINT msg, WPARAM wParam, LPARAM lParam,
                                const std::function<void(int dpi)>& layout, LRESULT& result);

// Centres a window on the work area of its monitor.
void CentreOnWorkArea(HWND window);

}  // namespace tavero
