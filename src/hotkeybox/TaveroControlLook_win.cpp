#include "hotkeybox/TaveroControl_win.h"

#include <algorithm>
#include <cstdlib>

#include "ui/Skin_win.h"

// The box's look: its colours, frame, font, enabled state and tooltip, each setter reporting its
// change by the property's name.

namespace tavero {

COLORREF TaveroControl::Resolve(OleColor color) {
    if (color & 0x80000000u) {
        return ::GetSysColor(static_cast<int>(color & 0xFFu));
    }
    return static_cast<COLORREF>(color & 0xFFFFFFu);
}

void TaveroControl::SetBackColor(OleColor color) {
    backColor_ = color;
    backBrush_.Reset();
    ::InvalidateRect(edit_, nullptr, TRUE);
    Changed(L"BackColor");
}

void TaveroControl::SetForeColor(OleColor color) {
    foreColor_ = color;
    ::InvalidateRect(edit_, nullptr, TRUE);
    Changed(L"ForeColor");
}

bool TaveroControl::Enabled() const {
    return ::IsWindowEnabled(edit_) != FALSE;
}

void TaveroControl::SetEnabled(bool enabled) {
    ::EnableWindow(edit_, enabled ? TRUE : FALSE);
    Changed(L"Enabled");
}

void TaveroControl::SetFont(HFONT font) {
    font_ = font;
    // Narrow margins: the box is small and its whole text should show.
    ::SendMessageW(edit_, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELPARAM(1, 1));
    FitText();
    Changed(L"Font");
}

void TaveroControl::FitText() {
    // The whole hotkey in the box: in the box's font where it fits (F1 and F10 must not look
    // alike), else in a smaller one of the same face, down to three quarters of its size; where
    // even that is too narrow, the tip shows the whole text. Until the host gives the box its
    // font there is nothing to fit.
    if (font_ == nullptr) {
        return;
    }
    std::wstring text = box_->Text();
    RECT client;
    ::GetClientRect(edit_, &client);
    auto margins = static_cast<DWORD>(::SendMessageW(edit_, EM_GETMARGINS, 0, 0));
    // Less the caret after the last character, which the box scrolls into view when it has the
    // focus, and the edit's own spacing.
    int room = client.right - LOWORD(margins) - HIWORD(margins) - 5;
    // Measured on a memory device context of the program's own: the box's would cost a trip
    // to the display for each of the ten boxes at start.
    static const UniqueMemoryDc measuring(::CreateCompatibleDC(nullptr));
    HDC dc = measuring.Get();
    auto width = [&](HFONT font) {
        Selected selected(dc, font != nullptr ? font : ::GetStockObject(DEFAULT_GUI_FONT));
        SIZE size{};
        ::GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
        return static_cast<int>(size.cx);
    };
    UniqueFont fitted;
    HFONT use = font_;
    int needed = width(font_);
    LOGFONTW design{};
    if (needed > room && room > 0 && ::GetObjectW(font_, sizeof(design), &design) != 0) {
        int height = std::abs(design.lfHeight);
        int smallest = height * 3 / 4;
        // Text is about as wide as it is high: from the size that should fit, smaller until it
        // does.
        for (int fit = std::max(smallest, height * room / needed); fit >= smallest; --fit) {
            design.lfHeight = -fit;
            design.lfWidth = 0;
            fitted.Reset(::CreateFontIndirectW(&design));
            use = fitted ? fitted.Get() : font_;
            needed = width(use);
            if (needed <= room) {
                break;
            }
        }
    }
    clipped_ = needed > room;
    // The edit takes the new font before the old one goes.
    ::SendMessageW(edit_, WM_SETFONT, reinterpret_cast<WPARAM>(use), TRUE);
    fitFont_ = std::move(fitted);
    ShowTip();
}

void TaveroControl::ShowTip() {
    // The host's tip, where it gave one; else the whole hotkey where the box cuts it, and a
    // word where the hotkey takes a character the keyboard types. The tip window is made only
    // when there is a tip to show.
    std::wstring said = clipped_ ? box_->Text() : std::wstring();
    if (std::wstring clash = box_->TypingClash(); !clash.empty()) {
        said += (said.empty() ? L"" : L"\n") + clash;
    }
    std::wstring tip = !toolTip_.empty() ? toolTip_ : said;
    if (!toolTips_) {
        if (tip.empty()) {
            return;
        }
        toolTips_ = std::make_unique<ToolTips>(Handle());
    }
    toolTips_->Set(edit_, tip);
    if (::GetFocus() == edit_ && !said.empty()) {
        toolTips_->Track(Handle(), said);
    } else {
        toolTips_->Untrack();
    }
}

void TaveroControl::SetBorderStyle(int style) {
    borderStyle_ = style;
    ApplyFrame();
    Changed(L"BorderStyle");
}

void TaveroControl::SetAppearance(int appearance) {
    appearance_ = appearance;
    ApplyFrame();
    Changed(L"Appearance");
}

void TaveroControl::ApplyFrame() {
    // A border is sunken (3-D) or a single line (flat); style 0 has none.
    LONG_PTR style = ::GetWindowLongPtrW(edit_, GWL_STYLE) & ~static_cast<LONG_PTR>(WS_BORDER);
    LONG_PTR exStyle =
        ::GetWindowLongPtrW(edit_, GWL_EXSTYLE) & ~static_cast<LONG_PTR>(WS_EX_CLIENTEDGE);
    if (borderStyle_ != 0) {
        if (appearance_ != 0) {
            exStyle |= WS_EX_CLIENTEDGE;
        } else {
            style |= WS_BORDER;
        }
    }
    ::SetWindowLongPtrW(edit_, GWL_STYLE, style);
    ::SetWindowLongPtrW(edit_, GWL_EXSTYLE, exStyle);
    ::SetWindowPos(edit_, nullptr, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void TaveroControl::SetToolTipText(const std::wstring& text) {
    toolTip_ = text;
    ShowTip();
    Changed(L"ToolTipText");
}

void TaveroControl::Changed(const wchar_t* property) {
    if (box_->Events().propertyChanged) {
        box_->Events().propertyChanged(property);
    }
}

}  // namespace tavero
