#include "mainwindow/Tray_win.h"

#include <cstdint>
#include <iterator>
#include <span>

#include "instance/AppMessages_win.h"
#include "platform/Shell_win.h"
#include "platform/Texts.h"
#include "ui/MenuIds.h"

namespace tavero {

namespace {
constexpr UINT kIconId = 1;
constexpr int kProgramIconResource = 1;

NOTIFYICONDATAW IconData(HWND window) {
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof(data);
    data.hWnd = window;
    data.uID = kIconId;
    return data;
}
}  // namespace

Tray::Tray(HWND window, std::wstring settingsFile, std::function<Switches()> switches)
    : window_(window),
      settingsFile_(std::move(settingsFile)),
      switches_(std::move(switches)),
      taskbarCreated_(::RegisterWindowMessageW(L"TaskbarCreated")) {
    // The shell runs as the user; the notice reaches the program run as administrator too.
    ::ChangeWindowMessageFilterEx(window_, taskbarCreated_, MSGFLT_ALLOW, nullptr);
    MakeIcon();
    Add();
}

void Tray::MakeIcon() {
    // The size the shell asks for at the window's DPI, picked from the icon's images.
    UINT dpi = ::GetDpiForWindow(window_);
    icon_.Reset(static_cast<HICON>(
        ::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(kProgramIconResource),
                     IMAGE_ICON, ::GetSystemMetricsForDpi(SM_CXSMICON, dpi),
                     ::GetSystemMetricsForDpi(SM_CYSMICON, dpi), LR_DEFAULTCOLOR)));
    if (paused_) {
        if (UniqueIcon grey = Greyed(icon_.Get())) {
            icon_ = std::move(grey);
        }
    }
}

UniqueIcon Tray::Greyed(HICON icon) {
    // The icon's own colours, each made a grey of its brightness; its transparency kept.
    ICONINFO info{};
    if (!::GetIconInfo(icon, &info)) {
        return {};
    }
    UniqueBitmap color(info.hbmColor);
    UniqueBitmap mask(info.hbmMask);
    BITMAP size{};
    if (!color || !::GetObjectW(color.Get(), sizeof(size), &size)) {
        return {};
    }
    BITMAPINFO format{};
    format.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    format.bmiHeader.biWidth = size.bmWidth;
    format.bmiHeader.biHeight = -size.bmHeight;  // top-down
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    format.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    UniqueBitmap greyed(::CreateDIBSection(nullptr, &format, DIB_RGB_COLORS, &bits, nullptr, 0));
    UniqueMemoryDc dc(::CreateCompatibleDC(nullptr));
    if (!greyed || !dc ||
        ::GetDIBits(dc.Get(), color.Get(), 0, static_cast<UINT>(size.bmHeight), bits, &format,
                    DIB_RGB_COLORS) == 0) {
        return {};
    }
    for (std::uint32_t& p : std::span(static_cast<std::uint32_t*>(bits),
                                      static_cast<std::size_t>(size.bmWidth * size.bmHeight))) {
        std::uint32_t grey = ((p >> 16 & 0xFF) * 30 + (p >> 8 & 0xFF) * 59 + (p & 0xFF) * 11) / 100;
        p = (p & 0xFF000000u) | grey << 16 | grey << 8 | grey;
    }
    info.hbmColor = greyed.Get();
    return UniqueIcon(::CreateIconIndirect(&info));
}

NOTIFYICONDATAW Tray::Data() const {
    NOTIFYICONDATAW data = IconData(window_);
    data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data.uCallbackMessage = app_messages::kTrayCallback;
    data.hIcon = icon_.Get();
    // The program's name, which a screen reader speaks for the icon.
    std::wstring tip = Text(paused_ ? TAVERO_TEXT_PAUSED_TIP : TAVERO_TEXT_PROGRAM_NAME);
    ::lstrcpynW(data.szTip, tip.c_str(), static_cast<int>(std::size(data.szTip)));
    return data;
}

