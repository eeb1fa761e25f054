#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "platform/Window_win.h"
#include "ui/Accessible_win.h"
#include "ui/Twips.h"

namespace tavero {

// A control the program draws itself: a picture that acts when clicked (the pencils, the hide
// and close buttons, the logo) or a text link, underlined under the mouse. It is never in the
// tab order, since the keyboard has paths of its own to what it does; its window text is the
// name a screen reader speaks, with its role, a push button or a link.
class DrawnButton : public Window {
  public:
    // Draws the control into `r`; `hot` while the mouse is over it.
    using Painter = std::function<void(HDC dc, const RECT& r, bool hot)>;

    DrawnButton(HWND parent, int id, const std::wstring& name, long role, Painter paint,
                std::function<void()> onClick);
    ~DrawnButton() override { Destroy(); }

    void Place(const PixelRect& r);

  protected:
    void OnPaint(HDC dc, const RECT& dirty) override;
    bool OnLeftButtonDown(int x, int y) override;
    bool OnLeftButtonUp(int x, int y) override;
    bool OnMouseMove(int x, int y) override;
    bool OnMouseLeave() override;
    bool OnSetCursor(int hitTest) override;
    std::optional<LRESULT> OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

  private:
    bool Inside(int x, int y) const;
    void SetHot(bool hot);

    long role_;
    Painter paint_;
    std::function<void()> onClick_;
    bool pressed_ = false;
    bool hot_ = false;
};

}  // namespace tavero
