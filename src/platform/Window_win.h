#pragma once

#include <windows.h>

#include <exception>
#include <stdexcept>

#include "platform/Handles_win.h"

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
        ReportUnhandledError(hwnd, std::runtime_error("unexpected error"));
    }
    return fallback;
}

// Base of the program's windows: the static procedure finds the object through the window's
// user data (set at WM_NCCREATE, cleared after WM_NCDESTROY) and forwards every message.
class Window {
  public:
    Window() = default;
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;
    virtual ~Window() = default;

    HWND Handle() const { return hwnd_.Get(); }

  protected:
    // Registers the class once per process; the class's procedure is the trampoline.
    static void RegisterClassOnce(const wchar_t* className, UINT style, HBRUSH background,
                                  HICON icon = nullptr, HICON smallIcon = nullptr);
    HWND Create(const wchar_t* className, const wchar_t* title, DWORD style, DWORD exStyle, int x,
                int y, int width, int height, HWND parent, HMENU menuOrId);
    void Destroy() { hwnd_.Reset(); }

    virtual LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT Default(UINT msg, WPARAM wParam, LPARAM lParam) {
        return ::DefWindowProcW(hwnd_.Get(), msg, wParam, lParam);
    }

  private:
    static LRESULT CALLBACK Trampoline(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

    UniqueWindow hwnd_;
};

}  // namespace tavero
