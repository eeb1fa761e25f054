#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "platform/Window_win.h"
#include "ui/FocusRing_win.h"
#include "ui/TitleStrip_win.h"
#include "ui/Twips.h"

namespace tavero {

// A borderless window of the program's skin, with what its windows share: the green title
// strip along the top, the green frame, layout in twips at the window's DPI (again when it
// changes), no taskbar button, Tab and the arrow keys between its controls, and the focus given
// back to the control that had it whenever the window is activated again. A tap of Alt does
// not enter menu mode: there is no menu, and the next click would only leave it.
class SkinnedWindow : public Window {
  public:
    struct Skin {
        const wchar_t* className;
        std::wstring caption;
        int width;  // twips; the client area is the whole window
        int height;
        TitleStrip::Design strip;
        TwipsRect frame;
        int framePenPixels;
        // What a screen reader calls the window: its caption is no name for a person.
        std::wstring accessibleName;
        HICON icon = nullptr;
    };

    ~SkinnedWindow() override;

    // Shows the window (made centred on the screen) on top of every other and brings it to the
    // front; true the first time.
    bool Show();
    // Shows it next to `other`, on the monitor `other` is on.
    bool ShowBeside(HWND other);
    void Hide() { ::ShowWindow(Handle(), SW_HIDE); }
    void SetAccessibleName(std::wstring name) { accessibleName_ = std::move(name); }

  protected:
    // Makes the window, hidden, at its size for its DPI and centred on the screen, with its
    // title strip.
    SkinnedWindow(const Skin& skin, TitleStrip::Actions actions);

    int Dpi() const { return dpi_; }
    // Places the window's own controls again at a new DPI.
    virtual void Relayout(int dpi) = 0;

    void OnPaint(HDC dc, const RECT& dirty) override;
    bool OnDpiChanged(int dpi, const RECT& suggested) override;
    bool OnActivate(bool active) override;
    bool OnSysCommand(UINT command) override;
    bool OnSysColorChange() override;
    // What the window answers for itself; a derived window passes on what it does not handle.
    std::optional<LRESULT> OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

  private:
    int width_;
    int height_;
    TwipsRect frame_;
    int framePenPixels_;
    int dpi_ = 96;
    bool shown_ = false;
    HWND lastFocus_ = nullptr;
    std::wstring accessibleName_;
    std::unique_ptr<TitleStrip> strip_;
    std::unique_ptr<FocusRing> focusRing_;
};

}  // namespace tavero
