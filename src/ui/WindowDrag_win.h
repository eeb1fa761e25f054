#pragma once

#include <windows.h>

namespace tavero {

// Lets the user drag a borderless window as if by its caption, while the left button is held.
// Nothing happens for a maximized window.
void DragWindow(HWND window);

}  // namespace tavero