void Tray::SetPaused(bool paused) {
    paused_ = paused;
    DpiChanged();  // the icon made again, in its paused look or its own
}

void Tray::Balloon(const std::wstring& text) {
    NOTIFYICONDATAW data = IconData(window_);
    data.uFlags = NIF_INFO;
    ::lstrcpynW(data.szInfoTitle, Text(TAVERO_TEXT_PROGRAM_NAME).c_str(),
                static_cast<int>(std::size(data.szInfoTitle)));
    ::lstrcpynW(data.szInfo, text.c_str(), static_cast<int>(std::size(data.szInfo)));
    data.dwInfoFlags = NIIF_WARNING;
    Shell32::NotifyIcon(NIM_MODIFY, &data);
}

void Tray::Add() {
    NOTIFYICONDATAW data = Data();
    // Without a notification area the program runs on without an icon.
    added_ = Shell32::NotifyIcon(NIM_ADD, &data) != FALSE;
}

void Tray::DpiChanged() {
    MakeIcon();
    if (added_) {
        NOTIFYICONDATAW data = Data();
        Shell32::NotifyIcon(NIM_MODIFY, &data);
    }
}

Tray::~Tray() {
    if (added_) {
        NOTIFYICONDATAW data = IconData(window_);
        Shell32::NotifyIcon(NIM_DELETE, &data);
    }
}

bool Tray::HandleMessage(UINT msg, WPARAM, LPARAM lParam) {
    if (msg == taskbarCreated_) {
        // The shell restarted and forgot every icon.
        added_ = false;
        Add();
        return true;
    }
    if (msg != app_messages::kTrayCallback) {
        return false;
    }
    switch (LOWORD(lParam)) {
        case WM_LBUTTONUP:
            // The same path as the menu's "Show".
            ::PostMessageW(window_, WM_COMMAND, TAVERO_CMD_SHOW, 0);
            break;
        case WM_RBUTTONUP:
            ShowMenu();
            break;
        default:
            break;
    }
    return true;
}

void Tray::ShowMenu() {
    UniqueMenu menu(::LoadMenuW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(TAVERO_TRAY_MENU)));
    if (!menu) {
        return;
    }
    HMENU popup = ::GetSubMenu(menu.Get(), 0);
    // Where the settings are: beside the exe, or in the user's own folder.
    std::wstring item = Text(TAVERO_TEXT_SETTINGS_ITEM, {settingsFile_});
    for (std::size_t amp = item.find(L'&'); amp != std::wstring::npos;
         amp = item.find(L'&', amp + 2)) {
        item.insert(amp, 1, L'&');  // shown as itself, not as an access key
    }
    HMENU about = ::GetSubMenu(popup, 1);
    ::AppendMenuW(about, MF_SEPARATOR, 0, nullptr);
    ::AppendMenuW(about, MF_STRING, TAVERO_CMD_SETTINGS_FOLDER, item.c_str());
    if (switches_) {
        Switches now = switches_();
        auto tick = [&](UINT id, bool on) {
            ::CheckMenuItem(popup, id, MF_BYCOMMAND | (on ? MF_CHECKED : MF_UNCHECKED));
        };
        tick(TAVERO_CMD_START_WITH_WINDOWS, now.startWithWindows);
        tick(TAVERO_CMD_ARM_AT_START, now.armAtStart);
        tick(TAVERO_CMD_PAUSE, now.paused);
    }
    POINT at;
    ::GetCursorPos(&at);
    // The foreground step and the null message afterwards make the menu close when the user
    // clicks elsewhere. The choice is posted to the window as WM_COMMAND.
    ::SetForegroundWindow(window_);
    ::TrackPopupMenuEx(popup, TPM_RIGHTBUTTON, at.x, at.y, window_, nullptr);
    ::PostMessageW(window_, WM_NULL, 0, 0);
}

}  // namespace tavero
