#include "ui/SkinnedWindow_win.h"

#include "platform/MessagePump_win.h"
#include "ui/ControlIds.h"
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
      framePenPixels_(skin.framePenPixels) {
    RegisterClassOnce(skin.className, CS_DBLCLKS, ::GetSysColorBrush(COLOR_BTNFACE), skin.icon);
    // No taskbar button: the notification-area icon stands for the program.
    Create(skin.className, skin.caption, WS_POPUP | WS_CLIPCHILDREN,
           WS_EX_TOOLWINDOW | WS_EX_CONTROLPARENT, 0, 0, 0, 0, nullptr, nullptr);
    dpi_ = static_cast<int>(::GetDpiForWindow(Handle()));
    // Centred where it is first shown.
    CentreOnWorkArea(Handle(), TwipsToPixels(width_, dpi_), TwipsToPixels(height_, dpi_));
    strip_ =
        std::make_unique<TitleStrip>(Handle(), kTitleStripId, skin.strip, std::move(actions), dpi_);
    MessagePump::AddNavigableWindow(Handle());
}

SkinnedWindow::~SkinnedWindow() {
    MessagePump::RemoveNavigableWindow(Handle());
    strip_.reset();
    Destroy();
}

void SkinnedWindow::Size() {
    ::SetWindowPos(Handle(), nullptr, 0, 0, TwipsToPixels(width_, dpi_),
                   TwipsToPixels(height_, dpi_), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool SkinnedWindow::Show() {
    bool first = !shown_;
    shown_ = true;
    ::ShowWindow(Handle(), SW_SHOW);
    ::SetForegroundWindow(Handle());
    return first;
}

void SkinnedWindow::OnPaint(HDC dc, const RECT&) {
    DrawFrame(dc, ToRect(ToPixels(frame_, dpi_)), ScalePixels(framePenPixels_, dpi_),
              ToColorRef(palette::kGreen));
}

bool SkinnedWindow::OnDpiChanged(int dpi, const RECT& suggested) {
    dpi_ = dpi;
    strip_->Layout(dpi);
    Relayout(dpi);
    Size();
    ::SetWindowPos(Handle(), nullptr, suggested.left, suggested.top, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
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

bool SkinnedWindow::OnSysCommand(UINT command) {
    return command == SC_KEYMENU;
}

}  // namespace tavero
