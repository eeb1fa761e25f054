#include "ui/TextLink_win.h"

#include "ui/Skin_win.h"

namespace tavero {

TextLink::TextLink(HWND parent, int id, std::wstring caption, int points,
                   std::optional<palette::Rgb> background, std::function<void()> onClick)
    : caption_(std::move(caption)), points_(points), background_(background) {
    button_ = std::make_unique<DrawnButton>(
        parent, id, caption_, roles::kLink,
        [this](HDC dc, const RECT& r, bool hot, bool focused) {
            COLORREF back = background_ ? ToColorRef(*background_) : ::GetSysColor(COLOR_BTNFACE);
            // With the keyboard's focus, in reverse: the main window's link shows only its top
            // rows of pixels, which a ring could not go round.
            COLORREF text = ToColorRef(palette::kLinkBlue);
            if (focused) {
                text = back;
                back = ::GetSysColor(COLOR_BTNTEXT);
            }
            DrawLink(dc, r, caption_, (hot || focused ? hotFont_ : font_).Get(), text, back);
        },
        std::move(onClick));
}

void TextLink::Place(const TwipsRect& place, int dpi) {
    font_ = CreateSkinFont(palette::kYaHei, points_, FW_NORMAL, DEFAULT_CHARSET, dpi);
    hotFont_ = CreateSkinFont(palette::kYaHei, points_, FW_NORMAL, DEFAULT_CHARSET, dpi, true);
    button_->Place(ToPixels(place, dpi));
}

}  // namespace tavero
