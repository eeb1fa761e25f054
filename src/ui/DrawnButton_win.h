#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "platform/Window_win.h"
#include "ui/Accessible_win.h"
#include "ui/Twips.h"

namespace tavero {

// A control the program draws itself: a picture that acts when clicked (the pencils, the hide
// and close buttons, the logo) or a text link, underlined under the mouse. Its window text is
// the name a screen reader speaks, with its role, a push button or a link, and a default action
// that does what a click does. The pictures are outside the tab order (the keyboard has paths
// of its own to what they do); the links are in it, after the window's other controls, and act
// on Enter or Space.
class DrawnButton : public Window {
  public:
    // Draws the control into `r`; `hot` while the mouse is over it, `focused` while it has the
    // keyboard's focus.
    using Painter = std::function<void(HDC dc, const RECT& r, bool hot, bool focused)>;

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
    bool OnSetFocus() override;
    std::optional<LRESULT> OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

  private:
    bool IsLink() const { return role_ == roles::kLink; }
    bool Inside(int x, int y) const;
    void SetHot(bool hot);
    void Click();

    long role_;
    Painter paint_;
    std::function<void()> onClick_;
    bool pressed_ = false;
    bool hot_ = false;
    bool focused_ = false;
};

}  // namespace tavero
