#include "platform/Window_win.h"

#include <string>

namespace tavero {

void ReportUnhandledError(HWND owner, const std::exception& error) noexcept {
    std::string what = error.what();
    std::wstring text(what.begin(), what.end());
    ::MessageBoxW(owner, text.c_str(), L"error", MB_OK | MB_ICONSTOP);
}

void Window::RegisterClassOnce(const wchar_t* className, UINT style, HBRUSH background, HICON icon,
                               HICON smallIcon) {
    HINSTANCE instance = ::GetModuleHandleW(nullptr);
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof(existing);
    if (::GetClassInfoExW(instance, className, &existing)) {
        return;
    }
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
    HWND hwnd = ::CreateWindowExW(exStyle, className, title, style, x, y, width, height, parent,
                                  menuOrId, ::GetModuleHandleW(nullptr), this);
    // The trampoline stored the handle at WM_NCCREATE; adopt it so it is destroyed with us.
    if (hwnd != nullptr && hwnd_.Get() == nullptr) {
        hwnd_.Reset(hwnd);
    }
    return hwnd;
}

LRESULT Window::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    return Default(msg, wParam, lParam);
}

LRESULT CALLBACK Window::Trampoline(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    Window* self = nullptr;
    if (msg == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        self = static_cast<Window*>(create->lpCreateParams);
        ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        self->hwnd_.Reset(hwnd);
    } else {
        self = reinterpret_cast<Window*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    }
    if (self == nullptr) {
        return ::DefWindowProcW(hwnd, msg, wParam, lParam);
    }
    LRESULT result = Fenced(hwnd, 0, [&] { return self->HandleMessage(msg, wParam, lParam); });
    if (msg == WM_NCDESTROY) {
        ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        // The window is gone: forget the handle so it is not destroyed again.
        self->hwnd_.Release();
    }
    return result;
}

}  // namespace tavero
