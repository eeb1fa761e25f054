#include "ui/SkinnedWindow_win.h"

#include "platform/MessagePump_win.h"
#include "ui/Accessible_win.h"
#include "ui/ControlIds.h"
#include "ui/Placement.h"
#include "ui/Skin_win.h"

namespace tavero {

namespace {

constexpr int kTitleStripId = control_ids::kTitleStrip;

// Sizes a window and centres it on the work area of its monitor, in one step.
void CentreOnWorkArea(HWND window, int width, int height) {
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    ::GetMonitorInfoW(::MonitorFromWindow(window, MONITOR_DEFAULTTOPRIMARY), &monitor);
    const RECT& work = monitor.rcWork;
    ::SetWindowPos(window, nullptr, work.left + (work.right - work.left - width) / 2,
                   work.top + (work.bottom - work.top - height) / 2, width, height,
                   SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

SkinnedWindow::SkinnedWindow(const Skin& skin, TitleStrip::Actions actions)
    : width_(skin.width),
      height_(skin.height),
      frame_(skin.frame),
      framePenPixels_(skin.framePenPixels),
      accessibleName_(skin.accessibleName) {
    RegisterClassOnce(skin.className, CS_DBLCLKS, ::GetSysColorBrush(COLOR_BTNFACE), skin.icon);
    // No taskbar button: the notification-area icon stands for the program.
    Create(skin.className, skin.caption.c_str(), WS_POPUP | WS_CLIPCHILDREN,
           WS_EX_TOOLWINDOW | WS_EX_CONTROLPARENT, 0, 0, 0, 0, nullptr, nullptr);
    dpi_ = static_cast<int>(::GetDpiForWindow(Handle()));
    // Centred where it is first shown.
    CentreOnWorkArea(Handle(), TwipsToPixels(width_, dpi_), TwipsToPixels(height_, dpi_));
    strip_ =
        std::make_unique<TitleStrip>(Handle(), kTitleStripId, skin.strip, std::move(actions), dpi_);
    focusRing_ = std::make_unique<FocusRing>(Handle());
    MessagePump::AddNavigableWindow(Handle());
}

SkinnedWindow::~SkinnedWindow() {
    MessagePump::RemoveNavigableWindow(Handle());
    focusRing_.reset();
    strip_.reset();
    Destroy();
}

bool SkinnedWindow::Show() {
    bool first = !shown_;
    shown_ = true;
    if (first) {
        // Last in the tab order: the strip's link comes after the window's own controls.
        ::SetWindowPos(strip_->Handle(), HWND_BOTTOM, 0, 0, 0, 0,
                       SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    ::ShowWindow(Handle(), SW_SHOW);
    if (first) {
        // The strip, last in the tab order and so last to be painted of its own accord, is
        // painted first: it is what tells the user the window is there.
        ::RedrawWindow(strip_->Handle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    }
    // Above a window that covered it, not only in the foreground (new, it is on top already).
    if (!first) {
        ::SetWindowPos(Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    }
    ::SetForegroundWindow(Handle());
    return first;
}

bool SkinnedWindow::ShowBeside(HWND other) {
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    ::GetMonitorInfoW(::MonitorFromWindow(other, MONITOR_DEFAULTTONEAREST), &monitor);
    RECT by;
    ::GetWindowRect(other, &by);
    // Sized for the other window's monitor, where it goes.
    int dpi = static_cast<int>(::GetDpiForWindow(other));
    const RECT& work = monitor.rcWork;
    PixelRect place =
        PlaceBeside({by.left, by.top, by.right - by.left, by.bottom - by.top},
                    TwipsToPixels(width_, dpi), TwipsToPixels(height_, dpi),
                    {work.left, work.top, work.right - work.left, work.bottom - work.top});
    ::SetWindowPos(Handle(), nullptr, place.left, place.top, place.width, place.height,
                   SWP_NOZORDER | SWP_NOACTIVATE);
    return Show();
}

void SkinnedWindow::OnPaint(HDC dc, const RECT&) {
    DrawFrame(dc, ToRect(ToPixels(frame_, dpi_)), ScalePixels(framePenPixels_, dpi_),
              ToColorRef(palette::kGreen));
    focusRing_->Paint(dc);
}

std::optional<LRESULT> SkinnedWindow::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_GETOBJECT) {
        AccessibleDescription description;
        description.name = accessibleName_;
        description.topLevel = true;
        if (LRESULT answer = AnswerAccessibleObject(Handle(), wParam, lParam, description)) {
            return answer;
        }
    }
    return std::nullopt;
}

bool SkinnedWindow::OnDpiChanged(int dpi, const RECT& suggested) {
    dpi_ = dpi;
    strip_->Layout(dpi);
    Relayout(dpi);
    // Where the system suggests, in one step: it has worked out a place that keeps the window
    // on the monitor it moved to.
    ::SetWindowPos(Handle(), nullptr, suggested.left, suggested.top,
                   suggested.right - suggested.left, suggested.bottom - suggested.top,
                   SWP_NOZORDER | SWP_NOACTIVATE);
    ::InvalidateRect(Handle(), nullptr, TRUE);
    return true;
}

bool SkinnedWindow::OnActivate(bool active) {
    if (!active) {
        HWND focus = ::GetFocus();
        if (focus != nullptr && ::IsChild(Handle(), focus)) {
            lastFocus_ = focus;
        }
        return false;
    }
    if (::IsChild(Handle(), ::GetFocus())) {
        return true;  // a control of ours has it already (a click, or an activation seen twice)
    }
    HWND focus = lastFocus_ != nullptr && ::IsWindow(lastFocus_) && ::IsChild(Handle(), lastFocus_)
                     ? lastFocus_
                     : ::GetNextDlgTabItem(Handle(), nullptr, FALSE);
    if (focus != nullptr) {
        ::SetFocus(focus);
        return true;
    }
    return false;
}

bool SkinnedWindow::OnSysColorChange() {
    // The system tells top-level windows only; the controls keep brushes of the old colours
    // until they hear of it too.
    ::EnumChildWindows(
        Handle(),
        [](HWND child, LPARAM) -> BOOL {
            ::SendMessageW(child, WM_SYSCOLORCHANGE, 0, 0);
            return TRUE;
        },
        0);
    ::RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    return true;
}

bool SkinnedWindow::OnSysCommand(UINT command) {
    return command == SC_KEYMENU;
}

}  // namespace tavero
