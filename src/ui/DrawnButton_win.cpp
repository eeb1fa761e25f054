#include "ui/DrawnButton_win.h"

namespace tavero {

namespace {
constexpr const wchar_t* kClassName = L"TaveroDrawnButton";
}

DrawnButton::DrawnButton(HWND parent, int id, const std::wstring& name, long role, Painter paint,
                         std::function<void()> onClick)
    : role_(role), paint_(std::move(paint)), onClick_(std::move(onClick)) {
    RegisterClassOnce(kClassName, 0, nullptr);
    Create(kClassName, name.c_str(), WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, 0, parent, AsMenuId(id));
}

void DrawnButton::Place(const PixelRect& r) {
    ::SetWindowPos(Handle(), nullptr, r.left, r.top, r.width, r.height,
                   SWP_NOZORDER | SWP_NOACTIVATE);
    ::InvalidateRect(Handle(), nullptr, FALSE);
}

void DrawnButton::OnPaint(HDC dc, const RECT&) {
    RECT client;
    ::GetClientRect(Handle(), &client);
    paint_(dc, client, hot_);
}

bool DrawnButton::Inside(int x, int y) const {
    RECT client;
    ::GetClientRect(Handle(), &client);
    POINT p{x, y};
    return ::PtInRect(&client, p) != FALSE;
}

bool DrawnButton::OnLeftButtonDown(int, int) {
    pressed_ = true;
    ::SetCapture(Handle());
    return true;
}

bool DrawnButton::OnLeftButtonUp(int x, int y) {
    bool clicked = pressed_ && Inside(x, y);
    pressed_ = false;
    ::ReleaseCapture();
    // A click counts where the button went down and came up on the control.
    if (clicked && onClick_) {
        onClick_();
    }
    return true;
}

bool DrawnButton::OnMouseMove(int x, int y) {
    // Only a link shows the mouse over it, and only it needs to hear when the mouse leaves: the
    // watch is not free.
    if (role_ != roles::kLink) {
        return true;
    }
    if (!hot_) {
        TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, Handle(), 0};
        ::TrackMouseEvent(&track);
    }
    SetHot(Inside(x, y));
    return true;
}

bool DrawnButton::OnMouseLeave() {
    SetHot(false);
    return true;
}

void DrawnButton::SetHot(bool hot) {
    if (hot != hot_) {
        hot_ = hot;
        ::InvalidateRect(Handle(), nullptr, FALSE);
    }
}

bool DrawnButton::OnSetCursor(int hitTest) {
    if (hitTest != HTCLIENT) {
        return false;
    }
    ::SetCursor(::LoadCursorW(nullptr, role_ == roles::kLink ? IDC_HAND : IDC_ARROW));
    return true;
}

std::optional<LRESULT> DrawnButton::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg != WM_GETOBJECT) {
        return std::nullopt;
    }
    wchar_t name[256] = {};
    ::GetWindowTextW(Handle(), name, 256);
    if (LRESULT answer = AnswerAccessibleObject(Handle(), wParam, lParam, name, role_)) {
        return answer;
    }
    return std::nullopt;
}

}  // namespace tavero
