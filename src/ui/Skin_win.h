#pragma once

#include <windows.h>

#include <string>

#include "platform/Handles_win.h"
#include "ui/Palette.h"
#include "ui/Twips.h"

namespace tavero {

inline COLORREF ToColorRef(palette::Rgb c) {
    return RGB(c.r, c.g, c.b);
}

// Selects a GDI object for the lifetime of the scope.
class Selected {
  public:
    Selected(HDC dc, HGDIOBJ object) : dc_(dc), old_(::SelectObject(dc, object)) {}
    ~Selected() { ::SelectObject(dc_, old_); }
    Selected(const Selected&) = delete;
    Selected& operator=(const Selected&) = delete;

  private:
    HDC dc_;
    HGDIOBJ old_;
};

inline RECT ToRect(const PixelRect& r) {
    return {r.left, r.top, r.Right(), r.Bottom()};
}

// A font of the skin at the window's DPI.
UniqueFont CreateSkinFont(const wchar_t* face, int points, int weight, BYTE charset, int dpi,
                          bool underline = false);

// The program's own pictures, drawn to fill `r` at any scale.
void DrawLogo(HDC dc, const RECT& r);
void DrawHideButton(HDC dc, const RECT& r);
void DrawCloseButton(HDC dc, const RECT& r);
void DrawEditButton(HDC dc, const RECT& r);

// A solid ring `width` pixels wide just inside `r`: the keyboard's focus.
void DrawFocusRing(HDC dc, const RECT& r, int width, COLORREF color);

// A rectangle outline of `penWidth` pixels centred on `r`'s edge.
void DrawFrame(HDC dc, const RECT& r, int penWidth, COLORREF color);

// A one-line text link on its background.
void DrawLink(HDC dc, const RECT& r, const std::wstring& caption, HFONT font, COLORREF text,
              COLORREF background);

}  // namespace tavero
