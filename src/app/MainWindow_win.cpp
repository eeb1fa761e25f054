#include "app/MainWindow_win.h"

#include <commctrl.h>

#include "app/AppMessages_win.h"
#include "ui/ControlIds.h"
#include "ui/Links.h"
#include "ui/MainLayout.h"
#include "ui/MenuIds.h"
#include "ui/Skin_win.h"

namespace tavero {

namespace {

namespace layout = main_layout;
constexpr const wchar_t* kLinkCaption = L"Tavero:  Omdara is Search Guides!";
constexpr const wchar_t* kLinkTip = L"Omdara is Search Guides!";

SkinnedWindow::Skin MainSkin() {
    return {MainWindow::kClassName,
            MainWindow::kCaption,
            layout::kWidth,
            layout::kHeight,
            {L"Tavero Mirelle", layout::kTitleStrip, layout::kLogo, layout::kTitle,
             layout::kCloseButton, layout::kHideButton},
            layout::kFrame,
            layout::kFramePenPixels,
            ::LoadIconW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1))};
}

const layout::Row& Design(int row) {
    return layout::kRowTable[static_cast<std::size_t>(row)];
}

std::wstring OfRow(const wchar_t* what, int row) {
    return what + std::to_wstring(row + 1);
}

HWND CreateControl(HWND parent, const wchar_t* className, const wchar_t* text, DWORD style,
                   DWORD exStyle, int id, const TwipsRect& place, int dpi) {
    PixelRect r = ToPixels(place, dpi);
    return ::CreateWindowExW(exStyle, className, text, WS_CHILD | WS_VISIBLE | style, r.left, r.top,
                             r.width, r.height, parent, AsMenuId(id), ::GetModuleHandleW(nullptr),
                             nullptr);
}

