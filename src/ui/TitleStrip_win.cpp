#include "ui/TitleStrip_win.h"

#include <algorithm>

#include "platform/Texts.h"
#include "ui/Skin_win.h"
#include "ui/WindowDrag_win.h"

namespace tavero {

namespace {

constexpr const wchar_t* kClassName = L"TaveroTitleStrip";
enum : int { kCloseId = 1, kHideId, kLogoId };

void FillGreen(HDC dc, const RECT& r) {
    UniqueBrush green(::CreateSolidBrush(ToColorRef(palette::kGreen)));
    ::FillRect(dc, &r, green.Get());
}

// A picture of the strip, on the strip's green; with the keyboard's focus (the logo, a link),
// ringed in white, which stands out from the green.
DrawnButton::Painter OnGreen(void (*draw)(HDC, const RECT&)) {
    return [draw](HDC dc, const RECT& r, bool, bool focused) {
        FillGreen(dc, r);
        draw(dc, r);
        if (focused) {
            DrawFocusRing(dc, r, std::max<int>(1, (r.right - r.left) / 11), RGB(255, 255, 255));
        }
    };
}

}  // namespace

TitleStrip::TitleStrip(HWND parent, int id, Design design, Actions actions, int dpi)
    : design_(std::move(design)), dpi_(dpi) {
    RegisterClassOnce(kClassName, 0, nullptr);
    PixelRect r = ToPixels(design_.strip, dpi);
    // Tab reaches the logo inside it.
    Create(kClassName, design_.title.c_str(), WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN,
           WS_EX_CONTROLPARENT, r.left, r.top, r.width, r.height, parent, AsMenuId(id));
    close_ = std::make_unique<DrawnButton>(Handle(), kCloseId, Text(TAVERO_TEXT_CLOSE),
                                           roles::kPushButton, OnGreen(DrawCloseButton),
                                           std::move(actions.close));
    if (design_.hideButton) {
        hide_ = std::make_unique<DrawnButton>(Handle(), kHideId, Text(TAVERO_TEXT_HIDE),
                                              roles::kPushButton, OnGreen(DrawHideButton),
                                              std::move(actions.hide));
    }
    if (actions.logo) {
        logo_ =
            std::make_unique<DrawnButton>(Handle(), kLogoId, Text(TAVERO_TEXT_HOME_PAGE),
                                          roles::kLink, OnGreen(DrawLogo), std::move(actions.logo));
    }
    Layout(dpi);
}

void TitleStrip::Layout(int dpi) {
    dpi_ = dpi;
    // The title's font: bold 12 pt, Western character set.
    titleFont_ = CreateSkinFont(palette::kYaHei, 12, FW_BOLD, ANSI_CHARSET, dpi);
    PixelRect r = ToPixels(design_.strip, dpi);
    ::SetWindowPos(Handle(), nullptr, r.left, r.top, r.width, r.height,
                   SWP_NOZORDER | SWP_NOACTIVATE);
    close_->Place(ToPixels(design_.closeButton, dpi));
    if (hide_) {
        hide_->Place(ToPixels(*design_.hideButton, dpi));
    }
    if (logo_) {
        logo_->Place(ToPixels(design_.logo, dpi));
    }
    ::InvalidateRect(Handle(), nullptr, TRUE);
}

bool TitleStrip::OnLeftButtonDown(int, int) {
    DragWindow(::GetAncestor(Handle(), GA_ROOT));
    return true;
}

void TitleStrip::OnPaint(HDC dc, const RECT&) {
    RECT client;
    ::GetClientRect(Handle(), &client);
    FillGreen(dc, client);
    if (!logo_) {
        DrawLogo(dc, ToRect(ToPixels(design_.logo, dpi_)));
    }
    RECT title = ToRect(ToPixels(design_.titleLabel, dpi_));
    Selected font(dc, titleFont_.Get());
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, ToColorRef(palette::kWhite));
    ::DrawTextW(dc, design_.title.c_str(), -1, &title,
                DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX);
}

}  // namespace tavero
