#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "platform/Window_win.h"
#include "ui/DrawnButton_win.h"
#include "ui/Twips.h"

namespace tavero {

// The green strip along the top of a skinned window: the logo, the title, the window's hide
// and close buttons. Pressing the left button on the title or the bare strip drags the window.
class TitleStrip : public Window {
  public:
    struct Design {
        std::wstring title;
        TwipsRect strip;
        TwipsRect logo;
        TwipsRect titleLabel;
        TwipsRect closeButton;
        std::optional<TwipsRect> hideButton;
    };
    // Where an action is missing, its picture is only a picture.
    struct Actions {
        std::function<void()> close;
        std::function<void()> hide;
        std::function<void()> logo;
    };

    TitleStrip(HWND parent, int id, Design design, Actions actions, int dpi);
    ~TitleStrip() override { Destroy(); }

    void Layout(int dpi);

  protected:
    void OnPaint(HDC dc, const RECT& dirty) override;
    bool OnLeftButtonDown(int x, int y) override;

  private:
    Design design_;
    int dpi_;
    UniqueFont titleFont_;
    std::unique_ptr<DrawnButton> close_;
    std::unique_ptr<DrawnButton> hide_;
    std::unique_ptr<DrawnButton> logo_;
};

}  // namespace tavero
