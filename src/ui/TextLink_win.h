#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <optional>

#include "platform/Handles_win.h"
#include "ui/DrawnButton_win.h"
#include "ui/Palette.h"
#include "ui/Twips.h"

namespace tavero {

// A one-line text link of the skin in link blue, underlined while the mouse is over it, with
// the fonts it is drawn in at the window's DPI.
class TextLink {
  public:
    // `background`: the colour behind the text; none for the window's own face colour.
    TextLink(HWND parent, int id, std::wstring caption, int points,
             std::optional<palette::Rgb> background, std::function<void()> onClick);

    // Places the link at `dpi`, its fonts made for it.
    void Place(const TwipsRect& place, int dpi);
    HWND Handle() const { return button_->Handle(); }

  private:
    std::wstring caption_;
    int points_;
    std::optional<palette::Rgb> background_;
    UniqueFont font_;
    UniqueFont hotFont_;
    std::unique_ptr<DrawnButton> button_;  // last: it goes before the fonts it paints with
};

}  // namespace tavero
