#pragma once

#include <windows.h>

#include <exception>
#include <optional>

#include "platform/Handles_win.h"
#include "platform/RunTimeError.h"

namespace tavero {

// Shows an error that escaped a message handler instead of letting it cross the system's
// window procedure, where it would end the program.
void ReportUnhandledError(HWND owner, const std::exception& error) noexcept;

// Runs `body`; an error it throws is reported and `fallback` returned.
template <typename Body>
LRESULT Fenced(HWND hwnd, LRESULT fallback, Body&& body) noexcept {
    try {
        return body();
    } catch (const std::exception& e) {
        ReportUnhandledError(hwnd, e);
    } catch (...) {
        ReportUnhandledError(hwnd, RunTimeError(0, L"", L"unexpected error"));
    }
    return fallback;
}

// A child window's identifier where the system takes a menu handle.
inline HMENU AsMenuId(int id) {
    return reinterpret_cast<HMENU>(static_cast<INT_PTR>(id));
}

// Base of the program's windows. The static procedure finds the object through the window's
// user data (set at WM_NCCREATE, cleared after WM_NCDESTROY) and cracks each message once into
// the typed handlers below. A handler returns true when it handled its message; anything left
// goes to the default handling. The object owns its window.
class Window {
  public:
    Window() = default;
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;
    virtual ~Window() { Destroy(); }

    HWND Handle() const { return hwnd_; }

  protected:
    // Registers the class once per process; the class's procedure is the trampoline.
    static void RegisterClassOnce(const wchar_t* className, UINT style, HBRUSH background,
                                  HICON icon = nullptr, HICON smallIcon = nullptr);
    HWND Create(const wchar_t* className, const wchar_t* title, DWORD style, DWORD exStyle, int x,
                int y, int width, int height, HWND parent, HMENU menuOrId);
    // Makes the window, where it is not made yet, as one that only takes messages (never shown,
    // never in the way); whether it exists.
    bool MakeMessageOnly(const wchar_t* className);
    // Destroys the window now: a derived class calls it in its destructor, so that its own
    // handlers still see the window's last messages.
    void Destroy() {
        if (hwnd_ != nullptr) {
            ::DestroyWindow(hwnd_);
        }
    }

    virtual void OnPaint(HDC, const RECT& /*dirty*/) {}
    virtual bool OnCommand(int /*id*/, int /*code*/, HWND /*control*/) { return false; }
    virtual bool OnDrawItem(const DRAWITEMSTRUCT&) { return false; }
    virtual bool OnDpiChanged(int /*dpi*/, const RECT& /*suggested*/) { return false; }
    virtual bool OnSize(int /*width*/, int /*height*/) { return false; }
    virtual bool OnActivate(bool /*active*/) { return false; }
    virtual bool OnSetFocus() { return false; }
    virtual bool OnClose() { return false; }
    virtual bool OnEndSession(bool /*ending*/) { return false; }
    virtual bool OnSysCommand(UINT /*command*/) { return false; }
    // A colour of the system's changed (a theme, high contrast).
    virtual bool OnSysColorChange() { return false; }
    virtual bool OnLeftButtonDown(int /*x*/, int /*y*/) { return false; }
    virtual bool OnLeftButtonUp(int /*x*/, int /*y*/) { return false; }
    virtual bool OnMouseMove(int /*x*/, int /*y*/) { return false; }
    virtual bool OnMouseLeave() { return false; }
    // True when it set the cursor.
    virtual bool OnSetCursor(int /*hitTest*/) { return false; }
    // A control's colours; nullptr leaves them to the default handling.
    virtual HBRUSH OnControlColor(HDC, HWND /*control*/) { return nullptr; }
    // The program's own messages, and any other without a handler above.
    virtual std::optional<LRESULT> OnMessage(UINT /*msg*/, WPARAM, LPARAM) { return std::nullopt; }

  private:
    LRESULT Crack(UINT msg, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK Trampoline(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

    HWND hwnd_ = nullptr;  // from WM_NCCREATE to WM_NCDESTROY
};

}  // namespace tavero
