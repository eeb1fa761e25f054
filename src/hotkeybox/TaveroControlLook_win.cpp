#include "hotkeybox/TaveroControl_win.h"

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
    ::SendMessageW(edit_, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    // Narrow margins: the box is small and its whole text should show.
    ::SendMessageW(edit_, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELPARAM(1, 1));
    Changed(L"Font");
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
    if (!toolTips_) {
        toolTips_ = std::make_unique<ToolTips>(Handle());
    }
    toolTips_->Set(edit_, toolTip_);
    Changed(L"ToolTipText");
}

void TaveroControl::Changed(const wchar_t* property) {
    if (box_->Events().propertyChanged) {
        box_->Events().propertyChanged(property);
    }
}

}  // namespace tavero
