#include "ui/DrawnButton_win.h"

#include "platform/Texts.h"

namespace tavero {

namespace {
constexpr const wchar_t* kClassName = L"TaveroDrawnButton";
// A request to do what a click does, posted by a screen reader's default action.
constexpr UINT kAct = WM_APP + 1;
}  // namespace

DrawnButton::DrawnButton(HWND parent, int id, const std::wstring& name, long role, Painter paint,
                         std::function<void()> onClick)
    : role_(role), paint_(std::move(paint)), onClick_(std::move(onClick)) {
    RegisterClassOnce(kClassName, 0, nullptr);
    Create(kClassName, name.c_str(), WS_CHILD | WS_VISIBLE | (IsLink() ? WS_TABSTOP : 0), 0, 0, 0,
           0, 0, parent, AsMenuId(id));
}

void DrawnButton::Place(const PixelRect& r) {
    ::SetWindowPos(Handle(), nullptr, r.left, r.top, r.width, r.height,
                   SWP_NOZORDER | SWP_NOACTIVATE);
    ::InvalidateRect(Handle(), nullptr, FALSE);
}

void DrawnButton::OnPaint(HDC dc, const RECT&) {
    RECT client;
    ::GetClientRect(Handle(), &client);
    paint_(dc, client, hot_, focused_);
}

bool DrawnButton::Inside(int x, int y) const {
    RECT client;
    ::GetClientRect(Handle(), &client);
    POINT p{x, y};
    return ::PtInRect(&client, p) != FALSE;
}

void DrawnButton::Click() {
    if (onClick_) {
        onClick_();
    }
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
    if (clicked) {
        Click();
    }
    return true;
}

bool DrawnButton::OnMouseMove(int x, int y) {
    // Only a link shows the mouse over it, and only it needs to hear when the mouse leaves: the
    // watch is not free.
    if (!IsLink()) {
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
    ::SetCursor(::LoadCursorW(nullptr, IsLink() ? IDC_HAND : IDC_ARROW));
    return true;
}

bool DrawnButton::OnSetFocus() {
    focused_ = true;
    ::InvalidateRect(Handle(), nullptr, FALSE);
    return true;
}

std::optional<LRESULT> DrawnButton::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_KILLFOCUS:
            focused_ = false;
            ::InvalidateRect(Handle(), nullptr, FALSE);
            return 0;
        case WM_GETDLGCODE: {
            // Enter and Space are the link's own, not the window's default button.
            auto* pending = reinterpret_cast<const MSG*>(lParam);
            bool acts = pending != nullptr && pending->message == WM_KEYDOWN &&
                        (pending->wParam == VK_RETURN || pending->wParam == VK_SPACE);
            return acts ? DLGC_WANTMESSAGE : 0;
        }
        case WM_KEYDOWN:
            if (wParam == VK_RETURN || wParam == VK_SPACE) {
                Click();
                return 0;
            }
            return std::nullopt;
        case kAct:
            Click();
            return 0;
        case WM_GETOBJECT: {
            wchar_t name[256] = {};
            ::GetWindowTextW(Handle(), name, 256);
            AccessibleDescription description{
                name, role_,    Text(IsLink() ? TAVERO_TEXT_JUMP : TAVERO_TEXT_PRESS),
                kAct, IsLink(), false};
            if (LRESULT answer = AnswerAccessibleObject(Handle(), wParam, lParam, description)) {
                return answer;
            }
            return std::nullopt;
        }
        default:
            return std::nullopt;
    }
}

}  // namespace tavero
