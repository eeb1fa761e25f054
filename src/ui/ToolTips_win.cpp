#include "ui/ToolTips_win.h"

#include <commctrl.h>

#include <algorithm>

namespace tavero {

ToolTips::ToolTips(HWND owner) : owner_(owner) {
    window_.Reset(::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                                    WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                                    CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr,
                                    ::GetModuleHandleW(nullptr), nullptr));
    // Long tips wrap, and a line break in one starts a line.
    ::SendMessageW(window_.Get(), TTM_SETMAXTIPWIDTH, 0, 400);
}

void ToolTips::Set(HWND control, const std::wstring& text) {
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof(tool);
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = owner_;
    tool.uId = reinterpret_cast<UINT_PTR>(control);
    tool.lpszText = const_cast<wchar_t*>(text.c_str());
    // Added the first time, its text replaced after.
    bool known = std::find(tools_.begin(), tools_.end(), control) != tools_.end();
    ::SendMessageW(window_.Get(), known ? TTM_UPDATETIPTEXTW : TTM_ADDTOOLW, 0,
                   reinterpret_cast<LPARAM>(&tool));
    if (!known) {
        tools_.push_back(control);
    }
}

namespace {
constexpr UINT_PTR kTrackedTool = 1;
}

void ToolTips::Track(HWND control, const std::wstring& text) {
    Untrack();
    if (text.empty()) {
        return;
    }
    tracked_ = text;
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof(tool);
    tool.uFlags = TTF_TRACK | TTF_ABSOLUTE;
    tool.hwnd = owner_;
    tool.uId = kTrackedTool;
    tool.lpszText = tracked_.data();
    ::SendMessageW(window_.Get(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    RECT r;
    ::GetWindowRect(control, &r);
    ::SendMessageW(window_.Get(), TTM_TRACKPOSITION, 0, MAKELPARAM(r.left, r.bottom + 2));
    ::SendMessageW(window_.Get(), TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&tool));
    tracking_ = true;
}

void ToolTips::Untrack() {
    if (!tracking_) {
        return;
    }
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof(tool);
    tool.hwnd = owner_;
    tool.uId = kTrackedTool;
    ::SendMessageW(window_.Get(), TTM_TRACKACTIVATE, FALSE, reinterpret_cast<LPARAM>(&tool));
    ::SendMessageW(window_.Get(), TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    tracking_ = false;
}

}  // namespace tavero
