#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>

#include "platform/Window_win.h"
#include "ui/Twips.h"

namespace tavero {

// The green strip along the top of a skinned window: logo, title, and its buttons. Pressing
// the left button on the title or the bare strip drags the whole window.
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

    TitleStrip(HWND parent, int controlId, Design design);
    ~TitleStrip() override { Destroy(); }

    void Layout(int dpi);

    std::function<void()> onLogo;
    std::function<void()> onHide;
    std::function<void()> onClose;

  protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

  private:
    enum class Part { None, Logo, Hide, Close };
    Part PartAt(int x, int y) const;
    void Paint();

    Design design_;
    int dpi_ = 96;
    UniqueFont titleFont_;
    Part pressed_ = Part::None;
};

}  // namespace tavero
