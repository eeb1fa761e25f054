#pragma once

#include <windows.h>

#include "platform/Handles_win.h"
#include "ui/Palette.h"

namespace tavero {

inline COLORREF ToColorRef(palette::Rgb c) {
    return RGB(c.r, c.g, c.b);
}

// A font of the skin at the window's DPI.
UniqueFont CreateSkinFont(const wchar_t* face, int points, int weight, BYTE charset, int dpi,
                          bool underline = false);

// The program's own pictures, drawn to fill `r` at any scale.
void DrawLogo(HDC dc, const RECT& r);
void DrawHideButton(HDC dc, const RECT& r);
void DrawCloseButton(HDC dc, const RECT& r);
void DrawEditButton(HDC dc, const RECT& r);

// A rectangle outline of `penWidth` pixels centred on `r`'s edge.
void DrawFrame(HDC dc, const RECT& r, int penWidth, COLORREF color);

}  // namespace tavero
