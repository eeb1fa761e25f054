#pragma once

#include <windows.h>

namespace tavero {

// A ring round the control of a window that has the keyboard's focus, drawn by the window in
// the gap around the control, in the system's text colour on its face colour: the edits, lists
// and check boxes show their focus by a caret or a dotted line alone, too faint to see at a
// glance. Controls that show their focus themselves (the drawn buttons and links) get none.
// Every ring of the thread hears of focus changes from one event hook.
class FocusRing {
  public:
    explicit FocusRing(HWND window);
    ~FocusRing();
    FocusRing(const FocusRing&) = delete;
    FocusRing& operator=(const FocusRing&) = delete;

    void Paint(HDC dc);

  private:
    void Moved(HWND focused);
    RECT Around(HWND control) const;
    static void CALLBACK OnFocus(HWINEVENTHOOK, DWORD, HWND focused, LONG, LONG, DWORD, DWORD);

    HWND window_;
    HWND ringed_ = nullptr;
};

}  // namespace tavero
