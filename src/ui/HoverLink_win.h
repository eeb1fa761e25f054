#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>

#include "platform/Handles_win.h"
#include "ui/Palette.h"
#include "ui/Twips.h"

namespace tavero {

// A text link drawn on a window's surface: underlined while the mouse is over it, the hand
// pointer over it, and a click on it runs `onClick`.
class HoverLink {
  public:
    struct Design {
        std::wstring caption;
        TwipsRect rect;
        int points;
        palette::Rgb text;
        std::optional<palette::Rgb> background;  // none: the window's button-face colour
    };

    HoverLink(HWND owner, Design design, std::function<void()> onClick)
        : owner_(owner), design_(std::move(design)), onClick_(std::move(onClick)) {}

    void Layout(int dpi);
    void Paint(HDC dc) const;
    PixelRect Rect() const { return ToPixels(design_.rect, dpi_); }

    // Mouse moves update the underline and pass on; a click or pointer over the link is
    // handled here (true, with `result`).
    bool HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);

  private:
    void SetUnderlined(bool underlined);

    HWND owner_;
    Design design_;
    std::function<void()> onClick_;
    int dpi_ = 96;
    bool underlined_ = false;
    UniqueFont font_;
    UniqueFont underlinedFont_;
};

}  // namespace tavero
