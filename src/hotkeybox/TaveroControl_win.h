#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>

#include "hotkeybox/HotKeyWindow_win.h"
#include "hotkeybox/Tavero.h"
#include "platform/Handles_win.h"
#include "platform/UserSettingsStore.h"
#include "platform/Window_win.h"
#include "ui/ToolTips_win.h"
#include "ui/Twips.h"

namespace tavero {

// What every capture box of the program shares.
struct TaveroServices {
    const KeyNames& names;
    MessageBoxes& messages;
    IniSettings& ini;
    UserSettingsStore& userStore;
};

// Colours as the box's look settings hold them: an RGB value, or 0x80000000 plus a system
// colour index.
using OleColor = std::uint32_t;
inline constexpr OleColor kSystemWindowColor = 0x80000005;
inline constexpr OleColor kSystemWindowTextColor = 0x80000008;

// The capture box on screen: a container window filled by one single-line edit that shows
// the hotkey, plus the hidden window its hotkey is registered on.
class TaveroControl : public Window, private TaveroView {
  public:
    TaveroControl(HWND parent, int controlId, std::wstring name, const TaveroServices& services,
                  const PixelRect& place, StoreSettings store = {});
    ~TaveroControl() override;

    Tavero& Box() { return *box_; }
    HWND EditHandle() const { return edit_; }
    HWND MessageWindow() const { return hotKeyWindow_->Handle(); }

    void Move(int x, int y, int width, int height);
    // What a screen reader calls the box.
    void SetAccessibleName(const std::wstring& name);

    // The look: each setter reports its change by the property's name.
    OleColor BackColor() const { return backColor_; }
    void SetBackColor(OleColor color);
    OleColor ForeColor() const { return foreColor_; }
    void SetForeColor(OleColor color);
    bool Enabled() const;
    void SetEnabled(bool enabled);
    HFONT Font() const { return font_; }
    void SetFont(HFONT font);  // not owned: the host keeps the font alive
    int BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(int style);
    int Appearance() const { return appearance_; }
    void SetAppearance(int appearance);
    const std::wstring& ToolTipText() const { return toolTip_; }
    void SetToolTipText(const std::wstring& text);

  protected:
    bool OnSize(int width, int height) override;
    bool OnSetFocus() override;
    HBRUSH OnControlColor(HDC dc, HWND control) override;
    bool OnSysColorChange() override;

  private:
    void ShowText(const std::wstring& text) override;
    void MoveCaretToEnd() override;
    void FitText();
    void ShowTip();

    static LRESULT CALLBACK EditProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                     DWORD_PTR self);
    LRESULT OnEditMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    void RaiseMouse(UINT msg, WPARAM wParam, LPARAM lParam);
    static COLORREF Resolve(OleColor color);
    void ApplyFrame();
    void Changed(const wchar_t* property);

    std::unique_ptr<HotKeyWindow> hotKeyWindow_;
    std::unique_ptr<Tavero> box_;
    HWND edit_ = nullptr;  // a child of ours: destroyed with us
    std::unique_ptr<ToolTips> toolTips_;
    UniqueBrush backBrush_;
    HFONT font_ = nullptr;
    UniqueFont fitFont_;  // the box's font made smaller, where its text is wider than the box
    bool clipped_ = false;
    OleColor backColor_ = kSystemWindowColor;
    OleColor foreColor_ = kSystemWindowTextColor;
    int borderStyle_ = 1;
    int appearance_ = 1;
    std::wstring toolTip_;
};

}  // namespace tavero
