#include "ui/HoverLink_win.h"

#include <windowsx.h>

#include "ui/Skin_win.h"

namespace tavero {

void HoverLink::Layout(int dpi) {
    dpi_ = dpi;
    font_ = CreateSkinFont(palette::kYaHei, design_.points, FW_NORMAL, DEFAULT_CHARSET, dpi);
    underlinedFont_ =
        CreateSkinFont(palette::kYaHei, design_.points, FW_NORMAL, DEFAULT_CHARSET, dpi, true);
}

void HoverLink::Paint(HDC dc) const {
    PixelRect r = Rect();
    RECT rect{r.left, r.top, r.Right(), r.Bottom()};
    COLORREF background =
        design_.background ? ToColorRef(*design_.background) : ::GetSysColor(COLOR_BTNFACE);
    UniqueBrush brush(::CreateSolidBrush(background));
    ::FillRect(dc, &rect, brush.Get());
    HGDIOBJ oldFont = ::SelectObject(dc, (underlined_ ? underlinedFont_ : font_).Get());
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, ToColorRef(design_.text));
    ::DrawTextW(dc, design_.caption.c_str(), -1, &rect,
                DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX);
    ::SelectObject(dc, oldFont);
}

bool HoverLink::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (msg) {
        case WM_MOUSEMOVE:
            SetUnderlined(Rect().Contains(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)));
            return false;
        case WM_LBUTTONUP:
            if (Rect().Contains(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam))) {
                if (onClick_) {
                    onClick_();
                }
                result = 0;
                return true;
            }
            return false;
        case WM_SETCURSOR: {
            if (LOWORD(lParam) != HTCLIENT || reinterpret_cast<HWND>(wParam) != owner_) {
                return false;
            }
            POINT p;
            ::GetCursorPos(&p);
            ::ScreenToClient(owner_, &p);
            ::SetCursor(::LoadCursorW(nullptr, Rect().Contains(p.x, p.y) ? IDC_HAND : IDC_ARROW));
            result = TRUE;
            return true;
        }
        default:
            return false;
    }
}

void HoverLink::SetUnderlined(bool underlined) {
    if (underlined == underlined_) {
        return;
    }
    underlined_ = underlined;
    PixelRect r = Rect();
    RECT rect{r.left, r.top, r.Right(), r.Bottom()};
    ::InvalidateRect(owner_, &rect, TRUE);
}

}  // namespace tavero
