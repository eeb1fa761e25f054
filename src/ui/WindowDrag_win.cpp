#include "ui/WindowDrag_win.h"

namespace tavero {

void DragWindow(HWND window) {
    if (::IsZoomed(window)) {
        return;
    }
    ::ReleaseCapture();
    ::SendMessageW(window, WM_NCLBUTTONDOWN, HTCAPTION, 0);
}

}  // namespace tavero
