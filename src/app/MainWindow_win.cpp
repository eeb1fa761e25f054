#include "app/MainWindow_win.h"

#include <commctrl.h>
#include <windowsx.h>

#include "app/AppMessages_win.h"
#include "platform/MessagePump_win.h"
#include "ui/ControlIds.h"
#include "ui/Links.h"
#include "ui/MainLayout.h"
#include "ui/Skin_win.h"
#include "ui/SkinnedWindow_win.h"

namespace tavero {

namespace {

namespace layout = main_layout;
constexpr const wchar_t* kLinkCaption = L"Tavero:  Omdara is Search Guides!";
constexpr const wchar_t* kLinkTip = L"Omdara is Search Guides!";
constexpr UINT_PTR kLinkToolId = 1;

RECT ToRect(const PixelRect& r) {
    return {r.left, r.top, r.Right(), r.Bottom()};
}

void Place(HWND control, const PixelRect& r) {
    ::MoveWindow(control, r.left, r.top, r.width, r.height, TRUE);
}

HMENU IdOf(int id) {
    return reinterpret_cast<HMENU>(static_cast<INT_PTR>(id));
}

TitleStrip::Design MainTitleDesign() {
    return {L"Tavero Mirelle", layout::kTitleStrip,  layout::kLogo,
            layout::kTitle,    layout::kCloseButton, layout::kHideButton};
}

}  // namespace

MainWindow::MainWindow(const TaveroServices& services, ActionPlayer& player, ShellOpener& shell)
    : shell_(shell) {
    RegisterClassOnce(kClassName, CS_DBLCLKS, ::GetSysColorBrush(COLOR_BTNFACE),
                      ::LoadIconW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1)));
    // No taskbar button: the notification-area icon stands for the program.
    Create(kClassName, kCaption, WS_POPUP | WS_CLIPCHILDREN, WS_EX_TOOLWINDOW | WS_EX_CONTROLPARENT,
           0, 0, 0, 0, nullptr, nullptr);
    rows_ = std::make_unique<HotKeyRows>(services.ini, player, services.messages);
    CreateControls(services);
    rows_->LoadActions();
    for (int row = 0; row < HotKeyRows::kCount; ++row) {
        RefreshRow(row);
    }
    Layout(static_cast<int>(::GetDpiForWindow(Handle())));
    MessagePump::AddNavigableWindow(Handle());
}

MainWindow::~MainWindow() {
    MessagePump::RemoveNavigableWindow(Handle());
    // The boxes' windows are children of ours: take them down while it still exists.
    for (RowControls& row : controls_) {
        row.hotKeyBox.reset();
    }
    tray_.reset();
    titleStrip_.reset();
    tips_.Reset();
    Destroy();
}