void Place(HWND control, const TwipsRect& place, int dpi) {
    PixelRect r = ToPixels(place, dpi);
    ::SetWindowPos(control, nullptr, r.left, r.top, r.width, r.height,
                   SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

MainWindow::MainWindow(const TaveroServices& services, ActionPlayer& player, ShellOpener& shell)
    : SkinnedWindow(MainSkin(), {[this] { Quit(); }, [this] { Hide(); },
                                 [this] { shell_.Open(links::kHomePage); }}),
      shell_(shell),
      rows_(std::make_unique<HotKeyRows>(services.ini, player, services.messages)) {
    SetFonts();
    CreateRows(services);
    rows_->LoadActions();
    for (int row = 0; row < HotKeyRows::kCount; ++row) {
        RefreshRow(row);
    }
    link_ = std::make_unique<DrawnButton>(
        Handle(), control_ids::kLink, kLinkCaption, roles::kLink,
        [this](HDC dc, const RECT& r, bool hot) {
            DrawLink(dc, r, kLinkCaption, (hot ? linkHotFont_ : linkFont_).Get(),
                     ToColorRef(palette::kLinkBlue), ::GetSysColor(COLOR_BTNFACE));
        },
        [this] { shell_.Open(links::kSearchGuide); });
    link_->Place(ToPixels(layout::kLink, Dpi()));
}

MainWindow::~MainWindow() {
    tray_.reset();
    // The boxes' windows are children of ours: take them down while it still exists.
    for (Row& row : controls_) {
        row.hotKeyBox.reset();
        row.editButton.reset();
    }
    link_.reset();
    Destroy();
}

void MainWindow::SetFonts() {
    windowFont_ = CreateSkinFont(palette::kYaHei, 9, FW_NORMAL, DEFAULT_CHARSET, Dpi());
    hotKeyFont_ = CreateSkinFont(palette::kSimSun, 9, FW_NORMAL, DEFAULT_CHARSET, Dpi());
    linkFont_ = CreateSkinFont(palette::kYaHei, 9, FW_NORMAL, DEFAULT_CHARSET, Dpi());
    linkHotFont_ = CreateSkinFont(palette::kYaHei, 9, FW_NORMAL, DEFAULT_CHARSET, Dpi(), true);
}

void MainWindow::CreateRows(const TaveroServices& services) {
    int dpi = Dpi();
    auto makeActionText = [&](int row) {
        HWND text =
            CreateControl(Handle(), L"EDIT", L"", WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE,
                          control_ids::ActionText(row), Design(row).actionText, dpi);
        // Enter or F2 on it opens the editor, as its pencil does.
        ::SetWindowSubclass(text, ActionTextProc, static_cast<UINT_PTR>(row),
                            reinterpret_cast<DWORD_PTR>(this));
        controls_[static_cast<std::size_t>(row)].actionText = text;
    };
    // Created in the keyboard's tab order: the first action text, the ten arm boxes, the other
    // action texts, the ten capture boxes.
    makeActionText(0);
    for (int row = 0; row < HotKeyRows::kCount; ++row) {
        controls_[static_cast<std::size_t>(row)].armBox =
            CreateControl(Handle(), L"BUTTON", L"START", WS_TABSTOP | BS_AUTOCHECKBOX, 0,
                          control_ids::ArmBox(row), Design(row).armBox, dpi);
    }
    for (int row = 1; row < HotKeyRows::kCount; ++row) {
        makeActionText(row);
    }
    for (int row = 0; row < HotKeyRows::kCount; ++row) {
        Row& c = controls_[static_cast<std::size_t>(row)];
        PixelRect box = ToPixels(Design(row).hotKeyBox, dpi);
        c.hotKeyBox = std::make_unique<TaveroControl>(Handle(), control_ids::HotKeyBox(row),
                                                      OfRow(L"Tavero", row), services, box);
        rows_->Attach(row, c.hotKeyBox->Box());
        c.hotKeyBox->Box().Events().hotKeyPressed = [this, row] { rows_->Fire(row); };
        // Capturing a new hotkey in an armed box disarms it; the arm box says so at once.
        c.hotKeyBox->Box().Events().hotKeyDisarmed = [&c] {
            ::SendMessageW(c.armBox, BM_SETCHECK, BST_UNCHECKED, 0);
        };
        c.editButton = std::make_unique<DrawnButton>(
            Handle(), control_ids::EditButton(row),
            L"Edit the action of row " + std::to_wstring(row + 1), roles::kPushButton,
            [](HDC dc, const RECT& r, bool) {
                ::FillRect(dc, &r, ::GetSysColorBrush(COLOR_BTNFACE));
                DrawEditButton(dc, r);
            },
            [this, row] {
                if (onEditRow) {
                    onEditRow(row);
                }
            });
        c.editButton->Place(ToPixels(Design(row).editButton, dpi));
    }
    for (Row& c : controls_) {
        ::SendMessageW(c.armBox, WM_SETFONT, reinterpret_cast<WPARAM>(windowFont_.Get()), FALSE);
        ::SendMessageW(c.actionText, WM_SETFONT, reinterpret_cast<WPARAM>(windowFont_.Get()),
                       FALSE);
        c.hotKeyBox->SetFont(hotKeyFont_.Get());
    }
}

void MainWindow::Relayout(int dpi) {
    SetFonts();
    for (int row = 0; row < HotKeyRows::kCount; ++row) {
        Row& c = controls_[static_cast<std::size_t>(row)];
        Place(c.armBox, Design(row).armBox, dpi);
        Place(c.actionText, Design(row).actionText, dpi);
        PixelRect box = ToPixels(Design(row).hotKeyBox, dpi);
        c.hotKeyBox->Move(box.left, box.top, box.width, box.height);
        c.hotKeyBox->SetFont(hotKeyFont_.Get());
        c.editButton->Place(ToPixels(Design(row).editButton, dpi));
        ::SendMessageW(c.armBox, WM_SETFONT, reinterpret_cast<WPARAM>(windowFont_.Get()), TRUE);
        ::SendMessageW(c.actionText, WM_SETFONT, reinterpret_cast<WPARAM>(windowFont_.Get()), TRUE);
    }
    link_->Place(ToPixels(layout::kLink, dpi));
}

void MainWindow::Show() {
    if (SkinnedWindow::Show()) {
        // Posted, so it runs after the first paint: what is not needed to see the window waits.
        ::PostMessageW(Handle(), app_messages::kFinishStart, 0, 0);
    }
}

void MainWindow::RefreshRow(int row) {
    const Row& c = controls_[static_cast<std::size_t>(row)];
    ::SetWindowTextW(c.actionText, rows_->ActionText(row).c_str());
    if (tips_) {
        tips_->Set(c.actionText, rows_->ActionCode(row));
    }
}

void MainWindow::FinishStart() {
    tray_ = std::make_unique<Tray>(Handle(), [this] { Show(); });
    tips_ = std::make_unique<ToolTips>(Handle());
    tips_->Set(link_->Handle(), kLinkTip);
    for (int row = 0; row < HotKeyRows::kCount; ++row) {
        const Row& c = controls_[static_cast<std::size_t>(row)];
        tips_->Set(c.actionText, rows_->ActionCode(row));
        NameForScreenReaders(c.armBox, OfRow(L"START, row ", row), roles::kCheckButton);
        NameForScreenReaders(c.actionText, OfRow(L"Action, row ", row));
        c.hotKeyBox->SetAccessibleName(OfRow(L"Hotkey, row ", row));
    }
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

bool MainWindow::OnCommand(int id, int code, HWND) {
    for (int row = 0; row < HotKeyRows::kCount; ++row) {
        if (id == control_ids::ArmBox(row) && code == BN_CLICKED) {
            OnArmBoxClicked(row);
            return true;
        }
    }
    switch (id) {
        case IDCANCEL:  // Escape, where the focus is not in a hotkey box
            Hide();
            return true;
        // The tray menu's commands arrive here once the menu has closed.
        case TAVERO_CMD_SHOW:
            Show();
            return true;
        case TAVERO_CMD_ABOUT_MIRELLE:
            shell_.Open(links::kProductPage);
            return true;
        case TAVERO_CMD_CHECK_VERSON:
            shell_.Open(links::kVersionPage);
            return true;
        case TAVERO_CMD_EXIT:
            Quit();
            return true;
        default:
            return false;
    }
}

bool MainWindow::OnClose() {
    // Alt+F4 or a close from the system quits like the close button.
    Quit();
    return true;
}

bool MainWindow::OnEndSession(bool ending) {
    if (ending) {
        // The session ends the process; save now.
        SaveOnce();
    }
    return true;
}

std::optional<LRESULT> MainWindow::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (tray_ && tray_->HandleMessage(msg, wParam, lParam)) {
        return 0;
    }
    switch (msg) {
        case app_messages::kFinishStart:
            FinishStart();
            return 0;
        case app_messages::kShowRequest:
            Show();
            return 0;
        default:
            return std::nullopt;
    }
}

void MainWindow::OnArmBoxClicked(int row) {
    HWND armBox = controls_[static_cast<std::size_t>(row)].armBox;
    bool wanted = ::SendMessageW(armBox, BM_GETCHECK, 0, 0) == BST_CHECKED;
    bool armed = rows_->Arm(row, wanted);
    ::SendMessageW(armBox, BM_SETCHECK, armed ? BST_CHECKED : BST_UNCHECKED, 0);
}

LRESULT CALLBACK MainWindow::ActionTextProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam,
                                            UINT_PTR row, DWORD_PTR self) {
    auto* window = reinterpret_cast<MainWindow*>(self);
    bool opens = wParam == VK_RETURN || wParam == VK_F2;
    switch (msg) {
        case WM_GETDLGCODE:
            // Enter is the text's own, not the window's default button.
            if (lParam != 0 && reinterpret_cast<const MSG*>(lParam)->message == WM_KEYDOWN &&
                reinterpret_cast<const MSG*>(lParam)->wParam == VK_RETURN) {
                return ::DefSubclassProc(hwnd, msg, wParam, lParam) | DLGC_WANTMESSAGE;
            }
            break;
        case WM_KEYDOWN:
            if (opens && window->onEditRow) {
                return Fenced(hwnd, 0, [&] {
                    window->onEditRow(static_cast<int>(row));
                    return LRESULT{0};
                });
            }
            break;
        case WM_CHAR:
            if (wParam == L'\r') {
                return 0;  // no beep
            }
            break;
        case WM_NCDESTROY:
            ::RemoveWindowSubclass(hwnd, ActionTextProc, row);
            break;
        default:
            break;
    }
    return ::DefSubclassProc(hwnd, msg, wParam, lParam);
}

}  // namespace tavero
