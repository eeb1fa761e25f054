#include "app/TitleStrip_win.h"

#include <windowsx.h>

#include "app/WindowDrag_win.h"
#include "ui/Skin_win.h"

namespace tavero {

namespace {
constexpr const wchar_t* kClassName = L"TaveroTitleStrip";

RECT ToRect(const PixelRect& r) {
    return {r.left, r.top, r.Right(), r.Bottom()};
}
}  // namespace

TitleStrip::TitleStrip(HWND parent, int controlId, Design design) : design_(std::move(design)) {
    RegisterClassOnce(kClassName, 0, nullptr);
    Create(kClassName, design_.title.c_str(), WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, 0, parent,
           reinterpret_cast<HMENU>(static_cast<INT_PTR>(controlId)));
}

void TitleStrip::Layout(int dpi) {
    dpi_ = dpi;
    // The title's font: bold 12 pt, Western character set.
    titleFont_ = CreateSkinFont(palette::kYaHei, 12, FW_BOLD, ANSI_CHARSET, dpi);
    PixelRect r = ToPixels(design_.strip, dpi);
    ::MoveWindow(Handle(), r.left, r.top, r.width, r.height, TRUE);
    ::InvalidateRect(Handle(), nullptr, TRUE);
}

TitleStrip::Part TitleStrip::PartAt(int x, int y) const {
    if (ToPixels(design_.closeButton, dpi_).Contains(x, y)) {
        return Part::Close;
    }
    if (design_.hideButton && ToPixels(*design_.hideButton, dpi_).Contains(x, y)) {
        return Part::Hide;
    }
    if (ToPixels(design_.logo, dpi_).Contains(x, y)) {
        return Part::Logo;
    }
    return Part::None;
}

LRESULT TitleStrip::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_PAINT:
            Paint();
            return 0;
        case WM_ERASEBKGND:
            return 1;
        case WM_LBUTTONDOWN: {
            pressed_ = PartAt(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
            if (pressed_ == Part::None) {
                DragWindow(::GetAncestor(Handle(), GA_ROOT));
            } else {
                ::SetCapture(Handle());
            }
            return 0;
        }
        case WM_LBUTTONUP: {
            Part part = PartAt(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
            Part pressed = std::exchange(pressed_, Part::None);
            ::ReleaseCapture();
            // A click counts where the button went down and came up on the same part.
            if (part == pressed) {
                const std::function<void()>* handler = part == Part::Close  ? &onClose
                                                       : part == Part::Hide ? &onHide
                                                       : part == Part::Logo ? &onLogo
                                                                            : nullptr;
                if (handler != nullptr && *handler) {
                    (*handler)();
                }
            }
            return 0;
        }
        case WM_SETCURSOR:
            if (LOWORD(lParam) == HTCLIENT) {
                POINT p;
                ::GetCursorPos(&p);
                ::ScreenToClient(Handle(), &p);
                bool link = PartAt(p.x, p.y) == Part::Logo;
                ::SetCursor(::LoadCursorW(nullptr, link ? IDC_HAND : IDC_ARROW));
                return TRUE;
            }
            return Default(msg, wParam, lParam);
        default:
            return Default(msg, wParam, lParam);
    }
}

void TitleStrip::Paint() {
    PAINTSTRUCT ps;
    HDC dc = ::BeginPaint(Handle(), &ps);
    RECT client;
    ::GetClientRect(Handle(), &client);
    UniqueBrush green(::CreateSolidBrush(ToColorRef(palette::kGreen)));
    ::FillRect(dc, &client, green.Get());

    DrawLogo(dc, ToRect(ToPixels(design_.logo, dpi_)));
    if (design_.hideButton) {
        DrawHideButton(dc, ToRect(ToPixels(*design_.hideButton, dpi_)));
    }
    DrawCloseButton(dc, ToRect(ToPixels(design_.closeButton, dpi_)));

    RECT title = ToRect(ToPixels(design_.titleLabel, dpi_));
    HGDIOBJ oldFont = ::SelectObject(dc, titleFont_.Get());
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, ToColorRef(palette::kWhite));
    ::DrawTextW(dc, design_.title.c_str(), -1, &title,
                DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX);
    ::SelectObject(dc, oldFont);
    ::EndPaint(Handle(), &ps);
}

}  // namespace tavero