void MainWindow::CreateControls(const TaveroServices& services) {
    HINSTANCE instance = ::GetModuleHandleW(nullptr);
    titleStrip_ =
        std::make_unique<TitleStrip>(Handle(), control_ids::kTitleStrip, MainTitleDesign());
    titleStrip_->onHide = [this] { Hide(); };
    titleStrip_->onClose = [this] { Quit(); };
    titleStrip_->onLogo = [this] { shell_.Open(links::kHomePage); };

    auto makeEdit = [&](int row) {
        controls_[static_cast<std::size_t>(row)].actionText = ::CreateWindowExW(
            WS_EX_CLIENTEDGE, L"EDIT", L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL, 0,
            0, 0, 0, Handle(), IdOf(control_ids::ActionText(row)), instance, nullptr);
    };
    // Created in the keyboard's tab order: the first action text, the ten arm boxes, the other
    // action texts, the ten capture boxes.
    makeEdit(0);
    for (int row = 0; row < HotKeyRows::kCount; ++row) {
        controls_[static_cast<std::size_t>(row)].armBox = ::CreateWindowExW(
            0, L"BUTTON", L"START", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX, 0, 0, 0,
            0, Handle(), IdOf(control_ids::ArmBox(row)), instance, nullptr);
    }
    for (int row = 1; row < HotKeyRows::kCount; ++row) {
        makeEdit(row);
    }
    for (int row = 0; row < HotKeyRows::kCount; ++row) {
        auto& box = controls_[static_cast<std::size_t>(row)].hotKeyBox;
        box = std::make_unique<TaveroControl>(Handle(), control_ids::HotKeyBox(row),
                                              L"Tavero" + std::to_wstring(row + 1), services);
        rows_->Attach(row, box->Box());
        box->Box().Events().hotKeyPressed = [this, row] { rows_->Fire(row); };
        // A key pressed in an armed box disarms it; the arm box says so at once.
        box->Box().Events().hotKeyDisarmed = [this, row] {
            ::SendMessageW(controls_[static_cast<std::size_t>(row)].armBox, BM_SETCHECK,
                           BST_UNCHECKED, 0);
        };
    }

    tips_.Reset(::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                                  CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                                  Handle(), nullptr, instance, nullptr));
    for (int row = 0; row < HotKeyRows::kCount; ++row) {
        TTTOOLINFOW tool{};
        tool.cbSize = sizeof(tool);
        tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        tool.hwnd = Handle();
        tool.uId = reinterpret_cast<UINT_PTR>(controls_[static_cast<std::size_t>(row)].actionText);
        tool.lpszText = const_cast<wchar_t*>(L"");
        ::SendMessageW(tips_.Get(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }
    link_ = std::make_unique<HoverLink>(
        Handle(), HoverLink::Design{kLinkCaption, layout::kLink, 9, palette::kLinkBlue, {}},
        [this] { shell_.Open(links::kSearchGuide); });
    TTTOOLINFOW link{};
    link.cbSize = sizeof(link);
    link.uFlags = TTF_SUBCLASS;
    link.hwnd = Handle();
    link.uId = kLinkToolId;
    link.lpszText = const_cast<wchar_t*>(kLinkTip);
    ::SendMessageW(tips_.Get(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&link));
}

void MainWindow::Layout(int dpi) {
    dpi_ = dpi;
    windowFont_ = CreateSkinFont(palette::kYaHei, 9, FW_NORMAL, DEFAULT_CHARSET, dpi);
    hotKeyFont_ = CreateSkinFont(palette::kSimSun, 9, FW_NORMAL, DEFAULT_CHARSET, dpi);
    link_->Layout(dpi);

    titleStrip_->Layout(dpi);
    for (int row = 0; row < HotKeyRows::kCount; ++row) {
        const layout::Row& design = layout::kRowTable[static_cast<std::size_t>(row)];
        RowControls& c = controls_[static_cast<std::size_t>(row)];
        PixelRect box = ToPixels(design.hotKeyBox, dpi);
        c.hotKeyBox->Move(box.left, box.top, box.width, box.height);
        c.hotKeyBox->SetFont(hotKeyFont_.Get());
        Place(c.armBox, ToPixels(design.armBox, dpi));
        Place(c.actionText, ToPixels(design.actionText, dpi));
        ::SendMessageW(c.armBox, WM_SETFONT, reinterpret_cast<WPARAM>(windowFont_.Get()), TRUE);
        ::SendMessageW(c.actionText, WM_SETFONT, reinterpret_cast<WPARAM>(windowFont_.Get()), TRUE);
    }
    TTTOOLINFOW link{};
    link.cbSize = sizeof(link);
    link.hwnd = Handle();
    link.uId = kLinkToolId;
    link.rect = ToRect(link_->Rect());
    ::SendMessageW(tips_.Get(), TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&link));

    ::SetWindowPos(Handle(), nullptr, 0, 0, TwipsToPixels(layout::kWidth, dpi),
                   TwipsToPixels(layout::kHeight, dpi), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    ::InvalidateRect(Handle(), nullptr, TRUE);
}

void MainWindow::Show() {
    if (!placed_) {
        // Centred on the screen the first time it is shown.
        placed_ = true;
        CentreOnWorkArea(Handle());
        ::PostMessageW(Handle(), app_messages::kFinishStart, 0, 0);
    }
    ::ShowWindow(Handle(), SW_SHOW);
    ::SetForegroundWindow(Handle());
}

void MainWindow::RefreshRow(int row) {
    ::SetWindowTextW(controls_[static_cast<std::size_t>(row)].actionText,
                     rows_->ActionText(row).c_str());
    SetActionTip(row);
}

void MainWindow::SetActionTip(int row) {
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof(tool);
    tool.hwnd = Handle();
    tool.uId = reinterpret_cast<UINT_PTR>(controls_[static_cast<std::size_t>(row)].actionText);
    tool.lpszText = const_cast<wchar_t*>(rows_->ActionCode(row).c_str());
    ::SendMessageW(tips_.Get(), TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
}

void MainWindow::FinishStart() {
    tray_ = std::make_unique<Tray>(
        Handle(), Tray::Actions{[this] { Show(); }, [this] { shell_.Open(links::kProductPage); },
                                [this] { shell_.Open(links::kVersionPage); }, [this] { Quit(); }});
    if (onStarted) {
        onStarted();
    }
    rows_->ReportReadError();
}

void MainWindow::Quit() {
    if (!SaveOnce()) {
        return;
    }
    Hide();
    // The windows are taken down after the message loop ends, never under a running handler.
    ::PostQuitMessage(0);
}

bool MainWindow::SaveOnce() {
    if (quitting_) {
        return false;
    }
    quitting_ = true;
    rows_->SaveAll();
    tray_.reset();
    return true;
}

PixelRect MainWindow::EditButtonRect(int row) const {
    return ToPixels(layout::kRowTable[static_cast<std::size_t>(row)].editButton, dpi_);
}

LRESULT MainWindow::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (tray_ && tray_->HandleMessage(msg, wParam, lParam)) {
        return 0;
    }
    LRESULT handled = 0;
    if (link_ && link_->HandleMessage(msg, wParam, lParam, handled)) {
        return handled;
    }
    if (HandleSkinnedWindowMessage(
            Handle(), msg, wParam, lParam, [this](int dpi) { Layout(dpi); }, handled)) {
        return handled;
    }
    switch (msg) {
        case WM_PAINT:
            Paint();
            return 0;
        case app_messages::kFinishStart:
            FinishStart();
            return 0;
        case app_messages::kShowRequest:
            Show();
            return 0;
        case WM_COMMAND:
            if (HIWORD(wParam) == BN_CLICKED) {
                int id = LOWORD(wParam);
                for (int row = 0; row < HotKeyRows::kCount; ++row) {
                    if (id == control_ids::ArmBox(row)) {
                        OnArmBoxClicked(row);
                    }
                }
            }
            return 0;
        case WM_LBUTTONUP:
            OnLeftButtonUp(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
            return 0;
        case WM_CLOSE:
            // Alt+F4 or a close from the system quits like the close button.
            Quit();
            return 0;
        case WM_QUERYENDSESSION:
            return TRUE;
        case WM_ENDSESSION:
            if (wParam) {
                // The session ends the process; save now.
                SaveOnce();
            }
            return 0;
        default:
            return Default(msg, wParam, lParam);
    }
}

void MainWindow::OnArmBoxClicked(int row) {
    HWND armBox = controls_[static_cast<std::size_t>(row)].armBox;
    bool wanted = ::SendMessageW(armBox, BM_GETCHECK, 0, 0) == BST_CHECKED;
    bool armed = rows_->Arm(row, wanted);
    ::SendMessageW(armBox, BM_SETCHECK, armed ? BST_CHECKED : BST_UNCHECKED, 0);
}

void MainWindow::OnLeftButtonUp(int x, int y) {
    for (int row = 0; row < HotKeyRows::kCount; ++row) {
        if (EditButtonRect(row).Contains(x, y) && onEditRow) {
            onEditRow(row);
            return;
        }
    }
}

void MainWindow::Paint() {
    PAINTSTRUCT ps;
    HDC dc = ::BeginPaint(Handle(), &ps);
    RECT frame = ToRect(ToPixels(layout::kFrame, dpi_));
    DrawFrame(dc, frame, ScalePixels(layout::kFramePenPixels, dpi_), ToColorRef(palette::kGreen));
    for (int row = 0; row < HotKeyRows::kCount; ++row) {
        DrawEditButton(dc, ToRect(EditButtonRect(row)));
    }
    link_->Paint(dc);
    ::EndPaint(Handle(), &ps);
}

}  // namespace tavero
