#include "platform/Window_win.h"

#include <windowsx.h>

#include <set>
#include <string>

#include "platform/RunTimeError.h"
#include "platform/Texts.h"

namespace tavero {

void ReportUnhandledError(HWND owner, const std::exception& error) noexcept {
    // The box runs a loop of its own, in which a handler may fail again: one box at a time.
    static bool showing = false;
    if (showing) {
        return;
    }
    showing = true;
    // The program's own errors are worded for the user; anything else says what it can.
    std::wstring text;
    if (const auto* own = dynamic_cast<const RunTimeError*>(&error)) {
        text = own->Description();
    } else {
        std::string what = error.what();
        text.assign(what.begin(), what.end());
    }
    ::MessageBoxW(owner, text.c_str(), Text(TAVERO_TEXT_ERROR_TITLE).c_str(), MB_OK | MB_ICONSTOP);
    showing = false;
}

void Window::RegisterClassOnce(const wchar_t* className, UINT style, HBRUSH background, HICON icon,
                               HICON smallIcon) {
    // One user-interface thread: no lock.
    static std::set<std::wstring> registered;
    if (!registered.insert(className).second) {
        return;
    }
    HINSTANCE instance = ::GetModuleHandleW(nullptr);
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.style = style;
    wc.lpfnWndProc = Trampoline;
    wc.hInstance = instance;
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = background;
    wc.lpszClassName = className;
    wc.hIcon = icon;
    wc.hIconSm = smallIcon;
    ::RegisterClassExW(&wc);
}

HWND Window::Create(const wchar_t* className, const wchar_t* title, DWORD style, DWORD exStyle,
                    int x, int y, int width, int height, HWND parent, HMENU menuOrId) {
    // The trampoline takes the handle at WM_NCCREATE, before any other message.
    return ::CreateWindowExW(exStyle, className, title, style, x, y, width, height, parent,
                             menuOrId, ::GetModuleHandleW(nullptr), this);
}

bool Window::MakeMessageOnly(const wchar_t* className) {
    if (hwnd_ == nullptr) {
        RegisterClassOnce(className, 0, nullptr);
        Create(className, L"", 0, 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr);
    }
    return hwnd_ != nullptr;
}

LRESULT Window::Crack(UINT msg, WPARAM wParam, LPARAM lParam) {
    int x = GET_X_LPARAM(lParam);
    int y = GET_Y_LPARAM(lParam);
    switch (msg) {
        case WM_PAINT: {
            // Ended whatever the handler does, an error included.
            struct Paint {
                HWND hwnd;
                PAINTSTRUCT ps{};
                HDC dc = ::BeginPaint(hwnd, &ps);
                ~Paint() { ::EndPaint(hwnd, &ps); }
            } paint{hwnd_};
            OnPaint(paint.dc, paint.ps.rcPaint);
            return 0;
        }
        case WM_COMMAND:
            if (OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam))) {
                return 0;
            }
            break;
        case WM_DRAWITEM:
            if (OnDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam))) {
                return TRUE;
            }
            break;
        case WM_DPICHANGED:
            if (OnDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam))) {
                return 0;
            }
            break;
        case WM_SIZE:
            if (OnSize(LOWORD(lParam), HIWORD(lParam))) {
                return 0;
            }
            break;
        case WM_ACTIVATE:
            if (OnActivate(LOWORD(wParam) != WA_INACTIVE)) {
                return 0;
            }
            break;
        case WM_SETFOCUS:
            if (OnSetFocus()) {
                return 0;
            }
            break;
        case WM_CLOSE:
            if (OnClose()) {
                return 0;
            }
            break;
        case WM_ENDSESSION:
            if (OnEndSession(wParam != FALSE)) {
                return 0;
            }
            break;
        case WM_SYSCOMMAND:
            if (OnSysCommand(static_cast<UINT>(wParam & 0xFFF0))) {
                return 0;
            }
            break;
        case WM_SYSCOLORCHANGE:
            if (OnSysColorChange()) {
                return 0;
            }
            break;
        case WM_LBUTTONDOWN:
            if (OnLeftButtonDown(x, y)) {
                return 0;
            }
            break;
        case WM_LBUTTONUP:
            if (OnLeftButtonUp(x, y)) {
                return 0;
            }
            break;
        case WM_MOUSEMOVE:
            if (OnMouseMove(x, y)) {
                return 0;
            }
            break;
        case WM_MOUSELEAVE:
            if (OnMouseLeave()) {
                return 0;
            }
            break;
        case WM_SETCURSOR:
            if (reinterpret_cast<HWND>(wParam) == hwnd_ && OnSetCursor(LOWORD(lParam))) {
                return TRUE;
            }
            break;
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN:
            if (HBRUSH brush =
                    OnControlColor(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam))) {
                return reinterpret_cast<LRESULT>(brush);
            }
            break;
        default:
            break;
    }
    if (std::optional<LRESULT> result = OnMessage(msg, wParam, lParam)) {
        return *result;
    }
    return ::DefWindowProcW(hwnd_, msg, wParam, lParam);
}

LRESULT CALLBACK Window::Trampoline(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    Window* self = nullptr;
    if (msg == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        self = static_cast<Window*>(create->lpCreateParams);
        ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        self->hwnd_ = hwnd;
    } else {
        self = reinterpret_cast<Window*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    }
    if (self == nullptr) {
        return ::DefWindowProcW(hwnd, msg, wParam, lParam);
    }
    LRESULT result = Fenced(hwnd, 0, [&] { return self->Crack(msg, wParam, lParam); });
    if (msg == WM_NCDESTROY) {
        // The window is gone: the object no longer has one to destroy.
        ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        self->hwnd_ = nullptr;
    }
    return result;
}

}  // namespace tavero
